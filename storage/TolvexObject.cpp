// TTolvexObject: construction, the operations by member tag, the item row
// and the normalisation of languages and indexes.
#include "storage/TolvexObject.h"

#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractCItem.h"
#include "storage/AbstractDBConnection.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObjectContext.h"
#include "storage/TolvexObjectFields.h"

TTolvexObject::TTolvexObject(TTolvexObjectContext& context, int itemId, int classId, int instanceId,
                             const std::string& catalogCode, TAbstractDBConnection& connection)
    : context_(context),
      classId_(classId),
      itemId_(itemId),
      linkedItemId_(itemId),
      instanceId_(instanceId),
      classDefinition_(context.GetClassDefinition(classId)),
      connection_(&connection),
      catalogCode_(catalogCode)
{
}

std::unique_ptr<TTolvexObject> TTolvexObject::CreateFromItem(TTolvexObjectContext& context, TAbstractCItem& item,
                                                            int classId, int instanceId)
{
    auto object = std::make_unique<TTolvexObject>(context, item.GetItemId(), classId, instanceId,
                                                  item.GetCatalogCode(), item.GetConnection());
    object->ownerItem_ = &item;
    object->linkedItemId_ = item.GetLinkedItemId();
    object->parentItemId_ = item.GetParentItemId();
    object->itemType_ = item.GetItemType();
    object->notVisible_ = !item.IsVisible();
    object->itemRowLoaded_ = true;
    object->instanceRowDirty_ = false;
    object->callerOwned_ = true;
    return object;
}

TTolvexObject::~TTolvexObject()
{
    if (pendingInstanceId_ != 0)
        context_.PendingInstanceIds().Release(catalogCode_, pendingItemId_, pendingInstanceId_);
}

void TTolvexObject::HoldPendingInstanceId()
{
    if (pendingInstanceId_ != 0 || instanceId_ == 0)
        return;
    pendingInstanceId_ = instanceId_;
    pendingItemId_ = linkedItemId_;
    context_.PendingInstanceIds().Reserve(catalogCode_, pendingItemId_, pendingInstanceId_);
}

// ---- members -------------------------------------------------------------------

int TTolvexObject::MemberType(int memberId) const
{
    return classDefinition_ ? classDefinition_->GetMemberType(memberId) : 0;
}

std::uint8_t TTolvexObject::MemberFlags(int memberId) const
{
    return classDefinition_ ? classDefinition_->GetMemberFlags(memberId) : 0;
}

int TTolvexObject::MemberIdOf(const std::string& memberName) const
{
    return classDefinition_ ? classDefinition_->GetMemberId(memberName) : 0;
}

std::string TTolvexObject::NormaliseLang(int memberId, const std::string& lang) const
{
    return (MemberFlags(memberId) & mfIsMultiLang) ? NormalLangCode(lang) : std::string(kNoLanguageCode);
}

TTolvexObject::TKey TTolvexObject::Normalise(int memberId, const std::string& lang, int index) const
{
    const bool multiple = MemberFlags(memberId) & mfIsMultiple;
    return {NormaliseLang(memberId, lang), multiple ? index : 0};
}

void TTolvexObject::LoadIfNeeded()
{
    if (!loaded_)
        Load();
}

std::string TTolvexObject::GetClassXmlTag()
{
    if (!classXmlTagRead_ && classDefinition_) {
        classXmlTag_ = classDefinition_->GetClassXmlTag();
        classXmlTagRead_ = true;
    }
    return classXmlTag_;
}

// ---- the item row ----------------------------------------------------------------

void TTolvexObject::LoadItemRow()
{
    if (itemRowLoaded_)
        return;
    TQueryGuard query(*connection_);
    query->SetSQL("SELECT a.LinkedItemId, a.ParentItemId, (SELECT b.NotVisible FROM Items AS b WHERE "
                  "b.CatalogCode = a.CatalogCode AND b.ItemId = a.LinkedItemId) AS IsNotVisible, a.ItemType "
                  "FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND a.ItemId = :ItemId");
    query->SetParam("CatalogCode", catalogCode_);
    query->SetParam("ItemId", itemId_);
    TAbstractRecordset& rows = query->Open(true);
    if (!rows.Eof()) {
        linkedItemId_ = object_fields::ToInt(rows.Field("LinkedItemId"));
        parentItemId_ = object_fields::ToInt(rows.Field("ParentItemId"));
        itemType_ = object_fields::ToInt(rows.Field("ItemType"));
        notVisible_ = object_fields::ToInt(rows.Field("IsNotVisible")) == 1;
    }
    query->Close();
    itemRowLoaded_ = true;
}

int TTolvexObject::GetItemType()
{
    if (!itemRowLoaded_ && !loaded_)
        Load();
    return itemType_;
}

int TTolvexObject::GetParentItemId()
{
    if (!itemRowLoaded_ && !loaded_)
        Load();
    return parentItemId_;
}

int TTolvexObject::GetLinkedItemId()
{
    if (!itemRowLoaded_ && !loaded_)
        Load();
    return linkedItemId_;
}

void TTolvexObject::SetParentInstanceId(int parentInstanceId)
{
    parentInstanceId_ = parentInstanceId;
    instanceRowDirty_ = true;
}

bool TTolvexObject::IsEmpty()
{
    LoadIfNeeded();
    return stringValues_.empty() && numberValues_.empty();
}

// ---- operations by member tag ------------------------------------------------------

bool TTolvexObject::IsDefaultLangValue(const std::string& memberName, const std::string& lang, int index)
{
    return IsDefaultLangValueById(MemberIdOf(memberName), lang, index);
}

bool TTolvexObject::HasValue(const std::string& memberName, const std::string& lang)
{
    return HasValueById(MemberIdOf(memberName), lang);
}

std::string TTolvexObject::GetString(const std::string& memberName, int index)
{
    return GetStringById(MemberIdOf(memberName), context_.GetCurrentLangCode(), index);
}

void TTolvexObject::SetString(const std::string& memberName, const std::string& value, int index)
{
    SetStringById(MemberIdOf(memberName), context_.GetCurrentLangCode(), value, index);
}

std::string TTolvexObject::GetLangString(const std::string& memberName, const std::string& lang, int index)
{
    return GetStringById(MemberIdOf(memberName), lang, index);
}

void TTolvexObject::SetLangString(const std::string& memberName, const std::string& lang,
                                  const std::string& value, int index)
{
    SetStringById(MemberIdOf(memberName), lang, value, index);
}

double TTolvexObject::GetNumber(const std::string& memberName, int index)
{
    return GetNumberById(MemberIdOf(memberName), context_.GetCurrentLangCode(), index);
}

double TTolvexObject::GetLangNumber(const std::string& memberName, const std::string& lang, int index)
{
    return GetNumberById(MemberIdOf(memberName), lang, index);
}

int TTolvexObject::GetInteger(const std::string& memberName, int index)
{
    return GetIntegerById(MemberIdOf(memberName), context_.GetCurrentLangCode(), index);
}

int TTolvexObject::GetLangInteger(const std::string& memberName, const std::string& lang, int index)
{
    return GetIntegerById(MemberIdOf(memberName), lang, index);
}

void TTolvexObject::SetNumber(const std::string& memberName, double value, int index)
{
    SetNumberById(MemberIdOf(memberName), context_.GetCurrentLangCode(), value, index);
}

void TTolvexObject::SetLangNumber(const std::string& memberName, const std::string& lang, double value, int index)
{
    SetNumberById(MemberIdOf(memberName), lang, value, index);
}

bool TTolvexObject::GetBoolean(const std::string& memberName, int index)
{
    return GetBooleanById(MemberIdOf(memberName), context_.GetCurrentLangCode(), index);
}

void TTolvexObject::SetBoolean(const std::string& memberName, bool value, int index)
{
    SetBooleanById(MemberIdOf(memberName), context_.GetCurrentLangCode(), value, index);
}

bool TTolvexObject::GetLangBoolean(const std::string& memberName, const std::string& lang, int index)
{
    return GetBooleanById(MemberIdOf(memberName), lang, index);
}

void TTolvexObject::SetLangBoolean(const std::string& memberName, const std::string& lang, bool value, int index)
{
    SetBooleanById(MemberIdOf(memberName), lang, value, index);
}

bool TTolvexObject::GetBinaryInfo(const std::string& memberName, const std::string& lang, int index,
                                  TBinaryDataInfo* info)
{
    return GetBinaryInfoById(MemberIdOf(memberName), lang, index, info);
}

bool TTolvexObject::GetBinaryData(const std::string& memberName, const std::string& lang, std::ostream& stream,
                                  int index, TBinaryDataInfo* info)
{
    return GetBinaryDataById(MemberIdOf(memberName), lang, stream, index, info);
}

void TTolvexObject::SetBinaryData(const std::string& memberName, const std::string& lang,
                                  const std::string& mimeType, std::istream& stream, int index,
                                  TBinaryDataInfo* info)
{
    SetBinaryDataById(MemberIdOf(memberName), lang, mimeType, stream, index, info);
}

void TTolvexObject::DeleteBinaryData(const std::string& memberName, const std::string& lang, int index)
{
    DeleteBinaryDataById(MemberIdOf(memberName), lang, index);
}

void TTolvexObject::GetValues(const std::string& memberName, std::vector<std::string>* indexes,
                              std::vector<std::string>& values)
{
    GetValuesById(MemberIdOf(memberName), context_.GetCurrentLangCode(), indexes, values);
}

void TTolvexObject::GetLangValues(const std::string& memberName, const std::string& lang,
                                  std::vector<std::string>* indexes, std::vector<std::string>& values)
{
    GetValuesById(MemberIdOf(memberName), lang, indexes, values);
}

void TTolvexObject::GetListChoices(const std::string& memberName, const std::string& lang,
                                   std::vector<std::string>& list)
{
    GetListChoicesById(MemberIdOf(memberName), lang, list);
}

void TTolvexObject::GetListChoicesById(int memberId, const std::string& lang, std::vector<std::string>& list)
{
    list.clear();
    if (memberId != 0 && classDefinition_)
        classDefinition_->FillListChoices(memberId, lang, list);
}

bool TTolvexObject::DeleteStringValue(const std::string& memberName, const std::string& lang,
                                      const std::string& value, int index)
{
    return DeleteStringValueById(MemberIdOf(memberName), lang, value, index);
}

bool TTolvexObject::DeleteNumberValue(const std::string& memberName, const std::string& lang, double value,
                                      int index)
{
    return DeleteNumberValueById(MemberIdOf(memberName), lang, value, index);
}

void TTolvexObject::ClearMember(const std::string& memberName, const std::string& lang)
{
    ClearMemberById(MemberIdOf(memberName), lang);
}

void TTolvexObject::ExchangeIndexes(const std::string& memberName, int index1, int index2)
{
    ExchangeIndexesById(MemberIdOf(memberName), index1, index2);
}
