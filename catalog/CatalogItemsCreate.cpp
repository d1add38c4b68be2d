// Creating items: a fresh id (given, from a range, or from the catalog's
// sequence "Items") and an order number after the siblings of the same sort
// group.
#include "catalog/Catalog.h"

#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/TolvexCatalog.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/IdRanges.h"
#include "storage/UnitOfWorkScope.h"

using namespace catalog_sql;
using std::to_string;

namespace {

// An order number field; Null (no sibling) as 0.
std::int64_t OrderNumOf(const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::Integer: return value.AsInteger();
    case TVariantKind::Float: return static_cast<std::int64_t>(value.AsFloat());
    default: return 0;
    }
}

}  // namespace

int TCatalog::CreateItem(int itemType, int parentItemId, int linkedItemId, const std::string& catalogCode,
                         TAbstractDBConnection& connection, int itemId, std::int64_t* orderNum)
{
    const std::string code = CodeOrOpenCatalog(catalogCode);
    if (code.empty())
        return 0;  // an empty code while no catalog is open
    int newId = itemId;
    if (newId == 0) {
        TTolvexCatalog* open = GetOpenCatalog();
        const int number = open && open->HasConnectionFactory()
                               ? open->GetConnectionFactory().NextSequenceId(code, kItemsSequence)
                               : connection.NextSequenceId(code, kItemsSequence);
        newId = LocalIdFromSequence(number);
    }
    const std::int64_t order = parentItemId == 0 ? 0 : NextOrderNum(itemType, parentItemId, newId, code, connection);

    // The row and the end of an old tombstone of the id belong together: a
    // tombstone left behind would make the synchronisation delete the item.
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    Exec(connection,
         "INSERT INTO Items( CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, OrderNum, DontSort, "
         "DontDelete, NotVisible, IsSynchronized, DateModified )  VALUES( :CatalogCode, :ItemId, :ItemType, "
         ":ParentItemId, :LinkedItemId, :OrderNum, 0, 0, 0, 0, :CurrentDate )",
         code,
         {{"ItemId", newId},
          {"ItemType", itemType},
          {"ParentItemId", parentItemId},
          {"LinkedItemId", linkedItemId != 0 ? linkedItemId : newId},
          {"OrderNum", order},
          {"CurrentDate", Now()}});
    Exec(connection, "DELETE FROM DeletedItems WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(newId),
         code);
    unit.Commit();
    if (orderNum)
        *orderNum = order;
    return newId;
}

std::int64_t TCatalog::NextOrderNum(int itemType, int parentItemId, int itemId, const std::string& catalogCode,
                                    TAbstractDBConnection& connection)
{
    const std::vector<TVariant> parent =
        FirstRow(connection,
                 "SELECT ItemType, DontSort FROM Items WHERE CatalogCode = :CatalogCode AND ItemID = " +
                     to_string(parentItemId),
                 catalogCode, {"ItemType", "DontSort"});
    if (!parent.empty() && IntOf(parent[1]) != 0)
        return 0;  // the parent keeps its children in manual order
    const int parentType = parent.empty() ? 0 : IntOf(parent[0]);

    const std::int64_t group = definition_->GetItemTypeSortGroup(parentType, parentItemId, itemType, itemId);
    std::string sql = "SELECT MAX( OrderNum ) AS MaxOrderNum FROM Items WHERE CatalogCode = :CatalogCode AND "
                      "ParentItemId = " + to_string(parentItemId);
    if (group != 0)
        sql += "\n AND OrderNum > " + to_string(group * kSortGroupSpan) + " AND OrderNum < " +
               to_string((group + 1) * kSortGroupSpan);
    std::int64_t order = OrderNumOf(FirstField(connection, sql, catalogCode, "MaxOrderNum"));
    if (order == 0)
        order = group * kSortGroupSpan;
    return order + kOrderNumStep;
}

int TCatalog::CreateItemInRange(int minId, int maxId, int itemType, int parentItemId, int linkedItemId,
                                const std::string& catalogCode, TAbstractDBConnection& connection,
                                std::int64_t* orderNum)
{
    const std::string code = CodeOrOpenCatalog(catalogCode);
    if (code.empty())
        return 0;
    const int candidate =
        IntOf(FirstField(connection,
                         "SELECT MAX( ItemId ) AS MaxItemId FROM Items WHERE CatalogCode = :CatalogCode AND "
                         "ItemId > " + to_string(minId) + " AND ItemId < " + to_string(maxId),
                         code, "MaxItemId")) + 1;
    int id = candidate;
    if (candidate >= maxId)
        id = 0;  // the range is full: an id from the sequence
    else if (candidate <= minId)
        id = minId + 1;
    return CreateItem(itemType, parentItemId, linkedItemId, code, connection, id, orderNum);
}
