#pragma once
// What the visual HTML editor's context menu offers for a selection: which
// items are enabled and which show. No widgets.
#include <string>

// The selection as the page reports it.
struct TDesignSelectionStatus {
    std::string Type;   // "None", "Text" or "Control"
    std::string Tag;    // the selected control's tag, upper case
    std::string Image;  // the selected picture's address
    bool InCell = false;
    bool CanMerge = false;
    bool Link = false;
    bool CanUndo = false;
    bool CanPaste = false;
};

struct TDesignMenuState {
    bool Undo = false;
    bool Paste = false;
    bool InsertNewTable = true;
    bool MergeCells = false;
    bool SplitCell = false;
    bool RowColumn = false;   // insert and delete rows and columns
    bool CellProperties = false;  // also "Row Properties"
    bool RemoveHyperlinkVisible = false;
    bool SavePhotoVisible = false;

    // The state for Status; InsertNewTable keeps Previous's unless a control
    // is selected (a selected table disables it, any other control enables it).
    static TDesignMenuState For(const TDesignSelectionStatus& status, const TDesignMenuState& previous);
};
