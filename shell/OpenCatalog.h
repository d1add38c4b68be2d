#pragma once
// The open catalog as the shell's command classes reach it through the root
// object: whether one is open, its data, whether the item being edited may
// be left, and its window side with the main item editor. No widgets.
#include <string>

class TCatalogData;
class TCatalogWindowUI;
class TTolvex;
class TTolvexItemEditor;

class TOpenCatalog {
public:
    explicit TOpenCatalog(TTolvex& root) : root_(root) {}

    TTolvex& Root() const { return root_; }
    bool IsOpen() const;
    // The open catalog's data; null while none is open.
    TCatalogData* Data() const;
    // Whether the item being edited may be left (the user may be asked to
    // save); true while there is nothing being edited.
    bool CanLeave() const;
    // The open catalog's code; empty while none is open.
    std::string Code() const;
    // The window side (trees, editor pane) and its item editor; null while there is none.
    TCatalogWindowUI* WindowUI() const;
    TTolvexItemEditor* MainEditor() const;

private:
    TTolvex& root_;
};
