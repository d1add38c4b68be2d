// Deleting items and object instances, and what refers to an item.
//
// An item is deleted with its link copies (the rows whose ItemId or
// LinkedItemId is the item's id), their objects and values; "the children"
// of an item are the rows below those rows that are not among them. A
// delete never leaves children behind without their parent: it is refused,
// or the children's subtree goes with it. Every delete is one unit of work.
#include "catalog/Catalog.h"

#include "catalog/CatalogItemsSql.h"
#include "catalog/TreeWalk.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/MemberTypes.h"
#include "storage/IdRanges.h"
#include "storage/QueryGuard.h"
#include "storage/SqlIdentifier.h"
#include "storage/UnitOfWorkScope.h"

#include <set>

using namespace catalog_sql;
using std::to_string;

namespace {

// The tables of an item's data, in the order they are emptied.
const char* const kValueTables[] = {"CDates", "CNumbers", "CStrings", "CText", "CBinary", "CObjectInstances"};

// Reference flags.
constexpr std::uint8_t kRefChildren = 1;
constexpr std::uint8_t kRefLinkCopies = 2;
constexpr std::uint8_t kRefMemberValue = 4;
constexpr std::uint8_t kRefPageText = 8;
// Member types whose number values are item ids.
constexpr int kItemReferenceTypes[] = {kItemIdMemberType, kNestedItemIdMemberType};

// The rows that deleting ItemId removes: the item and its link copies.
std::string RemovedRows(const std::string& alias, int itemId)
{
    return "(" + alias + ".ItemId = " + to_string(itemId) + " OR " + alias + ".LinkedItemId = " +
           to_string(itemId) + ")";
}

// Items of table alias "a" that are children of the rows removed with ItemId.
std::string ChildrenCondition(int itemId)
{
    return "a.CatalogCode = :CatalogCode AND a.ParentItemId IN (SELECT b.ItemId FROM Items AS b WHERE "
           "b.CatalogCode = a.CatalogCode AND " + RemovedRows("b", itemId) + ") AND NOT " + RemovedRows("a", itemId);
}

int CountOf(TAbstractDBConnection& connection, const std::string& sql, const std::string& catalogCode,
            const std::string& field)
{
    return IntOf(FirstField(connection, sql, catalogCode, field));
}

bool NamesTheFile(const std::string& lowerText, const std::string& lowerName)
{
    for (const char* attribute : {"href=", "src="})
        for (const char* quote : {"", "\""})
            if (lowerText.find(attribute + std::string(quote) + lowerName + ".") != std::string::npos)
                return true;
    return false;
}

}  // namespace

bool TCatalog::DeleteItem(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                          bool checkReferences, bool writeTombstones, TDeleteChildren children)
{
    if (itemId == 0)
        return true;
    if (!MayDelete(itemId, catalogCode, connection, checkReferences, children))
        return false;
    const std::vector<int> ids = ItemsToDelete(itemId, catalogCode, connection, children);
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    for (int id : ids)
        DeleteItemRows(id, catalogCode, connection, writeTombstones);
    unit.Commit();
    return true;
}

bool TCatalog::MayDelete(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                         bool checkReferences, TDeleteChildren children)
{
    const bool cascade = children == TDeleteChildren::Cascade;
    if (checkReferences) {
        // Children that go with the item do not hold it back.
        std::uint8_t references =
            GetItemReferences(itemId, cascade ? kRefMemberValue | kRefLinkCopies | kRefPageText : 0, catalogCode,
                              connection);
        if (references == kRefPageText) {
            if (services_.Gui.AskQuestion("There are hyperlinks to the item. Do you want to delete it anyway?") !=
                mrYes)
                return false;
            references = 0;
        }
        if (references != 0)
            return false;
        if (!cascade)
            return true;  // the test found no children
    }
    return cascade || GetItemReferences(itemId, kRefChildren, catalogCode, connection) == 0;
}

std::vector<int> TCatalog::ItemsToDelete(int itemId, const std::string& catalogCode,
                                         TAbstractDBConnection& connection, TDeleteChildren children)
{
    std::vector<int> ids{itemId};
    if (children != TDeleteChildren::Cascade)
        return ids;
    // Tree roots never go with a subtree (not even below a root that is
    // deleted itself).
    const auto childrenOf = [&](int id) {
        const std::string sql = "SELECT a.ItemId FROM Items AS a WHERE " + ChildrenCondition(id);
        std::vector<int> found;
        for (const TVariant& child : Column(connection, sql, catalogCode, "ItemId"))
            if (!IsRootItemId(IntOf(child)))
                found.push_back(IntOf(child));
        return found;
    };
    for (int id : TTreeWalk::Descendants(itemId, childrenOf))
        ids.push_back(id);
    return ids;
}

void TCatalog::DeleteItemRows(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                              bool writeTombstones)
{
    for (const char* table : kValueTables)
        Exec(connection,
             std::string("DELETE FROM ") + table + " AS a WHERE a.CatalogCode = :CatalogCode AND (a.ItemId = " +
                 to_string(itemId) + " OR a.ItemId IN (SELECT b.ItemId FROM Items AS b WHERE b.CatalogCode = "
                 "a.CatalogCode AND b.LinkedItemId = " + to_string(itemId) + "))",
             catalogCode);
    const std::string rows = " FROM Items WHERE CatalogCode = :CatalogCode AND " + RemovedRows("Items", itemId);
    std::vector<TVariant> removed;
    if (writeTombstones)
        removed = Column(connection, "SELECT ItemId" + rows, catalogCode, "ItemId");
    Exec(connection, "DELETE" + rows, catalogCode);
    for (const TVariant& value : removed) {
        const int id = IntOf(value);
        if (IsLocalItemId(id))
            continue;  // never published: the hosting service does not know it
        Exec(connection, "DELETE FROM DeletedItems WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(id),
             catalogCode);
        Exec(connection,
             "INSERT INTO DeletedItems( CatalogCode, ItemId, DateModified ) VALUES( :CatalogCode, " +
                 to_string(id) + ", :DateModified )",
             catalogCode, {{"DateModified", Now()}});
    }
}

void TCatalog::DeleteObjectInstance(int itemId, int instanceId, const std::string& catalogCode,
                                    TAbstractDBConnection& connection)
{
    if (itemId == 0 || instanceId == 0)
        return;
    TUnitOfWorkScope unit(connection);
    unit.Enter("CObjectInstances");
    for (const char* table : kValueTables)
        Exec(connection,
             std::string("DELETE FROM ") + table + " WHERE CatalogCode = :CatalogCode AND (ItemId = " +
                 to_string(itemId) + " AND InstanceId = " + to_string(instanceId) + ")",
             catalogCode);
    unit.Commit();
}

std::uint8_t TCatalog::GetItemReferences(int itemId, std::uint8_t checks, const std::string& catalogCode,
                                         TAbstractDBConnection& connection)
{
    std::uint8_t result = 0;
    const bool all = checks == 0;
    if ((all || (checks & kRefChildren)) &&
        CountOf(connection, "SELECT COUNT(*) AS ChildsCount FROM Items AS a WHERE " + ChildrenCondition(itemId),
                catalogCode, "ChildsCount") > 0)
        result |= kRefChildren;
    if (((all && result == 0) || (checks & kRefMemberValue)) &&
        CountOf(connection,
                "SELECT COUNT(*) AS LinkedCount FROM CNumbers WHERE CatalogCode = :CatalogCode AND NumberValue = " +
                    to_string(itemId) + " AND (MemberType = " + to_string(kItemReferenceTypes[0]) +
                    " OR MemberType = " + to_string(kItemReferenceTypes[1]) + ")",
                catalogCode, "LinkedCount") > 0)
        result |= kRefMemberValue;
    if (((all && result == 0) || (checks & kRefLinkCopies)) &&
        CountOf(connection,
                "SELECT COUNT(*) AS LinksCount FROM Items WHERE CatalogCode = :CatalogCode AND LinkedItemId = " +
                    to_string(itemId) + " AND LinkedItemId <> ItemId",
                catalogCode, "LinksCount") > 0)
        result |= kRefLinkCopies;
    if ((all || (checks & kRefPageText)) && IsNamedInPageTexts(itemId, catalogCode, connection))
        result |= kRefPageText;
    return result;
}

// Whether a page text links to the item by one of its file names: the ids of
// the item and its link copies, and their alternative file names.
bool TCatalog::IsNamedInPageTexts(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    std::set<std::string> names;
    for (const TVariant& id : Column(connection,
                                     "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND " +
                                         RemovedRows("Items", itemId),
                                     catalogCode, "ItemId")) {
        names.insert(to_string(IntOf(id)));
        for (const TVariant& alt : Column(connection,
                                          "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND "
                                          "ItemId = " + to_string(IntOf(id)) + " AND ClassId = 1 AND MemberId = 2",
                                          catalogCode, "StringValue"))
            if (!TextOf(alt).empty())
                names.insert(common_detail::LowerCase(TextOf(alt)));
    }
    for (const std::string& name : names) {
        TQueryGuard query(connection);
        query->SetSQL(std::string("SELECT TextValue FROM CText WHERE CatalogCode = :CatalogCode AND TextValue LIKE "
                                  ":SearchValue") + kLikeEscapeClause);
        query->SetParam("CatalogCode", catalogCode);
        query->SetParam("SearchValue", "%" + LikeLiteral(name + ".") + "%");
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            if (NamesTheFile(common_detail::LowerCase(TextOf(rows.Field("TextValue"))), name))
                return true;
    }
    return false;
}
