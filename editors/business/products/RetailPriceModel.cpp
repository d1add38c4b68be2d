#include "editors/business/products/RetailPriceModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/Amount.h"
#include "common/Translation.h"
#include "editors/business/BusinessIds.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/MemberValueText.h"
#include "storage/References.h"

#include <cstdlib>
#include <vector>

TRetailPriceModel::TRetailPriceModel(const TSiteModelContext& context) : context_(context) {}

std::optional<std::string> TRetailPriceModel::CurrencyName(const std::string& code)
{
    // The list holds "code=name" lines; a later line of the same code wins.
    std::optional<std::string> name;
    if (RootObject)
        for (const std::string& line : RootObject->References().GetCurrencies())
            if (line.starts_with(code + "="))
                name = line.substr(code.size() + 1);
    return name;
}

void TRetailPriceModel::Load()
{
    scheduleId_ = 0;
    scheduleName_.clear();
    currencyCode_.clear();
    rowInstanceId_ = 0;
    priceText_.clear();
    stockText_.clear();
    edited_ = false;

    std::vector<std::string> schedules;
    context_.Catalog.GetChildItemIds(business_ids::kSchedulesRoot, schedules, context_.CatalogCode, context_.Connection,
                                     true);
    if (schedules.empty())
        return;
    scheduleId_ = std::atoi(schedules.front().c_str());
    scheduleName_ = context_.Data.GetItemName(scheduleId_, context_.Connection, context_.LangCode);
    if (TAbstractCObject* schedule = context_.Objects.GetObject(scheduleId_, "CommonPriceSchedule"))
        currencyCode_ = schedule->GetLangString("CurrencyCode", context_.LangCode, 0);
    if (currencyCode_.empty())
        currencyCode_ = context_.Data.GetCatalogProperty(business_ids::kDefaultCurrency, context_.Connection);

    rowInstanceId_ = FindRow();
    if (TAbstractCObject* row = rowInstanceId_ ? context_.Objects.GetObjectByInstance(context_.ItemId, rowInstanceId_)
                                               : nullptr) {
        priceText_ = TAmount::ToText(row->GetLangNumber("PriceValue", context_.LangCode, 0));
        stockText_ = std::to_string(row->GetLangInteger("QuantityAtStock", context_.LangCode, 0));
    }
}

int TRetailPriceModel::FindRow() const
{
    TAbstractCObject* prices = context_.Objects.GetObject(context_.ItemId, "Prices");
    if (!prices)
        return 0;
    std::vector<std::string> ids;
    prices->GetLangValues("Price", context_.LangCode, nullptr, ids);
    for (const std::string& text : ids) {
        const int instanceId = std::atoi(text.c_str());
        TAbstractCObject* row = context_.Objects.GetObjectByInstance(context_.ItemId, instanceId);
        if (!row || row->GetLangInteger("PriceSchedule", context_.LangCode, 0) != scheduleId_)
            continue;
        // The price for any quantity and every combination of options.
        std::vector<std::string> options;
        row->GetLangValues("OptionItemId", context_.LangCode, nullptr, options);
        if (options.empty() && row->GetLangInteger("MinimumQuantity", context_.LangCode, 0) == 0)
            return instanceId;
    }
    return 0;
}

void TRetailPriceModel::SetPriceText(const std::string& text)
{
    priceText_ = text;
    edited_ = true;
}

void TRetailPriceModel::SetStockText(const std::string& text)
{
    stockText_ = text;
    edited_ = true;
}

std::string TRetailPriceModel::Validate() const
{
    if (!edited_ || !HasSchedule() || priceText_.find_first_not_of(" \t") == std::string::npos ||
        TAmount::Read(priceText_))
        return {};
    return TTranslation::OrEnglish(Translation).Format("Enter correct price value", {});
}

void TRetailPriceModel::Store()
{
    // A price that is no amount stays typed (and the save refuses it): a
    // preview never turns it into 0.
    if (!edited_ || !HasSchedule() || !Validate().empty())
        return;
    TAbstractCObject* row = rowInstanceId_ ? context_.Objects.GetObjectByInstance(context_.ItemId, rowInstanceId_)
                                           : nullptr;
    if (!row) {
        TAbstractCObject* prices = context_.Objects.GetObject(context_.ItemId, "Prices");
        row = prices ? prices->AddSubObject("Price", "Price", context_.LangCode) : nullptr;
        if (!row)
            return;
        rowInstanceId_ = row->GetInstanceId();
        row->SetLangNumber("PriceSchedule", context_.LangCode, scheduleId_, 0);
    }
    const double price = TAmount::ReadOrZero(priceText_);
    row->SetLangNumber("PriceValue", context_.LangCode, price, 0);
    row->SetLangNumber("QuantityAtStock", context_.LangCode, TMemberValueText::ReadInteger(stockText_), 0);
    // A price typed over a request for quote makes the row a price again.
    if (price != 0)
        row->SetLangBoolean("IsRequestForQuote", context_.LangCode, false, 0);
    priceText_ = TAmount::ToText(price);
    edited_ = false;
}
