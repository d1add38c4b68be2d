#pragma once
// Where a frame lives: a tab page of an item's editor, or the editor's host
// panel when a single frame is shown without tabs. The widget side gives
// its frames the page widget through its own subclass; the editing
// protocol only needs to show a line of text on a page that has no frame.
#include <string>

class TFrameSite {
public:
    virtual ~TFrameSite() = default;

    // Shows Text on the page in place of a frame (a frame that stands for an
    // editor the program does not have).
    virtual void ShowMessage(const std::string& text) = 0;
};
