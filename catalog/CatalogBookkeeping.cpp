#include "catalog/CatalogBookkeeping.h"

#include "storage/AbstractCatalog.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/TreeWalk.h"
#include "storage/QueryGuard.h"
#include "common/CommonGui.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/AbstractDBQuery.h"
#include "storage/IdRanges.h"
#include "storage/UnitOfWorkScope.h"

using namespace catalog_sql;
using std::to_string;

namespace {

const char* const kUnsynchronize = "UPDATE Items SET IsSynchronized = 0, DateModified = :DateModified WHERE "
                                   "CatalogCode = :CatalogCode AND ";

}  // namespace

std::string TCatalogBookkeeping::Code() const
{
    return catalog_.GetCatalogCode();
}

TAbstractDBConnection& TCatalogBookkeeping::MainConnection()
{
    return catalog_.GetConnectionFactory().GetConnection();
}

// ---- item state -----------------------------------------------------------------------------

bool TCatalogBookkeeping::IsItemVisible(int itemId, TAbstractDBConnection& connection)
{
    if (itemId == 0)
        return false;
    const std::vector<TVariant> row = FirstRow(
        connection, "SELECT NotVisible FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(itemId),
        Code(), {"NotVisible"});
    return !row.empty() && IntOf(row.front()) != 1;
}

void TCatalogBookkeeping::SetItemVisible(int itemId, bool visible, TAbstractDBConnection& connection)
{
    if (itemId == 0)
        return;
    Exec(connection,
         "UPDATE Items SET NotVisible = :NotVisible, IsSynchronized = 0, DateModified = :CurrentDate WHERE "
         "CatalogCode = :CatalogCode AND LinkedItemId = " + to_string(itemId),
         Code(), {{"NotVisible", visible ? 0 : 1}, {"CurrentDate", Now()}});
}

void TCatalogBookkeeping::TouchItem(TAbstractDBQuery& query, int itemId)
{
    query.SetSQL("UPDATE Items SET DateModified = :CurrentDate WHERE CatalogCode = :CatalogCode AND ItemId = " +
                 to_string(itemId));
    query.SetParam("CurrentDate", Now());
    query.SetParam("CatalogCode", Code());
    query.ExecSQL();
}

void TCatalogBookkeeping::SetUserPriority(int itemId, int flags, TAbstractDBConnection& connection)
{
    // Rows that hold the flags already are left alone: saving an item that
    // did not change writes nothing.
    Exec(connection,
         "UPDATE Items SET UserPriority = " + to_string(flags) + " WHERE CatalogCode = :CatalogCode AND (ItemId = " +
             to_string(itemId) + " OR LinkedItemId = " + to_string(itemId) + ") AND IFNULL(UserPriority, 0) <> " +
             to_string(flags),
         Code());
}

void TCatalogBookkeeping::MarkUnsynchronized(int itemId, int secondId, TAbstractDBConnection& connection,
                                             bool withSubtree)
{
    TWaitCursor wait(gui_);
    // All marked or none: a half-marked tree would be published half.
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    Exec(connection,
         kUnsynchronize + ("(ItemId = " + to_string(itemId) + " OR LinkedItemId = " + to_string(itemId) +
                           " OR LinkedItemId = " + to_string(secondId) + ")"),
         Code(), {{"DateModified", Now()}});
    if (withSubtree)
        MarkChildrenUnsynchronized(itemId, connection);
    unit.Commit();
}

void TCatalogBookkeeping::MarkChildrenUnsynchronized(int itemId, TAbstractDBConnection& connection)
{
    const std::string code = Code();
    // Each level marks all children of an item at once and goes on below the
    // children that have children of their own.
    const auto markLevel = [&](int parentId) {
        Exec(connection, kUnsynchronize + ("ParentItemId = " + to_string(parentId)), code, {{"DateModified", Now()}});
        std::vector<int> parents;
        TQueryGuard query(connection);
        query->SetSQL("SELECT a.ItemId, (SELECT COUNT(*) FROM Items AS b WHERE b.CatalogCode = a.CatalogCode AND "
                      "b.ParentItemId = a.ItemId) AS NumChilds FROM Items AS a WHERE a.CatalogCode = :CatalogCode "
                      "AND a.ParentItemId = " + to_string(parentId));
        query->SetParam("CatalogCode", code);
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            if (IntOf(rows.Field("NumChilds")) > 0)
                parents.push_back(IntOf(rows.Field("ItemId")));
        return parents;
    };
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    TTreeWalk::Descendants(itemId, markLevel);
    unit.Commit();
}

void TCatalogBookkeeping::ChangeCatalogCode(const std::string& newCode, TAbstractDBConnection& connection,
                                            const std::vector<std::string>& tables)
{
    // A catalog split between two codes would be lost to both.
    TUnitOfWorkScope unit(connection);
    for (const std::string& line : tables) {
        const std::string table = line.substr(0, line.find('='));
        unit.Enter(table);
        Exec(connection, "UPDATE " + table + " SET CatalogCode = :NewCatalogCode WHERE CatalogCode = :OldCatalogCode",
             Code(), {{"NewCatalogCode", newCode}, {"OldCatalogCode", Code()}});
    }
    unit.Commit();
}

// ---- settings, log and ids ----------------------------------------------------------------------

std::string TCatalogBookkeeping::GetLocalSetting(const std::string& key)
{
    return ReadLocalSetting(MainConnection(), Code(), key);
}

void TCatalogBookkeeping::SetLocalSetting(const std::string& key, const std::string& value)
{
    WriteLocalSetting(MainConnection(), Code(), key, value);
}

int TCatalogBookkeeping::NewInstanceId(const std::string& catalogCode)
{
    return LocalIdFromSequence(catalog_.GetConnectionFactory().NextSequenceId(catalogCode, kInstanceSequence));
}

std::string TCatalogBookkeeping::ReadLocalSetting(TAbstractDBConnection& connection, const std::string& catalogCode,
                                                  const std::string& key)
{
    return TextOf(FirstField(connection,
                             "SELECT * FROM LocalSettings WHERE CatalogCode = :CatalogCode AND DataKey = :DataKey",
                             catalogCode, "DataValue", {{"DataKey", key}}));
}

void TCatalogBookkeeping::WriteLocalSetting(TAbstractDBConnection& connection, const std::string& catalogCode,
                                            const std::string& key, const std::string& value)
{
    const bool exists = HasRow(connection,
                               "SELECT * FROM LocalSettings WHERE CatalogCode = :CatalogCode AND DataKey = :DataKey",
                               catalogCode, {{"DataKey", key}});
    Exec(connection,
         exists ? "UPDATE LocalSettings SET DataValue = :DataValue WHERE CatalogCode = :CatalogCode AND "
                  "DataKey = :DataKey"
                : "INSERT INTO LocalSettings( CatalogCode, DataKey, DataValue ) VALUES( :CatalogCode, :DataKey, "
                  ":DataValue)",
         catalogCode, {{"DataKey", key}, {"DataValue", value}});
}

void TCatalogBookkeeping::AddLogEntry(TAbstractDBConnection& connection, const std::string& catalogCode,
                                      const std::string& userName, const std::string& description, int logLevel)
{
    Exec(connection,
         "INSERT INTO LocalLog( CatalogCode, ActionDate, LogLevel, UserName, Description ) VALUES( :CatalogCode, "
         ":ActionDate, :LogLevel, :UserName, :Description )",
         catalogCode,
         {{"ActionDate", Now()}, {"LogLevel", logLevel}, {"UserName", userName}, {"Description", description}});
}
