// TTolvexObject: loading and saving the values, the instance id and the
// CObjectInstances row, and sub-objects.
#include "storage/TolvexObject.h"

#include "storage/AbstractCatalog.h"
#include "common/CommonFunctions.h"
#include "common/MemberTypes.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractCItem.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/IdRanges.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObjectContext.h"
#include "storage/TolvexObjectFields.h"
#include "storage/UnitOfWorkScope.h"

namespace {


// Binds the parameters that name the rows of one object. The ids are bound,
// not written into the text, so that the statement is prepared once for all
// objects.
void BindObject(TAbstractDBQuery& query, const std::string& catalogCode, int itemId, int classId, int instanceId)
{
    query.SetParam("CatalogCode", catalogCode);
    query.SetParam("ItemId", itemId);
    query.SetParam("ClassId", classId);
    query.SetParam("InstanceId", instanceId);
}

const char* const kInsertText =
    "( CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, ";
const char* const kInsertValues =
    " ) VALUES( :CatalogCode, :ItemId, :ClassId, :InstanceId, :MemberId, :LangCode, :IndexId, :MemberType, ";

void BindValueKey(TAbstractDBQuery& query, const std::string& catalogCode, int itemId, int classId,
                  int instanceId, const TMemberValue& value)
{
    query.SetParam("CatalogCode", catalogCode);
    query.SetParam("ItemId", itemId);
    query.SetParam("ClassId", classId);
    query.SetParam("InstanceId", instanceId);
    query.SetParam("MemberId", value.MemberId);
    query.SetParam("LangCode", value.LangCode);
    query.SetParam("IndexId", value.IndexId);
    query.SetParam("MemberType", value.MemberType);
}

}  // namespace

// ---- loading -----------------------------------------------------------------------

void TTolvexObject::Load()
{
    modified_ = false;
    stringValues_.clear();
    numberValues_.clear();
    // The row tells the data item even of an object that has no instance
    // yet: its first save must write under the data item, never under a
    // further placement.
    LoadItemRow();
    if (instanceId_ == 0) {
        loaded_ = true;
        return;
    }
    if (ownerItem_ && ownerItem_->HasValueCache()) {
        CopyFromValueCaches();
        loaded_ = true;
        return;
    }
    if (classDefinition_) {
        if (classDefinition_->HasStrings())
            LoadValueTable("CStrings", "StringValue", false);
        if (classDefinition_->HasTexts())
            LoadValueTable("CText", "TextValue", false);
        if (classDefinition_->HasNumbers())
            LoadValueTable("CNumbers", "NumberValue", true);
        if (classDefinition_->HasDates())
            LoadValueTable("CDates", "DateValue", true);
    }
    loaded_ = true;
}

void TTolvexObject::CopyFromValueCaches()
{
    for (const TCachedStringValue& cached : ownerItem_->GetStringCache()) {
        if (cached.InstanceId != instanceId_ || !context_.IsLanguageKept(cached.LangCode))
            continue;
        TMemberStringValue value;
        value.MemberId = cached.MemberId;
        value.MemberType = cached.MemberType;
        value.IndexId = cached.IndexId;
        value.LangCode = NormalLangCode(cached.LangCode);
        value.Value = cached.Value;
        stringValues_.push_back(std::move(value));
    }
    for (const TCachedNumberValue& cached : ownerItem_->GetNumberCache()) {
        if (cached.InstanceId != instanceId_ || !context_.IsLanguageKept(cached.LangCode))
            continue;
        TMemberNumberValue value;
        value.MemberId = cached.MemberId;
        value.MemberType = cached.MemberType;
        value.IndexId = cached.IndexId;
        value.LangCode = NormalLangCode(cached.LangCode);
        value.Value = cached.Value;
        numberValues_.push_back(std::move(value));
    }
}

void TTolvexObject::LoadValueTable(const std::string& table, const std::string& valueColumn, bool numbers)
{
    TQueryGuard query(*connection_);
    query->SetSQL("SELECT * FROM " + table +
                  " WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND ClassId = :ClassId"
                  " AND InstanceId = :InstanceId ORDER BY MemberId, IndexId");
    BindObject(*query, catalogCode_, linkedItemId_, classId_, instanceId_);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        std::string lang = NormalLangCode(object_fields::ToText(rows.Field("LangCode")));
        if (!context_.IsLanguageKept(lang))
            continue;
        const int memberId = object_fields::ToInt(rows.Field("MemberId"));
        const int indexId = object_fields::ToInt(rows.Field("IndexId"));
        const TVariant field = rows.Field(valueColumn);
        if (numbers) {
            TMemberNumberValue value;
            value.MemberId = memberId;
            value.MemberType = MemberType(memberId);
            value.IndexId = indexId;
            value.LangCode = std::move(lang);
            value.Value = object_fields::ToDouble(field);
            numberValues_.push_back(std::move(value));
        } else {
            TMemberStringValue value;
            value.MemberId = memberId;
            value.MemberType = MemberType(memberId);
            value.IndexId = indexId;
            value.LangCode = std::move(lang);
            value.Value = object_fields::ToText(field);
            stringValues_.push_back(std::move(value));
        }
    }
    query->Close();
}

// ---- saving ------------------------------------------------------------------------

bool TTolvexObject::Save()
{
    if (!modified_ || itemId_ == 0)
        return true;
    if (linkedItemId_ == 0)
        linkedItemId_ = itemId_;
    if (ownerItem_)
        ownerItem_->DropValueCache();
    // The rows are deleted and written again: all in one unit, so that a
    // failure half way leaves the stored values as they were.
    TUnitOfWorkScope unit(*connection_);
    unit.Enter("CObjectInstances");
    try {
        WriteRows();
        unit.Commit();
    } catch (...) {
        // The instance row this save wrote is undone with the rest.
        MarkInstanceRowDirty();
        throw;
    }
    // Modified stays set: the object counts as modified until it is loaded again.
    return true;
}

void TTolvexObject::WriteRows()
{
    SaveInstanceRow();
    if (!ownerItem_)
        MarkItemChanged(*connection_, catalogCode_, itemId_, linkedItemId_);
    if (!classDefinition_)
        return;
    if (classDefinition_->HasStrings() || classDefinition_->HasTexts()) {
        if (classDefinition_->HasStrings())
            DeleteValueRows("CStrings");
        if (classDefinition_->HasTexts())
            DeleteValueRows("CText");
        WriteTextRows();
    }
    if (classDefinition_->HasNumbers() || classDefinition_->HasDates()) {
        if (classDefinition_->HasNumbers())
            DeleteValueRows("CNumbers");
        if (classDefinition_->HasDates())
            DeleteValueRows("CDates");
        WriteNumberRows();
    }
}

void TTolvexObject::MarkItemChanged(TAbstractDBConnection& connection, const std::string& catalogCode, int itemId,
                                    int linkedItemId)
{
    // The rows "ItemId = I OR LinkedItemId = L", written so that SQLite
    // finds both kinds by index instead of reading the whole catalog.
    TQueryGuard query(connection);
    query->SetSQL("UPDATE Items SET IsSynchronized = 0, DateModified = :DateModified WHERE CatalogCode = "
                  ":CatalogCode AND ItemId IN (SELECT :ItemId UNION SELECT ItemId FROM Items "
                  "WHERE CatalogCode = :CatalogCode AND LinkedItemId = :LinkedItemId)");
    query->SetParam("DateModified", TDateTime{TMemberValueText::Now()});
    query->SetParam("CatalogCode", catalogCode);
    query->SetParam("ItemId", itemId);
    query->SetParam("LinkedItemId", linkedItemId);
    query->ExecSQL();
}

void TTolvexObject::DeleteValueRows(const std::string& table)
{
    TQueryGuard query(*connection_);
    query->SetSQL("DELETE FROM " + table +
                  " WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND ClassId = :ClassId"
                  " AND InstanceID = :InstanceId");
    BindObject(*query, catalogCode_, linkedItemId_, classId_, instanceId_);
    query->ExecSQL();
}

void TTolvexObject::WriteTextRows()
{
    // One query per table, so that each keeps its prepared statement.
    TQueryGuard strings(*connection_);
    TQueryGuard texts(*connection_);
    strings->SetSQL(std::string("INSERT INTO CStrings") + kInsertText + "StringValue" + kInsertValues +
                    ":StringValue )");
    texts->SetSQL(std::string("INSERT INTO CText") + kInsertText + "TextValue" + kInsertValues + ":StringValue )");
    for (const TMemberStringValue& value : stringValues_) {
        const bool isText = value.MemberType > kLastStringMemberType;
        // Only into a table this save has emptied, so that no row is written twice.
        if (value.Value.empty() || !(isText ? classDefinition_->HasTexts() : classDefinition_->HasStrings()))
            continue;
        TAbstractDBQuery& query = isText ? *texts : *strings;
        BindValueKey(query, catalogCode_, linkedItemId_, classId_, instanceId_, value);
        query.SetParam("StringValue", TCommonFunctions::AnsiToWide(value.Value));
        query.ExecSQL();
    }
}

void TTolvexObject::WriteNumberRows()
{
    TQueryGuard numbers(*connection_);
    TQueryGuard dates(*connection_);
    numbers->SetSQL(std::string("INSERT INTO CNumbers") + kInsertText + "NumberValue" + kInsertValues +
                    ":NumberValue )");
    dates->SetSQL(std::string("INSERT INTO CDates") + kInsertText + "DateValue" + kInsertValues + ":DateValue )");
    for (const TMemberNumberValue& value : numberValues_) {
        const bool isDate = value.MemberType > kLastFloatMemberType;
        if (value.Value == 0 || !(isDate ? classDefinition_->HasDates() : classDefinition_->HasNumbers()))
            continue;
        TAbstractDBQuery& query = isDate ? *dates : *numbers;
        BindValueKey(query, catalogCode_, linkedItemId_, classId_, instanceId_, value);
        if (isDate)
            query.SetParam("DateValue", TDateTime{value.Value});
        else
            query.SetParam("NumberValue", value.Value);
        query.ExecSQL();
    }
}

// ---- instance id and row -------------------------------------------------------------

bool TTolvexObject::InstanceRowExists(int instanceId) const
{
    return TTolvexObjectInstanceIds::IsStored(*connection_, catalogCode_, linkedItemId_, instanceId);
}

// The next "Instance" number plus 1000000 that no object of the item has:
// an item may already hold such an id, numbered as its highest plus 1.
int TTolvexObject::DrawFreeInstanceId()
{
    // The open catalog's sequences serve its own objects only: an object of
    // another catalog (one being created, say) draws from its own database.
    TAbstractCatalog* catalog = context_.GetOpenCatalog();
    const bool ofOpenCatalog = catalog && catalog->GetCatalogCode() == catalogCode_;
    auto draw = [&] {
        const int number = ofOpenCatalog
                               ? catalog->GetConnectionFactory().NextSequenceId(catalogCode_, kInstanceSequence)
                               : connection_->NextSequenceId(catalogCode_, kInstanceSequence);
        return LocalIdFromSequence(number);
    };
    return context_.PendingInstanceIds().DrawFree(draw, *connection_, catalogCode_, linkedItemId_);
}

void TTolvexObject::EnsureInstanceId()
{
    if (instanceId_ != 0)
        return;
    instanceRowDirty_ = true;
    instanceId_ = DrawFreeInstanceId();
    // Until its row is written, no other route may number an object with it.
    HoldPendingInstanceId();
}

void TTolvexObject::SaveInstanceRow()
{
    if (!IsInstanceRowDue())
        return;
    if (instanceId_ != 0) {
        if (InstanceRowExists(instanceId_))
            return;
    } else {
        EnsureInstanceId();
    }
    TQueryGuard query(*connection_);
    query->SetSQL("INSERT INTO CObjectInstances( CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId ) "
                  "VALUES( :CatalogCode, :ItemId, :ClassId, :ParentInstanceId, :InstanceId )");
    BindObject(*query, catalogCode_, linkedItemId_, classId_, instanceId_);
    query->SetParam("ParentInstanceId", parentInstanceId_);
    query->ExecSQL();
    instanceRowDirty_ = false;
}

// ---- clearing and sub-objects ----------------------------------------------------------

void TTolvexObject::ClearAll()
{
    // The object is known to be empty now: a later access must not load the
    // stored values back.
    if (!loaded_)
        LoadItemRow();
    loaded_ = true;
    stringValues_.clear();
    numberValues_.clear();
    if (!classDefinition_ || !classDefinition_->HasBinary())
        return;
    TQueryGuard query(*connection_);
    query->SetSQL("DELETE FROM CBinary WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId"
                  " AND ClassId = :ClassId AND InstanceId = :InstanceId");
    BindObject(*query, catalogCode_, linkedItemId_, classId_, instanceId_);
    query->ExecSQL();
}

bool TTolvexObject::DeleteSubObject(int instanceId)
{
    if (instanceId == 0)
        return true;
    TQueryGuard query(*connection_);
    query->SetSQL("SELECT * FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId "
                  "AND ParentInstanceId = :ParentInstanceId");
    query->SetParam("CatalogCode", catalogCode_);
    query->SetParam("ItemId", linkedItemId_);
    query->SetParam("ParentInstanceId", instanceId);
    const bool hasSubObjects = !query->Open(true).Eof();
    query->Close();
    if (hasSubObjects)
        return false;
    query->SetSQL("SELECT COUNT(*) AS NumCount FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId "
                  "AND MemberType = " + std::to_string(kSubObjectMemberType) + " AND NumberValue = :InstanceId");
    query->SetParam("CatalogCode", catalogCode_);
    query->SetParam("ItemId", linkedItemId_);
    query->SetParam("InstanceId", instanceId);
    const int references = object_fields::ToInt(query->Open(true).Field("NumCount"));
    query->Close();
    if (references >= 2)
        return false;
    TUnitOfWorkScope unit(*connection_);
    unit.Enter("CObjectInstances");
    for (const char* table : {"CStrings", "CText", "CNumbers", "CDates", "CBinary", "CObjectInstances"}) {
        query->SetSQL(std::string("DELETE FROM ") + table +
                      " WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND InstanceId = :InstanceId");
        query->SetParam("CatalogCode", catalogCode_);
        query->SetParam("ItemId", linkedItemId_);
        query->SetParam("InstanceId", instanceId);
        query->ExecSQL();
    }
    unit.Commit();
    return true;
}

TAbstractCObject* TTolvexObject::AddSubObject(const std::string& memberName, const std::string& classXmlTag,
                                              const std::string& lang)
{
    const int memberId = MemberIdOf(memberName);
    if (memberId == 0 || MemberType(memberId) != kSubObjectMemberType)
        return nullptr;
    const int subClassId = context_.GetClassId(classXmlTag);
    if (subClassId == 0)
        return nullptr;
    LoadIfNeeded();
    EnsureInstanceId();
    TAbstractCObject* subObject = nullptr;
    if (ownerItem_) {
        subObject = ownerItem_->CreateObject(subClassId, instanceId_);
    } else {
        TTolvexObjectFactory factory(context_);
        subObject = factory.CreateObjectTyped(linkedItemId_, subClassId, instanceId_, *connection_, catalogCode_).release();
    }
    if (subObject)
        SetNumberById(memberId, lang, subObject->GetInstanceId(), -1);
    return subObject;
}
