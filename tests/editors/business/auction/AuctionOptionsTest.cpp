// The rules of the auction listing options without widgets: what refuses
// the catalog's options, what the product listing warns of while the
// defaults are incomplete, and how a listing is stored with the defaults or
// its own settings.
#include "editors/business/auction/AuctionListingModel.h"
#include "editors/business/auction/AuctionOptions.h"

#include <gtest/gtest.h>

namespace {

using TLines = std::vector<std::string>;

TAuctionOptions Complete()
{
    TAuctionOptions options;
    options.Duration = "7";
    options.Site = "3";
    options.Counter = "1";
    options.PersonalChecks = true;
    return options;
}

}  // namespace

TEST(AuctionOptions, PaymentMethodsAndTheAccountRefuseTheOptions)
{
    const struct {
        const char* what;
        bool payPal;
        bool checks;
        const char* account;
        TLines problems;
    } cases[] = {
        {"personal checks alone", false, true, "", {}},
        {"no method", false, false, "", {"At least one payment method should be choosen"}},
        {"no method, an account but no service", false, false, "a@b.example",
         {"At least one payment method should be choosen"}},
        {"payment service without account", true, false, "", {"PayPal account email should be entered"}},
        {"account ending in a digit", true, false, "seller@shop.example1", {"Invalid PayPal account email address"}},
        {"account without @", true, false, "seller.example", {"Invalid PayPal account email address"}},
        {"good account", true, false, "seller@shop.example", {}},
    };
    for (const auto& c : cases) {
        TAuctionOptions options;
        options.PayPal = c.payPal;
        options.PersonalChecks = c.checks;
        options.Account = c.account;
        EXPECT_EQ(options.Problems(), c.problems) << c.what;
    }
}

TEST(AuctionOptions, IncompleteDefaultsAreNamedWithWhereToCompleteThem)
{
    EXPECT_EQ(Complete().DefaultsWarnings("US"), TLines{});
    EXPECT_EQ(Complete().DefaultsWarnings(""), TLines{"Country must be specified in Company Info"})
        << "the company's country is not among the catalog options";
    TAuctionOptions empty;
    empty.PayPal = true;
    EXPECT_EQ(empty.DefaultsWarnings("US"),
              (TLines{"eBay Default Counter must be specified", "eBay Default Site must be specified",
                      "eBay Default Duration must be specified",
                      "PayPal Account e-mail address must be specified for eBay PayPal payment",
                      "You can change eBay default settings at \"Catalog\" -> \"Catalog Options\" -> \"eBay Options\""}));
}

TEST(AuctionListing, ABidNotAboveZeroIsRefused)
{
    const struct {
        const char* typed;
        bool refused;
    } cases[] = {{"1", false}, {"0,01", false}, {"12.499,50", false}, {"0", true}, {"", true}, {"-3", true},
                 {"abc", true}};
    for (const auto& c : cases) {
        TAuctionListing listing;
        listing.MinimalBid = c.typed;
        EXPECT_EQ(listing.BidProblem().empty(), !c.refused) << c.typed;
    }
}
