#pragma once
// The modal editor window of an item whose editor has no place in the main
// window: separate editor windows, dialogs (table, picture, link pickers)
// and wizards. It hosts the same container and UI editors as the editor
// pane on its panel pnlContainer, with Ok, Cancel and Help buttons and a
// status bar whose fourth panel shows the editing language: a click there
// offers the catalog's languages, and the one chosen is the language of
// this window alone. In wizard mode the tabs are hidden and walked with
// "< Prev" and "Next >"; "Finish" saves, the second "Cancel" cancels.
// Closing by the title bar cancels.
#include "editors/framework/EditorHost.h"
#include "editors/framework/ui/QtEditorPanel.h"

#include <QDialog>

#include <array>
#include <memory>

class QLabel;
class QPushButton;
class QStatusBar;
class TEditorTabWidget;
class TTolvex;

class TfrmFrameContainer : public QDialog, public TEditorWindow {
    Q_OBJECT
public:
    TfrmFrameContainer(TTolvex& root, QWidget* owner);
    ~TfrmFrameContainer() override;

    // ---- TEditorWindow ------------------------------------------------------------
    void Bind(TTolvexControlClass& context) override;
    void SetCaption(const std::string& text) override;
    void SetSaveEnabled(bool enabled) override;
    void SetCancelEnabled(bool enabled) override;
    void SetCancelVisible(bool visible) override;
    void SetOkCaption(const std::string& text) override;
    void ShowSavePanel(bool) override {}
    bool HasStatusPanel(int panel) const override { return panel >= 0 && panel < 4; }
    void SetStatusText(int panel, const std::string& text) override;
    void SetStatusNotice(const std::string& text, int flags) override;
    void PressOk() override;
    void PressCancel() override;
    TEditorPanel& Panel() override { return *panel_; }
    void SetWizardMode(bool wizard) override;
    int ShowModal(int width, int height, const std::function<bool()>& accept) override;
    void LanguageChanged() override;

    void PrevPage();
    void NextPage();
    void UpdateWizardButtons();
    // Pops up the catalog's languages at Position (nothing with fewer than two).
    void ShowLanguageMenu(const QPoint& position);

    QWidget* pnlContainer = nullptr;
    QPushButton* btnContainerOk = nullptr;
    QPushButton* btnContainerCancel = nullptr;
    QPushButton* btnContainerFinish = nullptr;
    QPushButton* btnContainerDoCancel = nullptr;
    QPushButton* btnContainerHelp = nullptr;
    QStatusBar* sbarContainer = nullptr;
    std::array<QLabel*, 4> sbarPanels{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TEditorTabWidget* Tabs() const;
    void Accept();

    TTolvex& root_;
    TTolvexControlClass* context_ = nullptr;
    std::unique_ptr<TQtEditorPanel> panel_;
    bool wizard_ = false;
    std::function<bool()> accept_;
};
