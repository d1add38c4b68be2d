#include "editors/framework/TolvexFrameEditor.h"

#include "catalog/CatalogData.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/TolvexUIEditor.h"
#include "storage/ObjectCollection.h"

#include <algorithm>

TTolvexFrameEditor::TTolvexFrameEditor() = default;

TTolvexFrameEditor::~TTolvexFrameEditor() = default;

void TTolvexFrameEditor::Bind(const std::string& tabName, TTolvexControlClass& context, TTolvexUIEditor& uiEditor)
{
    TrackChanges = true;
    tabName_ = tabName;
    frameParams_ = editor_params::Split(uiEditor.GetParams());
    frameItemId_ = 0;
    const std::string itemIdText = ValueOfName(frameParams_, "itemid");
    if (TCatalogData* data = context.Data(); data && !itemIdText.empty())
        frameItemId_ = data->ResolveItemId(itemIdText, context.GetItemId(), context.GetTreeItemId());
    if (frameItemId_ == 0)
        frameItemId_ = context.GetItemId();
    context_ = &context;
    uiEditor_ = &uiEditor;
    // Text is UTF-8 throughout: there is no font charset to set per language.
    InitControls();
    contentLangCode_ = context.GetCurrentLangCode();
    LoadFromObjects(false);
}

bool TTolvexFrameEditor::Save()
{
    bool nestedSaved = true;
    for (const auto& nested : nestedEditors_) {
        nested->FlushChanges();
        if (nestedSaved)
            nestedSaved = nested->Save();
    }
    if (!nestedSaved)
        return false;
    StoreToObjects(false);
    modified_ = false;
    if (saveNoticeArmed_ && (SaveNoticeKind != 0 || SaveNoticeId != 0))
        context_->PostReloadNotice(SaveNoticeId, SaveNoticeKind);
    return true;
}

void TTolvexFrameEditor::StoreControls()
{
    for (const auto& nested : nestedEditors_)
        nested->FlushChanges();
    StoreToObjects(false);
}

void TTolvexFrameEditor::Cancel()
{
    for (const auto& nested : nestedEditors_)
        nested->Cancel(true);
    if (!reverted_) {
        contentLangCode_ = context_->GetCurrentLangCode();
        LoadFromObjects(false);
    }
    modified_ = false;
    reverted_ = true;
    saveNoticeArmed_ = false;
}

void TTolvexFrameEditor::LanguageChanged()
{
    StoreToObjects(true);
    contentLangCode_ = context_->GetCurrentLangCode();
    LoadFromObjects(true);
    for (const auto& nested : nestedEditors_)
        nested->RefreshEditors();
}

void TTolvexFrameEditor::TabShown()
{
    if (firstShowPending_) {
        firstShowPending_ = false;
        return;
    }
    for (const auto& nested : nestedEditors_)
        nested->ActivateCurrentTab();
}

bool TTolvexFrameEditor::NameChanged(int itemId, const std::string& newName)
{
    bool handled = false;
    if (NameEdit && (itemId == context_->GetItemId() || itemId == context_->GetTreeItemId())) {
        SetNameEditText(newName);
        SetModified();
        handled = true;
    }
    for (const auto& nested : nestedEditors_)
        nested->NameChanged(itemId, newName);
    return handled;
}

void TTolvexFrameEditor::StoreIfModified()
{
    if (modified_)
        StoreToObjects(false);
    for (const auto& nested : nestedEditors_)
        nested->FlushChanges();
}

void TTolvexFrameEditor::Reload()
{
    contentLangCode_ = context_->GetCurrentLangCode();
    LoadFromObjects(false);
}

std::string TTolvexFrameEditor::GetHelpKeyword(int level)
{
    for (const auto& nested : nestedEditors_) {
        std::string keyword = nested->GetHelpKeyword(level + 1);
        if (!keyword.empty())
            return keyword;
    }
    return tabName_;
}

void TTolvexFrameEditor::WatchChangeKind(int kind)
{
    watchedKinds_.push_back(std::to_string(kind));
}

void TTolvexFrameEditor::WatchChangeId(int id)
{
    watchedIds_.push_back(std::to_string(id));
}

void TTolvexFrameEditor::NotifyDataChanged(int id, int kind)
{
    const auto watched = [](const std::vector<std::string>& list, int value) {
        return std::find(list.begin(), list.end(), std::to_string(value)) != list.end();
    };
    const bool matched = watched(watchedKinds_, kind) || watched(watchedIds_, id);
    for (const auto& nested : nestedEditors_)
        nested->NotifyDataChanged(id, kind);
    if (!matched)
        return;
    if (modified_)
        StoreToObjects(false);
    contentLangCode_ = context_->GetCurrentLangCode();
    LoadFromObjects(false);
}

std::string TTolvexFrameEditor::GetNestedTabName()
{
    for (const auto& nested : nestedEditors_) {
        std::string name = nested->GetTabName();
        if (!name.empty())
            return name;
    }
    return {};
}

void TTolvexFrameEditor::SetModified()
{
    if (!TrackChanges || modified_)
        return;
    reverted_ = false;
    modified_ = true;
    if (context_)
        context_->SetModified(true);
}

TAbstractCObject* TTolvexFrameEditor::GetObject(const std::string& classXmlTag)
{
    return context_->GetObjectCollection().GetObject(context_->GetItemId(), classXmlTag);
}

TAbstractCObject* TTolvexFrameEditor::GetObjectByInstance(int instanceId)
{
    return context_->GetObjectCollection().GetObjectByInstance(context_->GetItemId(), instanceId);
}

TAbstractCObject* TTolvexFrameEditor::CreateObject(int classId, int parentInstanceId)
{
    return context_->GetObjectCollection().CreateObject(context_->GetItemId(), classId, parentInstanceId);
}

TTolvexItemEditor& TTolvexFrameEditor::CreateNestedEditor(TEditorPanel& panel)
{
    auto editor = std::make_unique<TTolvexItemEditor>(context_->Services(), &panel);
    editor->SetParentContext(context_);
    editor->SetConnection(&context_->GetConnection());
    editor->PrepareOpen(context_->GetParentItemId(), context_->GetItemId(), "", uiEditor_->GetStartTabName());
    nestedEditors_.push_back(std::move(editor));
    return *nestedEditors_.back();
}
