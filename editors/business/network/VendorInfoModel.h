#pragma once
// What the member's information tab decides, without widgets: the member's
// catalog code (reduced to code characters as it is typed or pasted), the
// "regenerate on host" choice, the catalog type's name and the member's
// site address; where they are stored ("CoCMember", "LinkToCatalogItem" and,
// while the item has none but the new item's caption, its name); the save's refusals; and the refresh
// from the host: the member's company record and catalog-type item fetched
// (each through a runner that waits until its window is gone), its catalog
// type written into "CoCMember", its logo fetched when it has one.
//
// The code is language-neutral: it is written in the editing language and
// under "XXX", and read from the editing language, else from "XXX".
#include "editors/site/SiteModelContext.h"
#include "publishing/CatalogNetwork.h"

#include <functional>
#include <string>

class TTolvex;

class TVendorInfoModel {
public:
    // Runs one fetch of the member's rows and waits for its end; true when they were stored.
    using TFetchRunner = std::function<bool(const std::string& memberCode, const catalog_network::TFetch& fetch)>;

    TVendorInfoModel(const TSiteModelContext& context, TTolvex& root);

    // Reads the values from the item's objects; not modified afterwards.
    void Load();
    const std::string& Code() const { return code_; }
    // The text of the code edit reduced to code characters; true when the code changed.
    bool SetCode(const std::string& text);
    bool Regenerate() const { return regenerate_; }
    bool SetRegenerate(bool regenerate);
    // The name of the member's catalog type; empty when it is not known.
    std::string CatalogTypeName() const;
    // The member's site on the hosting service; empty for an empty code.
    std::string SiteAddress() const;
    bool IsModified() const { return modified_; }
    // Whether the code was typed since the item was opened (a reload of the
    // same code keeps it so): only then is it checked against the others.
    bool CodeEdited() const { return codeEdited_; }
    void MarkCodeEdited() { codeEdited_ = true; }

    // Writes the values into the item's objects.
    void Store();
    // The message that refuses the save (a code another member holds, no
    // code); empty when the item may be saved.
    std::string SaveError() const;

    // The message that keeps the refresh from starting; empty when it may.
    std::string RefreshRefusal() const;
    // Stores the values, fetches the member's rows and takes its catalog
    // type into "CoCMember"; the message to show once the tabs are reloaded
    // (the member is unknown to the host or empty), else empty.
    std::string Refresh(const TFetchRunner& fetch);

private:
    std::string Text(const std::string& text, const std::string& arg = std::string()) const;
    // Whether another member item of the catalog holds the code.
    bool CodeHeldByAnother() const;

    TSiteModelContext context_;
    TTolvex& root_;
    std::string code_;
    bool codeEdited_ = false;
    bool regenerate_ = false;
    int catalogType_ = 0;
    bool modified_ = false;
};
