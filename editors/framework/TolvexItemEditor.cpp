#include "editors/framework/TolvexItemEditor.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Tolvex.h"
#include "catalog/TreeManager.h"
#include "catalog/TreeNode.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "editors/framework/TolvexUIEditor.h"
#include "common/CommonGui.h"
#include "editors/framework/EditorHost.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/EditorShell.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemManager.h"
#include "gui/MainWindowMessages.h"
#include "storage/AbstractCatalog.h"
#include "storage/GlobalDefinition.h"
#include "storage/AbstractDBConnectionFactory.h"

namespace {

constexpr int kNewItemId = -2;
constexpr int kHomePageItemType = 2004;

}  // namespace

TTolvexItemEditor::TTolvexItemEditor(const TEditingServices& services, TEditorPanel* hostPanel)
    : services_(services), hostPanel_(hostPanel)
{
}

TTolvexItemEditor::~TTolvexItemEditor()
{
    FreeOpening();
}

void TTolvexItemEditor::FreeOpening()
{
    // The container (with its editors and frames) goes before the context
    // its frames talk to.
    container_.reset();
    context_.reset();
}

int TTolvexItemEditor::CloseQuery(bool navigate)
{
    if (!context_ || !context_->IsModified())
        return 1;
    switch (services_.Gui.AskYesNoCancel("Changed data wasn\\`t saved. Save it now?", "", true, "")) {
    case mrYes:
        return Save() ? 1 : 0;
    case mrNo:
        Cancel(navigate);
        return 1;
    default:
        return 0;
    }
}

bool TTolvexItemEditor::Save()
{
    bool saved = false;
    if (parentContext_ || !context_) {
        saved = container_ && container_->Save();
        if (saved)
            container_->AfterSave();
    } else {
        saved = context_->SaveChanges();
        if (saved) {
            context_->SetModified(false);
            context_->NotifySaved();
        }
    }
    const int renamed = std::atoi(ValueOfName(ownParams_, "NameChangedItemId").c_str());
    if (renamed != 0)
        RenameTreeNodes(renamed, ValueOfName(ownParams_, "NameChanged"));
    RefreshTreeNodes();
    return saved;
}

void TTolvexItemEditor::Cancel(bool cancelEditors)
{
    if (context_) {
        context_->CancelChanges();
        context_->SetModified(false);
    }
    if (cancelEditors && container_)
        container_->Cancel();
    if (newItemCreated_ && services_.Shell) {
        newItemCreated_ = false;
        if (previousItemId_ == 0 || (previousItemId_ == -1 && previousItemType_ != 0 && main_))
            services_.Shell->QueueAction("Action=MainPageEditor&ItemType=" + std::to_string(previousItemType_),
                                         false);
        else
            services_.Shell->PostMessage(WM_EDIT_ITEM, previousItemId_, previousItemId_);
    }
    RefreshTreeNodes();
}

void TTolvexItemEditor::Close()
{
    FreeOpening();
    currentItemId_ = 0;
    currentItemType_ = 0;
    treeItemId_ = 0;
    linkedItemId_ = 0;
    parentItemId_ = 0;
    newItemCreated_ = false;
}

void TTolvexItemEditor::RefreshEditors()
{
    if (container_)
        container_->RefreshEditors();
}

std::string TTolvexItemEditor::GetTabName()
{
    if (container_) {
        std::string name = container_->GetActiveTabName();
        if (!name.empty())
            return name;
    }
    return tabName_;
}

void TTolvexItemEditor::PrepareOpen(int parentItemId, int linkedItemId, const std::string& actionString,
                                    const std::string& tabName)
{
    actionString_ = actionString;
    if (context_)
        context_->SetActionString(actionString);
    parentItemId_ = parentItemId;
    linkedItemId_ = linkedItemId;
    if (!tabName.empty()) {
        tabName_ = tabName;
        tabNameSet_ = true;
    }
}

bool TTolvexItemEditor::OpenItemWithEditor(int itemId, int treeItemId, int itemType, const std::string& editorType,
                                           const std::string& editorCondition, std::vector<std::string>* params,
                                           const std::string& editorParams)
{
    editorSpec_ = editorType + "=" + editorCondition;
    editorParams_ = editorParams;
    return OpenItem(itemId, treeItemId, itemType, params, 0);
}

bool TTolvexItemEditor::CreateNewItem(int itemType, int& itemId)
{
    TCatalogData* data = context_->Data();
    if (!data)
        return false;
    TCatalog& catalog = services_.Root.Catalog();
    const std::string code = data->GetCatalogCode();
    int linkedId = linkedItemId_;
    std::int64_t orderNum = 0;
    int newId = 0;
    context_->CommitNow([&](TAbstractDBConnection& connection) {
        if (linkedId == kNewItemId) {
            int parent = catalog.GetDefinition().GetItemTypeParentId(itemType);
            if (parent != 0) {
                const std::string name =
                    data->GetItemName(parentItemId_, connection, context_->GetCurrentLangCode());
                if (!name.empty())
                    if (int folder = data->GetFolders().FindOrCreateFolder(parent, name, false, connection,
                                                                          context_->GetCurrentLangCode()))
                        parent = folder;
                linkedId = catalog.CreateItem(itemType, parent, 0, "", connection, 0);
            } else {
                linkedId = 0;
            }
        }
        newId = catalog.CreateItem(itemType, parentItemId_, linkedId, code, connection, 0, &orderNum);
    });
    if (newId == 0)
        return false;
    if (linkedId == 0 || linkedId == kNewItemId)
        linkedId = newId;
    // Cancel deletes the new rows again.
    const int dataId = linkedId;
    context_->AddUndoAction([&catalog, code, newId, dataId](TAbstractDBConnection& connection) {
        catalog.DeleteItem(newId, code, connection, false, false, TDeleteChildren::Cascade);
        if (dataId != newId)
            catalog.DeleteItem(dataId, code, connection, false, false, TDeleteChildren::Cascade);
    });
    treeItemId_ = newId;
    itemId = linkedId;
    linkedItemId_ = linkedId;
    ReplaceNewTreeNode(newId, itemType, static_cast<int>(orderNum), linkedId);
    newItemCreated_ = true;
    context_->MarkNewItem();
    return true;
}

bool TTolvexItemEditor::OpenItem(int itemId, int treeItemId, int itemType, std::vector<std::string>* params,
                                 int editorKind)
{
    if (context_ && itemId == currentItemId_ && itemType == currentItemType_)
        return true;
    treeItemId_ = treeItemId;
    newItemCreated_ = false;
    if (!tabNameSet_ && container_)
        tabName_ = container_->GetActiveTabName();
    tabNameSet_ = false;
    FreeOpening();
    context_ = std::make_unique<TTolvexControlClass>(services_);
    context_->Initialize(parentContext_ ? &parentContext_->GetConnection() : connection_);
    context_->SetItemEditor(this);

    if (itemId == kNewItemId && !CreateNewItem(itemType, itemId))
        return false;
    if (TCatalogData* data = context_->Data(); data && treeItemId_ > 0) {
        const TItemDescription row =
            data->GetItemDescription(treeItemId_, data->GetCatalogCode(), context_->GetConnection());
        if (parentItemId_ == 0)
            parentItemId_ = row.ParentItemId;
        if (linkedItemId_ == 0 || linkedItemId_ == kNewItemId)
            linkedItemId_ = row.LinkedItemId;
    }
    const int dataItemId = itemId > 0 && linkedItemId_ > 0 ? linkedItemId_ : itemId;
    context_->SetTreeItemId(treeItemId_);
    context_->SetItemId(dataItemId);
    context_->SetItemType(itemType);
    context_->SetParentItemId(parentItemId_);
    context_->SetActionString(actionString_);

    std::vector<std::string>& list = params ? *params : ownParams_;
    if (!params)
        ownParams_.clear();
    if (!actionString_.empty())
        editor_params::SetValue(list, "ActionString", actionString_);
    context_->SetParams(&list);

    if (editorSpec_.empty() && actionString_.find("EditorType=") != std::string::npos) {
        const std::vector<std::string> fields = editor_params::Split(actionString_);
        editorSpec_ = ValueOfName(fields, "EditorType") + "=" + ValueOfName(fields, "EditorCondition");
    }

    TEditorPanel* panel = hostPanel_;
    if (!panel) {
        if (parentContext_ && parentContext_->GetContainerForm())
            context_->SetContainerForm(parentContext_->GetContainerForm());
        panel = parentContext_ && parentContext_->GetContainerForm() ? &parentContext_->GetContainerForm()->Panel()
                                                                      : &context_->CreateContainerForm();
        if (context_->GetContainerForm() && context_->OwnsContainerForm())
            context_->GetContainerForm()->SetWizardMode(wizard_);
    }
    if (parentContext_) {
        context_->SetParentContext(parentContext_);
        context_->SetContainerForm(parentContext_->GetContainerForm());
    } else {
        context_->SetModified(newItemCreated_);
    }

    container_ = std::make_unique<TItemEditorContainer>();
    container_->Initialize(itemId, treeItemId_, tabName_, this, *context_, *panel, editorKind, parentItemId_,
                           linkedItemId_, itemType);
    container_->SetSingleEditor(editorSpec_, editorParams_);
    editorSpec_.clear();
    editorParams_.clear();
    context_->AddEditorContainer(container_.get());
    DeselectOtherNodes(dataItemId);

    if (!parentContext_ && main_ && context_->Data()) {
        std::string messages;
        const int flags = newItemCreated_ ? 0 : ValidateItem(itemType, messages);
        context_->SetUserPriority(flags);
        if (services_.MainHost)
            services_.MainHost->SetStatusNotice(messages, flags);
    }
    const bool shown = container_->Show(context_->IsNewItem());
    if (!shown) {
        // Nothing of the failed opening stays; the editor is empty.
        FreeOpening();
        currentItemId_ = 0;
        currentItemType_ = 0;
        return false;
    }
    if (context_->OwnsContainerForm() && OnlyPlaceholders()) {
        // A window of pages that only say their editor is missing helps
        // nobody: the user is told instead, and nothing of the opening stays.
        context_->CancelChanges();
        FreeOpening();
        services_.Gui.ShowInformation(
            TTranslation::OrEnglish(::Translation).Format("$1 is not available yet.", {"The editor window"}), false,
            "");
        return false;
    }
    const bool result = context_->ShowModal() == 1;
    if (!result)
        return false;
    previousItemId_ = currentItemId_;
    previousItemType_ = currentItemType_;
    currentItemId_ = itemId;
    currentItemType_ = itemType;
    LocateInTree(treeItemId_);
    if (!newItemCreated_ && main_ && services_.Shell)
        services_.Shell->PostMessage(WM_FOCUS_EDITOR, 0, 0);
    return true;
}

bool TTolvexItemEditor::OnlyPlaceholders() const
{
    for (const auto& editor : container_->Editors())
        if (!editor->IsPlaceholder())
            return false;
    return true;
}

int TTolvexItemEditor::ValidateItem(int itemType, std::string& messages)
{
    int flags = TTolvexItemManager::ForItemType(services_, itemType).ValidateItem(*context_, messages);
    if (context_->GetTreeItemId() == services_.Root.GetHomePageId()) {
        std::string more;
        flags |= TTolvexItemManager::ForItemType(services_, kHomePageItemType).ValidateItem(*context_, more);
        if (!more.empty())
            messages = messages.empty() ? more : messages + "\r\n" + more;
    }
    return flags;
}

void TTolvexItemEditor::NameChanged(int itemId, const std::string& newName)
{
    if (container_)
        container_->NameChanged(itemId, newName);
}

void TTolvexItemEditor::ClearEditors()
{
    if (container_)
        container_->ClearEditors();
}

TAbstractDBConnection* TTolvexItemEditor::GetConnection()
{
    return context_ ? &context_->GetConnection() : nullptr;
}

std::string TTolvexItemEditor::GetHelpKeyword(int level)
{
    std::string keyword = container_ ? container_->GetHelpKeyword(level + 1) : std::string();
    if (keyword.empty())
        keyword = tabName_;
    if (context_ && level == 0 && !keyword.empty())
        keyword = services_.Root.GlobalDefinition().GetItemTypeName(context_->GetItemType()) + "." + keyword;
    return keyword;
}

void TTolvexItemEditor::FlushChanges()
{
    if (container_)
        container_->StoreControls();
}

void TTolvexItemEditor::ReloadEditors()
{
    if (container_)
        container_->ReloadEditors();
}

void TTolvexItemEditor::NotifyDataChanged(int id, int kind)
{
    if (container_)
        container_->NotifyDataChanged(id, kind);
}

void TTolvexItemEditor::SetModified()
{
    if (context_)
        context_->SetModified(true);
}

void TTolvexItemEditor::ActivateCurrentTab()
{
    if (container_)
        container_->ActivateCurrentTab();
}

void TTolvexItemEditor::FocusEditor()
{
    if (container_)
        container_->FocusEditor();
}

// ---- trees -----------------------------------------------------------------------------------

void TTolvexItemEditor::ReplaceNewTreeNode(int newItemId, int itemType, int orderNum, int linkedItemId)
{
    for (TTreeManager* tree : trees_) {
        TTreeNode* node = tree->GetSelectedNode();
        if (!node || !node->IsItem() || node->Data->ItemId != kNewItemId || node->Data->ItemType != itemType)
            continue;
        node->Data->ItemId = newItemId;
        node->Data->LinkedItemId = linkedItemId;
        node->Data->OrderNum = orderNum;
        const std::string caption = TTolvexItemManager::ForItemType(services_, itemType).GetNewItemCaption(*context_);
        if (!caption.empty())
            node->Caption = caption;
        tree->SortChildren(node->Parent);
        return;
    }
}

void TTolvexItemEditor::DeselectOtherNodes(int itemId)
{
    for (TTreeManager* tree : trees_) {
        TTreeNode* node = tree->GetSelectedNode();
        if (node && node->IsItem() && node->Data->ItemId != itemId && node->Data->LinkedItemId != itemId)
            tree->SetSelected(nullptr);
    }
}

void TTolvexItemEditor::LocateInTree(int treeItemId)
{
    for (TTreeManager* tree : trees_)
        if (tree->GetSelectedNode())
            return;
    TCatalogData* data = context_ ? context_->Data() : nullptr;
    if (!data || treeItemId <= 0)
        return;
    std::vector<int> chain = data->GetQueries().GetParentChain(treeItemId, context_->GetConnection());
    if (chain.empty())
        return;
    const int root = chain.back();
    chain.pop_back();
    for (TTreeManager* tree : trees_) {
        if (tree->GetRootItemId() == root) {
            tree->LocateItem(treeItemId, &chain);
            return;
        }
    }
}

void TTolvexItemEditor::RefreshTreeNodes()
{
    if (linkedItemId_ == 0 && treeItemId_ <= 0)
        return;
    const int dataItemId = linkedItemId_ != 0 ? linkedItemId_ : treeItemId_;
    for (TTreeManager* tree : trees_) {
        tree->RefreshItemNodes(dataItemId, tree->GetConnection());
        if (treeItemId_ != dataItemId)
            tree->RefreshItemNodes(treeItemId_, tree->GetConnection());
    }
}

void TTolvexItemEditor::RenameTreeNodes(int itemId, const std::string& name)
{
    for (TTreeManager* tree : trees_) {
        TTreeNode* node = tree->GetSelectedNode();
        if (!node || !node->IsItem() || node->Data->GetDataItemId() != itemId)
            continue;
        node->Caption = name;
        tree->SortChildren(node->Parent);
        return;
    }
}
