#pragma once
// What an editing context shows its state on: the main window's editor pane
// (its caption, its Save/Cancel/Help bar and the status bar) or an editor
// window of its own (caption, Ok/Cancel/Help buttons, its own status bar
// with the language panel). Implemented by the Qt side; tests record it.
#include <functional>
#include <string>

class TEditorPanel;

class TEditorHost {
public:
    virtual ~TEditorHost() = default;

    virtual void SetCaption(const std::string& text) = 0;
    // The Save button of the pane, the Ok button of a window.
    virtual void SetSaveEnabled(bool enabled) = 0;
    virtual void SetCancelEnabled(bool enabled) = 0;
    virtual void SetCancelVisible(bool visible) = 0;
    virtual void SetOkCaption(const std::string& text) = 0;
    // The pane's Save/Cancel/Help bar; a window has nothing to show or hide.
    virtual void ShowSavePanel(bool visible) = 0;
    // Whether the host has that status panel.
    virtual bool HasStatusPanel(int panel) const = 0;
    virtual void SetStatusText(int panel, const std::string& text) = 0;
    // Validation messages with their flags (1 information, 2 warning, 4 error).
    virtual void SetStatusNotice(const std::string& text, int flags) = 0;
    // Clicks the Save or Ok button (only when it is enabled) or Cancel.
    virtual void PressOk() = 0;
    virtual void PressCancel() = 0;
    // The panel on which the item's editors are built.
    virtual TEditorPanel& Panel() = 0;
};

// An editor window: a host shown modally, with a wizard mode and a
// language panel of its own.
class TTolvexControlClass;

class TEditorWindow : public TEditorHost {
public:
    // The context that owns the window (its language panel switches that
    // context's language).
    virtual void Bind(TTolvexControlClass& context) = 0;
    // Tabs hidden, Prev/Next/Finish/Cancel buttons.
    virtual void SetWizardMode(bool wizard) = 0;
    // Shows the window modally with the preferred size (ignored unless both
    // are positive); 1 when closed with Ok or Finish, 2 otherwise. Ok and
    // Finish close the window only when Accept answers true (the save
    // succeeded); otherwise it stays open with the user's edits.
    virtual int ShowModal(int width, int height, const std::function<bool()>& accept) = 0;
    // The editing language changed: the language panel repaints.
    virtual void LanguageChanged() = 0;
};
