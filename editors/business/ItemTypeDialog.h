#pragma once
// Opens the dialog that an item type's editor list names (the season and
// the room price dialogs, the package entry dialog) in an editor window of
// its own, on the frame's editing connection, with Params as its parameter
// list in both directions; true when the user accepted it.
#include <string>
#include <vector>

class TTolvexFrameEditor;

bool RunItemTypeDialog(TTolvexFrameEditor& frame, int itemType, std::vector<std::string>& params);
// The same for a dialog editor named directly (no item type lists it).
bool RunNamedDialog(TTolvexFrameEditor& frame, const std::string& editorName, std::vector<std::string>& params);
