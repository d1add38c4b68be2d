#pragma once
// Stores an XHTML file (usually one the XHTML template export wrote and an
// outside design tool edited) as a new template beside a master or body
// template ("original"), its text the template's source with the export's
// changes undone (xhtml_template::FromXhtml). A file that is not well-formed
// XSL then is refused with its line and nothing is stored. When the user
// agrees, the pictures, scripts and style sheets it refers to are loaded or
// updated: a base name that is the id of an item of the importer's type, or
// an item's alternative file name, updates that item. A master's colour and
// font style sheets are the two links between the export's removal
// markers, in file order.
//
// Files are read only from the file's folder and below, and from the
// export's own folders beside it ("../css", "../js", "../images").
#include "publishing/TolvexImport.h"

#include <string>
#include <vector>

class TImportedItems;

class TImportTemplateFromXhtml : public TTolvexImport {
public:
    using TTolvexImport::TTolvexImport;

    void Execute() override;

    // The new template; 0 before.
    int TemplateId() const { return templateId_; }

private:
    enum class TAsset { Image, Script, StyleSheet };
    // The asset's item (updated or made); 0 when its file was skipped.
    int ImportAsset(TImportedItems& items, TAsset kind, int itemType, int parentId, const std::string& address,
                    const std::string& folder);
    bool AskYes(const std::string& question);

    int templateId_ = 0;
};
