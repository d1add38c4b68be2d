#pragma once
// TFrameJavaScriptPropertiesEditorModel: the "JavaScript Properties" tab of
// a script template without widgets: the script's name and file name (kept
// for every language, "XXX"), its version and id shown. Storing makes the
// template lists be read again, so the new name shows in every template choice.
#include "editors/site/SiteModelContext.h"

#include <string>

class TFrameJavaScriptPropertiesEditorModel {
public:
    explicit TFrameJavaScriptPropertiesEditorModel(const TSiteModelContext& context) : context_(context) {}

    void Load();
    const std::string& ScriptName() const { return name_; }
    const std::string& FileName() const { return fileName_; }
    // The version, or the translated "Unknown" when there is none.
    const std::string& Version() const { return version_; }
    int ScriptId() const { return context_.TreeItemId; }
    void SetScriptName(const std::string& name);
    void SetFileName(const std::string& fileName);
    void NameChanged(int itemId, const std::string& name);
    bool IsModified() const { return modified_; }
    // NameChanged receives the new name when the name was edited.
    void Store(std::string* nameChanged = nullptr);

private:
    TSiteModelContext context_;
    std::string name_, fileName_, version_;
    bool nameEdited_ = false;
    bool modified_ = false;
};
