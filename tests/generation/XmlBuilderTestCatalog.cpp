#include "XmlBuilderTestCatalog.h"

#include "catalog/SymbolicIds.h"
#include "storage/AbstractDBQuery.h"
#include "storage/IdRanges.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObjectFields.h"
#include "support/CatalogFixture.h"

#include <algorithm>
#include <set>

namespace {

using TRow = std::map<std::string, TVariant>;

// Every row of a statement on Connection with :CatalogCode bound.
std::vector<TRow> Rows(TAbstractDBConnection& connection, const std::string& sql, const std::string& catalogCode,
                       const std::string& langCode = "")
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    query->SetParam("CatalogCode", catalogCode);
    if (!langCode.empty()) {
        query->SetParam("LangCode", langCode);
        query->SetParam("AllLangCode", "XXX");
    }
    std::vector<TRow> rows;
    for (TAbstractRecordset& records = query->Open(true); !records.Eof(); records.Next()) {
        TRow row;
        for (int i = 0; i < records.FieldCount(); ++i)
            row[records.FieldName(i)] = records.Field(i);
        rows.push_back(std::move(row));
    }
    query->Close();
    return rows;
}

int Int(const TRow& row, const std::string& field)
{
    const auto found = row.find(field);
    return found == row.end() ? 0 : object_fields::ToInt(found->second);
}

int Named(const std::map<std::string, int>& names, const std::string& text)
{
    const auto found = names.find(text);
    return found == names.end() ? 0 : found->second;
}

}  // namespace

void TXmlBuilderTestCatalog::CreateCategories()
{
    catalog_.Exec("CREATE TABLE ZUDICategories (CategoryId INTEGER, CategoryName TEXT, CategoryLevel INTEGER, "
                  "CategoryParentId INTEGER, LeafCategory INTEGER)");
    hasCategories_ = true;
}

void TXmlBuilderTestCatalog::AddCategory(int id, const std::string& name, int level, int parentId, bool leaf)
{
    catalog_.Exec("INSERT INTO ZUDICategories VALUES (:Id, :Name, :Level, :Parent, :Leaf)",
                  {{"Id", id}, {"Name", name}, {"Level", level}, {"Parent", parentId}, {"Leaf", leaf ? 1 : 0}});
}

int TXmlBuilderTestCatalog::ResolveItemId(const std::string& text, int currentId, int currentTreeId)
{
    return ResolveSymbolicItemId(text, {currentId, currentTreeId, MasterTemplateId, BodyTemplateId}, *this);
}

int TXmlBuilderTestCatalog::ResolveItemType(const std::string& text, int currentType)
{
    return ResolveSymbolicItemType(text, currentType, *this);
}

int TXmlBuilderTestCatalog::GetItemIdByName(const std::string& name)
{
    return Named(ItemIds, name);
}

int TXmlBuilderTestCatalog::GetItemTypeByName(const std::string& name)
{
    return Named(ItemTypes, name);
}

int TXmlBuilderTestCatalog::GetParentItemId(int itemId, const std::string& catalogCode,
                                            TAbstractDBConnection& connection)
{
    const auto rows = Rows(connection,
                           "SELECT ParentItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(itemId),
                           catalogCode);
    return rows.empty() ? 0 : Int(rows.front(), "ParentItemId");
}

int TXmlBuilderTestCatalog::FindVisibleLinkCopy(int itemId, const std::string& catalogCode,
                                                TAbstractDBConnection& connection)
{
    const auto rows = Rows(connection,
                           "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND LinkedItemId = " +
                               std::to_string(itemId) +
                               " AND LinkedItemId <> ItemId AND (NotVisible = 0 OR NotVisible IS NULL)",
                           catalogCode);
    return rows.empty() ? 0 : Int(rows.front(), "ItemId");
}

TItemDescription TXmlBuilderTestCatalog::GetItemDescription(int itemId, const std::string& catalogCode,
                                                            TAbstractDBConnection& connection)
{
    TItemDescription item;
    item.Visible = false;
    const auto rows = Rows(connection,
                           "SELECT * FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " + std::to_string(itemId),
                           catalogCode);
    if (itemId == 0 || rows.empty())
        return item;
    const TRow& row = rows.front();
    item.ItemId = Int(row, "ItemId");
    item.LinkedItemId = Int(row, "LinkedItemId");
    item.ParentItemId = Int(row, "ParentItemId");
    item.ItemType = Int(row, "ItemType");
    item.OrderNum = Int(row, "OrderNum");
    item.Visible = Int(row, "NotVisible") == 0;
    return item;
}

int TXmlBuilderTestCatalog::SiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                                      bool sameTypeOnly, int step)
{
    if (itemId == 0)
        return 0;
    const TItemDescription item = GetItemDescription(itemId, catalogCode, connection);
    const std::string sql =
        "SELECT * FROM (SELECT a.ItemId, a.OrderNum, (SELECT Max( StringValue ) FROM CStrings AS c WHERE "
        "c.CatalogCode = a.CatalogCode AND c.ItemId = a.LinkedItemId AND c.ClassId = 1 AND c.MemberId = 1 AND "
        "(c.LangCode = :LangCode OR c.LangCode = :AllLangCode)) AS NodeName FROM Items AS a WHERE a.CatalogCode = "
        ":CatalogCode AND a.NotVisible = 0 " +
        (sameTypeOnly ? " AND a.ItemType = " + std::to_string(item.ItemType) : std::string()) +
        " AND a.ParentItemId = " + std::to_string(item.ParentItemId) + ") ORDER BY OrderNum, NodeName";
    std::vector<int> ids;
    for (const TRow& row : Rows(connection, sql, catalogCode, catalog_.GetDefaultLangCode()))
        ids.push_back(Int(row, "ItemId"));
    const auto found = std::find(ids.begin(), ids.end(), itemId);
    if (found == ids.end())
        return 0;
    const auto position = (found - ids.begin()) + step;
    return position < 0 || position >= static_cast<long>(ids.size()) ? 0 : ids[static_cast<std::size_t>(position)];
}

int TXmlBuilderTestCatalog::GetNextSiblingId(int itemId, const std::string& catalogCode,
                                             TAbstractDBConnection& connection, bool sameTypeOnly)
{
    return SiblingId(itemId, catalogCode, connection, sameTypeOnly, 1);
}

int TXmlBuilderTestCatalog::GetPreviousSiblingId(int itemId, const std::string& catalogCode,
                                                 TAbstractDBConnection& connection, bool sameTypeOnly)
{
    return SiblingId(itemId, catalogCode, connection, sameTypeOnly, -1);
}

std::vector<int> TXmlBuilderTestCatalog::GetItemPath(int itemId, const std::vector<int>& itemTypes,
                                                     const std::string& catalogCode, TAbstractDBConnection& connection)
{
    std::vector<int> path;
    std::set<int> seen;
    while (itemId != 0 && !IsRootItemId(itemId) && seen.insert(itemId).second) {
        const auto rows = Rows(connection,
                               "SELECT ParentItemId, ItemType, NotVisible FROM Items WHERE CatalogCode = "
                               ":CatalogCode AND ItemId = " + std::to_string(itemId),
                               catalogCode);
        if (rows.empty())
            break;
        const TRow& row = rows.front();
        const int type = Int(row, "ItemType");
        if (Int(row, "NotVisible") == 0 &&
            (itemTypes.empty() || std::find(itemTypes.begin(), itemTypes.end(), type) != itemTypes.end()))
            path.push_back(itemId);
        itemId = Int(row, "ParentItemId");
    }
    return path;
}

int TXmlBuilderTestCatalog::CountItemsOfType(int parentId, int itemType, const std::string& catalogCode,
                                             TAbstractDBConnection& connection)
{
    int count = 0;
    std::set<int> seen{parentId};
    std::vector<int> pending{parentId};
    while (!pending.empty()) {
        const int parent = pending.back();
        pending.pop_back();
        const std::string sql =
            "SELECT a.ItemId, a.ItemType, (SELECT COUNT(*) FROM Items AS b WHERE b.CatalogCode = a.CatalogCode AND "
            "b.ParentItemId = a.ItemId) AS NumChilds FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND "
            "a.ParentItemId = " + std::to_string(parent) +
            " AND ((SELECT MAX( c.NotVisible ) FROM Items AS c WHERE c.CatalogCode = a.CatalogCode AND "
            "c.LinkedItemId = a.LinkedItemId) <> 1 OR (SELECT MAX( d.NotVisible ) FROM Items AS d WHERE "
            "d.CatalogCode = a.CatalogCode AND d.LinkedItemId = a.LinkedItemId) IS NULL)";
        for (const TRow& row : Rows(connection, sql, catalogCode)) {
            if (Int(row, "ItemType") == itemType)
                ++count;
            if (Int(row, "NumChilds") > 0 && seen.insert(Int(row, "ItemId")).second)
                pending.push_back(Int(row, "ItemId"));
        }
    }
    return count;
}

TAbstractDBConnection* TXmlBuilderTestCatalog::GetCategoryConnection()
{
    return hasCategories_ ? &catalog_.Connection() : nullptr;
}
