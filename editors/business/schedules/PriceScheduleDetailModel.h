#pragma once
// TPriceScheduleDetailModel: one price schedule as its detail frame shows
// it, without widgets: its name, currency (the catalog's default currency
// while it has none), who sees its prices, and, for a schedule calculated
// from its base schedule, how (add, subtract, multiply, divide) and by how
// much. A name that another schedule holds (saved, or changed in this
// session) refuses the save and keeps what was typed.
#include "editors/site/SiteModelContext.h"

#include <string>

class TPriceScheduleDetailModel {
public:
    // Who sees the prices: the stored numbers.
    enum TVisibility { pvPublic = 0, pvApprovedBuyers = 1, pvRegisteredBuyers = 2, pvHidden = 3 };

    struct TValues {
        std::string Name;
        std::string CurrencyCode;
        TVisibility Visibility = pvPublic;
        bool Calculated = false;
        int CalculatedType = 0;           // 0 add, 1 subtract, 2 multiply, 3 divide
        std::string CalculatedValue;      // as an amount
        bool operator==(const TValues&) const = default;
    };

    explicit TPriceScheduleDetailModel(const TSiteModelContext& context);

    void Load();
    const TValues& Values() const { return values_; }
    void SetValues(const TValues& values) { values_ = values; }
    bool IsModified() const { return !(values_ == loaded_); }
    bool NameChanged() const { return values_.Name != loaded_.Name; }
    // The reason to refuse the save (translated); empty when none.
    std::string Validate() const;
    // Writes the values into the schedule's objects (the calculation only for a calculated schedule).
    void Store();

private:
    TSiteModelContext context_;
    TValues values_;
    TValues loaded_;
};
