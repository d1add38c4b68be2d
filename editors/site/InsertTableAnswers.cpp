#include "editors/site/html/dialogs/InsertTableAnswers.h"

void TInsertTableAnswers::Save(TDialogParams& params) const
{
    const auto put = [&params](const char* name, const std::string& text) {
        if (text.find_first_not_of(" \t\r\n") != std::string::npos)
            params.Set(name, text);
    };
    put("TableCaption", TableCaption);
    put("NumberRows", NumberRows);
    put("NumberColumns", NumberColumns);
    put("BorderThickness", BorderThickness);
    put("Width", WidthInPercent && Width.find('%') == std::string::npos ? Width + "%" : Width);
    put("CellPadding", CellPadding);
    // "CellSpaceing" is the name the table insertion has always read.
    put("CellSpaceing", CellSpacing);
    put("Attributes", Attributes);
    if (FixedWidthColumns)
        params.Set("FixedWidthColumns", "yes");
}
