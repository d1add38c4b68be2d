#include "editors/framework/ItemEditorContainer.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/PlaceholderUIEditor.h"
#include "catalog/Tolvex.h"
#include "catalog/UIManager.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "editors/framework/EditorPanel.h"
#include "editors/framework/EditorShell.h"
#include "editors/framework/FrameBasedEditor.h"
#include "editors/framework/PageItemManager.h"
#include "editors/framework/PlaceholderEditor.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/TolvexItemManager.h"
#include "editors/framework/TolvexUIEditor.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <algorithm>

namespace {

const char* const kNoPermissions = "You have no permissions to save changes";

}  // namespace

TItemEditorContainer::TItemEditorContainer() = default;

TItemEditorContainer::~TItemEditorContainer()
{
    ClearEditors();
}

void TItemEditorContainer::Initialize(int itemId, int treeItemId, const std::string& startTabName,
                                      TTolvexItemEditor* itemEditor, TTolvexControlClass& context,
                                      TEditorPanel& hostPanel, int editorKind, int parentItemId, int linkedItemId,
                                      int itemType)
{
    if (initialized_)
        throw EDeveloperTolvexException("Already Inited");
    initialized_ = true;
    itemId_ = itemId;
    treeItemId_ = treeItemId;
    startTabName_ = startTabName;
    itemEditor_ = itemEditor;
    context_ = &context;
    hostPanel_ = &hostPanel;
    editorKind_ = editorKind;
    parentItemId_ = parentItemId;
    linkedItemId_ = linkedItemId;
    itemType_ = itemType;
}

void TItemEditorContainer::LoadLinkInfo()
{
    if (linkInfoLoaded_)
        return;
    linkInfoLoaded_ = true;
    TAbstractDBConnection& connection = context_->GetConnection();
    const std::string code = context_->GetCatalogCode();
    TQueryGuard query(connection);
    if (parentItemId_ == 0 || linkedItemId_ == 0) {
        query->SetSQL("SELECT ParentItemId, LinkedItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId");
        query->SetParam("CatalogCode", code);
        query->SetParam("ItemId", itemId_);
        TAbstractRecordset& rows = query->Open(true);
        if (!rows.Eof()) {
            parentItemId_ = FieldInteger(rows, "ParentItemId");
            linkedItemId_ = FieldInteger(rows, "LinkedItemId");
        }
        query->Close();
    }
    query->SetSQL("SELECT COUNT(*) AS NumLinked FROM Items WHERE CatalogCode = :CatalogCode"
                  " AND LinkedItemId = :ItemId AND ItemId <> :ItemId");
    query->SetParam("CatalogCode", code);
    query->SetParam("ItemId", itemId_);
    TAbstractRecordset& rows = query->Open(true);
    hasLinked_ = !rows.Eof() && FieldInteger(rows, "NumLinked") > 0;
    query->Close();
}

bool TItemEditorContainer::CheckEditorCondition(const std::string& condition)
{
    if (condition == "IsLinked") {
        LoadLinkInfo();
        return treeItemId_ != linkedItemId_;
    }
    if (condition == "HasLinked") {
        LoadLinkInfo();
        return hasLinked_;
    }
    if (condition == "Advanced")
        return context_->Services().Root.IsAdvancedMode();
    if (condition == "Simplified")
        return !context_->Services().Root.IsAdvancedMode();
    if (condition.rfind("CatalogCode=", 0) == 0) {
        TCatalogData* data = context_->Data();
        return !data || data->GetCatalogCode() == condition.substr(12);
    }
    return true;
}

std::vector<std::string> TItemEditorContainer::EditorList() const
{
    if (!singleEditor_.empty())
        return {singleEditor_};
    const TCatalogDefinition& definition = context_->Services().Root.Catalog().GetDefinition();
    std::vector<std::string> list;
    definition.GetItemTypeEditors(itemType_, list, editorKind_);
    if (list.empty())
        definition.GetItemTypeEditors(0, list, editorKind_);
    return list;
}

std::unique_ptr<TTolvexUIEditor> TItemEditorContainer::CreateEditor(const std::string& name)
{
    std::string params;
    context_->Services().Root.Catalog().GetDefinition().GetItemTypeEditorParams(itemType_, editorKind_, name, params);
    if (params.empty() && !singleEditor_.empty())
        params = singleEditorParams_;
    std::unique_ptr<TAbstractUIEditor> created = context_->Services().UI.CreateItemEditor(name, params);
    if (auto* editor = dynamic_cast<TTolvexUIEditor*>(created.get())) {
        created.release();
        return std::unique_ptr<TTolvexUIEditor>(editor);
    }
    // A class the program does not have yet: a page that says so.
    if (auto* placeholder = dynamic_cast<TPlaceholderUIEditor*>(created.get())) {
        if (placeholder->GetFrameClass())
            return std::make_unique<TFrameBasedEditor>(name, params, placeholder->GetFrameClass());
        return std::make_unique<TPlaceholderEditor>(name, params, placeholder->StandsFor());
    }
    return std::make_unique<TPlaceholderEditor>(name, params, name);
}

bool TItemEditorContainer::MaySaveThrough(const TTolvexUIEditor& editor) const
{
    const int role = context_->GetUserRole();
    const std::set<int> roles = editor.GetSaveRoles();
    return role >= 0 && role <= 7 && roles.count(role) > 0;
}

bool TItemEditorContainer::Show(bool isNewItem)
{
    if (shown_)
        throw EDeveloperTolvexException("Already Showed");
    shown_ = true;
    TTolvexItemManager& manager = TTolvexItemManager::ForItemType(context_->Services(), itemType_);
    const std::vector<std::string> list = EditorList();
    singlePage_ = list.size() < 2;
    bool maySave = true;
    try {
        for (const std::string& line : list) {
            const std::size_t equals = line.find('=');
            const std::string name = line.substr(0, equals);
            const std::string condition = equals == std::string::npos ? std::string() : line.substr(equals + 1);
            if (!CheckEditorCondition(condition))
                continue;
            std::unique_ptr<TTolvexUIEditor> editor = CreateEditor(name);
            if (maySave)
                maySave = MaySaveThrough(*editor);
            if (singlePage_)
                singlePage_ = editor->IsSingleFrame();
            editors_.push_back(std::move(editor));
        }
    } catch (const ECriticalTolvexException& error) {
        editors_.clear();
        context_->Services().Gui.ShowError(error.what(), false, "");
        return false;
    }
    manager.SetupContext(*context_);
    if (isNewItem)
        NameNewPage(manager);
    UpdateCaption(&manager);
    if (itemId_ == 0)
        context_->ShowSavePanel(false);
    if (!singlePage_) {
        pages_ = &hostPanel_->CreatePages();
        pages_->SetListener(this);
    }
    for (const auto& editor : editors_) {
        editor->SetContext(*context_, *this);
        int width = 0;
        int height = 0;
        editor->GetPreferredSize(width, height);
        context_->UpdateMaxSize(width, height);
        editor->CreatePages();
    }
    if (!pages_) {
        if (!editors_.empty() && itemEditor_)
            itemEditor_->SetTabName(editors_.front()->GetActiveTabName());
    } else {
        const TCatalogDefinition& definition = context_->Services().Root.Catalog().GetDefinition();
        if (isNewItem)
            startTabName_ = definition.GetItemTypeFirstTab(itemType_);
        if (!ActivateTabByName(startTabName_) && !ActivateTabByName(definition.GetItemTypeDefaultTab(itemType_)) &&
            pages_->PageCount() > 0)
            pages_->ActivatePage(0);
    }
    if (!maySave)
        context_->Services().Gui.ShowWarning(kNoPermissions, true, "");
    return true;
}

void TItemEditorContainer::NameNewPage(TTolvexItemManager& manager)
{
    // The caption and the properties show the name at once, and a page
    // saved as it is keeps the name the tree showed for it.
    TCatalogData* data = context_->Data();
    if (!dynamic_cast<TPageItemManager*>(&manager) || !data)
        return;
    TAbstractCObject* names = context_->GetObjectCollection().GetObject(context_->GetItemId(), "CommonNames");
    const std::string lang = data->GetDefaultLangCode();
    if (names && names->GetLangString("ItemName", lang, 0).empty())
        names->SetLangString("ItemName", lang, manager.GetNewItemCaption(*context_), 0);
}

bool TItemEditorContainer::ActivateTabByName(const std::string& names)
{
    if (names.find_first_not_of(" \t\r\n") == std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= names.size()) {
        const std::size_t end = std::min(names.find(';', start), names.size());
        const std::string part = names.substr(start, end - start);
        for (const auto& editor : editors_)
            if (editor->SelectTab(part))
                return true;
        start = end + 1;
    }
    return false;
}

bool TItemEditorContainer::PageChanging()
{
    for (const auto& editor : editors_)
        if (!editor->CanLeaveTab())
            return false;
    return true;
}

void TItemEditorContainer::PageChanged()
{
    previousPage_ = currentPage_;
    currentPage_ = pages_ ? pages_->ActivePage() : -1;
    context_->ShowSavePanel(true);
    for (const auto& editor : editors_)
        editor->TabActivated();
}

void TItemEditorContainer::RefreshEditors()
{
    for (const auto& editor : editors_)
        editor->LanguageChanged();
    RefreshCaption();
}

bool TItemEditorContainer::Save()
{
    for (const auto& editor : editors_) {
        if (!MaySaveThrough(*editor)) {
            context_->Services().Gui.ShowError(kNoPermissions, true, "");
            return false;
        }
    }
    TTolvexItemManager& manager = TTolvexItemManager::ForItemType(context_->Services(), itemType_);
    manager.BeforeSave(*context_);
    bool ok = true;
    for (const auto& editor : editors_) {
        if (!editor->Save()) {
            ok = false;
            break;
        }
    }
    if (ok) {
        manager.AfterSave(*context_);
        return true;
    }
    if (invalidControl_) {
        hostPanel_->RevealControl(invalidControl_);
        invalidControl_ = nullptr;
    }
    return false;
}

void TItemEditorContainer::Cancel()
{
    for (const auto& editor : editors_)
        editor->Cancel();
}

void TItemEditorContainer::GetPreferredSize(int& width, int& height) const
{
    width = height = 0;
    for (const auto& editor : editors_) {
        int w = 0;
        int h = 0;
        editor->GetPreferredSize(w, h);
        width = std::max(width, w);
        height = std::max(height, h);
    }
}

void TItemEditorContainer::SetActiveTabName(const std::string& name)
{
    if (itemEditor_)
        itemEditor_->SetTabName(name);
}

std::string TItemEditorContainer::GetActiveTabName()
{
    for (const auto& editor : editors_) {
        std::string name = editor->GetActiveTabName();
        if (!name.empty())
            return name;
    }
    return {};
}

void TItemEditorContainer::NameChanged(int itemId, const std::string& newName)
{
    if (itemId != context_->GetItemId())
        return;
    for (const auto& editor : editors_)
        if (editor->NameChanged(itemId, newName)) {
            RefreshCaption();
            return;
        }
    // No frame shows the name: the names object takes it and is written
    // with the item's save.
    if (TAbstractCObject* names = context_->GetObjectCollection().GetObject(itemId, "CommonNames"))
        names->SetLangString("ItemName", context_->GetCurrentLangCode(), newName, 0);
    context_->SetModified(true);
    RefreshCaption();
}

void TItemEditorContainer::ClearEditors()
{
    editors_.clear();
    if (hostPanel_ && shown_)
        hostPanel_->Clear();
    pages_ = nullptr;
}

void TItemEditorContainer::GoToPreviousTab()
{
    if (pages_ && previousPage_ >= 0)
        pages_->ActivatePage(previousPage_);
}

std::string TItemEditorContainer::GetHelpKeyword(int level)
{
    for (const auto& editor : editors_) {
        std::string keyword = editor->GetHelpKeyword(level + 1);
        if (!keyword.empty())
            return keyword;
    }
    return {};
}

void TItemEditorContainer::ShowHelp()
{
    if (!itemEditor_ || !context_->Services().Shell)
        return;
    const std::string keyword = itemEditor_->GetHelpKeyword(0);
    if (!keyword.empty())
        context_->Services().Shell->ShowHelpForAlias(keyword);
}

void TItemEditorContainer::FlushOwnerEditor()
{
    if (itemEditor_)
        itemEditor_->FlushChanges();
}

void TItemEditorContainer::ReloadEditors()
{
    for (const auto& editor : editors_)
        editor->Reload();
    RefreshCaption();
}

void TItemEditorContainer::StoreControls()
{
    for (const auto& editor : editors_)
        editor->StoreControls();
}

void TItemEditorContainer::NotifyDataChanged(int id, int kind)
{
    for (const auto& editor : editors_)
        editor->NotifyDataChanged(id, kind);
}

void TItemEditorContainer::AfterSave()
{
    for (const auto& editor : editors_)
        editor->AfterSave();
}

void TItemEditorContainer::ActivateCurrentTab()
{
    if (pages_ && pages_->ActivePage() >= 0)
        PageChanged();
}

void TItemEditorContainer::FocusEditor()
{
    if (hostPanel_)
        hostPanel_->FocusFirstControl();
}

void TItemEditorContainer::SetInvalidControl(void* control)
{
    if (!invalidControl_)
        invalidControl_ = control;
}

void TItemEditorContainer::RefreshCaption()
{
    UpdateCaption(&TTolvexItemManager::ForItemType(context_->Services(), itemType_));
}

void TItemEditorContainer::UpdateCaption(TTolvexItemManager* itemManager)
{
    if (context_->HasParentContext())
        return;
    if (!itemManager) {
        context_->SetCaption(context_->Translate("Tolvex"));
        return;
    }
    context_->SetCaption(itemManager->GetCaption(*context_));
    context_->SetStatusText(0, itemManager->GetStatusText(0, *context_));
}
