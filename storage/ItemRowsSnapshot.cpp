#include "storage/ItemRowsSnapshot.h"

#include "storage/AbstractDBConnection.h"
#include "storage/QueryGuard.h"
#include "storage/SqlIdentifier.h"
#include "storage/UnitOfWorkScope.h"

namespace {

// The tables that hold an item: its tree row, its objects and their values.
const char* const kItemTables[] = {"Items", "CObjectInstances", "CStrings", "CText", "CNumbers", "CDates", "CBinary"};

// ":I0, :I1, ..." for the item ids, bound one by one.
std::string IdParameters(std::size_t count)
{
    std::string list;
    for (std::size_t i = 0; i < count; ++i)
        list += (i ? ", :I" : ":I") + std::to_string(i);
    return list;
}

void BindIds(TAbstractDBQuery& query, const std::string& catalogCode, const std::vector<int>& itemIds)
{
    query.SetParam("CatalogCode", catalogCode);
    for (std::size_t i = 0; i < itemIds.size(); ++i)
        query.SetParam("I" + std::to_string(i), itemIds[i]);
}

std::string ItemCondition(std::size_t count)
{
    return " WHERE CatalogCode = :CatalogCode AND ItemId IN (" + IdParameters(count) + ")";
}

}  // namespace

TItemRowsSnapshot TItemRowsSnapshot::Take(TAbstractDBConnection& connection, const std::string& catalogCode,
                                          const std::vector<int>& itemIds)
{
    TItemRowsSnapshot snapshot;
    snapshot.catalogCode_ = catalogCode;
    snapshot.itemIds_ = itemIds;
    if (itemIds.empty())
        return snapshot;
    for (const char* table : kItemTables) {
        TTable rows{table, {}, {}};
        TQueryGuard query(connection);
        query->SetSQL("SELECT * FROM " + QuoteSqlIdentifier(table) + ItemCondition(itemIds.size()));
        BindIds(*query, catalogCode, itemIds);
        TAbstractRecordset& records = query->Open(true);
        for (int i = 0; i < records.FieldCount(); ++i)
            rows.columns.push_back(records.FieldName(i));
        for (; !records.Eof(); records.Next()) {
            std::vector<TVariant> values;
            values.reserve(rows.columns.size());
            for (int i = 0; i < records.FieldCount(); ++i)
                values.push_back(records.Field(i));
            rows.rows.push_back(std::move(values));
        }
        snapshot.tables_.push_back(std::move(rows));
    }
    return snapshot;
}

void TItemRowsSnapshot::Restore(TAbstractDBConnection& connection) const
{
    if (itemIds_.empty())
        return;
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    for (const TTable& table : tables_) {
        {
            TQueryGuard query(connection);
            query->SetSQL("DELETE FROM " + QuoteSqlIdentifier(table.name) + ItemCondition(itemIds_.size()));
            BindIds(*query, catalogCode_, itemIds_);
            query->ExecSQL();
        }
        if (table.rows.empty())
            continue;
        std::string columns;
        std::string values;
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            columns += (i ? ", " : "") + QuoteSqlIdentifier(table.columns[i]);
            values += (i ? ", :V" : ":V") + std::to_string(i);
        }
        const std::string insert =
            "INSERT INTO " + QuoteSqlIdentifier(table.name) + " (" + columns + ") VALUES (" + values + ")";
        for (const std::vector<TVariant>& row : table.rows) {
            TQueryGuard query(connection);
            query->SetSQL(insert);
            for (std::size_t i = 0; i < row.size(); ++i)
                query->SetParam("V" + std::to_string(i), row[i]);
            query->ExecSQL();
        }
    }
    unit.Commit();
}
