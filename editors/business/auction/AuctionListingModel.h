#pragma once
// A product's auction listing ("eBayPrice" object) without widgets: the bid
// and price levels (amounts, round-trip text), and either the catalog's
// default options or the product's own (duration, counter, site with its
// currency, payment methods, account). Own settings that are not used are
// stored empty or 0.
#include "editors/business/auction/AuctionOptions.h"

#include <map>
#include <string>

class TAbstractCObject;

struct TAuctionListing {
    std::string MinimalBid = "1";
    bool Reserved = false;
    std::string ReservedPrice;
    bool BuyItNow = false;
    std::string BuyItNowPrice;
    std::string Quantity = "1";
    bool UseDefaults = true;
    TAuctionOptions Options;  // the own settings, or the defaults shown
    std::string Currency;

    // Read from the object (none: a new listing) in Lang; Defaults are shown while they are used.
    static TAuctionListing Load(TAbstractCObject* object, const std::string& lang,
                                const TAuctionOptions& defaults);
    void Store(TAbstractCObject& object, const std::string& lang) const;
    // The refusal of the save ("" when the bid is above zero).
    std::string BidProblem() const;

    // The currency of each site id (reference list 15).
    static std::map<std::string, std::string> SiteCurrencies();
};
