#pragma once
// TReportTemplateModel: a report template's or report's name as its
// "Report Template" tab shows it, with its item id and version, without
// widgets. Only a changed name is written.
#include "editors/site/SiteModelContext.h"

#include <string>

class TReportTemplateModel {
public:
    explicit TReportTemplateModel(const TSiteModelContext& context);

    void Load();
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    bool NameChanged() const { return name_ != loadedName_; }
    // "Version" of the item's version object; "(Unknown)" without one.
    const std::string& Version() const { return version_; }
    int ItemId() const { return context_.TreeItemId; }
    // Writes the name when it changed; true when it did.
    bool Store();

private:
    TSiteModelContext context_;
    std::string name_;
    std::string loadedName_;
    std::string version_;
};
