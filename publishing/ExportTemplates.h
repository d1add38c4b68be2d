#pragma once
// Exports the sources of the templates tree of the open catalog into one
// folder (parameter "DirName"): master, report and settings templates and
// body templates as .xsl, common XSL as .xml, style sheets as .css and
// scripts as .js, each named after the item's name in the catalog's default
// data language (or its id), with the characters . " ' \ / ; ` : replaced
// by "_". Items of other types are passed over; their children are visited.
#include "publishing/TolvexExport.h"

#include <string>

class TExportTemplates : public TTolvexExport {
public:
    using TTolvexExport::TTolvexExport;

    void Execute() override;
    void ExportTemplate(int itemId, int itemType);

private:
    std::string dirName_;
};
