#include "editors/business/options/PriceEditModel.h"

#include "catalog/Singletons.h"
#include "common/Amount.h"
#include "common/CaptionValue.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Translation.h"
#include "editors/framework/EditorParams.h"

#include <cstdlib>
#include <optional>

namespace {

std::string Text(const std::string& text, std::initializer_list<TFormatArg> args = {})
{
    return TTranslation::OrEnglish(Translation).Format(text, args);
}


}  // namespace

void TPriceEditModel::Init(const std::vector<std::string>& params, const std::vector<std::string>& schedules)
{
    auto value = [&params](const char* name) { return ValueOfName(params, name); };
    schedules_.clear();
    const int wanted = std::atoi(value("PriceSchedule").c_str());
    scheduleIndex_ = 0;
    for (const std::string& line : schedules) {
        TSchedule schedule;
        schedule.ItemId = std::atoi(CaptionValue::ValueOf(line).c_str());
        schedule.Caption = CaptionValue::CaptionOf(line);
        if (schedule.ItemId == wanted)
            scheduleIndex_ = static_cast<int>(schedules_.size());
        schedules_.push_back(schedule);
    }
    productItemId_ = std::atoi(value("ProductItemId").c_str());
    perOption_ = value("HasDifferentPrices") == "yes";
    newRow_ = std::atoi(value("PriceInstanceId").c_str()) == 0;
    PriceText = value("PriceValue");
    StockText = value("QuantityInStock");
    MinimumText = value("MinimumQuantity");
    AnyQuantity = value("IsMinimumQuantity") != "yes";
    RequestForQuote = value("IsRequestForQuote") == "yes";
    OptionItems = value("OptionItems");
    IncludeAll = false;
}

int TPriceEditModel::ScheduleId() const
{
    return scheduleIndex_ >= 0 && scheduleIndex_ < static_cast<int>(schedules_.size())
               ? schedules_[static_cast<std::size_t>(scheduleIndex_)].ItemId
               : 0;
}

std::string TPriceEditModel::PriceLabel(const std::string& currency)
{
    return Text("Price (currency $1)", {currency.empty() ? Text("unknown") : currency});
}

std::string TPriceEditModel::Save(std::vector<std::string>& params) const
{
    using editor_params::SetValue;
    const std::optional<double> price = RequestForQuote ? std::optional<double>(0) : TAmount::Read(PriceText);
    SetValue(params, "PriceSchedule", std::to_string(ScheduleId()));
    SetValue(params, "PriceValue", TAmount::ToText(price.value_or(0)));
    SetValue(params, "QuantityInStock", common_detail::Trim(StockText));
    const int minimum = std::atoi(common_detail::Trim(MinimumText).c_str());
    SetValue(params, "IsMinimumQuantity", !AnyQuantity && !RequestForQuote && minimum > 0 ? "yes" : "no");
    SetValue(params, "IsRequestForQuote", RequestForQuote ? "yes" : "no");
    if (perOption_) {
        const bool all = IncludeAll && newRow_;
        SetValue(params, "IncludeAllOptions", all ? "yes" : "no");
        if (!all)
            SetValue(params, "OptionItems", OptionItems);
    }
    SetValue(params, "MinimumQuantity", std::to_string(RequestForQuote ? 0 : minimum));
    if (RequestForQuote || (price && *price > 0)) {
        SetValue(params, "reedit", "");
        return {};
    }
    SetValue(params, "reedit", "yes");
    return Text("Enter correct price value");
}
