#pragma once
// The open catalog in the main window: the item editor in the editor pane
// and the web and templates trees. The shell builds one for every open
// catalog; the catalog data owns it and frees it when the catalog closes.
#include <string>
#include <vector>

class TAbstractDBConnection;

class TCatalogDataUI {
public:
    virtual ~TCatalogDataUI() = default;

    // Creates the item editor and both trees (once per open catalog).
    virtual void Build() = 0;
    // Selects the item in the web tree, which opens it in the editor.
    virtual void SelectWebTreeItem(int itemId) = 0;
    // Whether the item being edited may be left: the item editor asks the
    // user about unsaved changes. True while there is no item editor.
    virtual bool CanLeave(bool navigating) = 0;
    // Empties both trees and frees the item editors (the catalog closes).
    virtual void Clear() = 0;
    // Opens the dialog item type's editors in a modal editor window on
    // Connection, with Params as its parameter list (its frames write their
    // answers into it); true when it closed with Ok. False where the
    // program has no editor windows.
    virtual bool RunEditorDialog(int /*itemType*/, std::vector<std::string>& /*params*/,
                                 TAbstractDBConnection& /*connection*/)
    {
        return false;
    }
};
