#pragma once
// The table commands of the visual HTML editor, as scripts the editor runs
// in its own script world on the edited document: rows and columns are
// inserted and deleted, and cells merged and split, on the table's grid, so
// that cells spanning rows or columns keep the grid whole; and the insertion
// of HTML at the selection. The scripts call
// the editor's script library ("tolvexDesign", editors/site/scripts/
// designLibrary.js), which the view holds from the start of every document.
// No widgets.
#include <string>

enum class TTableCommand { InsertRow, InsertColumn, DeleteRow, DeleteColumn, MergeCells, SplitCell };

struct TDesignTable {
    // The script that runs the command at the selection; it answers whether
    // the document changed.
    static std::string CommandScript(TTableCommand command);
    // The script that answers what the selection allows: an object with
    // "type" ("None", "Text" or "Control"), "tag" (the selected control's
    // tag), "inCell", "canMerge", "link" (a link encloses the selection
    // within two levels), "image" (the selected picture's "src").
    static std::string StatusScript();
    // The script that puts HTML at the selection as the engine's "insertHTML"
    // does, keeping the ordinary spaces around it; it answers whether it did.
    static std::string InsertHtmlScript(const std::string& html);
};
