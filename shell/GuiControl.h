#pragma once
// The controller of the main window: every part of the program reaches the
// window's menus, toolbars, panes and status bar through it. It turns the
// loaded catalog definition's UI elements into menu items, catalog-action
// buttons, tree buttons, "Select Tree" entries and search kinds (running
// them through the action processor), keeps the definition's images, lays
// the window out for an open or a closed catalog, keeps the view choices
// in settings 50 to 55 and fills the status bar and the language controls.
// A right click on a tree of the open catalog it tells through a signal:
// the tree pane commands show the pop-up menus.
#include "catalog/CatalogDefinitionImageCache.h"
#include "catalog/TolvexGuiControl.h"
#include "editors/framework/ui/EditorStatusBar.h"
#include "gui/TreeImages.h"

#include <QIcon>
#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QTreeWidgetItem;
class QWidget;
class TAbstractDBConnection;
class TActionProcessor;
class TCatalogUIDetail;
class TFindReplace;
class TfrmMain;
class THelpRequests;
class TItemDescription;
class TTolvex;
class TTolvexMenuItem;
class TTreeNode;
enum class TMainTree;
namespace GuiControlRules {
struct TTreeNodeFacts;
struct TWebTreeButtons;
}

class TGUIControl : public QObject,
                    public TTolvexGuiControl,
                    public TCatalogDefinitionImageCache,
                    public TEditorStatusBar,
                    public TTreeImages {
    Q_OBJECT
public:
    // Find tells whether a search text was entered before (Find Next needs one).
    TGUIControl(TTolvex& root, TfrmMain& window, TActionProcessor& processor, const TFindReplace& find);
    ~TGUIControl() override;

    // ---- TTolvexGuiControl ------------------------------------------------------------------
    void Initialize() override;
    void UpdateCatalogState(bool catalogOpen) override;
    void SetStatusText(const std::string& text, bool translate, int panel) override;
    void RemoveCatalogActions() override;
    void RemoveCatalogMenuItems() override;
    void AddMenuActions() override;
    void AddSearchItems() override;
    void AddToolbarActions() override;
    TCatalogDefinitionImageCache* GetImageCache() override { return this; }

    // Localises a window of the program (once after creating it): its texts
    // translated, the user-interface font of settings 56 and 57.
    void LocalizeControl(QWidget* control);

    // ---- the image cache ----------------------------------------------------------------------
    void ClearCachedImages() override;
    void AddCachedImage(const std::string& name, const std::string& picture, const std::string& mimeType) override;
    // Index of the image of that name (exact); -1 when there is none.
    int FindCachedImage(const std::string& name) const;
    QIcon CachedIcon(int index) const;
    int CachedImageCount() const { return static_cast<int>(images_.size()); }
    QIcon TreeImage(const std::string& name) const override { return CachedIcon(FindCachedImage(name)); }

    // ---- catalog-defined items ----------------------------------------------------------------
    void AddMenuItem(int actionId, const std::string& caption, const std::string& params,
                     const std::string& imageName, const std::string& condition, const std::string& extra);
    // Depth-first below Menu (last child first, each child before its
    // children) for a dynamic item of that name; null for an empty name.
    TTolvexMenuItem* FindMenuItemByName(const std::string& name, QMenu* menu) const;
    void AddToolbarSlot(int actionId, const std::string& caption, const std::string& imageName,
                        const std::string& params);
    void RebuildActionToolbar();
    void ResetActionButtons();
    void CheckActionButton(const std::string& actionString);
    void UncheckActionButton(const std::string& actionString);
    void ClearActionToolbars();
    // Enables the menu's "IfPossible" items by whether their add-new action is possible.
    void UpdateMenuIfPossible(QMenu* menu);
    void EnableWebTreeButtons(bool enabled);
    void EnableTemplateTreeButtons(bool enabled);
    // The web tree's buttons and custom buttons for a node (item nodes only).
    void UpdateWebTreeButtons(QTreeWidgetItem* node);
    // The templates tree's Delete and custom buttons for a node.
    void UpdateTemplateTreeButtons(QTreeWidgetItem* node);
    // The same for a node of the open catalog's trees (null: none selected).
    void UpdateWebTreeButtons(TTreeNode* node);
    void UpdateTemplateTreeButtons(TTreeNode* node);
    // What the tree-button rules need to know of an item node of the open catalog's trees.
    static GuiControlRules::TTreeNodeFacts NodeFacts(TTreeNode* node);
    // The definition's pop-up entries for a tree node of the item type (and
    // those for every type), in the definition's order, inserted before
    // Before (appended when null); each runs its action through the processor.
    void AddTreePopupItems(QMenu& menu, int itemType, QAction* before);
    void SearchKindClick(QAction* kind);
    // The checked search kind; null when none.
    QAction* CheckedSearchKind() const;

    // ---- layout and view choices ----------------------------------------------------------------
    void SetWebTreeVisible(bool visible);
    void SetTemplatesVisible(bool visible);
    void SetToolbarVisible(bool visible);
    void SetStatusBarVisible(bool visible);
    void SetAutoHide(bool on);
    void ApplyAutoHide(bool on);
    // Shows or hides the floating left pane by the cursor position (global).
    void CheckAutoHide(const QPoint& cursor);
    void CollapseTemplates(bool collapse);
    // The user moved the left pane's edge: a width above 5 pixels is kept
    // for the next start (setting 55); at 5 or less both trees are hidden
    // and the kept width is forgotten.
    void LeftPaneWidthChosen(int width);
    bool IsWebTreeVisible() const { return webTreeVisible_; }
    bool IsTemplatesVisible() const { return templatesVisible_; }
    bool IsToolbarVisible() const { return toolbarVisible_; }
    bool IsStatusBarVisible() const { return statusBarVisible_; }
    bool IsAutoHide() const { return autoHide_; }

    // ---- editor pane and captions ----------------------------------------------------------------
    void SetMainCaption(const std::string& text);
    void SetEditorCaption(const std::string& text);
    void SetTemplatesCaption(const std::string& captionFormat);
    void ShowSavePanel(bool visible);

    // ---- status bar -------------------------------------------------------------------------------
    // Notice kinds: 1 hint, 2 warning, 4 error; the highest present counts.
    void SetStatusNotice(const std::string& text, int flags) override;
    // A panel's text as the editor pane writes it (untranslated).
    void SetPanelText(int panel, const std::string& text) override { SetStatusText(text, false, panel); }
    void ShowStatusNotice();
    // The text a panel shows (tests).
    std::string StatusText(int panel) const;

    // ---- languages -----------------------------------------------------------------------------------
    void FillLanguageCombo();
    void UpdateLanguageControls();
    // One entry per catalog language; a click changes the editing language
    // (through the action processor, without asking the editor) or, with a
    // handler, goes to it with the language code. The default language's
    // entry is bold.
    void FillLanguageMenu(QMenu* menu, std::function<void(const std::string&)> handler = {});

    // ---- catalog state and built-in menus ---------------------------------------------------------------
    void UpdateMainMenu(bool open);
    void FillStylesMenu();
    void UpdateRecentCatalogs();
    void UpdateFindMenu();
    void UpdateReportMenu();
    // Help for the control that had the focus before the help button.
    void ShowContextHelp(THelpRequests& help);

    TfrmMain& Window() { return window_; }

signals:
    // A right click on a tree of the open catalog, at a global position.
    void treeMenuRequested(TMainTree tree, const QPoint& at);

private:
    struct TToolButtonAction {
        int ActionId = 0;
        int ImageIndex = -1;
        QString Caption;
    };
    struct TCachedImage {
        std::string Name;
        QIcon Icon;
    };

    std::vector<const TCatalogUIDetail*> Elements(int kind, int itemType) const;
    QMenu* TargetMenu(const std::string& menuPath) const;
    // Fills the custom buttons of a tree from the elements of kind 2 of the
    // node's type (or -1), testing conditions when asked.
    // Shows the web tree's buttons as the rules decided for the selected item node.
    void ShowWebTreeButtons(const GuiControlRules::TWebTreeButtons& buttons, const TItemDescription& node);
    void FillCustomButtons(TMainTree tree, const TItemDescription& node, bool testCondition);
    void HideCustomButtons(TMainTree tree);
    std::string OpenCatalogCode() const;
    int UserRole() const;
    void ApplyLeftPane();
    void StyleMenuItemClick(const std::string& catalogType);
    // The tree buttons follow the selection of the open catalog's tree views.
    void FollowCatalogTrees();
    void FillReportItems(TAbstractDBConnection& connection);
    void ReportMenuItemClick(const std::string& itemId);
    void DeleteReportItemClick(const std::string& caption, const std::string& itemId);
    void ActiveControlChanged(QWidget* now);
    // The language list at a click on the status bar's language panel.
    void ShowLanguageMenu(const QPoint& at);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void StoreFlag(int setting, bool& field, bool value);

    TTolvex& root_;
    TfrmMain& window_;
    TActionProcessor& processor_;
    const TFindReplace& find_;

    bool catalogOpen_ = false;
    bool webTreeVisible_ = true;
    bool templatesVisible_ = true;
    bool toolbarVisible_ = true;
    bool statusBarVisible_ = true;
    bool autoHide_ = false;
    bool autoHideApplied_ = false;
    bool templatesCollapsed_ = false;
    int statusFlags_ = 0;
    std::string statusNotice_;
    std::array<std::unique_ptr<TToolButtonAction>, 9> actionSlots_;
    std::vector<TCachedImage> images_;
    QPointer<QWidget> previousActiveControl_;
    QPointer<QWidget> activeControl_;
    bool hintShown_ = false;
};
