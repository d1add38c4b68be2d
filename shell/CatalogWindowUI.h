#pragma once
// The open catalog in the main window: the web tree (items from the root,
// item 1) and the templates tree (item 5), each a tree manager over the
// catalog's main connection with a view in its pane of the main window.
// Selecting a node opens the item in the main item editor of the editor
// pane (after asking whether the item being edited may be left). It is also
// what the editors reach of the program (TEditorShell): actions, the main
// window's messages, help, the language combo and editor windows, and it
// tells the preview which item is edited and through which connection.
// Views are destroyed before their managers, and the panes get their
// placeholder trees back.
#include "catalog/CatalogDataUI.h"
#include "editors/framework/EditingServices.h"
#include "editors/framework/EditorShell.h"
#include "shell/EditorOpening.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;
class TCatalogData;
class TCatalogTreeHost;
class TCatalogTreeView;
class TCommonGui;
class TGUIControl;
class TTolvex;
class TTreeManager;
class TfrmMain;
class TCatalogPreviewSource;
class TEditorPaneHost;
class TTolvexItemEditor;
class TTolvexShell;
enum class TMainTree;

class TCatalogWindowUI : public TCatalogDataUI, public TEditorShell {
public:
    // All must outlive the object. GuiControl may be null (no cached icons);
    // Shell (the action processor's way in) and Preview may be null.
    TCatalogWindowUI(TTolvex& root, TCatalogData& data, TCommonGui& gui, TfrmMain& window,
                     TGUIControl* guiControl, TTolvexShell* shell = nullptr,
                     TCatalogPreviewSource* preview = nullptr);
    ~TCatalogWindowUI() override;

    void Build() override;
    void SelectWebTreeItem(int itemId) override;
    bool CanLeave(bool navigating) override;
    void Clear() override;
    bool RunEditorDialog(int itemType, std::vector<std::string>& params, TAbstractDBConnection& connection) override;

    // ---- TEditorShell -------------------------------------------------------------------
    void ExecuteAction(const std::string& action, bool check) override;
    void QueueAction(const std::string& action, bool check) override;
    void PostMessage(int message, std::int64_t wParam, std::int64_t lParam) override;
    void ShowHelpForAlias(const std::string& alias) override;
    void LanguagesReloaded() override;
    std::unique_ptr<TEditorWindow> CreateEditorWindow() override;
    bool EditValueInAllLanguages(TTolvexControlClass& context, int itemId, const std::string& classXmlTag,
                                 const std::string& memberXmlTag, std::string& value) override;
    bool FetchFromHost(const std::string& catalogCode, int itemId, int classId,
                       const std::vector<std::string>& extraLines) override;
    // Who runs FetchFromHost (the publishing commands); without one it answers false.
    using THostFetch = std::function<bool(const std::string& catalogCode, int itemId, int classId,
                                          const std::vector<std::string>& extraLines)>;
    void SetHostFetch(THostFetch fetch) { hostFetch_ = std::move(fetch); }

    // The open catalog's window side; null while no catalog is open (or it has no window).
    static TCatalogWindowUI* Of(TTolvex& root);

    // The item editor of the editor pane; null before Build.
    TTolvexItemEditor* MainEditor() { return mainEditor_.get(); }
    // Opens what the opening asks for in the editor pane, on its tab; an
    // item at its tree placement, under its parent. False when the item
    // being edited may not be left or the opening failed.
    bool OpenInMainEditor(const TEditorOpening& opening);
    // The same with the placement, the parent and the tab read from the
    // action string ("TreeItemId", "ParentItemId", "TabName").
    bool OpenInMainEditor(int itemId, int itemType, const std::string& editorName, const std::string& action);
    // Leaves the item being edited (the user may be asked to save) and
    // empties the editor pane; false when it may not be left.
    bool EmptyMainEditor();
    // Opens an item or an item type in an editor window of its own (modal,
    // a wizard when asked); true when it closed with Ok.
    bool OpenInEditorWindow(const TEditorOpening& opening);
    bool OpenInEditorWindow(int itemId, int itemType, const std::string& action, bool wizard);
    TEditingServices Services();

    TTreeManager* WebTree() { return webTree_.get(); }
    TTreeManager* TemplatesTree() { return templatesTree_.get(); }
    TCatalogTreeView* WebTreeView() { return webView_; }
    TCatalogTreeView* TemplatesTreeView() { return templatesView_; }

    // The root item of the web tree and the template tree and their options.
    static constexpr int kWebTreeRoot = 1;
    static constexpr int kTemplatesTreeRoot = 5;
    static std::uint16_t WebTreeOptions(int catalogType);
    static constexpr std::uint16_t kTemplatesTreeOptions = 0x1962;

private:
    TCatalogTreeView* MakeView(TTreeManager& manager, TMainTree tree);
    void ShowSelected(TTreeManager& manager);
    // A caption typed into a tree names the item: the item editor takes the name.
    void CaptionEdited(TTreeManager& manager, int itemId, const std::string& caption);
    void OpenNode(TTreeManager& manager);

    TTolvex& root_;
    TCatalogData& data_;
    TCommonGui& gui_;
    TfrmMain& window_;
    TGUIControl* guiControl_;
    std::unique_ptr<TCatalogTreeHost> host_;
    std::unique_ptr<TTreeManager> webTree_;
    std::unique_ptr<TTreeManager> templatesTree_;
    TCatalogTreeView* webView_ = nullptr;
    TCatalogTreeView* templatesView_ = nullptr;
    TTolvexShell* shell_;
    TCatalogPreviewSource* preview_;
    std::unique_ptr<TEditorPaneHost> paneHost_;
    std::unique_ptr<TTolvexItemEditor> mainEditor_;
    bool reselecting_ = false;
    THostFetch hostFetch_;
};
