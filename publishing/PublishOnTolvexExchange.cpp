// The exchange of items with the hosting service: copy to the host, copy
// from the host, the two-way merge with its deletion lists, and emptying
// either side. Items travel whole, in record-set packets.
#include "publishing/PublishOnTolvex.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/Tolvex.h"
#include "common/Exceptions.h"
#include "storage/GlobalDefinition.h"
#include "storage/QueryGuard.h"
#include "storage/RecordsetToXml.h"
#include "storage/RecordsetXmlContext.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

using catalog_sql::IntOf;
using std::to_string;

namespace {

constexpr int kCatalogTypeItemId = 604;
constexpr int kUsersClassId = 602;
constexpr double kSecondsPerDay = 86400.0;

// A date field as a day number; nothing for Null.
std::optional<double> DaysOf(const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::DateTime:
        return value.AsDateTime().days;
    case TVariantKind::Float:
        return value.AsFloat();
    case TVariantKind::Integer:
        return static_cast<double>(value.AsInteger());
    default:
        return std::nullopt;
    }
}

// Local and host dates of one item, in seconds apart (local minus host).
double SecondsApart(const TVariant& local, const TVariant& host)
{
    return (DaysOf(local).value_or(0) - DaysOf(host).value_or(0)) * kSecondsPerDay;
}

std::string IdList(const std::vector<int>& ids)
{
    std::string list;
    for (int id : ids)
        list += (list.empty() ? "" : ", ") + to_string(id);
    return list;
}

}  // namespace

// A packet being filled: the record-set writer (made with the first item),
// the items whose rows it carries, and the estimated size of the items it asks for.
struct TPublishOnTolvex::TPacket {
    std::unique_ptr<TRecordsetToXml> writer;
    std::vector<int> itemIds;
    std::int64_t requestedSize = 0;
    int requestedItems = 0;

    bool HasActions() const { return writer && writer->GetActionCount() > 0; }
    void Reset()
    {
        writer.reset();
        itemIds.clear();
        requestedSize = 0;
        requestedItems = 0;
    }
};

// ---- names ---------------------------------------------------------------------------------------

std::string TPublishOnTolvex::ItemName(int itemId)
{
    TCatalogData* open = OpenCatalog();
    std::string name = open->GetItemName(itemId, connection_, open->GetDefaultLangCode());
    if (name.empty())
        name = Root()->GlobalDefinition().GetItemIdName(itemId);
    return name.empty() ? to_string(itemId) : name;
}

std::string TPublishOnTolvex::ItemTypeDescription(int itemType)
{
    return Root()->GlobalDefinition().GetItemTypeDescription(itemType);
}

// ---- filling packets ----------------------------------------------------------------------------

void TPublishOnTolvex::AddItemRecords(int itemId, int itemType, TPacket& packet)
{
    if (cancelled_)
        return;
    WriteLog(Format("Preparing item $1 ($2)", {ItemName(itemId), ItemTypeDescription(itemType)}));
    if (!packet.writer)
        packet.writer = NewPacket(connection_);
    for (const std::string& table : ItemTables()) {
        packet.writer->AddKeyAction(table, "delete", "ItemId", to_string(itemId));
        TQueryGuard query(connection_);
        query->SetSQL("SELECT * FROM " + table + " WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(itemId));
        query->SetParam("CatalogCode", catalogCode_);
        packet.writer->AddRecordset(table, "insert", query->Open(true));
    }
    // Marked synchronised once the host accepted the packet (SendUploadPacket).
    packet.itemIds.push_back(itemId);
}

void TPublishOnTolvex::AddDeleteItem(int itemId, TRecordsetToXml& packet)
{
    for (const std::string& table : ItemTables())
        packet.AddKeyAction(table, "delete", "ItemId", to_string(itemId));
}

void TPublishOnTolvex::RequestItem(int itemId, TPacket& packet)
{
    if (cancelled_)
        return;
    WriteLog(Format("Request item ($1)", {ItemName(itemId)}));
    if (!packet.writer)
        packet.writer = NewPacket(connection_);
    for (const std::string& table : ItemTables())
        packet.writer->AddKeyAction(table, "requestupdate", "ItemId", to_string(itemId));
}

// ---- sending packets ----------------------------------------------------------------------------

bool TPublishOnTolvex::SendPacketOnce(TRecordsetToXml& packet)
{
    BeginRequest();
    AddField("action", "xmldata");
    std::ostringstream bytes;
    packet.SaveToStream(bytes, true);
    WriteDataPart("xmldata", bytes.str());
    return Send();
}

bool TPublishOnTolvex::SendUploadPacket(TPacket& packet)
{
    bool accepted = false;
    const TStepEnd end = RunStep(
        [&] {
            BeginRequest();
            AddField("action", "xmldata");
            std::ostringstream bytes;
            packet.writer->SaveToStream(bytes, true);
            WriteDataPart("xmldata", bytes.str());
            WriteLog(Tr("Uploading/Downloading data"));
            accepted = Send();
            return true;
        },
        Tr("The data could not be sent to the host"));
    if (end != TStepEnd::Done)
        return false;  // ignored: the actions travel with the next packet
    dataSent_ = true;
    if (accepted && !packet.itemIds.empty()) {
        catalog_sql::Exec(connection_,
                          "UPDATE Items SET IsSynchronized = 1 WHERE CatalogCode = :CatalogCode AND ItemId IN (" +
                              IdList(packet.itemIds) + ")",
                          catalogCode_);
    } else if (!accepted) {
        WriteLog(Format("The host refused $1 item(s)", {to_string(packet.itemIds.size())}), 3);
        itemsLeftUnsent_ = true;
        ++errorCount_;
    }
    CommitLocalIfImmediate();
    packet.Reset();
    return true;
}

TPublishOnTolvex::TStepEnd TPublishOnTolvex::SendDownloadPacket(TRecordsetToXml& packet,
                                                                TAbstractDBConnection& connection, std::uint8_t mode,
                                                                const std::vector<std::string>& tables)
{
    const std::vector<std::string>& allowed = tables.empty() ? ItemTables() : tables;
    bool applied = false;
    const TStepEnd end = RunStep(
        [&] {
            BeginRequest();
            if (request_.Field("postponded").empty())
                AddField("postponded", "no");
            AddField("action", "xmldata");
            std::ostringstream bytes;
            packet.SaveToStream(bytes, true);
            WriteDataPart("xmldata", bytes.str());
            WriteLog(Tr("Uploading/Downloading data"));
            applied = Send() && ApplyReply(connection, mode, allowed);
            if (applied && &connection == &connection_)
                CommitLocalIfImmediate();
            return true;
        },
        Tr("The data could not be received from the host"));
    if (end == TStepEnd::Done && !applied) {
        // Nothing of what was asked for arrived: the run must not end as a success.
        WriteLog(Tr("The host sent no data for the request"), 3);
        ++errorCount_;
    }
    return end;
}

void TPublishOnTolvex::SendLastDownloadPacket(TPacket& packet)
{
    if (!packet.HasActions() || cancelled_)
        return;
    if (SendDownloadPacket(*packet.writer, connection_, kRecordsetReadCatalog) == TStepEnd::Ignored)
        ++errorCount_;  // what it asked for never arrived
    packet.Reset();
}

// ---- copy to the host ---------------------------------------------------------------------------

void TPublishOnTolvex::UploadItems(bool everyItem, bool mergeRule)
{
    struct TRow {
        int itemId;
        int itemType;
        bool hasSyncRow;
        double apart;
    };
    std::vector<TRow> rows;
    {
        TQueryGuard query(connection_);
        query->SetSQL("SELECT a.ItemId, a.ItemType, b.ItemId AS SyncItemId, a.DateModified, b.DateModified AS "
                      "SyncDateModified FROM Items AS a LEFT JOIN SyncItems AS b ON ((a.ItemId = b.ItemId) AND "
                      "(a.CatalogCode = b.CatalogCode)) WHERE a.CatalogCode = :CatalogCode ORDER BY a.ItemId");
        query->SetParam("CatalogCode", catalogCode_);
        for (TAbstractRecordset& found = query->Open(true); !found.Eof(); found.Next())
            rows.push_back({IntOf(found.Field("ItemId")), IntOf(found.Field("ItemType")),
                            !found.Field("SyncItemId").IsNull(),
                            SecondsApart(found.Field("DateModified"), found.Field("SyncDateModified"))});
    }
    TPacket packet;
    for (const TRow& row : rows) {
        if (cancelled_)
            return;
        bool send = everyItem || !row.hasSyncRow;
        if (!send)
            send = mergeRule ? row.apart > kToleranceSeconds : std::abs(row.apart) > kToleranceSeconds;
        if (!send)
            continue;
        AddItemRecords(row.itemId, row.itemType, packet);
        if (!bulkSend_ || packet.writer->GetEstimatedSize() > packetSize_)
            SendUploadPacket(packet);
    }
    if (packet.HasActions() && !cancelled_ && !SendUploadPacket(packet) && !cancelled_) {
        // The last packet was ignored: its items did not reach the host.
        itemsLeftUnsent_ = true;
        ++errorCount_;
    }
}

void TPublishOnTolvex::UploadChanges()
{
    if (cancelled_)
        return;
    UploadItems(HasOption(soDeleteHost), false);
    if (cancelled_)
        return;
    DeleteHostItemsWithoutLocalItem();
}

void TPublishOnTolvex::DeleteHostItemsWithoutLocalItem()
{
    const std::vector<TVariant> ids = catalog_sql::Column(
        connection_,
        "SELECT a.ItemId FROM SyncItems AS a LEFT JOIN Items AS b ON (a.ItemId = b.ItemId) AND (a.CatalogCode = "
        "b.CatalogCode) WHERE a.CatalogCode = :CatalogCode AND b.ItemId IS NULL",
        catalogCode_, "ItemId");
    if (ids.empty())
        return;
    std::unique_ptr<TRecordsetToXml> packet = NewPacket(connection_);
    for (const TVariant& id : ids)
        AddDeleteItem(IntOf(id), *packet);
    dataSent_ = true;
    if (!SendPacketOnce(*packet))
        ++errorCount_;
}

// ---- copy from the host -------------------------------------------------------------------------

void TPublishOnTolvex::DeleteLocalItem(int itemId)
{
    Root()->Catalog().DeleteItem(itemId, catalogCode_, connection_, false, false, TDeleteChildren::Cascade);
}

std::vector<int> TPublishOnTolvex::ItemsToFetch(bool everyItem, bool mergeRule)
{
    std::vector<int> ids;
    TQueryGuard query(connection_);
    query->SetSQL("SELECT a.ItemId AS SyncItemId, b.ItemId AS ItemId, a.DateModified AS SyncDateModified, "
                  "b.DateModified AS DateModified FROM SyncItems AS a LEFT JOIN Items AS b ON (a.ItemId = b.ItemId) "
                  "AND (a.CatalogCode = b.CatalogCode) WHERE a.CatalogCode = :CatalogCode ORDER BY a.ItemId");
    query->SetParam("CatalogCode", catalogCode_);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        const bool hasLocal = !rows.Field("ItemId").IsNull();
        const double apart = SecondsApart(rows.Field("DateModified"), rows.Field("SyncDateModified"));
        bool fetch = everyItem || !hasLocal;
        if (!fetch)
            fetch = mergeRule ? -apart > kToleranceSeconds : std::abs(apart) > kToleranceSeconds;
        if (fetch)
            ids.push_back(IntOf(rows.Field("SyncItemId")));
    }
    return ids;
}

void TPublishOnTolvex::DownloadChanges()
{
    // Safe only because the run stopped before here unless the host's list
    // was applied in this run (RefreshSyncTables).
    const std::vector<TVariant> missing = catalog_sql::Column(
        connection_,
        "SELECT a.ItemId FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND a.ItemId NOT IN (SELECT b.ItemId "
        "FROM SyncItems AS b WHERE b.CatalogCode = :CatalogCode)",
        catalogCode_, "ItemId");
    for (const TVariant& id : missing) {
        if (cancelled_)
            return;
        DeleteLocalItem(IntOf(id));
    }

    std::vector<int> ids = ItemsToFetch(HasOption(soDeleteLocal), false);
    // The catalog-type item comes last: what it names must be there first.
    const auto catalogType = std::find(ids.begin(), ids.end(), kCatalogTypeItemId);
    if (catalogType != ids.end()) {
        ids.erase(catalogType);
        ids.push_back(kCatalogTypeItemId);
    }
    TPacket packet;
    for (int id : ids) {
        if (cancelled_)
            return;
        RequestItem(id, packet);
        const auto size = itemSizes_.find(id);
        packet.requestedSize += (size == itemSizes_.end() ? 0 : size->second) + kItemOverhead;
        // An ignored packet keeps its requests: they go with the next one.
        if ((!bulkSend_ || packet.requestedSize >= packetSize_) &&
            SendDownloadPacket(*packet.writer, connection_, kRecordsetReadCatalog) == TStepEnd::Done)
            packet.Reset();
    }
    SendLastDownloadPacket(packet);
}

// ---- the merge ----------------------------------------------------------------------------------

bool TPublishOnTolvex::GetTable(const std::string& table)
{
    bool applied = false;
    const TStepEnd end = RunStep(
        [&] {
            BeginRequest();
            AddField("action", "gettable");
            AddField("table", table);
            applied = Send() && ApplyReply(connection_, kRecordsetReadCatalog, {table});
            if (applied)
                CommitLocalIfImmediate();
            return true;
        },
        Tr("The host's table could not be read"));
    return end == TStepEnd::Done && applied;
}

void TPublishOnTolvex::SendDeletions()
{
    std::unique_ptr<TRecordsetToXml> packet = NewPacket(connection_);
    std::vector<int> ids;
    {
        TQueryGuard query(connection_);
        query->SetSQL("SELECT * FROM DeletedItems WHERE CatalogCode = :CatalogCode ORDER BY ItemId");
        query->SetParam("CatalogCode", catalogCode_);
        packet->AddRecordset("HostDeletedItems", "update", query->Open(true));
    }
    for (const TVariant& id : catalog_sql::Column(
             connection_, "SELECT ItemId FROM DeletedItems WHERE CatalogCode = :CatalogCode ORDER BY ItemId",
             catalogCode_, "ItemId"))
        ids.push_back(IntOf(id));
    if (ids.empty())
        return;
    for (int id : ids)
        AddDeleteItem(id, *packet);
    bool accepted = false;
    const TStepEnd end = RunStep(
        [&] {
            accepted = SendPacketOnce(*packet);
            return true;
        },
        Tr("The deletions could not be sent to the host"));
    if (end != TStepEnd::Done)
        return;
    dataSent_ = true;
    if (accepted) {
        sentDeletions_ = ids;
    } else {
        WriteLog(Tr("The host refused the deletions"), 3);
        ++errorCount_;
    }
}

void TPublishOnTolvex::ForgetSentDeletions()
{
    // The host has committed them: the tombstones have done their work.
    if (sentDeletions_.empty())
        return;
    catalog_sql::Exec(connection_,
                      "DELETE FROM DeletedItems WHERE CatalogCode = :CatalogCode AND ItemId IN (" +
                          IdList(sentDeletions_) + ")",
                      catalogCode_);
    sentDeletions_.clear();
}

void TPublishOnTolvex::DeleteItemsTheHostDeleted()
{
    struct TRow {
        int itemId;
        int itemType;
        double apart;  // local change after the host's deletion, in seconds
    };
    std::vector<TRow> rows;
    {
        TQueryGuard query(connection_);
        query->SetSQL("SELECT a.ItemId, a.ItemType, a.DateModified, b.DateModified AS DeletedDate FROM Items AS a, "
                      "HostDeletedItems AS b WHERE a.CatalogCode = :CatalogCode AND b.CatalogCode = a.CatalogCode "
                      "AND a.ItemId = b.ItemId ORDER BY a.ItemId");
        query->SetParam("CatalogCode", catalogCode_);
        for (TAbstractRecordset& found = query->Open(true); !found.Eof(); found.Next()) {
            const TVariant deleted = found.Field("DeletedDate");
            rows.push_back({IntOf(found.Field("ItemId")), IntOf(found.Field("ItemType")),
                            deleted.IsNull() ? 0.0 : SecondsApart(found.Field("DateModified"), deleted)});
        }
    }
    std::vector<TRow> pending;
    for (const TRow& row : rows) {
        if (row.apart > kToleranceSeconds)
            WriteLog(Format("Item $1 ($2) was deleted on the host but changed here afterwards: it is kept",
                            {ItemName(row.itemId), ItemTypeDescription(row.itemType)}));
        else
            pending.push_back(row);
    }
    // Children before their parents; an item that still has items below it
    // (kept ones, or new ones made here) stays, with its children.
    bool progress = true;
    while (progress && !pending.empty() && !cancelled_) {
        progress = false;
        std::vector<TRow> refused;
        for (const TRow& row : pending) {
            if (cancelled_)
                return;
            if (Root()->IsAdvancedMode())
                WriteLog(Format("Deleting item $1 ($2)", {ItemName(row.itemId), ItemTypeDescription(row.itemType)}));
            if (Root()->Catalog().DeleteItem(row.itemId, catalogCode_, connection_, false, false,
                                             TDeleteChildren::Refuse))
                progress = true;
            else
                refused.push_back(row);
        }
        pending = std::move(refused);
    }
    for (const TRow& row : pending)
        WriteLog(Format("Item $1 ($2) was deleted on the host but has items below it here: it is kept",
                        {ItemName(row.itemId), ItemTypeDescription(row.itemType)}));
}

void TPublishOnTolvex::MergeChanges()
{
    if (cancelled_)
        return;
    catalog_sql::Exec(connection_, "DELETE FROM HostDeletedItems WHERE CatalogCode = :CatalogCode", catalogCode_);
    GetTable("HostDeletedItems");
    if (cancelled_)
        return;
    SendDeletions();
    if (cancelled_)
        return;
    DeleteItemsTheHostDeleted();
    CommitLocalIfImmediate();
    if (cancelled_)
        return;
    // The items deleted here are not fetched back; the tombstones stay until
    // the host has committed the deletions (ForgetSentDeletions).
    catalog_sql::Exec(connection_,
                      "DELETE FROM SyncItems WHERE CatalogCode = :CatalogCode AND ItemId IN (SELECT b.ItemId FROM "
                      "DeletedItems AS b WHERE b.CatalogCode = :CatalogCode)",
                      catalogCode_);
    CommitLocalIfImmediate();

    UploadItems(false, true);
    if (cancelled_)
        return;

    TPacket packet;
    for (int id : ItemsToFetch(false, true)) {
        if (cancelled_)
            return;
        RequestItem(id, packet);
        ++packet.requestedItems;
        if ((!bulkSend_ || packet.requestedItems >= kMergeDownloadItems) &&
            SendDownloadPacket(*packet.writer, connection_, kRecordsetReadCatalog) == TStepEnd::Done)
            packet.Reset();
    }
    SendLastDownloadPacket(packet);
}

// ---- emptying either side -----------------------------------------------------------------------

void TPublishOnTolvex::ClearHostCatalog()
{
    std::unique_ptr<TRecordsetToXml> packet = NewPacket(connection_);
    for (const char* table :
         {"CStrings", "CNumbers", "CText", "CBinary", "CDates", "CObjectInstances", "Items", "HostDeletedItems"})
        packet->AddKeyAction(table, "delete", "CatalogCode", catalogCode_);
    {
        TQueryGuard query(connection_);
        query->SetSQL("SELECT * FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = " +
                      to_string(kUsersClassId));
        query->SetParam("CatalogCode", catalogCode_);
        packet->AddRecordset("CStrings", "insert", query->Open(true));
    }
    dataSent_ = dataSent_ || packet->GetActionCount() > 0;
    if (!SendPacketOnce(*packet))
        ++errorCount_;
}

void TPublishOnTolvex::ClearLocalCatalog()
{
    for (const char* table : {"CStrings", "CNumbers", "CText", "CBinary", "CDates", "CObjectInstances", "Items",
                              "DeletedItems", "HostDeletedItems"})
        catalog_sql::Exec(connection_, std::string("DELETE FROM ") + table + " WHERE CatalogCode = :CatalogCode",
                          catalogCode_);
}
