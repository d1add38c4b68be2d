#pragma once
// The program's main window: the menus, the four toolbars, the left pane
// with the web tree and the templates tree, the editor pane with its save
// bar, and the status bar with four panels. It owns no logic: commands,
// private messages and the close request go to its handler; the GUI
// controller lays it out and fills it.
#include "gui/MainWindowMessages.h"

#include <QMainWindow>

#include <array>
#include <map>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QWidget;
class TMainWindowHandler;
class TTolvexEditRedo;
class TTolvexEditUndo;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);

    void SetHandler(TMainWindowHandler* handler) { handler_ = handler; }

    // Posts a private message to the window (runs after the current event).
    void PostMessage(int message, std::int64_t wParam, std::int64_t lParam);
    // Runs a private message at once (the one message that is sent).
    void SendMessage(int message, std::int64_t wParam, std::int64_t lParam);

    // A built-in action by its object name; null when there is none.
    QAction* Action(const std::string& name) const;

    // ---- menus -----------------------------------------------------------------
    QMenu* miMainFile = nullptr;
    QMenu* miMainEdit = nullptr;
    QMenu* miMainView = nullptr;
    QMenu* miMainCatalog = nullptr;
    QMenu* miMainPublish = nullptr;
    QMenu* miMainReport = nullptr;
    QMenu* miMainHelp = nullptr;
    QMenu* miFileStyles = nullptr;
    QMenu* miFileImport = nullptr;
    QMenu* miFileExport = nullptr;
    QMenu* miFileDatabaseUtilities = nullptr;
    QMenu* miFileOpenCatalog = nullptr;
    std::array<QAction*, 5> miFileLastUsed{};
    QAction* miFileLastUsedSeparator = nullptr;
    TTolvexEditUndo* actMainEditUndo = nullptr;
    TTolvexEditRedo* actMainEditRedo = nullptr;

    // ---- toolbars ----------------------------------------------------------------
    QToolBar* tbtMainDefault = nullptr;
    QToolBar* tbtMainCustom = nullptr;
    QToolBar* tbtMainLanguage = nullptr;
    QToolBar* tbtMainSearch = nullptr;
    std::array<QAction*, 9> tbiMainCustom{};
    QComboBox* cbtbMainSelectLanguage = nullptr;
    QComboBox* cbMainSearch = nullptr;
    QToolButton* tbsiMainSearch = nullptr;
    QMenu* tbsiMainSearchMenu = nullptr;

    // ---- panes ---------------------------------------------------------------------
    QSplitter* pnlMain = nullptr;           // left pane | editor pane
    QWidget* pnlMainLeft = nullptr;
    QSplitter* splMainLeftWebTree = nullptr;  // web tree over templates
    QWidget* pnlMainLeftWebTree = nullptr;
    QWidget* pnlMainLeftTemplates = nullptr;
    QWidget* pnlMainLeftTemplatesClient = nullptr;
    QLabel* pnlMainLeftTemplatesCaption = nullptr;
    QToolBar* tbtbarMainWebTreeMain = nullptr;
    QToolBar* tbtbarMainWebTreeCustom = nullptr;
    QToolBar* tbtbarMainTreeTemplateMain = nullptr;
    QToolBar* tbtbarMainTemplateCustom = nullptr;
    std::array<QAction*, 12> tbtnTreeCustom{};
    std::array<QAction*, 12> tbtnTemplatesCustom{};
    QMenu* tbsmMainTemplateSelectTree = nullptr;
    QAction* tbsmMainTemplateSelectTreeAction = nullptr;
    QTreeWidget* tvMainWebTree = nullptr;
    QTreeWidget* tvMainTemplates = nullptr;
    QWidget* pnlMainClient = nullptr;
    QLabel* pnlMainClientCaption = nullptr;
    QToolButton* sbtnMainClientShowWebTree = nullptr;
    QWidget* pnlMainEditor = nullptr;
    QLabel* lblMainEditorEmpty = nullptr;
    QWidget* pnlMainClientSave = nullptr;
    QPushButton* btnMainEditorSave = nullptr;
    QPushButton* btnMainEditorCancel = nullptr;
    QPushButton* btnMainEditorHelp = nullptr;
    QWidget* pnlMainWelcome = nullptr;  // shown while no catalog is open

    // ---- status bar ---------------------------------------------------------------------
    std::array<QLabel*, 4> sbarMainPanels{};

protected:
    bool event(QEvent* event) override;
    // The window previews the key presses of its controls (the shared form keys).
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QAction* AddAction(QMenu* menu, const char* name, const char* caption, const QKeySequence& keys = {},
                       const QIcon& icon = {});
    void BuildMenus();
    void BuildToolbars();
    void BuildPanes();
    void BuildStatusBar();
    QWidget* BuildTreePanel(const char* name, const char* caption, QLabel*& captionLabel, QToolBar*& mainBar,
                            QToolBar*& customBar, std::array<QAction*, 12>& customButtons, const char* customName,
                            QTreeWidget*& tree);
    void ResizeStatusPanels();

    TMainWindowHandler* handler_ = nullptr;
    std::map<std::string, QAction*> actions_;
};
