#include "editors/business/options/ProductOptionsModel.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Translation.h"
#include "editors/business/options/SubObjectList.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <algorithm>
#include <cstdlib>

namespace {


std::string Text(const std::string& text, std::initializer_list<TFormatArg> args = {})
{
    return TTranslation::OrEnglish(Translation).Format(text, args);
}

}  // namespace

TProductOptionsModel::TProductOptionsModel(const TSiteModelContext& context) : context_(context) {}

TAbstractCObject* TProductOptionsModel::Options() const
{
    return context_.Objects.GetObject(context_.ItemId, "ProductOptions");
}

void TProductOptionsModel::Load()
{
    hasOptions_ = false;
    optionIds_.clear();
    if (TAbstractCObject* options = Options()) {
        hasOptions_ = options->GetLangBoolean("HasOptions", context_.LangCode, 0);
        std::vector<std::string> ids;
        options->GetLangValues("Options", context_.LangCode, nullptr, ids);
        for (const std::string& text : ids)
            if (const int id = std::atoi(text.c_str()))
                optionIds_.push_back(id);
    }
    Rebuild();
}

void TProductOptionsModel::Rebuild()
{
    combinations_.Set(hasOptions_ ? TOptionCombinations::Read(context_, optionIds_)
                                  : std::vector<TOptionCombinations::TOption>{});
    ReadSkus();
}

void TProductOptionsModel::ReadSkus()
{
    skus_.clear();
    hidden_ = 0;
    TSubObjectList list(context_.Objects, context_.ItemId, Options(), "OptionObjects", context_.LangCode);
    for (int instance : list.Ids()) {
        TAbstractCObject* object = list.Object(instance);
        if (!object)
            continue;
        std::vector<std::string> values;
        object->GetLangValues("OptionItemId", context_.LangCode, nullptr, values);
        std::vector<int> ids;
        for (const std::string& value : values)
            ids.push_back(std::atoi(value.c_str()));
        const std::string key = TOptionCombinations::KeyOf(ids);
        if (combinations_.RowOf(key) < 0)
            ++hidden_;
        skus_[key] = TSku{instance, object->GetLangString("SKU", context_.LangCode, 0)};
    }
}

std::string TProductOptionsModel::Sku(std::size_t row) const
{
    if (row >= combinations_.Count())
        return {};
    const auto found = skus_.find(combinations_.Key(row));
    return found == skus_.end() ? std::string() : found->second.Text;
}

void TProductOptionsModel::SetSku(std::size_t row, const std::string& text)
{
    if (row >= combinations_.Count())
        return;
    const std::string key = combinations_.Key(row);
    TSubObjectList list(context_.Objects, context_.ItemId, Options(), "OptionObjects", context_.LangCode);
    const auto found = skus_.find(key);
    if (common_detail::Trim(text).empty()) {
        if (found != skus_.end()) {
            list.Remove({found->second.InstanceId});
            skus_.erase(found);
        }
        return;
    }
    if (found != skus_.end()) {
        if (TAbstractCObject* object = list.Object(found->second.InstanceId))
            object->SetLangString("SKU", context_.LangCode, text, 0);
        found->second.Text = text;
        return;
    }
    TAbstractCObject* object = list.Add("ProductOption");
    if (!object)
        return;
    for (int id : TOptionCombinations::IdsOf(key))
        object->SetLangNumber("OptionItemId", context_.LangCode, id, -1);
    object->SetLangString("SKU", context_.LangCode, text, 0);
    skus_[key] = TSku{object->GetInstanceId(), text};
}

std::set<int> TProductOptionsModel::ValuesOf(std::optional<int> optionId) const
{
    std::set<int> values;
    std::vector<int> options = optionId ? std::vector<int>{*optionId} : optionIds_;
    for (int option : options) {
        // Every child, hidden ones too: a price may name any of them.
        std::vector<std::string> ids;
        context_.Data.GetQueries().GetChildIds(option, ids, context_.Connection);
        for (const std::string& id : ids)
            values.insert(std::atoi(id.c_str()));
    }
    return values;
}

std::set<int> TProductOptionsModel::PriceRowsNaming(const std::set<int>& valueIds, bool anyValue) const
{
    std::set<int> rows;
    TSubObjectList prices(context_.Objects, context_.ItemId, context_.Objects.GetObject(context_.ItemId, "Prices"),
                          "Price", context_.LangCode);
    for (int instance : prices.Ids()) {
        TAbstractCObject* row = prices.Object(instance);
        if (!row)
            continue;
        std::vector<std::string> values;
        row->GetLangValues("OptionItemId", context_.LangCode, nullptr, values);
        for (const std::string& value : values)
            if (anyValue || valueIds.count(std::atoi(value.c_str()))) {
                rows.insert(instance);
                break;
            }
    }
    return rows;
}

TProductOptionsModel::TLoss TProductOptionsModel::LossOfAdding() const
{
    return TLoss{static_cast<int>(skus_.size()), 0};
}

TProductOptionsModel::TLoss TProductOptionsModel::LossOfRemoving(std::optional<int> optionId) const
{
    TLoss loss;
    loss.Skus = static_cast<int>(skus_.size());
    loss.Prices = static_cast<int>(
        (optionId ? PriceRowsNaming(ValuesOf(optionId), false) : PriceRowsNaming({}, true)).size());
    return loss;
}

std::string TProductOptionsModel::Question(const TLoss& loss) const
{
    if (loss.Empty())
        return {};
    if (loss.Prices == 0)
        return Text("The stock keeping units (SKU) of $1 combinations will be deleted. Do you want to proceed?",
                    {std::to_string(loss.Skus)});
    if (loss.Skus == 0)
        return Text("$1 prices name values of the option. They will be deleted. Do you want to proceed?",
                    {std::to_string(loss.Prices)});
    return Text("The stock keeping units (SKU) of $1 combinations and $2 prices that name values of the option will "
                "be deleted. Do you want to proceed?",
                {std::to_string(loss.Skus), std::to_string(loss.Prices)});
}

void TProductOptionsModel::ClearSkus()
{
    TSubObjectList(context_.Objects, context_.ItemId, Options(), "OptionObjects", context_.LangCode).RemoveAll();
    skus_.clear();
    hidden_ = 0;
}

void TProductOptionsModel::WriteOptionIds()
{
    TAbstractCObject* options = Options();
    if (!options)
        return;
    options->ClearMember("Options", std::string());
    for (int id : optionIds_)
        options->SetLangNumber("Options", context_.LangCode, id, -1);
}

void TProductOptionsModel::RemovePriceRows(const std::set<int>& instances)
{
    TSubObjectList(context_.Objects, context_.ItemId, context_.Objects.GetObject(context_.ItemId, "Prices"), "Price",
                   context_.LangCode)
        .Remove(instances);
}

std::string TProductOptionsModel::AddOption(int optionId)
{
    if (optionId == 0)
        return {};
    if (std::find(optionIds_.begin(), optionIds_.end(), optionId) != optionIds_.end())
        return Text("The option already exists for the product");
    ClearSkus();
    optionIds_.push_back(optionId);
    WriteOptionIds();
    Rebuild();
    return {};
}

void TProductOptionsModel::RemoveOption(int optionId)
{
    const auto found = std::find(optionIds_.begin(), optionIds_.end(), optionId);
    if (found == optionIds_.end())
        return;
    RemovePriceRows(PriceRowsNaming(ValuesOf(optionId), false));
    ClearSkus();
    optionIds_.erase(found);
    WriteOptionIds();
    Rebuild();
}

void TProductOptionsModel::SetHasOptions(bool hasOptions)
{
    if (hasOptions == hasOptions_)
        return;
    TAbstractCObject* options = Options();
    if (!options)
        return;
    hasOptions_ = hasOptions;
    options->SetLangBoolean("HasOptions", context_.LangCode, hasOptions, 0);
    if (!hasOptions) {
        RemovePriceRows(PriceRowsNaming({}, true));
        ClearSkus();
        optionIds_.clear();
        WriteOptionIds();
    }
    Rebuild();
}
