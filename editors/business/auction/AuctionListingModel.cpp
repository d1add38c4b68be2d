#include "editors/business/auction/AuctionListingModel.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/Amount.h"
#include "storage/AbstractCObject.h"
#include "storage/MemberValueText.h"
#include "storage/References.h"

#include <algorithm>

namespace {

constexpr const char* kMethods = "AcceptablePaymentMethods";

std::string Amount(double value)
{
    return value > 0 ? TAmount::ToText(value) : std::string();
}

std::string CodeOf(int value)
{
    return value == 0 ? std::string() : std::to_string(value);
}

}  // namespace

std::map<std::string, std::string> TAuctionListing::SiteCurrencies()
{
    std::map<std::string, std::string> currencies;
    if (!RootObject)
        return currencies;
    std::vector<std::string> lines;
    RootObject->References().FillReferenceList(15, lines, false, "XXX");
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            currencies[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return currencies;
}

TAuctionListing TAuctionListing::Load(TAbstractCObject* object, const std::string& lang,
                                      const TAuctionOptions& defaults)
{
    TAuctionListing listing;
    listing.Options = defaults;
    if (object) {
        const double bid = object->GetLangNumber("MinimalBid", lang, 0);
        listing.MinimalBid = TAmount::ToText(bid);
        listing.ReservedPrice = Amount(object->GetLangNumber("ReservedPrice", lang, 0));
        listing.Reserved = !listing.ReservedPrice.empty();
        listing.BuyItNowPrice = Amount(object->GetLangNumber("BuyItNowPrice", lang, 0));
        listing.BuyItNow = !listing.BuyItNowPrice.empty();
        const int quantity = object->GetLangInteger("Quantity", lang, 0);
        listing.Quantity = std::to_string(quantity > 0 ? quantity : 1);
        listing.UseDefaults = !object->GetLangBoolean("DontUseDefaultSettings", lang, 0);
        // A listing never saved yet starts from the first bid a user would type.
        if (bid == 0 && listing.UseDefaults && !object->HasValue("MinimalBid", lang))
            listing.MinimalBid = "1";
    }
    if (object && !listing.UseDefaults) {
        TAuctionOptions own;
        own.Duration = CodeOf(object->GetLangInteger("Duration", lang, 0));
        own.Counter = std::to_string(object->GetLangInteger("CounterType", lang, 0));
        own.Site = std::to_string(object->GetLangInteger("SiteId", lang, 0));
        std::vector<std::string> methods;
        object->GetLangValues(kMethods, lang, nullptr, methods);
        auto has = [&](const char* method) { return std::find(methods.begin(), methods.end(), method) != methods.end(); };
        own.AuctionPayment = has("ebaypayment");
        own.PayPal = has("paypal");
        own.CashOnDelivery = has("cashondelivery");
        own.PersonalChecks = has("personalchecks");
        own.Account = own.PayPal ? object->GetLangString("PayPalAccount", lang, 0) : std::string();
        listing.Options = own;
    }
    const auto currencies = SiteCurrencies();
    const auto found = currencies.find(listing.Options.Site);
    listing.Currency = found == currencies.end() ? std::string() : found->second;
    return listing;
}

void TAuctionListing::Store(TAbstractCObject& object, const std::string& lang) const
{
    object.SetLangNumber("MinimalBid", lang, TAmount::ReadOrZero(MinimalBid), 0);
    object.SetLangNumber("ReservedPrice", lang, Reserved ? TAmount::ReadOrZero(ReservedPrice) : 0, 0);
    object.SetLangNumber("BuyItNowPrice", lang, BuyItNow ? TAmount::ReadOrZero(BuyItNowPrice) : 0, 0);
    object.SetLangNumber("Quantity", lang, TMemberValueText::ReadInteger(Quantity), 0);
    object.SetLangBoolean("DontUseDefaultSettings", lang, !UseDefaults, 0);
    object.ClearMember(kMethods, "");
    object.ClearMember(kMethods, lang);
    if (UseDefaults) {
        object.SetLangString("PayPalAccount", lang, "", 0);
        object.SetLangNumber("Duration", lang, 0, 0);
        object.SetLangNumber("CounterType", lang, 0, 0);
        object.SetLangNumber("SiteId", lang, 0, 0);
        object.SetLangString("CurrencyCode", lang, "", 0);
        return;
    }
    object.SetLangString("PayPalAccount", lang, Options.PayPal ? Options.Account : std::string(), 0);
    object.SetLangNumber("Duration", lang, TMemberValueText::ReadInteger(Options.Duration), 0);
    object.SetLangNumber("CounterType", lang, TMemberValueText::ReadInteger(Options.Counter), 0);
    object.SetLangNumber("SiteId", lang, TMemberValueText::ReadInteger(Options.Site), 0);
    object.SetLangString("CurrencyCode", lang, Currency, 0);
    const std::pair<bool, const char*> methods[] = {{Options.AuctionPayment, "ebaypayment"},
                                                    {Options.PayPal, "paypal"},
                                                    {Options.CashOnDelivery, "cashondelivery"},
                                                    {Options.PersonalChecks, "personalchecks"}};
    for (const auto& [accepted, method] : methods)
        if (accepted)
            object.SetLangString(kMethods, lang, method, -1);
}

std::string TAuctionListing::BidProblem() const
{
    return TAmount::ReadOrZero(MinimalBid) > 0 ? std::string() : "Minimum Bid must be above zero";
}
