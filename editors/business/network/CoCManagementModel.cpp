#include "editors/business/network/CoCManagementModel.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "editors/framework/EditorParams.h"
#include "publishing/CatalogNetwork.h"

#include <algorithm>

TCoCManagementModel::TCoCManagementModel(const TSiteModelContext& context) : context_(context) {}

std::vector<TCoCManagementModel::TChoice> TCoCManagementModel::Choices() const
{
    std::vector<TChoice> members;
    const std::string lang = context_.Data.GetDefaultLangCode();
    for (const TVariant& id : catalog_sql::Column(context_.Connection,
                                                  "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND "
                                                  "ItemType = :ItemType AND (LinkedItemId = ItemId OR LinkedItemId IS "
                                                  "NULL OR LinkedItemId = 0) ORDER BY ItemId",
                                                  context_.CatalogCode, "ItemId",
                                                  {{"ItemType", catalog_network::kMemberItemType}})) {
        const int itemId = catalog_sql::IntOf(id);
        members.push_back({context_.Data.GetItemName(itemId, context_.Connection, lang), std::to_string(itemId)});
    }
    std::stable_sort(members.begin(), members.end(),
                     [](const TChoice& a, const TChoice& b) { return a.Caption < b.Caption; });
    std::vector<TChoice> choices{{TTranslation::OrEnglish(Translation).Translate("(Original tolvex templates)"), "0"}};
    choices.insert(choices.end(), members.begin(), members.end());
    return choices;
}

void TCoCManagementModel::Store(std::vector<std::string>& params, const std::string& value)
{
    editor_params::SetValue(params, "memberid", value);
}
