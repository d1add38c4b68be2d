#include "editors/business/auction/AuctionOptions.h"

#include "common/CommonFunctions.h"
#include "editors/site/SiteDatabaseWrites.h"

namespace {

const char* YesOrEmpty(bool accepted)
{
    return accepted ? "yes" : "";
}

}  // namespace

TAuctionOptions TAuctionOptions::Read(const TSiteDatabaseWrites& writes)
{
    TAuctionOptions options;
    options.Duration = writes.GetCatalogOption(kDuration);
    options.Site = writes.GetCatalogOption(kSite);
    options.Counter = writes.GetCatalogOption(kCounter);
    options.Account = writes.GetCatalogOption(kAccount);
    options.AuctionPayment = writes.GetCatalogOption(kAuctionPayment) == "yes";
    options.PayPal = writes.GetCatalogOption(kPayPal) == "yes";
    options.CashOnDelivery = writes.GetCatalogOption(kCashOnDelivery) == "yes";
    options.PersonalChecks = writes.GetCatalogOption(kPersonalChecks) == "yes";
    return options;
}

void TAuctionOptions::Write(const TSiteDatabaseWrites& writes) const
{
    writes.SetCatalogOption(kDuration, Duration);
    writes.SetCatalogOption(kSite, Site);
    writes.SetCatalogOption(kCounter, Counter);
    writes.SetCatalogOption(kAccount, PayPal ? Account : std::string());
    writes.SetCatalogOption(kAuctionPayment, YesOrEmpty(AuctionPayment));
    writes.SetCatalogOption(kPayPal, YesOrEmpty(PayPal));
    writes.SetCatalogOption(kCashOnDelivery, YesOrEmpty(CashOnDelivery));
    writes.SetCatalogOption(kPersonalChecks, YesOrEmpty(PersonalChecks));
}

std::vector<std::string> TAuctionOptions::Problems() const
{
    std::vector<std::string> problems;
    if (!AnyPayment())
        problems.push_back("At least one payment method should be choosen");
    if (PayPal && Account.empty())
        problems.push_back("PayPal account email should be entered");
    else if (PayPal && !TCommonFunctions::IsValidEmail(Account))
        problems.push_back("Invalid PayPal account email address");
    return problems;
}

std::vector<std::string> TAuctionOptions::DefaultsWarnings(const std::string& companyCountry) const
{
    std::vector<std::string> lines;
    if (companyCountry.empty())
        lines.push_back("Country must be specified in Company Info");
    const std::size_t own = lines.size();
    if (Counter.empty())
        lines.push_back("eBay Default Counter must be specified");
    if (Site.empty())
        lines.push_back("eBay Default Site must be specified");
    if (Duration.empty())
        lines.push_back("eBay Default Duration must be specified");
    if (PayPal && Account.empty())
        lines.push_back("PayPal Account e-mail address must be specified for eBay PayPal payment");
    if (!AnyPayment())
        lines.push_back("At least one of eBay default payment methods should be selected");
    if (lines.size() > own)
        lines.push_back("You can change eBay default settings at \"Catalog\" -> \"Catalog Options\" -> \"eBay Options\"");
    return lines;
}

std::vector<TMemberField::TChoice> TAuctionOptions::Choices(const std::string& member)
{
    return CodeTextChoices(MemberListValues("eBayPrice", member, "XXX"));
}
