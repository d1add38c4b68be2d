// The item types of a catalog definition: loading them with their editors,
// templates, child types and UI elements in three statements, and the
// questions the rest of the program asks about them.
#include "catalog/CatalogDefinition.h"

#include "catalog/CatalogDefinitionRows.h"
#include "storage/QueryGuard.h"

#include <algorithm>

using namespace catalog_definition;

namespace {

constexpr int kItemTypeDefinitionType = 810;
constexpr int kItemTypesFolderId = 31;

// Classes of an item-type definition item.
constexpr int kEditorClass = 802;
constexpr int kSortGroupClass = 803;
constexpr int kChildTypeClass = 805;
constexpr int kItemTypeClass = 807;
constexpr int kTemplateClass = 808;
constexpr int kUIElementClass = 809;
constexpr int kDefinitionClass = 810;

constexpr const char* kDefaultItemManager = "CommonItemManager";

// The values of one table of every visible item-type definition, except
// class 1 (the items' names), ordered by item, class and instance. GroupBy
// says which rows make one value; a member with several values gives its
// largest.
std::string ItemTypeValuesQuery(const std::string& table, const std::string& valueField, const std::string& groupBy)
{
    return "SELECT v.ItemId, v.ClassId, v.InstanceId, v.MemberId, MAX(v." + valueField + ") AS Value FROM " + table +
           " v JOIN Items i ON i.CatalogCode = v.CatalogCode AND i.ItemId = v.ItemId WHERE " +
           VisibleItemsCondition(kItemTypeDefinitionType, kItemTypesFolderId) + " AND v.ClassId <> 1 GROUP BY " +
           groupBy + " ORDER BY v.ItemId, v.ClassId, v.InstanceId, v.MemberId";
}

// One value row of an item-type definition.
struct TValueRow {
    int itemId;
    int classId;
    int instanceId;
    int memberId;
    TVariant value;
};

TValueRow ReadValueRow(const TAbstractRecordset& rows)
{
    return {IntOf(rows.Field("ItemId")), IntOf(rows.Field("ClassId")), IntOf(rows.Field("InstanceId")),
            IntOf(rows.Field("MemberId")), rows.Field("Value")};
}

void SetItemTypeString(TTolvexItemTypeDetail& detail, int memberId, const std::string& text)
{
    switch (memberId) {
    case 2: detail.ItemManagerName = text; break;
    case 3: detail.DefaultTab = text; break;
    case 4: detail.FirstTab = text; break;
    case 5: detail.EditTab = text; break;
    case 7: detail.ImageName = text; break;
    case 9: detail.ItemManagerParams = text; break;
    default: break;
    }
}

void SetUIString(TCatalogUIDetail& element, int memberId, const std::string& text)
{
    switch (memberId) {
    case 4: element.Caption = text; break;
    case 5: element.Hint = text; break;
    case 6: element.Params = text; break;
    case 7: element.ImageName = text; break;
    case 8: element.Condition = text; break;
    case 9: element.Extra = text; break;
    default: break;
    }
}

void SetEditorString(TCatalogEditor& editor, int memberId, const std::string& text)
{
    switch (memberId) {
    case 2: editor.Name = text; break;
    case 4: editor.Params = text; break;
    case 5: editor.Condition = text; break;
    default: break;
    }
}

void SetUINumber(TCatalogUIDetail& element, int memberId, int number)
{
    switch (memberId) {
    case 1: element.Kind = number; break;
    case 3: element.ActionId = number; break;
    case 10: element.OrderNum = number; break;
    default: break;
    }
}

void SetDetailNumber(TTolvexItemTypeDetail& detail, const TValueRow& row, int number)
{
    const int member = row.memberId;
    if (row.classId == kEditorClass) {
        TCatalogEditor& editor = detail.FindOrCreateEditor(row.instanceId);
        if (member == 3)
            editor.Kind = number;
        else if (member == 6)
            editor.Order = number;
    } else if (row.classId == kSortGroupClass && member == 5) {
        detail.SetSortGroup(number);
    } else if (row.classId == kChildTypeClass && member == 2) {
        detail.AddAllowedChildType(number);
    } else if (row.classId == kItemTypeClass && member == 6) {
        detail.LinkedItemParentId = number;
    } else if (row.classId == kItemTypeClass && member == 8) {
        detail.Flags = number;
    } else if (row.classId == kTemplateClass) {
        TCatalogTemplate& assignment = detail.FindOrCreateTemplate(row.instanceId);
        if (member == 2)
            assignment.Kind = number;
        else if (member == 3)
            assignment.TemplateItemId = number;
    }
}

}  // namespace

// ---- loading -------------------------------------------------------------------------

void TCatalogDefinition::LoadItemTypes(int catalogType)
{
    uiDetails_.clear();
    details_.clear();
    TAbstractDBConnection& connection = DefinitionConnection(catalogType);
    const std::string catalogCode = DefinitionCatalogCode(catalogType);
    LoadItemTypeList(connection, catalogCode);
    if (details_.empty())
        return;
    TUIDetailIndex index;
    LoadItemTypeStrings(connection, catalogCode, index);
    LoadItemTypeNumbers(connection, catalogCode, index);
    SortLoadedItemTypes();
}

void TCatalogDefinition::LoadItemTypeList(TAbstractDBConnection& connection, const std::string& catalogCode)
{
    TQueryGuard query(connection);
    query->SetSQL(VisibleItemsQuery("i.ItemId, " + MemberColumn("CNumbers", "NumberValue", kDefinitionClass, 1, "ItemType"),
                                    kItemTypeDefinitionType, kItemTypesFolderId));
    query->SetParam("CatalogCode", catalogCode);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        details_.push_back(std::make_unique<TTolvexItemTypeDetail>(IntOf(rows.Field("ItemId")),
                                                                   IntOf(rows.Field("ItemType"))));
}

// Strings: every value of the items listed, one per member of an instance.
void TCatalogDefinition::LoadItemTypeStrings(TAbstractDBConnection& connection, const std::string& catalogCode,
                                             TUIDetailIndex& index)
{
    TQueryGuard query(connection);
    query->SetSQL(ItemTypeValuesQuery("CStrings", "StringValue", "v.ItemId, v.ClassId, v.InstanceId, v.MemberId"));
    query->SetParam("CatalogCode", catalogCode);
    TTolvexItemTypeDetail* detail = nullptr;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        const TValueRow row = ReadValueRow(rows);
        if (!detail || detail->DefinitionItemId != row.itemId)
            detail = DetailOfItem(row.itemId);
        if (!detail)
            continue;
        const std::string text = TextOf(row.value);
        if (row.classId == kItemTypeClass)
            SetItemTypeString(*detail, row.memberId, text);
        else if (row.classId == kUIElementClass)
            SetUIString(UIDetailOf(*detail, row.instanceId, index), row.memberId, text);
        else if (row.classId == kEditorClass)
            SetEditorString(detail->FindOrCreateEditor(row.instanceId), row.memberId, text);
    }
}

// Numbers: as the strings, except that every allowed child type (class 805)
// counts, also several of one member.
void TCatalogDefinition::LoadItemTypeNumbers(TAbstractDBConnection& connection, const std::string& catalogCode,
                                             TUIDetailIndex& index)
{
    TQueryGuard query(connection);
    query->SetSQL(ItemTypeValuesQuery("CNumbers", "NumberValue",
                                      "v.ItemId, v.ClassId, v.InstanceId, v.MemberId, CASE WHEN v.ClassId = " +
                                          std::to_string(kChildTypeClass) +
                                          " THEN v.LangCode || '/' || v.IndexId END"));
    query->SetParam("CatalogCode", catalogCode);
    TTolvexItemTypeDetail* detail = nullptr;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        const TValueRow row = ReadValueRow(rows);
        if (!detail || detail->DefinitionItemId != row.itemId)
            detail = DetailOfItem(row.itemId);
        if (!detail)
            continue;
        const int number = IntOf(row.value);
        if (row.classId == kUIElementClass)
            SetUINumber(UIDetailOf(*detail, row.instanceId, index), row.memberId, number);
        else
            SetDetailNumber(*detail, row, number);
    }
}

void TCatalogDefinition::SortLoadedItemTypes()
{
    std::stable_sort(uiDetails_.begin(), uiDetails_.end(), [](const auto& a, const auto& b) {
        return a->Kind != b->Kind ? a->Kind < b->Kind : a->OrderNum < b->OrderNum;
    });
    for (const auto& detail : details_)
        detail->SortEditors();
}

TTolvexItemTypeDetail* TCatalogDefinition::DetailOfItem(int definitionItemId) const
{
    for (const auto& detail : details_)
        if (detail->DefinitionItemId == definitionItemId)
            return detail.get();
    return nullptr;
}

TCatalogUIDetail& TCatalogDefinition::UIDetailOf(TTolvexItemTypeDetail& detail, int instanceId,
                                                 TUIDetailIndex& index)
{
    TCatalogUIDetail*& element = index[{detail.DefinitionItemId, instanceId}];
    if (!element) {
        uiDetails_.push_back(std::make_unique<TCatalogUIDetail>(detail.DefinitionItemId, instanceId, detail.ItemType));
        element = uiDetails_.back().get();
    }
    return *element;
}

// ---- questions -----------------------------------------------------------------------

TTolvexItemTypeDetail* TCatalogDefinition::GetItemTypeDetail(int index) const
{
    if (index < 0 || index >= GetItemTypeCount())
        return nullptr;
    return details_[static_cast<std::size_t>(index)].get();
}

TTolvexItemTypeDetail* TCatalogDefinition::FindItemTypeDetail(int itemType) const
{
    for (const auto& detail : details_)
        if (detail->ItemType == itemType)
            return detail.get();
    return nullptr;
}

void TCatalogDefinition::GetItemTypeEditors(int itemType, std::vector<std::string>& list, int editorKind) const
{
    list.clear();
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(itemType);
    for (int i = 0; detail && i < detail->GetEditorCount(); ++i) {
        const TCatalogEditor& editor = *detail->GetEditor(i);
        if (editor.Kind == editorKind)
            list.push_back(editor.Name + "=" + editor.Condition);
    }
}

void TCatalogDefinition::GetItemTypeEditorParams(int itemType, int editorKind, const std::string& editorName,
                                                 std::string& params) const
{
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(itemType);
    if (!detail)
        return;
    params.clear();
    for (int i = 0; i < detail->GetEditorCount(); ++i) {
        const TCatalogEditor& editor = *detail->GetEditor(i);
        if (editor.Kind == editorKind && editor.Name == editorName) {
            params = editor.Params;
            return;
        }
    }
}

std::string TCatalogDefinition::GetItemManagerName(int itemType) const
{
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(itemType);
    return detail && !detail->ItemManagerName.empty() ? detail->ItemManagerName : kDefaultItemManager;
}

std::string TCatalogDefinition::GetItemManagerParams(const std::string& managerName) const
{
    for (const auto& detail : details_)
        if (detail->ItemManagerName == managerName)
            return detail->ItemManagerParams;
    return {};
}

std::string TCatalogDefinition::GetItemTypeDefaultTab(int itemType) const
{
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(itemType);
    return detail ? detail->DefaultTab : std::string();
}

std::string TCatalogDefinition::GetItemTypeFirstTab(int itemType) const
{
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(itemType);
    return detail ? detail->FirstTab : std::string();
}

std::string TCatalogDefinition::GetItemTypeEditTab(int itemType) const
{
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(itemType);
    return detail ? detail->EditTab : std::string();
}

std::string TCatalogDefinition::GetItemTypeImageName(int itemType) const
{
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(itemType);
    return detail ? detail->ImageName : std::string();
}

int TCatalogDefinition::GetItemTypeFlags(int itemType) const
{
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(itemType);
    return detail ? detail->Flags : 0;
}

int TCatalogDefinition::GetItemTypeParentId(int itemType) const
{
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(itemType);
    return detail ? detail->LinkedItemParentId : 0;
}

int TCatalogDefinition::GetItemTypeSortGroup(int parentItemType, int parentItemId, int itemType, int itemId) const
{
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(itemType);
    return detail ? detail->GetSortGroup() : 0;
}

bool TCatalogDefinition::CanContainItemType(int parentItemType, int childItemType) const
{
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(parentItemType);
    return detail && detail->MayContainType(childItemType);
}

int TCatalogDefinition::GetItemTypeTemplateId(int itemType, int templateKind) const
{
    const TTolvexItemTypeDetail* detail = FindItemTypeDetail(itemType);
    return detail ? detail->GetTemplateItemId(templateKind) : 0;
}

void TCatalogDefinition::GetItemTypesUsingTemplate(int templateId, int templateKind,
                                                   std::vector<std::string>& list) const
{
    list.clear();
    for (const auto& detail : details_)
        for (int i = 0; i < detail->GetTemplateCount(); ++i) {
            const TCatalogTemplate& assignment = *detail->GetTemplate(i);
            if (assignment.Kind == templateKind && assignment.TemplateItemId == templateId) {
                list.push_back(std::to_string(detail->ItemType));
                break;
            }
        }
}

TCatalogUIDetail* TCatalogDefinition::GetUIDetail(int index) const
{
    if (index < 0 || index >= GetUIDetailCount())
        return nullptr;
    return uiDetails_[static_cast<std::size_t>(index)].get();
}
