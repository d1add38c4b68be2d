#pragma once
// TRetailPriceModel: the one price the simple product frames edit, without
// widgets: the price row of the first price schedule (the first child of
// the schedules root that is not a link placement) that applies to every
// option combination and asks no minimum quantity, with its stock.
//
// The price keeps its cents: it is shown and read as an amount (TAmount).
// Nothing is written unless the price or the stock was edited, and never
// without a schedule: a catalog without schedules shows the controls
// disabled. An edited price updates that row, or makes it when the product
// has none.
#include "editors/site/SiteModelContext.h"

#include <optional>
#include <string>

class TRetailPriceModel {
public:
    explicit TRetailPriceModel(const TSiteModelContext& context);

    void Load();
    // The first schedule; 0 when the catalog has none.
    int ScheduleId() const { return scheduleId_; }
    bool HasSchedule() const { return scheduleId_ != 0; }
    const std::string& ScheduleName() const { return scheduleName_; }
    // The schedule's currency (the catalog's default currency when it has none).
    const std::string& CurrencyCode() const { return currencyCode_; }
    // The name the program's currency list gives Code; none when the list lacks it.
    static std::optional<std::string> CurrencyName(const std::string& code);

    const std::string& PriceText() const { return priceText_; }
    const std::string& StockText() const { return stockText_; }
    void SetPriceText(const std::string& text);
    void SetStockText(const std::string& text);
    bool IsEdited() const { return edited_; }

    // "Enter correct price value" when the price is no amount; empty when it may be stored.
    std::string Validate() const;
    // Only when edited, with a schedule and a price that is an amount: the row's price and stock.
    void Store();

private:
    // The instance id of the retail row among the product's prices; 0 without.
    int FindRow() const;

    TSiteModelContext context_;
    int scheduleId_ = 0;
    std::string scheduleName_;
    std::string currencyCode_;
    int rowInstanceId_ = 0;
    std::string priceText_;
    std::string stockText_;
    bool edited_ = false;
};
