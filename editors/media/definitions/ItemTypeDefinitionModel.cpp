#include "editors/media/definitions/ItemTypeDefinitionModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CaptionValue.h"
#include "common/CommonFunctionsDetail.h"
#include "editors/media/definitions/DefinitionRecordModel.h"
#include "editors/media/definitions/SnapshotCommand.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/MemberValueText.h"
#include "storage/NameValueLines.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>
#include <tuple>

namespace {

constexpr int kEditorClass = 802;
constexpr int kChildTypeClass = 805;
constexpr int kTemplateClass = 808;
constexpr int kUIElementClass = 809;

// The item types whose parents are the folders offered for each template kind.
constexpr int kTemplateItemTypes[TItemTypeDefinitionModel::kTemplateKinds] = {501, 502, 504, 505, 514, 403, 403};

int Number(const std::string& text) { return TMemberValueText::ReadInteger(text); }

// A dialog's values with their numbers as the members store them.
template <class TForm>
TForm Normalised(TForm form)
{
    for (const auto& field : TForm::Fields())
        if (field.Number)
            form.*field.Value = std::to_string(Number(form.*field.Value));
    return form;
}

template <class TForm>
TForm ReadForm(TAbstractCObject& object, const std::string& lang)
{
    TForm form;
    for (const auto& field : TForm::Fields())
        form.*field.Value = field.Number ? std::to_string(object.GetLangInteger(field.Name, lang, 0))
                                         : object.GetLangString(field.Name, lang, 0);
    return form;
}

// The values that differ from Before (every value without it).
template <class TForm>
void WriteForm(TAbstractCObject& object, const std::string& lang, const TForm& now, const TForm* before)
{
    for (const auto& field : TForm::Fields()) {
        if (before && (*before).*field.Value == now.*field.Value)
            continue;
        if (field.Number)
            object.SetLangNumber(field.Name, lang, Number(now.*field.Value), 0);
        else
            object.SetLangString(field.Name, lang, now.*field.Value, 0);
    }
}

template <class TForm>
std::vector<std::string> ParamsOf(const TForm& form)
{
    std::vector<std::string> params;
    for (const auto& field : TForm::Fields())
        params.push_back(std::string(field.Name) + "=" + form.*field.Value);
    return params;
}

template <class TRow>
int RowOfKey(const std::vector<TRow>& rows, int key)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].Key == key)
            return static_cast<int>(i);
    return -1;
}

template <class TRow>
const TRow* FindKey(const std::vector<TRow>& rows, int key)
{
    const int row = RowOfKey(rows, key);
    return row < 0 ? nullptr : &rows[row];
}

}  // namespace

TItemTypeDefinitionModel::TItemTypeDefinitionModel(const TSiteModelContext& context) : context_(context) {}

TItemTypeDefinitionModel::~TItemTypeDefinitionModel()
{
    // The stack's commands go with it; nobody is told.
    undoStack_.blockSignals(true);
}

TAbstractCObject* TItemTypeDefinitionModel::Object(const char* classTag) const
{
    return context_.Objects.GetObject(context_.ItemId, classTag);
}

std::string TItemTypeDefinitionModel::ElementTypeName(const std::string& elementType)
{
    static const char* const kNames[] = {"Menu Item", "Toolbar Button", "Select Tree", "Search Item"};
    const int type = Number(elementType);
    return type >= 1 && type <= 4 ? kNames[type - 1] : "Unknown";
}

void TItemTypeDefinitionModel::Load()
{
    undoStack_.clear();
    fields_ = {};
    state_ = {};
    templateInstances_ = {};
    hasObjects_ = Object("CommonNames") && Object("ItemType") && Object("CatalogItemOrders") &&
                  Object("CatalogItemTypes");
    LoadTemplateChoices();
    if (hasObjects_) {
        LoadFields();
        LoadEntries();
    }
    loadedFields_ = fields_;
    loaded_ = state_;
    undoStack_.setClean();
}

void TItemTypeDefinitionModel::LoadFields()
{
    const std::string& lang = context_.LangCode;
    TAbstractCObject* names = Object("CommonNames");
    TAbstractCObject* type = Object("ItemType");
    TAbstractCObject* types = Object("CatalogItemTypes");
    const auto number = [&](TAbstractCObject* object, const char* member) {
        return std::to_string(object->GetLangInteger(member, lang, 0));
    };
    fields_.Name = names->GetLangString("ItemName", lang, 0);
    fields_.ItemTypeId = number(type, "ItemTypeId");
    fields_.Description = type->GetLangString("Description", lang, 0);
    fields_.StartOrderNum = number(Object("CatalogItemOrders"), "StartOrderNum");
    fields_.PluginName = types->GetLangString("PluginName", lang, 0);
    fields_.ImageCode = types->GetLangString("ImageCode", lang, 0);
    fields_.DefaultTab = types->GetLangString("DefaultTab", lang, 0);
    fields_.NewItemTab = types->GetLangString("NewItemTab", lang, 0);
    fields_.EditItemTab = types->GetLangString("EditItemTab", lang, 0);
    fields_.Params = types->GetLangString("Params", lang, 0);
    fields_.ParentItemId = number(types, "ParentItemId");
    storedFlags_ = types->GetLangInteger("IsPage", lang, 0);
    fields_.Flags = storedFlags_ & kShownFlags;
}

std::vector<int> TItemTypeDefinitionModel::InstancesOf(int classId) const
{
    std::vector<std::string> texts;
    context_.Objects.GetInstanceIds(context_.ItemId, classId, texts);
    std::vector<int> ids;
    for (const std::string& text : texts)
        ids.push_back(Number(text));
    return ids;
}

void TItemTypeDefinitionModel::LoadEntries()
{
    const std::string& lang = context_.LangCode;
    for (int instance : InstancesOf(kEditorClass))
        if (TAbstractCObject* object = context_.Objects.GetObjectByInstance(context_.ItemId, instance))
            state_.Editors.push_back({instance, ReadForm<TEditorEntryForm>(*object, lang)});
    for (int instance : InstancesOf(kUIElementClass))
        if (TAbstractCObject* object = context_.Objects.GetObjectByInstance(context_.ItemId, instance))
            state_.UIElements.push_back({instance, ReadForm<TUIElementForm>(*object, lang)});
    for (int instance : InstancesOf(kChildTypeClass)) {
        TAbstractCObject* object = context_.Objects.GetObjectByInstance(context_.ItemId, instance);
        state_.Children.push_back({instance, object->GetLangInteger("ChildItemType", lang, 0)});
    }
    for (int instance : InstancesOf(kTemplateClass)) {
        TAbstractCObject* object = context_.Objects.GetObjectByInstance(context_.ItemId, instance);
        const int kind = object->GetLangInteger("TemplateType", lang, 0);
        if (kind < 0 || kind >= kTemplateKinds)
            continue;
        templateInstances_[kind] = instance;
        const int folder = object->GetLangInteger("ParentItemId", lang, 0);
        state_.TemplateFolders[kind] = folder;
        std::vector<TChoice>& choices = templateChoices_[kind];
        if (folder != 0 && std::none_of(choices.begin(), choices.end(),
                                        [folder](const TChoice& choice) { return choice.Value == folder; })) {
            const std::string name = context_.Data.GetItemName(folder, context_.Connection, context_.LangCode);
            choices.push_back({name.empty() ? std::to_string(folder) : name, folder});
        }
    }
    Sort(state_);
}

void TItemTypeDefinitionModel::LoadTemplateChoices()
{
    for (int kind = 0; kind < kTemplateKinds; ++kind) {
        std::vector<std::string> parents;
        context_.Catalog.GetParentIdsOfItemType(kTemplateItemTypes[kind], parents, context_.CatalogCode,
                                                context_.Connection);
        std::vector<int> ids;
        for (const std::string& text : parents)
            ids.push_back(Number(text));
        std::vector<std::string> names;
        context_.Catalog.GetItemNamesList(ids, names, context_.CatalogCode, context_.Connection, true, true);
        std::vector<TChoice>& choices = templateChoices_[kind];
        choices = {{"(none)", 0}};
        for (const std::string& entry : names)
            choices.push_back({CaptionValue::CaptionOf(entry), Number(CaptionValue::ValueOf(entry))});
    }
}

void TItemTypeDefinitionModel::Sort(TState& state)
{
    std::stable_sort(state.Editors.begin(), state.Editors.end(), [](const TEditor& a, const TEditor& b) {
        return std::tuple(Number(a.Values.EditorsType), Number(a.Values.OrderNum)) <
               std::tuple(Number(b.Values.EditorsType), Number(b.Values.OrderNum));
    });
    std::stable_sort(state.UIElements.begin(), state.UIElements.end(), [](const TUIElement& a, const TUIElement& b) {
        return std::tuple(Number(a.Values.ElementType), Number(a.Values.OrderNum)) <
               std::tuple(Number(b.Values.ElementType), Number(b.Values.OrderNum));
    });
}

int TItemTypeDefinitionModel::EditorRow(int key) const { return RowOfKey(state_.Editors, key); }
int TItemTypeDefinitionModel::UIElementRow(int key) const { return RowOfKey(state_.UIElements, key); }
int TItemTypeDefinitionModel::ChildRow(int key) const { return RowOfKey(state_.Children, key); }

void TItemTypeDefinitionModel::Change(const QString& text, TState next)
{
    Sort(next);
    undoStack_.push(new TSnapshotCommand<TState>(
        text, [this](const TState& state) { state_ = state; }, state_, std::move(next)));
}

std::vector<std::string> TItemTypeDefinitionModel::EditorParams(int row) const
{
    if (row < 0 || row >= static_cast<int>(state_.Editors.size()))
        return {};
    return ParamsOf(state_.Editors[row].Values);
}

std::vector<std::string> TItemTypeDefinitionModel::UIElementParams(int row) const
{
    if (row < 0 || row >= static_cast<int>(state_.UIElements.size()))
        return {};
    return ParamsOf(state_.UIElements[row].Values);
}

template <class TRow>
int TItemTypeDefinitionModel::Apply(std::vector<TRow> TState::*list, int row,
                                    const std::vector<std::string>& params, const char* text)
{
    TState next = state_;
    std::vector<TRow>& rows = next.*list;
    const bool added = row < 0 || row >= static_cast<int>(rows.size());
    TRow entry;
    if (added)
        entry.Key = next.NextKey--;
    else
        entry = rows[row];
    entry.Values = Normalised(decltype(entry.Values)::FromParams(params));
    if (added)
        rows.push_back(entry);
    else if (rows[row] == entry)
        return entry.Key;
    else
        rows[row] = entry;
    Change(QString(added ? "Add " : "Edit ") + text, std::move(next));
    return entry.Key;
}

int TItemTypeDefinitionModel::ApplyEditor(int row, const std::vector<std::string>& params)
{
    return Apply(&TState::Editors, row, params, "Editor");
}

int TItemTypeDefinitionModel::ApplyUIElement(int row, const std::vector<std::string>& params)
{
    return Apply(&TState::UIElements, row, params, "User Interface Element");
}

int TItemTypeDefinitionModel::ApplyChild(int row, int itemType)
{
    TState next = state_;
    const bool added = row < 0 || row >= static_cast<int>(next.Children.size());
    for (std::size_t i = 0; i < next.Children.size(); ++i)
        if (next.Children[i].ItemType == itemType)
            return static_cast<int>(i) == row ? next.Children[i].Key : 0;
    if (added) {
        next.Children.push_back({next.NextKey--, itemType});
    } else {
        next.Children[row].ItemType = itemType;
    }
    const int key = added ? next.Children.back().Key : next.Children[row].Key;
    Change(added ? "Add Child Type" : "Edit Child Type", std::move(next));
    return key;
}

void TItemTypeDefinitionModel::DeleteEditor(int row)
{
    if (row < 0 || row >= static_cast<int>(state_.Editors.size()))
        return;
    TState next = state_;
    next.Editors.erase(next.Editors.begin() + row);
    Change("Delete Editor", std::move(next));
}

void TItemTypeDefinitionModel::DeleteUIElement(int row)
{
    if (row < 0 || row >= static_cast<int>(state_.UIElements.size()))
        return;
    TState next = state_;
    next.UIElements.erase(next.UIElements.begin() + row);
    Change("Delete User Interface Element", std::move(next));
}

void TItemTypeDefinitionModel::DeleteChild(int row)
{
    if (row < 0 || row >= static_cast<int>(state_.Children.size()))
        return;
    TState next = state_;
    next.Children.erase(next.Children.begin() + row);
    Change("Delete Child Type", std::move(next));
}

void TItemTypeDefinitionModel::SetTemplateFolder(int kind, int folderId)
{
    if (kind < 0 || kind >= kTemplateKinds || state_.TemplateFolders[kind] == folderId)
        return;
    TState next = state_;
    next.TemplateFolders[kind] = folderId;
    Change("Change Template Folder", std::move(next));
}

void TItemTypeDefinitionModel::Store()
{
    if (!hasObjects_ || !IsModified())
        return;
    StoreFields();
    StoreEntries();
    StoreTemplates();
    Load();
}

void TItemTypeDefinitionModel::StoreFields()
{
    const std::string& lang = context_.LangCode;
    struct TText {
        const char* classTag;
        const char* member;
        std::string TFields::*field;
        bool number;
    };
    static const TText kTexts[] = {
        {"CommonNames", "ItemName", &TFields::Name, false},
        {"ItemType", "ItemTypeId", &TFields::ItemTypeId, true},
        {"ItemType", "Description", &TFields::Description, false},
        {"CatalogItemOrders", "StartOrderNum", &TFields::StartOrderNum, true},
        {"CatalogItemTypes", "PluginName", &TFields::PluginName, false},
        {"CatalogItemTypes", "ImageCode", &TFields::ImageCode, false},
        {"CatalogItemTypes", "DefaultTab", &TFields::DefaultTab, false},
        {"CatalogItemTypes", "NewItemTab", &TFields::NewItemTab, false},
        {"CatalogItemTypes", "EditItemTab", &TFields::EditItemTab, false},
        {"CatalogItemTypes", "Params", &TFields::Params, false},
        {"CatalogItemTypes", "ParentItemId", &TFields::ParentItemId, true},
    };
    for (const TText& text : kTexts) {
        const std::string& value = fields_.*text.field;
        if (value == loadedFields_.*text.field)
            continue;
        TAbstractCObject* object = Object(text.classTag);
        if (text.field == &TFields::Name)
            TDefinitionRecordModel::WriteItemName(*object, lang, value);
        else if (text.number)
            object->SetLangNumber(text.member, lang, Number(value), 0);
        else
            object->SetLangString(text.member, lang, value, 0);
    }
    // The bits the frame does not show keep their stored values.
    const int flags = (storedFlags_ & ~kShownFlags) | (fields_.Flags & kShownFlags);
    if (flags != storedFlags_)
        Object("CatalogItemTypes")->SetLangNumber("IsPage", lang, flags, 0);
}

void TItemTypeDefinitionModel::StoreEntries()
{
    const std::string& lang = context_.LangCode;
    const auto deleteDropped = [&](const auto& loadedRows, const auto& rows) {
        for (const auto& row : loadedRows)
            if (RowOfKey(rows, row.Key) < 0)
                context_.Objects.DeleteObject(context_.ItemId, row.Key);
    };
    deleteDropped(loaded_.Editors, state_.Editors);
    deleteDropped(loaded_.UIElements, state_.UIElements);
    deleteDropped(loaded_.Children, state_.Children);

    // Each changed member of a row, every member of a new one.
    const auto write = [&](int classId, const auto& rows, const auto& loadedRows) {
        for (const auto& row : rows) {
            const auto* loaded = FindKey(loadedRows, row.Key);
            if (loaded && *loaded == row)
                continue;
            TAbstractCObject* object = row.Key < 0 ? context_.Objects.CreateObject(context_.ItemId, classId, 0)
                                                   : context_.Objects.GetObjectByInstance(context_.ItemId, row.Key);
            if (object)
                WriteForm(*object, lang, row.Values, loaded ? &loaded->Values : nullptr);
        }
    };
    write(kEditorClass, state_.Editors, loaded_.Editors);
    write(kUIElementClass, state_.UIElements, loaded_.UIElements);
    for (const TChild& child : state_.Children) {
        const TChild* loaded = FindKey(loaded_.Children, child.Key);
        if (loaded && *loaded == child)
            continue;
        TAbstractCObject* object = child.Key < 0 ? context_.Objects.CreateObject(context_.ItemId, kChildTypeClass, 0)
                                                 : context_.Objects.GetObjectByInstance(context_.ItemId, child.Key);
        if (object)
            object->SetLangNumber("ChildItemType", lang, child.ItemType, 0);
    }
}

void TItemTypeDefinitionModel::StoreTemplates()
{
    const std::string& lang = context_.LangCode;
    for (int kind = 0; kind < kTemplateKinds; ++kind) {
        const int folder = state_.TemplateFolders[kind];
        if (folder == loaded_.TemplateFolders[kind])
            continue;
        const int instance = templateInstances_[kind];
        if (folder == 0) {
            if (instance != 0)
                context_.Objects.DeleteObject(context_.ItemId, instance);
            continue;
        }
        TAbstractCObject* object = instance != 0 ? context_.Objects.GetObjectByInstance(context_.ItemId, instance)
                                                 : context_.Objects.CreateObject(context_.ItemId, kTemplateClass, 0);
        if (!object)
            continue;
        if (instance == 0)
            object->SetLangNumber("TemplateType", lang, kind, 0);
        object->SetLangNumber("ParentItemId", lang, folder, 0);
    }
}
