#include "storage/TolvexItem.h"

#include "storage/AbstractDBConnection.h"
#include "storage/ItemFactory.h"
#include "storage/MemberValueText.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObjectContext.h"
#include "storage/TolvexObjectFields.h"
#include "storage/UnitOfWorkScope.h"

#include <algorithm>

TTolvexItem::TTolvexItem(TTolvexItemFactory& factory) : factory_(&factory) {}

TTolvexItem::~TTolvexItem()
{
    objects_.clear();
    ReleaseRemovedInstances();
}

void TTolvexItem::Init(const std::string& catalogCode, int itemId, TAbstractDBConnection& connection)
{
    catalogCode_ = catalogCode;
    itemId_ = itemId;
    connection_ = &connection;
}

TTolvexObjectContext& TTolvexItem::Context() const
{
    return factory_->GetContext();
}

void TTolvexItem::Release()
{
    if (refCount_ > 0 && --refCount_ == 0)
        factory_->NoteUnreferencedItem();
}

// ---- the row ---------------------------------------------------------------------

void TTolvexItem::LoadRow()
{
    if (rowLoaded_)
        return;
    TQueryGuard query(*connection_);
    query->SetSQL("SELECT a.* FROM Items a WHERE a.CatalogCode = :CatalogCode AND a.ItemId = :ItemId");
    query->SetParam("CatalogCode", catalogCode_);
    query->SetParam("ItemId", itemId_);
    TAbstractRecordset& row = query->Open(true);
    if (!row.Eof()) {
        using object_fields::ToInt;
        loadTime_ = TMemberValueText::Now();
        linkedItemId_ = ToInt(row.Field("LinkedItemId"));
        itemType_ = ToInt(row.Field("ItemType"));
        parentItemId_ = ToInt(row.Field("ParentItemId"));
        orderNum_ = ToInt(row.Field("OrderNum"));
        dateModified_ = object_fields::ToDouble(row.Field("DateModified"));
        expandedImageCode_ = object_fields::ToText(row.Field("ExpandedImageCode"));
        collapsedImageCode_ = object_fields::ToText(row.Field("CollapsedImageCode"));
        isVisible_ = ToInt(row.Field("NotVisible")) == 0;
        canDelete_ = ToInt(row.Field("DontDelete")) == 0;
        isSorted_ = ToInt(row.Field("DontSort")) == 0;
        isSynchronized_ = ToInt(row.Field("IsSynchronized")) != 0;
    }
    query->Close();
    rowLoaded_ = true;
}

int TTolvexItem::GetLinkedItemId()
{
    LoadRow();
    return linkedItemId_;
}

int TTolvexItem::GetItemType()
{
    LoadRow();
    return itemType_;
}

int TTolvexItem::GetParentItemId()
{
    LoadRow();
    return parentItemId_;
}

bool TTolvexItem::IsLink()
{
    LoadRow();
    return itemId_ != linkedItemId_;
}

bool TTolvexItem::IsVisible()
{
    LoadRow();
    return isVisible_;
}

bool TTolvexItem::CanDelete()
{
    LoadRow();
    return canDelete_;
}

bool TTolvexItem::IsSorted()
{
    LoadRow();
    return isSorted_;
}

bool TTolvexItem::IsSynchronized()
{
    LoadRow();
    return isSynchronized_;
}

int TTolvexItem::GetStateByte()
{
    return 0;  // no state is kept in a byte: nothing to read from the row
}

// ---- objects ---------------------------------------------------------------------

void TTolvexItem::LoadObjects()
{
    LoadRow();
    if (objectsLoaded_ || linkedItemId_ == 0)
        return;
    TQueryGuard query(*connection_);
    query->SetSQL("SELECT a.* FROM CObjectInstances a WHERE a.CatalogCode = :CatalogCode AND a.ItemId = :ItemId");
    query->SetParam("CatalogCode", catalogCode_);
    query->SetParam("ItemId", linkedItemId_);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        auto object = TTolvexObject::CreateFromItem(Context(), *this, object_fields::ToInt(rows.Field("ClassId")),
                                                    object_fields::ToInt(rows.Field("InstanceId")));
        object->SetCanBeFreed(false);
        objects_.push_back(std::move(object));
    }
    query->Close();
    objectsLoaded_ = true;
}

int TTolvexItem::MaxInstanceId() const
{
    int highest = 0;
    for (const auto& object : objects_)
        highest = std::max(highest, object->GetInstanceId());
    return highest;
}

int TTolvexItem::HighestKnownInstanceId() const
{
    int highest = std::max(maxInstanceId_, MaxInstanceId());
    for (int removed : removedInstances_)
        highest = std::max(highest, removed);
    return highest;
}

TTolvexObject* TTolvexItem::CreateObject(int classId, int parentInstanceId)
{
    if (classId == 0)
        return nullptr;
    LoadObjects();
    // One above every id of the item anywhere: stored, held here, or held
    // pending by another cache; the object factory numbers the same way.
    maxInstanceId_ = Context().PendingInstanceIds().NextAfterHighest(*connection_, catalogCode_, linkedItemId_,
                                                                     HighestKnownInstanceId());
    auto object = TTolvexObject::CreateFromItem(Context(), *this, classId, maxInstanceId_);
    object->SetParentInstanceId(parentInstanceId);
    object->SetCanBeFreed(false);
    object->MarkLoaded();
    object->HoldPendingInstanceId();
    objects_.push_back(std::move(object));
    return objects_.back().get();
}

TTolvexObject* TTolvexItem::CreateObjectByName(const std::string& classXmlTag, int parentInstanceId)
{
    return CreateObject(Context().GetClassId(classXmlTag), parentInstanceId);
}

TTolvexObject* TTolvexItem::FindObject(int classId)
{
    LoadObjects();
    for (const auto& object : objects_)
        if (object->GetClassId() == classId)
            return object.get();
    return nullptr;
}

TTolvexObject* TTolvexItem::FindObjectByName(const std::string& classXmlTag)
{
    return FindObject(Context().GetClassId(classXmlTag));
}

TTolvexObject* TTolvexItem::FindObjectByInstance(int instanceId)
{
    LoadObjects();
    for (const auto& object : objects_)
        if (object->GetInstanceId() == instanceId)
            return object.get();
    return nullptr;
}

void TTolvexItem::DeleteObject(int instanceId)
{
    // Loaded first, so that a later first access cannot bring the object back.
    LoadObjects();
    std::erase_if(objects_, [&](const auto& object) { return object->GetInstanceId() == instanceId; });
    removedInstances_.push_back(instanceId);
    // Until its rows are deleted, the id must not be given to a new object.
    Context().PendingInstanceIds().Reserve(catalogCode_, linkedItemId_, instanceId);
}

void TTolvexItem::GetInstanceIds(int classId, std::vector<std::string>& list)
{
    LoadObjects();
    list.clear();
    for (const auto& object : objects_)
        if (classId == 0 || object->GetClassId() == classId)
            list.push_back(std::to_string(object->GetInstanceId()));
}

// ---- saving ------------------------------------------------------------------------

bool TTolvexItem::HasChanges() const
{
    return !removedInstances_.empty() ||
           std::any_of(objects_.begin(), objects_.end(), [](const auto& object) { return object->IsModified(); });
}

bool TTolvexItem::Save()
{
    return SaveRows(false);
}

bool TTolvexItem::WriteKeepingPending()
{
    return SaveRows(true);
}

void TTolvexItem::ForgetWrittenRemovals()
{
    ReleaseRemovedInstances();
}

bool TTolvexItem::SaveRows(bool keepPending)
{
    if (!rowLoaded_)
        return false;
    bool changed = !removedInstances_.empty();
    bool result = true;
    // Every object of the item is saved, or none is. The unit begins with
    // the first write: an item without changes takes no write lock inside
    // a caller's unit of work.
    TUnitOfWorkScope unit(*connection_);
    const auto enter = [&] { unit.Enter("CObjectInstances"); };
    try {
        for (const auto& object : objects_) {
            if (object->IsModified()) {
                changed = true;
                enter();
            } else if (object->GetParentInstanceId() != 0 && object->IsInstanceRowDue()) {
                // A sub-object without values of its own is still referred to:
                // its instance must exist, or its id could be given away again.
                enter();
                object->SaveInstanceRow();
            }
            if (!object->Save())
                result = false;
        }
        if (!removedInstances_.empty())
            enter();
        for (int instanceId : removedInstances_)
            DeleteInstanceRows(instanceId);
        if (changed)
            TTolvexObject::MarkItemChanged(*connection_, catalogCode_, itemId_, linkedItemId_);
        unit.Commit();
    } catch (...) {
        // The instance rows written by this save are undone with the rest.
        for (const auto& object : objects_)
            object->MarkInstanceRowDirty();
        throw;
    }
    if (keepPending) {
        // The unit may still be rolled back: the rows written here must be
        // looked for again, and the removed instances deleted again.
        for (const auto& object : objects_)
            object->MarkInstanceRowDirty();
        return result;
    }
    if (result)
        ReleaseRemovedInstances();
    return result;
}

void TTolvexItem::ReleaseRemovedInstances()
{
    for (int instanceId : removedInstances_)
        Context().PendingInstanceIds().Release(catalogCode_, linkedItemId_, instanceId);
    removedInstances_.clear();
}

void TTolvexItem::DeleteInstanceRows(int instanceId)
{
    if (linkedItemId_ == 0 || instanceId == 0)
        return;
    TQueryGuard query(*connection_);
    for (const char* table : {"CDates", "CNumbers", "CStrings", "CText", "CBinary", "CObjectInstances"}) {
        query->SetSQL(std::string("DELETE FROM ") + table +
                      " WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND InstanceId = :InstanceId");
        query->SetParam("CatalogCode", catalogCode_);
        query->SetParam("ItemId", linkedItemId_);
        query->SetParam("InstanceId", instanceId);
        query->ExecSQL();
    }
}

// ---- value caches -------------------------------------------------------------------

bool TTolvexItem::HasValueCache()
{
    if (cachingOn_ && cacheStale_)
        LoadValueCaches();
    return hasCache_;
}

const std::vector<TCachedStringValue>& TTolvexItem::GetStringCache()
{
    HasValueCache();
    return stringCache_;
}

const std::vector<TCachedNumberValue>& TTolvexItem::GetNumberCache()
{
    HasValueCache();
    return numberCache_;
}

void TTolvexItem::DropValueCache()
{
    stringCache_.clear();
    numberCache_.clear();
    hasCache_ = false;
    cacheStale_ = true;
}

void TTolvexItem::LoadValueCaches()
{
    DropValueCache();
    if (linkedItemId_ == 0)
        return;
    LoadStringCache("CStrings", "StringValue");
    LoadStringCache("CText", "TextValue");
    LoadNumberCache("CNumbers", "NumberValue");
    LoadNumberCache("CDates", "DateValue");
    cacheStale_ = false;
    hasCache_ = true;
}

namespace {

std::string CacheStatement(const std::string& table)
{
    return "SELECT * FROM " + table + " WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId"
           " ORDER BY CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId";
}

template <class TCached>
TCached CachedKey(const TAbstractRecordset& row)
{
    using object_fields::ToInt;
    TCached cached;
    cached.InstanceId = ToInt(row.Field("InstanceId"));
    cached.ClassId = ToInt(row.Field("ClassId"));
    cached.MemberId = ToInt(row.Field("MemberId"));
    cached.MemberType = ToInt(row.Field("MemberType"));
    cached.IndexId = ToInt(row.Field("IndexId"));
    cached.LangCode = object_fields::ToText(row.Field("LangCode"));
    return cached;
}

}  // namespace

void TTolvexItem::LoadStringCache(const std::string& table, const std::string& valueColumn)
{
    TQueryGuard query(*connection_);
    query->SetSQL(CacheStatement(table));
    query->SetParam("CatalogCode", catalogCode_);
    query->SetParam("ItemId", linkedItemId_);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        TCachedStringValue cached = CachedKey<TCachedStringValue>(rows);
        cached.Value = object_fields::ToText(rows.Field(valueColumn));
        stringCache_.push_back(std::move(cached));
    }
    query->Close();
}

void TTolvexItem::LoadNumberCache(const std::string& table, const std::string& valueColumn)
{
    TQueryGuard query(*connection_);
    query->SetSQL(CacheStatement(table));
    query->SetParam("CatalogCode", catalogCode_);
    query->SetParam("ItemId", linkedItemId_);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        TCachedNumberValue cached = CachedKey<TCachedNumberValue>(rows);
        cached.Value = object_fields::ToDouble(rows.Field(valueColumn));
        numberCache_.push_back(std::move(cached));
    }
    query->Close();
}
