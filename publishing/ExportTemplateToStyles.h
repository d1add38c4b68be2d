#pragma once
// Copies one template item with all its rows between the open catalog and
// the style catalog of its catalog type in the styles database ("ItemId";
// "Import" "yes": from the style catalog into the open catalog, otherwise
// the other way). A master or body template must have XSL; the pictures it
// refers to are listed in the log, not copied.
//
// Refused, with nothing written: an item the source lacks (restoring a
// template the style catalog does not have keeps the local one), and an
// item of another type that holds the same id in the target.
#include "publishing/TolvexExport.h"

class TExportTemplateToStyles : public TTolvexExport {
public:
    using TTolvexExport::TTolvexExport;

    void Execute() override;
};
