// Single values and simple lists of the open catalog, one statement each.
#include "catalog/CatalogQueries.h"

#include "storage/AbstractCatalog.h"
#include "catalog/CatalogItemsSql.h"
#include "common/CommonFunctions.h"
#include "common/WellKnownIds.h"

using namespace catalog_sql;
using std::to_string;

namespace {


std::vector<std::string> AsTexts(const std::vector<TVariant>& values)
{
    std::vector<std::string> texts;
    texts.reserve(values.size());
    for (const TVariant& value : values)
        texts.push_back(TextOf(value));
    return texts;
}

std::string StringMemberSql(int itemId, int classId, int memberId)
{
    return "SELECT * FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(itemId) +
           " AND ClassId = " + to_string(classId) + " AND MemberId = " + to_string(memberId) +
           " AND LangCode = :LangCode";
}

}  // namespace

std::string TCatalogQueries::Code() const
{
    return catalog_.GetCatalogCode();
}

std::string TCatalogQueries::CodeOr(const std::string& catalogCode) const
{
    return catalogCode.empty() ? Code() : catalogCode;
}

std::string TCatalogQueries::LangOr(const std::string& langCode) const
{
    return langCode.empty() ? catalog_.GetCurrentLangCode() : langCode;
}

// ---- single values ---------------------------------------------------------------------

int TCatalogQueries::GetItemType(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return IntOf(FirstField(connection,
                            "SELECT * FROM Items WHERE CatalogCode = :CatalogCode AND ItemID = " + to_string(itemId),
                            CodeOr(catalogCode), "ItemType"));
}

TItemDescription TCatalogQueries::GetItemDescription(int itemId, const std::string& catalogCode,
                                                     TAbstractDBConnection& connection)
{
    TItemDescription description;
    description.Visible = false;
    if (itemId == 0)
        return description;
    const std::vector<TVariant> row =
        FirstRow(connection, "SELECT * FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(itemId),
                 CodeOr(catalogCode),
                 {"ItemId", "LinkedItemId", "ParentItemId", "ItemType", "OrderNum", "ExpandedImageCode",
                  "CollapsedImageCode", "UserPriority", "NotVisible"});
    if (row.empty())
        return description;
    description.ItemId = IntOf(row[0]);
    description.LinkedItemId = IntOf(row[1]);
    description.ParentItemId = IntOf(row[2]);
    description.ItemType = IntOf(row[3]);
    description.OrderNum = IntOf(row[4]);
    description.ExpandedImageCode = TextOf(row[5]);
    description.CollapsedImageCode = TextOf(row[6]);
    description.UserPriority = IntOf(row[7]);
    description.Visible = IntOf(row[8]) == 0;
    description.Flags = 0;
    return description;
}

int TCatalogQueries::FindItemByName(const std::string& name, const std::string& catalogCode,
                                    TAbstractDBConnection& connection)
{
    return IntOf(FirstField(connection,
                            "SELECT ItemId FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = " +
                                to_string(kNamesClassId) + " AND MemberId = 1 AND StringValue = :StringValue",
                            CodeOr(catalogCode), "ItemId", {{"StringValue", TCommonFunctions::AnsiToWide(name)}}));
}

int TCatalogQueries::FindChildByName(const std::string& name, const std::string& catalogCode,
                                     TAbstractDBConnection& connection, int parentId)
{
    return IntOf(FirstField(connection,
                            "SELECT a.ItemId FROM CStrings AS a WHERE a.CatalogCode = :CatalogCode AND a.ClassId = " +
                                to_string(kNamesClassId) +
                                " AND a.MemberId = 1 AND a.StringValue = :StringValue AND a.ItemId IN (SELECT "
                                "b.ItemId FROM Items AS b WHERE b.CatalogCode = a.CatalogCode AND b.ParentItemId = " +
                                to_string(parentId) + ")",
                            CodeOr(catalogCode), "ItemId", {{"StringValue", TCommonFunctions::AnsiToWide(name)}}));
}

int TCatalogQueries::FindUserItem(const std::string& userName, TAbstractDBConnection& connection)
{
    return IntOf(FirstField(connection,
                            "SELECT ItemId FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = " +
                                to_string(kUserClassId) + " AND MemberId = 1 AND StringValue = :StringValue",
                            Code(), "ItemId", {{"StringValue", userName}}));
}

int TCatalogQueries::FindInstanceByValue(int itemId, int classId, int memberId, TAbstractDBConnection& connection,
                                         const std::string& langCode, const std::string& value)
{
    return IntOf(FirstField(connection,
                            "SELECT InstanceId FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                                to_string(itemId) + " AND ClassId = " + to_string(classId) +
                                " AND MemberId = " + to_string(memberId) +
                                " AND LangCode = :LangCode AND StringValue = :StringValue",
                            Code(), "InstanceId",
                            {{"LangCode", langCode}, {"StringValue", TCommonFunctions::AnsiToWide(value)}}));
}

int TCatalogQueries::FindChildOfType(int parentId, int itemType, TAbstractDBConnection& connection,
                                     const std::string& catalogCode)
{
    return IntOf(FirstField(connection,
                            "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = " +
                                to_string(itemType) + " AND ParentItemId = " + to_string(parentId),
                            CodeOr(catalogCode), "ItemId"));
}

std::string TCatalogQueries::ReadStringMember(int itemId, int classId, int memberId, const std::string& langCode,
                                              TAbstractDBConnection& connection)
{
    return ReadStringMemberOfCatalog(itemId, classId, memberId, langCode, connection, "");
}

std::string TCatalogQueries::ReadStringMemberOfCatalog(int itemId, int classId, int memberId,
                                                       const std::string& langCode,
                                                       TAbstractDBConnection& connection,
                                                       const std::string& catalogCode)
{
    return TCommonFunctions::VariantToString(FirstField(connection, StringMemberSql(itemId, classId, memberId),
                                                        CodeOr(catalogCode), "StringValue",
                                                        {{"LangCode", langCode}}));
}

// ---- simple lists --------------------------------------------------------------------------

void TCatalogQueries::ReadStringMemberList(std::vector<std::string>& list, int itemId, int classId, int memberId,
                                           const std::string& catalogCode, const std::string& langCode,
                                           TAbstractDBConnection& connection)
{
    list = AsTexts(Column(connection, StringMemberSql(itemId, classId, memberId) + " ORDER BY IndexId",
                          CodeOr(catalogCode), "StringValue", {{"LangCode", langCode}}));
}

void TCatalogQueries::GetChildIdsOfType(int parentId, int itemType, TAbstractDBConnection& connection,
                                        std::vector<std::string>& list)
{
    list.clear();
    if (parentId == 0)
        return;
    std::string sql = "SELECT a.ItemId FROM Items a WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = " +
                      to_string(parentId);
    if (itemType != 0)
        sql += " AND a.ItemType = " + to_string(itemType);
    list = AsTexts(Column(connection, sql + " ORDER BY a.OrderNum", Code(), "ItemId"));
}

void TCatalogQueries::GetChildIds(int parentId, std::vector<std::string>& list, TAbstractDBConnection& connection)
{
    GetChildIdsOfType(parentId, 0, connection, list);
}

void TCatalogQueries::GetItemIdsOfType(int itemType, std::vector<std::string>& list, bool dataItemsOnly,
                                       TAbstractDBConnection& connection, const std::string& catalogCode)
{
    list.clear();
    std::string sql = "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = " + to_string(itemType);
    if (dataItemsOnly)
        sql += " AND ItemId = LinkedItemId";
    list = AsTexts(Column(connection, sql, CodeOr(catalogCode), "ItemId"));
}

void TCatalogQueries::ListInstanceIds(int itemId, int classId, TAbstractDBConnection& connection,
                                      const std::string& catalogCode, std::vector<std::string>& list)
{
    const std::vector<std::string> ids =
        AsTexts(Column(connection,
                       "SELECT InstanceId FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = " +
                           to_string(itemId) + " AND ClassId = " + to_string(classId),
                       CodeOr(catalogCode), "InstanceId"));
    list.insert(list.end(), ids.begin(), ids.end());
}
