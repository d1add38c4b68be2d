#include "editors/business/network/IncludedToCatalogsModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "publishing/CatalogNetwork.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* kClass = "IncludedToCatalog";
constexpr const char* kMember = "CatalogCode";

}  // namespace

TIncludedToCatalogsModel::TIncludedToCatalogsModel(const TSiteModelContext& context, TItemWrites writes,
                                                   bool intermediate)
    : context_(context), writes_(std::move(writes)), intermediate_(intermediate)
{
    if (intermediate_)
        listItemId_ = catalog_network::kIntermediateItemId;
    else
        listItemId_ = context_.TreeItemId == -1 ? catalog_network::kCompanyItemId : context_.TreeItemId;
}

bool TIncludedToCatalogsModel::ListItemExists() const
{
    return catalog_sql::HasRow(context_.Connection,
                               "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId",
                               context_.CatalogCode, {{"ItemId", listItemId_}});
}

void TIncludedToCatalogsModel::Load()
{
    codes_.clear();
    modified_ = false;
    if (!ListItemExists())
        return;
    if (TAbstractCObject* list = context_.Objects.GetObject(listItemId_, kClass))
        list->GetLangValues(kMember, context_.LangCode, nullptr, codes_);
}

void TIncludedToCatalogsModel::MakeListItem()
{
    if (!intermediate_ || ListItemExists())
        return;
    TCatalog* catalog = &context_.Catalog;
    const std::string code = context_.CatalogCode;
    const int id = listItemId_;
    writes_.CommitNow(
        [catalog, code, id](TAbstractDBConnection& connection) {
            catalog->CreateItem(catalog_network::kIntermediateItemId, 0, 0, code, connection, id);
        },
        [catalog, code, id](TAbstractDBConnection& connection) {
            catalog->DeleteItem(id, code, connection, false, false, TDeleteChildren::Refuse);
        });
}

std::string TIncludedToCatalogsModel::Add(const std::string& text, std::string& added)
{
    added.clear();
    const std::string code = catalog_network::CodeCharacters(text, true);
    if (code.empty())
        return {};
    if (std::find(codes_.begin(), codes_.end(), code) != codes_.end())
        return TTranslation::OrEnglish(Translation).Format("\"$1\" catalog code already included to the list", {code});
    MakeListItem();
    if (TAbstractCObject* list = context_.Objects.GetObject(listItemId_, kClass)) {
        std::vector<std::string> indexes;
        std::vector<std::string> values;
        list->GetLangValues(kMember, context_.LangCode, &indexes, values);
        int next = 0;
        for (const std::string& index : indexes)
            next = std::max(next, std::atoi(index.c_str()) + 1);
        list->SetLangString(kMember, context_.LangCode, code, next);
    }
    codes_.push_back(code);
    added = code;
    modified_ = true;
    return {};
}

bool TIncludedToCatalogsModel::Delete(const std::string& code)
{
    const auto found = std::find(codes_.begin(), codes_.end(), code);
    if (found == codes_.end())
        return false;
    if (ListItemExists())
        if (TAbstractCObject* list = context_.Objects.GetObject(listItemId_, kClass)) {
            // The values of the editing language, and any kept for every language.
            list->DeleteStringValue(kMember, context_.LangCode, code, 0);
            list->DeleteStringValue(kMember, "XXX", code, 0);
        }
    codes_.erase(found);
    modified_ = true;
    return true;
}
