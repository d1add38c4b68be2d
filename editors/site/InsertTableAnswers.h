#pragma once
// What the insert-table dialog writes on OK, from the texts of its fields.
#include "editors/site/html/dialogs/DialogParams.h"

#include <string>

struct TInsertTableAnswers {
    std::string TableCaption;
    std::string NumberRows = "1";
    std::string NumberColumns = "1";
    std::string CellPadding;
    std::string CellSpacing;
    std::string Width;
    bool WidthInPercent = false;
    std::string BorderThickness;
    std::string Attributes;
    bool FixedWidthColumns = false;

    // Each field whose trimmed text is not empty goes in untrimmed under its
    // name; a width in per cent gets "%" unless it has one.
    void Save(TDialogParams& params) const;
};
