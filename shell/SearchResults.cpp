#include "shell/SearchResults.h"

#include "common/CommonFunctionsDetail.h"
#include "common/ParamList.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/AbstractCObject.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

namespace {

constexpr const char* kAllLanguages = "XXX";
constexpr const char* kNamesClassTag = "CommonNames";
constexpr const char* kNameMember = "ItemName";

}  // namespace

TSearchResults::TRequest TSearchResults::ParseRequest(const std::string& action, const TLookup& itemTypeByName,
                                                      const TLookup& classIdByTag)
{
    TRequest request;
    const TParamList params(action);
    const std::string itemType = params.Value("ByItemType");
    if (itemType.empty())
        return request;
    request.Runs = true;
    request.ItemType = itemTypeByName(itemType);
    for (const std::string& field : params.Fields())
        if (common_detail::SameText(TParamList::NameOf(field), "ByClassId"))
            request.ClassIds.push_back(classIdByTag(TParamList::ValueOf(field)));
    return request;
}

std::string TSearchResults::BuildSearchQuery(const TRequest& request)
{
    // The texts of the classes asked for: short texts and long ones (a
    // page's own text is a long text).
    std::string classes;
    if (!request.ClassIds.empty()) {
        classes = " AND (";
        for (size_t i = 0; i < request.ClassIds.size(); ++i)
            classes += (i ? " OR ClassId = " : "ClassId = ") + std::to_string(request.ClassIds[i]);
        classes += ")";
    }
    const auto texts = [&classes](const char* table, const char* column) {
        return std::string("SELECT ItemId FROM ") + table + " WHERE CatalogCode = :CatalogCode AND " + column +
               " LIKE :StrValue AND (LangCode = :AllLangCode OR LangCode = :LangCode)" + classes;
    };
    std::string sql = "SELECT * FROM Items WHERE CatalogCode = :CatalogCode AND ItemId IN (" +
                      texts("CStrings", "StringValue") + " UNION " + texts("CText", "TextValue") + ")";
    if (request.ItemType != 0)
        sql += " AND ItemType = " + std::to_string(request.ItemType);
    return sql;
}

std::vector<TSearchResults::TFound> TSearchResults::Search(const TRequest& request, const std::string& keyword,
                                                           TAbstractDBConnection& connection,
                                                           const std::string& catalogCode,
                                                           const std::string& langCode,
                                                           TAbstractObjectCollection& objects)
{
    std::vector<TFound> found;
    if (!request.Runs)
        return found;
    std::vector<TItemDescription> rows;
    {
        TQueryGuard query(connection);
        query->SetSQL(BuildSearchQuery(request));
        query->SetParam("CatalogCode", catalogCode);
        query->SetParam("StrValue", "%" + keyword + "%");
        query->SetParam("AllLangCode", std::string(kAllLanguages));
        query->SetParam("LangCode", langCode);
        for (TAbstractRecordset& records = query->Open(true); !records.Eof(); records.Next()) {
            TItemDescription item;
            item.ItemId = FieldInteger(records, "ItemId");
            item.ItemType = FieldInteger(records, "ItemType");
            item.ParentItemId = FieldInteger(records, "ParentItemId");
            item.LinkedItemId = FieldInteger(records, "LinkedItemId");
            item.OrderNum = FieldInteger(records, "OrderNum");
            item.Visible = FieldInteger(records, "NotVisible") != 1;
            if (FieldInteger(records, "DontDelete") == 1)
                item.Flags |= ifNotDeletable;
            if (FieldInteger(records, "DontSort") == 0)
                item.Flags |= ifManualOrder;
            if (FieldInteger(records, "IsSynchronized") == 1)
                item.Flags |= ifPublished;
            item.UserPriority = FieldInteger(records, "UserPriority");
            rows.push_back(item);
        }
    }
    // The names are read after the query is given back: the collection reads on the same connection.
    for (const TItemDescription& item : rows) {
        TAbstractCObject* names = objects.GetObject(item.ItemId, kNamesClassTag);
        if (!names)
            continue;
        found.push_back({names->GetValueText(kNameMember, langCode, 0, false), item});
    }
    return found;
}

int TSearchResults::OpenTargetId(const TItemDescription& item, const std::function<int(int)>& findVisibleCopy)
{
    if (item.LinkedItemId != 0 && item.ItemId != item.LinkedItemId)
        return item.ItemId;
    const int copy = findVisibleCopy ? findVisibleCopy(item.ItemId) : 0;
    return copy != 0 ? copy : item.ItemId;
}

std::string TSearchResults::OpenAction(const std::string& tabName, int itemId)
{
    return "Action=MainPageEditor&TabName=" + TParamList::UrlEncode(tabName) + "&ItemId=" + std::to_string(itemId);
}
