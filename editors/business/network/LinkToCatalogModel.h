#pragma once
// What the "Link To Catalog" tab decides, without widgets: the member's
// catalog code under "XXX", which is also the item's name. A stored code is
// reduced to catalog-code characters ("-", digits, "_", a-z; capitals made
// small); a new name given in the tree becomes the code.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TLinkToCatalogModel {
public:
    // Params: the context's parameter list, which hears of a new name; may be null.
    TLinkToCatalogModel(const TSiteModelContext& context, std::vector<std::string>* params);

    void Load();
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    bool IsModified() const { return modified_; }
    // Writes the reduced code as the code and the item's name; answers it,
    // for the edit to show.
    std::string Store();
    // The item got a new name in the tree: for this item the name, reduced,
    // becomes the code as if typed (true); other items are not its business.
    bool NameChanged(int itemId, const std::string& newName);

private:
    TSiteModelContext context_;
    std::vector<std::string>* params_;
    std::string text_;
    bool modified_ = false;
};
