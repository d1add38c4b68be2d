#pragma once
// What an action asks the editors to open: an item (ItemId, at the tree
// placement TreeItemId, 0 meaning the item's own), an item type's editor
// (ItemId -1 with ItemType), a new item (ItemId -2 with ItemType, under
// ParentItemId) or one named editor (EditorName); on the tab TabName when
// it names one. The action string goes on to the editors, which may read
// keys of their own from it.
#include <string>

struct TEditorOpening {
    int ItemId = 0;
    int TreeItemId = 0;
    int ItemType = 0;  // 0: the item's own type
    int ParentItemId = 0;  // 0: the parent of the tree placement
    std::string TabName;
    std::string EditorName;
    std::string Action;
    bool Wizard = false;  // an editor window: in wizard mode
};
