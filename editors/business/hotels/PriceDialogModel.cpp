#include "editors/business/hotels/PriceDialogModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/Amount.h"
#include "common/Translation.h"
#include "editors/business/ItemNames.h"
#include "editors/business/hotels/RoomPricesModel.h"
#include "editors/business/hotels/SeasonsModel.h"
#include "editors/framework/EditorParams.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/NameValueLines.h"
#include "storage/References.h"

#include <cstdlib>

namespace {

constexpr int kDefaultCurrency = 706;

}  // namespace

TPriceDialogModel::TPriceDialogModel(const TSiteModelContext& context, bool association)
    : context_(context), association_(association)
{
    std::vector<std::string> ids;
    context_.Data.GetQueries().GetItemIdsOfType(TSeasonsModel::kSeasonType, ids, true, context_.Connection,
                                                context_.CatalogCode);
    for (const std::string& id : ids) {
        const std::string name = TItemNames::NameOf(context_.Objects, std::atoi(id.c_str()), context_.LangCode);
        if (!name.empty())
            seasons_.emplace_back(name, id);
    }
    for (const std::string& line : RootObject->References().GetCurrencies()) {
        const std::size_t equals = line.find('=');
        currencies_.emplace_back(line.substr(equals + 1), line.substr(0, equals));
    }
}

TPriceDialogModel::TValues TPriceDialogModel::Start(const std::vector<std::string>* params) const
{
    TValues values;
    values.Currency = TCatalog::GetCatalogProperty(kDefaultCurrency, context_.Connection, context_.CatalogCode);
    if (!params)
        return values;
    values.Season = ValueOfName(*params, "Season");
    if (values.Season == "0")
        values.Season.clear();
    if (!ValueOfName(*params, "Currency").empty())
        values.Currency = ValueOfName(*params, "Currency");
    auto price = [&](const char* key) {
        const std::string text = ValueOfName(*params, key);
        return text == "0" ? std::string() : text;
    };
    values.Single = price("Single");
    values.Double = price("Double");
    values.Triple = price("Triple");
    values.Quadro = price("Quadro");
    values.Extra = price("Extra");
    return values;
}

std::string TPriceDialogModel::Refusal(const TValues& values) const
{
    const TTranslation& text = TTranslation::OrEnglish(Translation);
    for (const auto& [caption, value] : {std::pair{"Single", &values.Single}, std::pair{"Double", &values.Double},
                                         std::pair{"Triple", &values.Triple}, std::pair{"Quadro", &values.Quadro},
                                         std::pair{"Extra Person", &values.Extra}}) {
        const std::string error = TRoomPricesModel::CheckPrice(text.Format(caption, {}), *value);
        if (!error.empty())
            return error;
    }
    if (values.Season.empty())
        return text.Format("Choose the season.", {});
    if (values.Currency.empty())
        return text.Format("Choose the currency.", {});
    if (!association_) {
        if (TAmount::ReadOrZero(values.Single) <= 0)
            return text.Format("Enter the single price.", {});
        if (TAmount::ReadOrZero(values.Double) <= 0)
            return text.Format("Enter the double price.", {});
    }
    return {};
}

void TPriceDialogModel::Answer(const TValues& values, std::vector<std::string>& params)
{
    editor_params::SetValue(params, "Season", values.Season);
    editor_params::SetValue(params, "Currency", values.Currency);
    editor_params::SetValue(params, "Single", values.Single);
    editor_params::SetValue(params, "Double", values.Double);
    editor_params::SetValue(params, "Triple", values.Triple);
    editor_params::SetValue(params, "Quadro", values.Quadro);
    editor_params::SetValue(params, "Extra", values.Extra);
}
