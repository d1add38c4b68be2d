#pragma once
// TFrameItemPropertiesModel: the general "Properties" tab of any item,
// without widgets: its name (for every language and the content language),
// id, alternative file name (letters, digits, "-" and "_" only), version,
// item type and tree image code. The name, file name and version are shown
// and stored only for an item that has both a names and a version object;
// the image code for every item.
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteModelContext.h"

#include <string>

class TFrameItemPropertiesModel {
public:
    explicit TFrameItemPropertiesModel(const TSiteModelContext& context)
        : context_(context), writes_(TSiteDatabaseWrites::Direct(context))
    {
    }
    // Where the tree row is written (straight on the connection by default).
    void UseWrites(const TSiteDatabaseWrites& writes) { writes_ = writes; }

    struct TMemberTexts {
        std::string Caption;  // empty: the frame keeps its own
        std::string Hint;
    };

    void Load();
    bool HasNames() const { return hasNames_; }
    // The caption and hint of a "CommonNames" member in the content language.
    TMemberTexts MemberTexts(const std::string& member) const;
    int ItemId() const { return context_.TreeItemId; }
    int ItemType() const { return context_.ItemType; }
    const std::string& Name() const { return name_; }
    const std::string& AltFileName() const { return altFileName_; }
    const std::string& Version() const { return version_; }
    const std::string& ImageCode() const { return imageCode_; }
    void SetName(const std::string& name);
    void SetAltFileName(const std::string& text);
    void SetVersion(const std::string& version);
    void SetImageCode(const std::string& code);
    // A rename in the tree of the opened item.
    void NameChanged(int itemId, const std::string& name);
    bool IsModified() const { return modified_; }
    // NameChanged receives the new name when the name was edited (for the
    // context's "NameChanged" and "NameChangedItemId").
    void Store(std::string* nameChanged = nullptr);

private:
    TSiteModelContext context_;
    TSiteDatabaseWrites writes_;
    std::string name_, altFileName_, version_, imageCode_;
    bool hasNames_ = false;
    bool nameEdited_ = false;
    bool imageCodeEdited_ = false;
    bool modified_ = false;
};
