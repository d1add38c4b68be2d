#pragma once
// The main window's status bar as the editor pane writes it: the text of a
// panel and the validation notice. The program's window controller
// implements it.
#include <string>

class TEditorStatusBar {
public:
    virtual ~TEditorStatusBar() = default;
    virtual void SetPanelText(int panel, const std::string& text) = 0;
    // Validation messages with their flags (1 information, 2 warning, 4 error).
    virtual void SetStatusNotice(const std::string& text, int flags) = 0;
};
