#include "editors/site/html/DesignContextMenu.h"

TDesignMenuState TDesignMenuState::For(const TDesignSelectionStatus& status, const TDesignMenuState& previous)
{
    TDesignMenuState state;
    state.Undo = status.CanUndo;
    state.Paste = status.CanPaste;
    state.MergeCells = status.CanMerge;
    state.SplitCell = status.InCell;
    state.RowColumn = status.InCell;
    state.CellProperties = state.SplitCell;
    state.RemoveHyperlinkVisible = status.Link;
    state.InsertNewTable = previous.InsertNewTable;
    if (status.Type == "Control") {
        state.SavePhotoVisible = status.Tag == "IMG";
        state.InsertNewTable = status.Tag != "TABLE";
    }
    return state;
}
