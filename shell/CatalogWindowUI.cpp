#include "shell/CatalogWindowUI.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogTreeHost.h"
#include "catalog/TreeManager.h"
#include "catalog/TreeNode.h"
#include "catalog/Catalog.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "catalog/ui/CatalogTreeView.h"
#include "catalog/ui/TreeModel.h"
#include "common/Translation.h"
#include "shell/GuiControl.h"
#include "shell/MainTreeView.h"
#include "shell/MainWindow.h"
#include "gui/UiText.h"
#include "catalog/TolvexHelpSystem.h"
#include "catalog/TolvexShell.h"
#include "catalog/UIManager.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/ui/EditorPaneHost.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/ui/EditorWait.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/ui/frmEditValueAllLanguages.h"
#include "editors/framework/ui/frmFrameContainer.h"
#include "generation/CatalogPreviewSource.h"
#include "common/ParamList.h"
#include "storage/NameValueLines.h"

#include <QItemSelectionModel>

TCatalogWindowUI::TCatalogWindowUI(TTolvex& root, TCatalogData& data, TCommonGui& gui, TfrmMain& window,
                                   TGUIControl* guiControl, TTolvexShell* shell, TCatalogPreviewSource* preview)
    : root_(root), data_(data), gui_(gui), window_(window), guiControl_(guiControl), shell_(shell), preview_(preview)
{
}

TCatalogWindowUI* TCatalogWindowUI::Of(TTolvex& root)
{
    TCatalogData* data = root.GetCatalogData();
    return data ? dynamic_cast<TCatalogWindowUI*>(data->GetUI()) : nullptr;
}

TEditingServices TCatalogWindowUI::Services()
{
    return {root_, gui_, *::UIManager, this, paneHost_.get()};
}

TCatalogWindowUI::~TCatalogWindowUI()
{
    Clear();
}

std::uint16_t TCatalogWindowUI::WebTreeOptions(int catalogType)
{
    // Catalogs of type 4 show the tag name of an unnamed item's global id.
    return catalogType == 4 ? 0x4128 : 0x0128;
}

void TCatalogWindowUI::Build()
{
    if (webTree_)
        return;
    TGUIControl* control = guiControl_;
    TCatalogTreeHost::TServices services{data_,
                                         root_.Catalog(),
                                         data_.GetQueries(),
                                         data_.GetCopier(),
                                         data_.GetBookkeeping(),
                                         gui_,
                                         ::Translation,
                                         &root_.GlobalDefinition(),
                                         [control](const std::string& name) {
                                             return control && control->FindCachedImage(name) >= 0;
                                         }};
    host_ = std::make_unique<TCatalogTreeHost>(services);
    TAbstractDBConnection& connection = data_.GetConnectionFactory().GetConnection();
    const std::string code = data_.GetCatalogCode();

    webTree_ = std::make_unique<TTreeManager>(*host_);
    webTree_->Attach(connection, "", code);
    webTree_->Setup(kWebTreeRoot, WebTreeOptions(data_.GetCatalogType()), 0, nullptr);
    templatesTree_ = std::make_unique<TTreeManager>(*host_);
    templatesTree_->Attach(connection, "", code);
    templatesTree_->Setup(kTemplatesTreeRoot, kTemplatesTreeOptions, 0, nullptr);

    webView_ = MakeView(*webTree_, TMainTree::Web);
    webView_->setObjectName("tvMainWebTreeView");
    templatesView_ = MakeView(*templatesTree_, TMainTree::Templates);
    templatesView_->setObjectName("tvMainTemplatesView");

    paneHost_ = std::make_unique<TEditorPaneHost>(window_.EditorPaneWidgets(), guiControl_);
    mainEditor_ = std::make_unique<TTolvexItemEditor>(Services(), &paneHost_->Panel());
    mainEditor_->SetMainEditor(true);
    mainEditor_->AddTreeManager(webTree_.get());
    mainEditor_->AddTreeManager(templatesTree_.get());
    if (preview_) {
        TTolvexItemEditor* editor = mainEditor_.get();
        preview_->SetEditorState({[editor]() -> TAbstractDBConnection* { return editor->GetConnection(); },
                                  [editor]() -> std::optional<TPreviewSource::TEditedItem> {
                                      if (!editor->Context())
                                          return std::nullopt;
                                      return TPreviewSource::TEditedItem{editor->GetLinkedItemId(),
                                                                         editor->GetTreeItemId()};
                                  }});
    }
}

TCatalogTreeView* TCatalogWindowUI::MakeView(TTreeManager& manager, TMainTree tree)
{
    TGUIControl* control = guiControl_;
    auto images = [control](const QString& name) { return control ? control->TreeImage(UiText::S(name)) : QIcon(); };
    auto* view = new TMainTreeView(manager, images, gui_, &window_);
    view->setHeaderHidden(true);
    view->setFrameShape(QFrame::NoFrame);
    window_.PlaceTreeView(tree, view);
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, view,
                     [this, &manager] { ShowSelected(manager); });
    // A click on the node selected already opens it when the pane shows
    // something else (search results, an emptied pane, another item).
    QObject::connect(view, &QAbstractItemView::clicked, view, [this, &manager](const QModelIndex& index) {
        if (TTreeModel::NodeOf(index) == manager.GetSelectedNode())
            ShowSelected(manager);
    });
    QObject::connect(&view->Model(), &TTreeModel::captionEdited, view,
                     [this, &manager](int itemId, const QString& caption) {
                         CaptionEdited(manager, itemId, UiText::S(caption));
                     });
    return view;
}

void TCatalogWindowUI::CaptionEdited(TTreeManager& manager, int itemId, const std::string& caption)
{
    if (!mainEditor_)
        return;
    for (const TTreeNode* node : manager.AllNodes()) {
        if (!node->IsItem() || node->ItemId() != itemId)
            continue;
        const int dataItemId = node->Data->GetDataItemId();
        // A caption left as the tree shows the item (its name, or the mark of
        // an item without one) tells the editor nothing.
        const std::string name = data_.GetItemName(dataItemId, manager.GetConnection(), data_.GetCurrentLangCode());
        if (caption == name || (name.empty() && caption == host_->Translate("(No name for the language)")))
            return;
        mainEditor_->NameChanged(dataItemId, caption);
        return;
    }
}

void TCatalogWindowUI::ShowSelected(TTreeManager& manager)
{
    // The selected node is opened, as OpenNode does; the node of a new item
    // (id -2, added from the Catalog menu or the tree buttons) included.
    const TTreeNode* selected = manager.GetSelectedNode();
    if (!selected || !selected->IsItem() || reselecting_ || !mainEditor_)
        return;
    // The editor waits for one of its views: the node opens once it is done.
    if (TEditorWait::Active()) {
        QObject* view = &manager == webTree_.get() ? static_cast<QObject*>(webView_) : templatesView_;
        TEditorWait::WhenOver(view, [this, &manager] { ShowSelected(manager); });
        return;
    }
    const int itemId = selected->ItemId();
    if (itemId == mainEditor_->GetTreeItemId() && mainEditor_->Context())
        return;
    if (!CanLeave(true)) {
        // The edited item stays: its node is selected again.
        reselecting_ = true;
        manager.SelectItem(mainEditor_->GetTreeItemId());
        reselecting_ = false;
        return;
    }
    OpenNode(manager);
}

void TCatalogWindowUI::OpenNode(TTreeManager& manager)
{
    TTreeNode* node = manager.GetSelectedNode();
    if (!node || !node->IsItem())
        return;
    const TItemDescription item = *node->Data;
    // The pane's label names the item while its editors are built (and
    // again when they cannot be).
    const std::string name = data_.GetItemName(item.ItemId, manager.GetConnection(), data_.GetCurrentLangCode());
    window_.SetEditorPlaceholderText(UiText::Q(name + " (" + std::to_string(item.ItemId) + ")"));
    mainEditor_->PrepareOpen(item.ParentItemId, item.LinkedItemId, "", "");
    mainEditor_->OpenItem(item.ItemId, item.ItemId, item.ItemType, nullptr, 0);
}

// The item id of an action that adds a new item in the main editor.
constexpr int kNewItemInMainEditor = -2;

bool TCatalogWindowUI::OpenInMainEditor(int itemId, int itemType, const std::string& editorName,
                                        const std::string& action)
{
    // The keys as they stand: the action's other values are the editors' to read (and to report).
    const std::vector<std::string> keys = editor_params::Split(action);
    TEditorOpening opening;
    opening.ItemId = itemId;
    opening.TreeItemId = std::atoi(ValueOfName(keys, "TreeItemId").c_str());
    opening.ItemType = itemType;
    opening.ParentItemId = std::atoi(ValueOfName(keys, "ParentItemId").c_str());
    opening.TabName = ValueOfName(keys, "TabName");
    opening.EditorName = editorName;
    opening.Action = action;
    return OpenInMainEditor(opening);
}

bool TCatalogWindowUI::OpenInMainEditor(const TEditorOpening& opening)
{
    if (!mainEditor_ || !CanLeave(true))
        return false;
    const std::string& tab = opening.TabName;
    const auto open = [&] {
        if (!opening.EditorName.empty()) {
            mainEditor_->PrepareOpen(0, 0, opening.Action, tab);
            return mainEditor_->OpenItemWithEditor(-1, -1, -1, opening.EditorName, "", nullptr);
        }
        if (opening.ItemId == kNewItemInMainEditor) {
            // A new item of the type under the parent asked for: lists that add in the main editor.
            mainEditor_->PrepareOpen(opening.ParentItemId, 0, opening.Action, tab);
            return mainEditor_->OpenItem(kNewItemInMainEditor, kNewItemInMainEditor, opening.ItemType, nullptr, 0);
        }
        if (opening.ItemId > 0) {
            // The item at the placement asked for (its own row when none is), under that placement's parent.
            TAbstractDBConnection& main = data_.GetConnectionFactory().GetConnection();
            const int treeItemId = opening.TreeItemId > 0 ? opening.TreeItemId : opening.ItemId;
            const TItemDescription place = data_.GetItemDescription(treeItemId, data_.GetCatalogCode(), main);
            int itemType = opening.ItemType;
            if (itemType == 0)
                itemType = place.ItemType != 0 ? place.ItemType
                                               : data_.GetQueries().GetItemType(opening.ItemId, data_.GetCatalogCode(), main);
            const int linked = treeItemId != opening.ItemId ? opening.ItemId : place.LinkedItemId;
            mainEditor_->PrepareOpen(opening.ParentItemId != 0 ? opening.ParentItemId : place.ParentItemId, linked,
                                     opening.Action, tab);
            return mainEditor_->OpenItem(opening.ItemId, treeItemId, itemType, nullptr, 0);
        }
        mainEditor_->PrepareOpen(opening.ParentItemId, 0, opening.Action, tab);
        return mainEditor_->OpenItem(-1, -1, opening.ItemType, nullptr, 0);
    };
    const bool opened = open();
    // The tab asked for shows also when the item was open already.
    if (opened && !tab.empty() && mainEditor_->Container())
        mainEditor_->Container()->ActivateTabByName(tab);
    return opened;
}

bool TCatalogWindowUI::EmptyMainEditor()
{
    if (!mainEditor_ || !CanLeave(true))
        return false;
    mainEditor_->Close();
    // Nothing is selected while nothing is edited.
    for (TTreeManager* tree : {webTree_.get(), templatesTree_.get()})
        if (tree)
            tree->SetSelected(nullptr);
    window_.SetEditorCaption(QString());
    window_.ShowSaveBar(false);
    window_.SetEditorPlaceholderText(UiText::Tr("Select a page in the web tree to edit it."));
    return true;
}

bool TCatalogWindowUI::OpenInEditorWindow(int itemId, int itemType, const std::string& action, bool wizard)
{
    TEditorOpening opening;
    opening.ItemId = itemId;
    opening.ItemType = itemType;
    opening.Action = action;
    opening.Wizard = wizard;
    return OpenInEditorWindow(opening);
}

bool TCatalogWindowUI::OpenInEditorWindow(const TEditorOpening& opening)
{
    TTolvexItemEditor editor(Services(), nullptr);
    editor.SetWizardMode(opening.Wizard);
    int itemId = -1;
    int treeItemId = -1;
    int type = opening.ItemType;
    if (opening.ItemId > 0) {
        TAbstractDBConnection& main = data_.GetConnectionFactory().GetConnection();
        itemId = opening.ItemId;
        treeItemId = opening.TreeItemId > 0 ? opening.TreeItemId : opening.ItemId;
        const TItemDescription place = data_.GetItemDescription(treeItemId, data_.GetCatalogCode(), main);
        const int linked = treeItemId != itemId ? itemId : place.LinkedItemId;
        editor.PrepareOpen(place.ParentItemId, linked, opening.Action, opening.TabName);
        if (type == 0)
            type = place.ItemType != 0 ? place.ItemType : data_.GetQueries().GetItemType(itemId, data_.GetCatalogCode(), main);
    } else {
        editor.PrepareOpen(0, 0, opening.Action, opening.TabName);
    }
    const bool ok = editor.OpenItem(itemId, treeItemId, type, nullptr, 0);
    if (mainEditor_ && ok)
        mainEditor_->ReloadEditors();
    return ok;
}

bool TCatalogWindowUI::RunEditorDialog(int itemType, std::vector<std::string>& params,
                                       TAbstractDBConnection& connection)
{
    TTolvexItemEditor editor(Services(), nullptr);
    editor.SetConnection(&connection);
    editor.PrepareOpen(0, 0, "", "");
    return editor.OpenItem(-1, -1, itemType, &params, 0);
}

bool TCatalogWindowUI::FetchFromHost(const std::string& catalogCode, int itemId, int classId,
                                     const std::vector<std::string>& extraLines)
{
    return hostFetch_ && hostFetch_(catalogCode, itemId, classId, extraLines);
}

void TCatalogWindowUI::ExecuteAction(const std::string& action, bool check)
{
    if (shell_)
        shell_->ExecuteAction(action, check);
}

void TCatalogWindowUI::QueueAction(const std::string& action, bool check)
{
    if (shell_)
        shell_->QueueAction(action, check);
}

void TCatalogWindowUI::PostMessage(int message, std::int64_t wParam, std::int64_t lParam)
{
    window_.PostMessage(message, wParam, lParam);
}

void TCatalogWindowUI::ShowHelpForAlias(const std::string& alias)
{
    if (TTolvexHelpSystem* help = root_.HelpSystem())
        help->ShowHelpForAliases({alias});
}

void TCatalogWindowUI::LanguagesReloaded()
{
    if (guiControl_)
        guiControl_->FillLanguageCombo();
}

std::unique_ptr<TEditorWindow> TCatalogWindowUI::CreateEditorWindow()
{
    return std::make_unique<TfrmFrameContainer>(root_, &window_);
}

bool TCatalogWindowUI::EditValueInAllLanguages(TTolvexControlClass& context, int itemId,
                                               const std::string& classXmlTag, const std::string& memberXmlTag,
                                               std::string& value)
{
    return TfrmEditValueAllLanguages::Edit(context, &window_, itemId, classXmlTag, memberXmlTag, value);
}

void TCatalogWindowUI::SelectWebTreeItem(int itemId)
{
    if (webTree_)
        webTree_->SelectItem(itemId);
}

bool TCatalogWindowUI::CanLeave(bool navigating)
{
    return !mainEditor_ || mainEditor_->CloseQuery(navigating) == 1;
}

void TCatalogWindowUI::Clear()
{
    // The editors go before the trees and the connection they read.
    if (preview_)
        preview_->SetEditorState({});
    mainEditor_.reset();
    paneHost_.reset();
    // Views first: they follow their managers until they are gone.
    if (webView_)
        delete window_.TakeTreeView(TMainTree::Web);
    if (templatesView_)
        delete window_.TakeTreeView(TMainTree::Templates);
    webView_ = templatesView_ = nullptr;
    webTree_.reset();
    templatesTree_.reset();
    host_.reset();
    window_.SetEditorPlaceholderText(UiText::Q(::Translation ? ::Translation->Translate(
                                                                   "Select a page in the web tree to edit it.")
                                                             : "Select a page in the web tree to edit it."));
}
