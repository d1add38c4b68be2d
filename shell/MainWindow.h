#pragma once
// The program's main window: the menus, the four toolbars, the left pane
// with the web tree and the templates tree, the editor pane with its save
// bar, and the status bar with four panels. It owns no logic: its commands
// are QActions (Actions()) that the command classes connect, its private
// messages and the close request go to its handler, and what the user does
// with its other controls it tells through signals. The GUI controller lays
// it out and fills it through the operations and accessors below.
#include "gui/MainWindowMessages.h"
#include "shell/MainWindowActions.h"

#include <QMainWindow>

#include <array>

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
struct TEditorPaneWidgets;

// The menus of the window that are filled at run time or enabled as a whole.
enum class TMainMenu {
    File,
    Edit,
    View,
    Catalog,
    Publish,
    Report,
    Help,
    OpenCatalog,
    Styles,
    Import,
    Export,
    DatabaseUtilities,
    SearchKinds,  // the search button's drop-down
    SelectTree,   // the templates tree's "Select Tree" drop-down
};

enum class TMainToolbar {
    Actions,
    CatalogActions,
    Languages,
    Search,
    WebTree,
    WebTreeCustom,
    Templates,
    TemplatesCustom,
};

// The two trees of the left pane.
enum class TMainTree { Web, Templates };

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kStatusPanels = 4;
    static constexpr int kCatalogActionButtons = 9;
    static constexpr int kCustomTreeButtons = 12;

    explicit TfrmMain(QWidget* parent = nullptr);

    void SetHandler(TMainWindowHandler* handler) { handler_ = handler; }

    // Posts a private message to the window (runs after the current event).
    void PostMessage(int message, std::int64_t wParam, std::int64_t lParam);
    // Runs a private message at once (the one message that is sent).
    void SendMessage(int message, std::int64_t wParam, std::int64_t lParam);

    const TMainWindowActions& Actions() const { return actions_; }
    QMenu* Menu(TMainMenu menu) const;
    QToolBar* Toolbar(TMainToolbar toolbar) const;
    // The buttons of the "Catalog Actions" toolbar and the custom buttons of a tree, hidden while unused.
    const std::array<QAction*, kCatalogActionButtons>& CatalogActionButtons() const { return catalogActions_; }
    const std::array<QAction*, kCustomTreeButtons>& CustomTreeButtons(TMainTree tree) const;
    QComboBox* LanguageCombo() const { return languageCombo_; }
    QComboBox* SearchBox() const { return searchBox_; }
    QLabel* StatusPanel(int panel) const { return statusPanels_.at(panel); }

    // ---- the client area -----------------------------------------------------------------------
    // The panes of an open catalog, or the welcome page while none is open.
    void ShowCatalogPage(bool open);
    // The editor pane: the item's editors and the search results are built on it.
    QWidget* EditorPane() const { return editorPane_; }
    TEditorPaneWidgets EditorPaneWidgets() const;
    // Shows a widget of the program's own in the editor pane (the search
    // results); the pane's text comes back when the widget is gone.
    void PlaceInEditorPane(QWidget* widget);
    // The text the editor pane shows while it holds no editor.
    void SetEditorPlaceholderText(const QString& text);
    void SetEditorCaption(const QString& text);
    void SetTemplatesCaption(const QString& text);
    void ShowSaveBar(bool visible);

    // ---- the left pane -------------------------------------------------------------------------
    // Which tree panels show (the "Show Web Tree" button while the web tree does not);
    // two panels get a share of the height again when one of them had none.
    void ShowTreePanels(bool webTree, bool templates);
    // Shows the left pane; when it was hidden, it gets that width back.
    void ShowLeftPane(int widthWhenHidden);
    void SetLeftPaneVisible(bool visible);
    // Gives the left pane that width (when it shows beside the editor pane).
    void SetLeftPaneWidth(int width);
    // The floating left pane (auto hide) by the cursor (global): hidden once
    // the cursor leaves it, shown when it comes to the window's left edge.
    void AutoHideLeftPane(const QPoint& cursor);
    // The templates tree and its toolbar below the caption bar.
    void SetTemplatesTreeShown(bool shown);
    void SetSelectTreeShown(bool shown);
    // Whether the widget is inside one of the tree panels.
    bool IsInTreePanels(const QWidget* widget) const;
    // Whether the tree that a panel shows has a current node.
    bool TreeHasCurrent(TMainTree tree) const;
    // Puts the open catalog's view of a tree in place of the panel's
    // placeholder tree (hidden when the panel's tree area is collapsed);
    // TakeTreeView puts the placeholder back and returns the view, which the
    // caller deletes (null when there was none).
    void PlaceTreeView(TMainTree tree, QWidget* view);
    QWidget* TakeTreeView(TMainTree tree);

signals:
    // Ctrl+F in any control of the window: the find dialog, whatever the Find command's state.
    void findRequested();
    // The user chose a language in the language combo (not the program).
    void languageChosen(const QString& langCode);
    // A click on the status bar's language panel, at a global position.
    void languagePanelClicked(const QPoint& at);
    // The user moved the splitter right of the left pane: the pane's new width.
    void leftPaneWidthChosen(int width);

protected:
    bool event(QEvent* event) override;
    // The window previews the key presses of its controls (the shared form keys).
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TTreePanel {
        QWidget* Panel = nullptr;
        QLabel* Caption = nullptr;
        QToolBar* MainBar = nullptr;
        QToolBar* CustomBar = nullptr;  // a TFittingToolBar
        std::array<QAction*, kCustomTreeButtons> CustomButtons{};
        QTreeWidget* Placeholder = nullptr;
        QWidget* View = nullptr;  // the open catalog's view, placed instead of the placeholder
    };

    QAction* AddAction(QMenu* menu, const char* name, const char* caption, const QKeySequence& keys = {},
                       const QIcon& icon = {});
    void BuildMenus();
    void BuildToolbars();
    void BuildPanes();
    void BuildStatusBar();
    void BuildTreePanel(TTreePanel& tree, const char* name, const char* caption, const char* customName);
    TTreePanel& Tree(TMainTree tree) { return tree == TMainTree::Web ? webTree_ : templates_; }
    const TTreePanel& Tree(TMainTree tree) const { return tree == TMainTree::Web ? webTree_ : templates_; }
    void ResizeStatusPanels();

    TMainWindowHandler* handler_ = nullptr;
    TMainWindowActions actions_;

    // ---- menus ---------------------------------------------------------------------------------
    QMenu* miMainFile_ = nullptr;
    QMenu* miMainEdit_ = nullptr;
    QMenu* miMainView_ = nullptr;
    QMenu* miMainCatalog_ = nullptr;
    QMenu* miMainPublish_ = nullptr;
    QMenu* miMainReport_ = nullptr;
    QMenu* miMainHelp_ = nullptr;
    QMenu* miFileOpenCatalog_ = nullptr;
    QMenu* miFileStyles_ = nullptr;
    QMenu* miFileImport_ = nullptr;
    QMenu* miFileExport_ = nullptr;
    QMenu* miFileDatabaseUtilities_ = nullptr;

    // ---- toolbars ------------------------------------------------------------------------------
    QToolBar* tbtMainDefault_ = nullptr;
    QToolBar* tbtMainCustom_ = nullptr;
    QToolBar* tbtMainLanguage_ = nullptr;
    QToolBar* tbtMainSearch_ = nullptr;
    std::array<QAction*, kCatalogActionButtons> catalogActions_{};
    QComboBox* languageCombo_ = nullptr;
    QComboBox* searchBox_ = nullptr;
    QToolButton* searchButton_ = nullptr;
    QMenu* searchKinds_ = nullptr;

    // ---- panes ---------------------------------------------------------------------------------
    QWidget* welcome_ = nullptr;            // shown while no catalog is open
    QSplitter* pnlMain_ = nullptr;          // left pane | editor pane
    QWidget* pnlMainLeft_ = nullptr;
    QSplitter* splMainLeftWebTree_ = nullptr;  // web tree over templates
    TTreePanel webTree_;
    TTreePanel templates_;
    QMenu* selectTree_ = nullptr;
    QAction* selectTreeButton_ = nullptr;
    QLabel* editorCaption_ = nullptr;
    QToolButton* showWebTreeButton_ = nullptr;
    QWidget* editorPane_ = nullptr;
    QLabel* editorPlaceholder_ = nullptr;
    QWidget* saveBar_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;

    // ---- status bar ------------------------------------------------------------------------------
    std::array<QLabel*, kStatusPanels> statusPanels_{};
};
