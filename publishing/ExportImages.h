#pragma once
// Exports every stored picture of the open catalog into a folder
// (parameter "DirName"): the item's alternative file name, or its id, with
// the characters . " ' \ / ; ` : replaced by "_", then "." and the subtype
// of the picture's MIME type. Shows the runner's progress bar.
#include "publishing/TolvexExport.h"

class TExportImages : public TTolvexExport {
public:
    using TTolvexExport::TTolvexExport;

    void Execute() override;
    bool ShowProgressBar() const override { return true; }
};
