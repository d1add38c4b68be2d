// The catalog object's item lookups: single statements that read at most
// what they answer.
#include "catalog/Catalog.h"

#include "catalog/CatalogItemsSql.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonFunctionsDetail.h"
#include "common/WellKnownIds.h"

using namespace catalog_sql;
using std::to_string;

namespace {

// The alternative file name: string member 2 of the names class.
constexpr int kAltFileNameMemberId = 2;
// The address an item was imported from: string member 1 of class 7.
constexpr int kSourceClassId = 7;

std::string ItemRow(const std::string& columns, int itemId)
{
    return "SELECT " + columns + " FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(itemId);
}

std::vector<std::string> AsTexts(const std::vector<TVariant>& values)
{
    std::vector<std::string> texts;
    texts.reserve(values.size());
    for (const TVariant& value : values)
        texts.push_back(TextOf(value));
    return texts;
}

bool IsBlank(const std::string& text)
{
    return common_detail::Trim(text).empty();
}

}  // namespace

std::string TCatalog::CodeOrOpenCatalog(const std::string& catalogCode)
{
    if (!catalogCode.empty())
        return catalogCode;
    TTolvexCatalog* open = GetOpenCatalog();
    return open ? open->GetCatalogCode() : std::string();
}

bool TCatalog::ItemExists(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return itemId != 0 && HasRow(connection, ItemRow("ItemId", itemId), catalogCode);
}

bool TCatalog::ObjectInstanceExists(int itemId, int classId, const std::string& catalogCode,
                                    TAbstractDBConnection& connection)
{
    return itemId != 0 &&
           HasRow(connection,
                  "SELECT ItemId FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = " +
                      to_string(itemId) + " AND ClassID = " + to_string(classId),
                  catalogCode);
}

int TCatalog::GetLinkedItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    const std::string code = CodeOrOpenCatalog(catalogCode);
    if (itemId == 0 || code.empty())
        return 0;
    // Asked for every page a publishing run generates: the id is bound.
    return IntOf(FirstField(connection,
                            "SELECT LinkedItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId",
                            code, "LinkedItemId", {{"ItemId", itemId}}));
}

int TCatalog::GetParentItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    const std::string code = CodeOrOpenCatalog(catalogCode);
    if (itemId == 0 || code.empty())
        return 0;
    return IntOf(FirstField(connection, ItemRow("ParentItemId", itemId), code, "ParentItemId"));
}

int TCatalog::FindVisibleLinkCopy(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    const std::string code = CodeOrOpenCatalog(catalogCode);
    if (itemId == 0 || code.empty())
        return 0;
    return IntOf(FirstField(connection,
                            "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND LinkedItemId = " +
                                to_string(itemId) +
                                " AND LinkedItemId <> ItemId AND (NotVisible = 0 OR NotVisible IS NULL)",
                            code, "ItemId"));
}

int TCatalog::FindFirstItemOfType(int itemType, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    const std::string code = CodeOrOpenCatalog(catalogCode);
    if (code.empty())
        return 0;
    return IntOf(FirstField(connection,
                            "SELECT * FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = " +
                                to_string(itemType) + " ORDER BY ItemId",
                            code, "ItemId"));
}

int TCatalog::FindOtherItemOfType(int itemType, int exceptItemId, const std::string& catalogCode,
                                  TAbstractDBConnection& connection)
{
    if (itemType == 0)
        return 0;
    return IntOf(FirstField(connection,
                            "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = " +
                                to_string(itemType) + " AND ItemId <> " + to_string(exceptItemId) +
                                " ORDER BY ItemId",
                            catalogCode, "ItemId"));
}

void TCatalog::GetChildItemIds(int parentItemId, std::vector<std::string>& list, const std::string& catalogCode,
                               TAbstractDBConnection& connection, bool onlyOriginals)
{
    std::string sql = "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ParentItemId = " +
                      to_string(parentItemId);
    if (onlyOriginals)
        sql += "\n AND ItemId = LinkedItemId";
    list = AsTexts(Column(connection, sql, catalogCode, "ItemId"));
}

void TCatalog::GetParentIdsOfItemType(int itemType, std::vector<std::string>& list, const std::string& catalogCode,
                                      TAbstractDBConnection& connection)
{
    list = AsTexts(Column(connection,
                          "SELECT a.ItemId FROM Items a WHERE a.CatalogCode = :CatalogCode AND a.ItemId IN "
                          "(SELECT b.ParentItemId FROM Items b WHERE b.CatalogCode = :SecCatalogCode AND "
                          "b.ItemType = " + to_string(itemType) + ")",
                          catalogCode, "ItemId", {{"SecCatalogCode", catalogCode}}));
}

bool TCatalog::FindInstancesByNumber(int itemId, int classId, int memberId, double value,
                                     const std::string& catalogCode, const std::string& langCode,
                                     TAbstractDBConnection& connection, std::vector<std::string>* list)
{
    if (itemId == 0)
        return false;
    std::string sql = "SELECT ItemId, InstanceId FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                      to_string(itemId) + " AND ClassID = " + to_string(classId) +
                      " AND MemberId = " + to_string(memberId) + " AND NumberValue = :NumberValue";
    TParams params{{"NumberValue", value}};
    if (!langCode.empty()) {
        sql += "\n AND LangCode = :LangCode";
        params.emplace_back("LangCode", langCode);
    }
    const std::vector<TVariant> instances = Column(connection, sql, catalogCode, "InstanceId", params);
    if (list)
        for (const std::string& instance : AsTexts(instances))
            list->push_back(instance);
    return !instances.empty();
}

std::string TCatalog::GetExpandedImageCode(int itemId, const std::string& catalogCode,
                                           TAbstractDBConnection& connection)
{
    if (itemId == 0)
        return {};
    return TextOf(FirstField(connection, ItemRow("ExpandedImageCode", itemId), catalogCode, "ExpandedImageCode"));
}

void TCatalog::SetExpandedImageCode(const std::string& code, int itemId, const std::string& catalogCode,
                                    TAbstractDBConnection& connection)
{
    Exec(connection,
         "UPDATE Items SET ExpandedImageCode = :ExpandedImageCode, DateModified = :CurrentDate, "
         "IsSynchronized = 0 WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(itemId),
         catalogCode, {{"ExpandedImageCode", code}, {"CurrentDate", Now()}});
}

std::string TCatalog::GetAltFileName(int itemId, TAbstractDBConnection* connection, const std::string& catalogCode)
{
    if (itemId == 0 || !connection)
        return {};
    // The name stored for the item's original, or for the item itself when
    // it has linked copies. The item and its copies are found through the
    // two indexes of Items (asked for every published page: no scan of the
    // catalog's items); a row found twice changes no maximum, so the two
    // lists are joined without sorting out duplicates.
    return TextOf(FirstField(
        *connection,
        "SELECT MAX((SELECT b.StringValue FROM CStrings AS b WHERE b.CatalogCode = :CatalogCode AND "
        "b.ItemId = l.OriginalId AND b.ClassId = " + to_string(kNamesClassId) +
            " AND b.MemberId = " + to_string(kAltFileNameMemberId) +
            ")) AS AltFileName FROM (SELECT a.LinkedItemId AS OriginalId FROM Items AS a WHERE a.CatalogCode = "
            ":CatalogCode AND a.ItemId = :ItemId UNION ALL SELECT c.LinkedItemId FROM Items AS c WHERE "
            "c.CatalogCode = :CatalogCode AND c.LinkedItemId = :ItemId) AS l",
        catalogCode, "AltFileName", {{"ItemId", itemId}}));
}

int TCatalog::FindItemByAltFileName(const std::string& name, TAbstractDBConnection& connection,
                                    const std::string& catalogCode, int itemType)
{
    if (IsBlank(name))
        return 0;
    std::string sql = "SELECT a.ItemId FROM CStrings AS a WHERE a.CatalogCode = :CatalogCode AND a.ClassId = " +
                      to_string(kNamesClassId) + " AND a.MemberId = " + to_string(kAltFileNameMemberId) +
                      " AND a.StringValue = :StringValue";
    if (itemType != 0)
        sql += "\nAND a.ItemId IN (SELECT b.ItemId FROM Items AS b WHERE b.CatalogCode = a.CatalogCode AND "
               "b.ItemType = " + to_string(itemType) + ")";
    return IntOf(FirstField(connection, sql, catalogCode, "ItemId", {{"StringValue", name}}));
}

bool TCatalog::AltFileNameExists(const std::string& name, int exceptItemId, TAbstractDBConnection& connection,
                                 const std::string& catalogCode)
{
    if (IsBlank(name))
        return false;
    std::string sql = "SELECT ItemId FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = " +
                      to_string(kNamesClassId) + " AND MemberId = " + to_string(kAltFileNameMemberId) +
                      " AND StringValue = :StringValue";
    if (exceptItemId != 0)
        sql += "\n AND ItemId <> " + to_string(exceptItemId);
    return HasRow(connection, sql, catalogCode, {{"StringValue", name}});
}

int TCatalog::FindItemBySourceUrl(const std::string& value, TAbstractDBConnection& connection,
                                  const std::string& catalogCode)
{
    return IntOf(FirstField(connection,
                            "SELECT a.ItemId FROM CStrings AS a WHERE a.CatalogCode = :CatalogCode AND a.ClassId = " +
                                to_string(kSourceClassId) + " AND a.MemberId = 1 AND a.StringValue =:Value",
                            catalogCode, "ItemId", {{"Value", value}}));
}
