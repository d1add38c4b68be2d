#pragma once
// TPriceEditModel: the price dialog ("editprice") without widgets: what it
// reads from the parameter list, what it enables, and what it writes back.
//
// The price is read as an amount (a decimal comma or point, grouped
// thousands) and written back in its round-trip form, so 12499.99 stays
// 12499.99. A price that is no amount, or not above 0, is refused unless the
// row is a request for quote; the dialog then sets "reedit" and shows again.
#include <string>
#include <vector>

class TPriceEditModel {
public:
    struct TSchedule {
        int ItemId = 0;
        std::string Caption;  // indented by depth
    };

    // Schedules: "caption===id" lines (ListSubtree). Currency: a schedule's currency code, empty when none.
    void Init(const std::vector<std::string>& params, const std::vector<std::string>& schedules);

    const std::vector<TSchedule>& Schedules() const { return schedules_; }
    int ScheduleIndex() const { return scheduleIndex_; }
    void SetScheduleIndex(int index) { scheduleIndex_ = index; }
    int ScheduleId() const;

    std::string PriceText;
    std::string StockText;
    std::string MinimumText;
    bool AnyQuantity = true;
    bool RequestForQuote = false;
    bool IncludeAll = false;
    std::string OptionItems;

    // The option panel shows with prices per option; "Include All Options" only for a new row.
    bool OptionPanelVisible() const { return perOption_; }
    bool IncludeAllEnabled() const { return newRow_; }
    bool MinimumEnabled() const { return !AnyQuantity && !RequestForQuote; }
    bool PriceEnabled() const { return !RequestForQuote; }
    bool OptionEnabled() const { return !IncludeAll; }
    int ProductItemId() const { return productItemId_; }

    // "Price (currency $1)"; the currency empty shows as "unknown" (translated).
    static std::string PriceLabel(const std::string& currency);

    // Writes the answer into Params; the error to show ("reedit" is then "yes") or empty.
    std::string Save(std::vector<std::string>& params) const;

private:
    std::vector<TSchedule> schedules_;
    int scheduleIndex_ = 0;
    bool perOption_ = false;
    bool newRow_ = true;
    int productItemId_ = 0;
};
