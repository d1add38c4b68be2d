#pragma once
// Turns an HTML page ("filename") into a new page template beside an
// existing master or body template ("original"), which gives the skeleton:
// a copy of the skeleton's XSL whose main rule (the rule matching "/" of a
// master template, the rule named "body" of a body template) holds the
// page, the whole page or what its body holds. When the user agrees, the
// page's pictures, style sheets and scripts become items of the catalog and
// the template refers to them where publishing writes them.
//
// Local files are read only from the page's folder and below. A file's base
// name that is a number ("17.css") names the item of that id only when that
// item has the importer's type (a picture, style sheet or script); anything
// else makes a new item. The skeleton and the page are parsed without
// network access or entity expansion, and the template's text stays UTF-8.
#include "publishing/TolvexImport.h"

#include <libxml/tree.h>

#include <string>

class TImportedItems;

class TImportTemplateFromHtml : public TTolvexImport {
public:
    using TTolvexImport::TTolvexImport;

    void Execute() override;

private:
    enum class TAsset { StyleSheet, Script };

    void Import();
    void ImportAsset(TImportedItems& items, TAsset kind, int parentId, const std::string& address, xmlDoc* xsl,
                     const std::string& folder);
    void ImportImage(TImportedItems& items, const std::string& address, const std::string& folder,
                     const std::string& pictureFolder, xmlDoc* xsl);
    bool AskYes(const std::string& question);
};
