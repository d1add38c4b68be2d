#include "catalog/ItemRenumbering.h"

#include "storage/AbstractCatalog.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/CatalogQueriesRows.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/MemberTypes.h"
#include "storage/IdRanges.h"
#include "storage/TolvexObject.h"
#include "storage/UnitOfWorkScope.h"

#include <cstdint>
#include <limits>
#include <set>

using namespace catalog_sql;
using std::to_string;

namespace {

// Global ids lie this far above the start id the hosting service hands out.
constexpr std::int64_t kGlobalIdOffset = 100000000;

// The tables whose rows belong to one item.
const char* const kValueTables[] = {"CStrings", "CText", "CBinary", "CNumbers"};
const char* const kLaterTables[] = {"CDates", "CObjectInstances"};

std::string SetItemId(const std::string& table, int oldId, int newId)
{
    return "UPDATE " + table + " SET ItemId = " + to_string(newId) +
           " WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(oldId);
}

bool IsDigitAt(const std::string& text, std::size_t position)
{
    return common_detail::IsAsciiDigit(text[position]);
}

// One CText row of an unpublished item.
struct TTextRow {
    int itemId = 0;
    int classId = 0;
    int instanceId = 0;
    int memberId = 0;
    std::string langCode;
    int indexId = 0;
    std::string text;
};

}  // namespace

void TItemRenumbering::RenumberNewItems(int startId, TAbstractDBConnection& connection, const TProgress& progress,
                                        const bool& cancel)
{
    const std::string code = catalog_.GetCatalogCode();
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    std::vector<int> localIds;
    for (const TVariant& id : Column(connection,
                                     "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId > " +
                                         to_string(kLocalIdOffset) + " AND ItemId < " + to_string(kLocalItemIdLimit),
                                     code, "ItemId"))
        localIds.push_back(IntOf(id));

    const std::int64_t firstNewId = std::int64_t{startId} + kGlobalIdOffset;
    const std::int64_t lastNewId = firstNewId + static_cast<std::int64_t>(localIds.size()) - 1;
    if (startId < 0 || lastNewId > std::numeric_limits<int>::max())
        throw ECriticalTolvexException("The global ids from " + to_string(startId) + " cannot number " +
                                       to_string(localIds.size()) + " items");

    TMapping mapping;
    int newId = static_cast<int>(firstNewId);
    for (int oldId : localIds) {
        if (cancel)
            break;
        mapping.emplace_back(oldId, newId);
        if (progress)
            progress(oldId, pkItemRenumbered);
        RenumberItem(oldId, newId, connection);
        ++newId;
    }
    if (!mapping.empty()) {
        RewriteTexts(mapping, connection, progress);
        RenumberHomePageProperty(mapping, connection);
    }
    // Local items that were not renumbered still hold their ids: the
    // sequence must not hand them out again.
    if (mapping.size() == localIds.size())
        Exec(connection,
             "UPDATE LocalSequences SET LastId = 0 WHERE CatalogCode = :CatalogCode AND SequenceName = :SequenceName",
             code, {{"SequenceName", kItemsSequence}});
    unit.Commit();
}

// The home page property (708) holds an item id as text: a renumbered home
// page must stay the home page.
void TItemRenumbering::RenumberHomePageProperty(const TMapping& mapping, TAbstractDBConnection& connection)
{
    const std::string homePage = catalog_.GetCatalogProperty(kPropertyHomePage, connection);
    for (const auto& [oldId, newId] : mapping) {
        if (homePage != to_string(oldId))
            continue;
        Exec(connection,
             "UPDATE CStrings SET StringValue = :NewId WHERE CatalogCode = :CatalogCode AND ItemId = " +
                 to_string(kPropertyHomePage) + " AND ClassId = " + to_string(kPropertyClassId) +
                 " AND MemberId = 1 AND StringValue = :OldId",
             catalog_.GetCatalogCode(), {{"NewId", to_string(newId)}, {"OldId", homePage}});
        return;
    }
}

void TItemRenumbering::RenumberItem(int oldId, int newId, TAbstractDBConnection& connection)
{
    const std::string code = catalog_.GetCatalogCode();
    for (const char* table : kValueTables)
        Exec(connection, SetItemId(table, oldId, newId), code);
    Exec(connection,
         "UPDATE CNumbers SET NumberValue = " + to_string(newId) +
             " WHERE CatalogCode = :CatalogCode AND (MemberType = " + to_string(kItemIdMemberType) +
             " OR MemberType = " + to_string(kImageItemIdMemberType) + " OR MemberType = " +
             to_string(kNestedItemIdMemberType) + ") AND NumberValue = " + to_string(oldId),
         code);
    for (const char* table : kLaterTables)
        Exec(connection, SetItemId(table, oldId, newId), code);
    Exec(connection, SetItemId("Items", oldId, newId), code);
    for (const char* column : {"ParentItemId", "LinkedItemId"})
        Exec(connection,
             "UPDATE Items SET " + std::string(column) + " = " + to_string(newId) +
                 " WHERE CatalogCode = :CatalogCode AND " + column + " = " + to_string(oldId),
             code);
}

void TItemRenumbering::RewriteTexts(const TMapping& mapping, TAbstractDBConnection& connection,
                                    const TProgress& progress)
{
    const std::string code = catalog_.GetCatalogCode();
    std::vector<TTextRow> rows;
    for (const std::vector<TVariant>& row : catalog_queries::Rows(
             connection,
             "SELECT * FROM CText a WHERE a.CatalogCode = :CatalogCode AND a.ItemId IN (SELECT b.ItemId FROM Items b "
             "WHERE b.CatalogCode = a.CatalogCode AND b.IsSynchronized = 0)",
             code, {"ItemId", "ClassId", "InstanceId", "MemberId", "LangCode", "IndexId", "TextValue"}))
        rows.push_back({IntOf(row[0]), IntOf(row[1]), IntOf(row[2]), IntOf(row[3]), TextOf(row[4]), IntOf(row[5]),
                        TextOf(row[6])});

    // Each changed row is written back on its own key, so that no other
    // value of its object is touched.
    std::set<int> changedItems;
    for (const TTextRow& row : rows) {
        bool changed = false;
        const std::string text = RewriteIds(row.text, mapping, changed);
        if (!changed)
            continue;
        Exec(connection,
             "UPDATE CText SET TextValue = :TextValue WHERE CatalogCode = :CatalogCode AND ItemId = " +
                 to_string(row.itemId) + " AND ClassId = " + to_string(row.classId) +
                 " AND InstanceId = " + to_string(row.instanceId) + " AND MemberId = " + to_string(row.memberId) +
                 " AND LangCode = :LangCode AND IndexId = " + to_string(row.indexId),
             code, {{"TextValue", text}, {"LangCode", row.langCode}});
        changedItems.insert(row.itemId);
        if (progress)
            progress(row.itemId, pkTextRewritten);
    }
    for (int itemId : changedItems)
        TTolvexObject::MarkItemChanged(connection, code, itemId, itemId);
}

std::string TItemRenumbering::RewriteIds(const std::string& text, const TMapping& mapping, bool& changed)
{
    changed = false;
    std::string result = text;
    for (const auto& [oldId, newId] : mapping) {
        const std::string oldText = to_string(oldId);
        const std::string newText = to_string(newId);
        std::size_t found = result.find(oldText);
        while (found != std::string::npos) {
            const std::size_t after = found + oldText.size();
            const bool standsAlone =
                found > 0 && after < result.size() && !IsDigitAt(result, found - 1) && !IsDigitAt(result, after);
            if (standsAlone) {
                result.replace(found, oldText.size(), newText);
                changed = true;
                found = result.find(oldText, found + newText.size());
            } else {
                // An occurrence left alone is passed by one character only: the
                // next one may begin inside it.
                found = result.find(oldText, found + 1);
            }
        }
    }
    return result;
}
