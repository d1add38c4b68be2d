#pragma once
// The main window's editor pane as the host of the main item editor: the
// editor caption, the Save/Cancel/Help bar, the status bar and the pane
// itself as the panel on which the item's editors are built.
#include "editors/framework/EditorHost.h"
#include "editors/framework/ui/QtEditorPanel.h"

class TGUIControl;
class TfrmMain;

class TEditorPaneHost : public TEditorHost {
public:
    // Both must outlive the host; GuiControl may be null (no status bar).
    TEditorPaneHost(TfrmMain& window, TGUIControl* guiControl);

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
    TfrmMain& window_;
    TGUIControl* guiControl_;
    TQtEditorPanel panel_;
};
