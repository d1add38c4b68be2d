#include "storage/TolvexObjectInstanceIds.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObjectFields.h"

#include <algorithm>

namespace {

// How often a drawn number may turn out to be taken already.
constexpr int kDrawAttempts = 1000;

}  // namespace

TTolvexObjectInstanceIds::TKey TTolvexObjectInstanceIds::Key(const std::string& catalogCode, int itemId)
{
    return {common_detail::LowerCase(catalogCode), itemId};
}

void TTolvexObjectInstanceIds::Reserve(const std::string& catalogCode, int itemId, int instanceId)
{
    reserved_[Key(catalogCode, itemId)].insert(instanceId);
}

void TTolvexObjectInstanceIds::Release(const std::string& catalogCode, int itemId, int instanceId)
{
    const auto item = reserved_.find(Key(catalogCode, itemId));
    if (item == reserved_.end())
        return;
    const auto id = item->second.find(instanceId);
    if (id != item->second.end())
        item->second.erase(id);
    if (item->second.empty())
        reserved_.erase(item);
}

bool TTolvexObjectInstanceIds::IsReserved(const std::string& catalogCode, int itemId, int instanceId) const
{
    const auto item = reserved_.find(Key(catalogCode, itemId));
    return item != reserved_.end() && item->second.count(instanceId) > 0;
}

int TTolvexObjectInstanceIds::Highest(const std::string& catalogCode, int itemId) const
{
    const auto item = reserved_.find(Key(catalogCode, itemId));
    return item == reserved_.end() || item->second.empty() ? 0 : *item->second.rbegin();
}

int TTolvexObjectInstanceIds::HighestStored(TAbstractDBConnection& connection, const std::string& catalogCode,
                                            int itemId)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT MAX(InstanceId) AS MaxInstanceId FROM CObjectInstances WHERE CatalogCode = "
                  ":CatalogCode AND ItemId = :ItemId");
    query->SetParam("CatalogCode", catalogCode);
    query->SetParam("ItemId", itemId);
    TAbstractRecordset& rows = query->Open(true);
    const int highest = rows.Eof() ? 0 : object_fields::ToInt(rows.Field("MaxInstanceId"));
    query->Close();
    return highest;
}

bool TTolvexObjectInstanceIds::IsStored(TAbstractDBConnection& connection, const std::string& catalogCode,
                                        int itemId, int instanceId)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT * FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId"
                  " AND InstanceId = :InstanceId");
    query->SetParam("CatalogCode", catalogCode);
    query->SetParam("ItemId", itemId);
    query->SetParam("InstanceId", instanceId);
    const bool stored = !query->Open(true).Eof();
    query->Close();
    return stored;
}

int TTolvexObjectInstanceIds::NextAfterHighest(TAbstractDBConnection& connection, const std::string& catalogCode,
                                               int itemId, int known) const
{
    return std::max({HighestStored(connection, catalogCode, itemId), Highest(catalogCode, itemId), known}) + 1;
}

int TTolvexObjectInstanceIds::DrawFree(const std::function<int()>& draw, TAbstractDBConnection& connection,
                                       const std::string& catalogCode, int itemId) const
{
    for (int attempt = 0; attempt < kDrawAttempts; ++attempt) {
        const int id = draw();
        if (!IsReserved(catalogCode, itemId, id) && !IsStored(connection, catalogCode, itemId, id))
            return id;
    }
    throw ECriticalTolvexException("No free object instance id in item " + std::to_string(itemId));
}
