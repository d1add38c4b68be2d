#pragma once
// The main window's editor pane as the host of the main item editor: the
// editor caption, the Save/Cancel/Help bar, the status bar and the pane
// itself as the panel on which the item's editors are built. The window
// hands over the widgets; the host knows nothing else of it.
#include "editors/framework/EditorHost.h"
#include "editors/framework/ui/QtEditorPanel.h"

class QAction;
class QLabel;
class QPushButton;
class QWidget;
class TEditorStatusBar;

// The widgets of the editor pane; all must outlive the host.
struct TEditorPaneWidgets {
    QWidget* Pane = nullptr;         // the item's editors are built on it
    QLabel* Placeholder = nullptr;   // shown while the pane holds no editor
    QLabel* Caption = nullptr;
    QWidget* SaveBar = nullptr;
    QPushButton* Save = nullptr;
    QPushButton* Cancel = nullptr;
    QAction* SaveCommand = nullptr;  // the window's Save command (Ctrl+S), enabled with the button
};

class TEditorPaneHost : public TEditorHost {
public:
    // StatusBar may be null (nothing is written to a status bar); it must outlive the host.
    TEditorPaneHost(const TEditorPaneWidgets& widgets, TEditorStatusBar* statusBar);

    void SetCaption(const std::string& text) override;
    void SetSaveEnabled(bool enabled) override;
    void SetCancelEnabled(bool enabled) override;
    void SetCancelVisible(bool visible) override;
    void SetOkCaption(const std::string& text) override;
    void ShowSavePanel(bool visible) override;
    bool HasStatusPanel(int panel) const override { return panel >= 0 && panel < 4; }
    void SetStatusText(int panel, const std::string& text) override;
    void SetStatusNotice(const std::string& text, int flags) override;
    void PressOk() override;
    void PressCancel() override;
    TEditorPanel& Panel() override { return panel_; }

private:
    TEditorPaneWidgets widgets_;
    TEditorStatusBar* statusBar_;
    TQtEditorPanel panel_;
};
