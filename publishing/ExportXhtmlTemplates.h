#pragma once
// Exports the templates tree of the open catalog into a folder (parameter
// "DirName") for an outside HTML design tool: page templates (master,
// body, common, report, settings and report-common templates) as XHTML in
// "templates" (xhtml_template::ToXhtml), language resources as XML there
// too, style sheets in "css", scripts in "js", and the templates' pictures
// (ids between 600000 and 700000) in "images". A file is named after the
// item's alternative file name, else its id, made safe; a second item of
// the same file name in one run gets its id appended instead of replacing
// the first one's file.
#include "publishing/TolvexExport.h"

#include <set>
#include <string>

class TExportXhtmlTemplates : public TTolvexExport {
public:
    using TTolvexExport::TTolvexExport;

    void Execute() override;

private:
    void ExportTemplate(int itemId, int itemType);
    void ExportImage(int itemId);
    // The file's name in Folder, unique within this run.
    std::string FileName(int itemId, const std::string& folder, const std::string& extension);

    std::string dirName_;
    std::set<std::string> written_;
};
