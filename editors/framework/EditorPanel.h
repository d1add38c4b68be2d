#pragma once
// The host panel on which an item's container builds its editors: the main
// window's editor pane or the panel of an editor window. It gives the
// container one page control, or the site of a single frame shown without
// tabs, and empties itself when the container goes.
#include <memory>

class TEditorPages;
class TFrameSite;

class TEditorPanel {
public:
    virtual ~TEditorPanel() = default;

    // A new page control filling the panel, owned by the panel until Clear.
    virtual TEditorPages& CreatePages() = 0;
    // The page control made by CreatePages; null when there is none.
    virtual TEditorPages* Pages() = 0;
    // The site of a frame placed directly on the panel, owned by the panel
    // until Clear.
    virtual TFrameSite& CreateSingleSite() = 0;
    // Removes the page control and every site (their frames are gone already).
    virtual void Clear() = 0;
    // Focuses the first control of the active page (or of the panel) that
    // takes the focus.
    virtual void FocusFirstControl() = 0;
    // Shows a control that refused its value: every page around it is
    // activated, it takes the focus and a text edit selects its text.
    // Control is the handle a frame reported (its widget on the Qt side).
    virtual void RevealControl(void* control) = 0;
};
