#pragma once
// The choice of a visual style for the open catalog: the style manager with
// its selection dialog. The root object owns the program's one; opening a
// catalog asks it when the catalog has no style yet or newer versions of its
// styles are available.
class TStyleSelector {
public:
    virtual ~TStyleSelector() = default;

    // Mode 0: the catalog's first style, which the user cannot decline
    // without closing the catalog; mode 1: an optional change of style.
    // PostReopen: after a style was loaded, the main window is asked to open
    // the catalog again. True when a style was loaded into the catalog.
    virtual bool SelectStyle(int mode, bool postReopen) = 0;
};
