#pragma once
// TPriceDialogModel: the season price dialog without its widgets: the
// seasons and currencies offered, the start values from the parameter list
// (the catalog's default currency when it names none), when the dialog may
// be accepted, and the answer written back into the list.
//
// It may be accepted with a season and a currency chosen and a single and a
// double price above 0 (any number in the hotel association's catalogs);
// a price that is not a number never passes.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <utility>
#include <vector>

class TPriceDialogModel {
public:
    using TChoices = std::vector<std::pair<std::string, std::string>>;  // caption, code
    struct TValues {
        std::string Season, Currency, Single, Double, Triple, Quadro, Extra;
    };

    TPriceDialogModel(const TSiteModelContext& context, bool association);

    const TChoices& Seasons() const { return seasons_; }
    const TChoices& Currencies() const { return currencies_; }
    TValues Start(const std::vector<std::string>* params) const;
    // The reason the values cannot be taken yet (translated); empty when they can.
    std::string Refusal(const TValues& values) const;
    static void Answer(const TValues& values, std::vector<std::string>& params);

private:
    TSiteModelContext context_;
    bool association_;
    TChoices seasons_;
    TChoices currencies_;
};
