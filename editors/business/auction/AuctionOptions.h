#pragma once
// The catalog's default auction listing options, kept as catalog
// properties: the listing duration, site and counter (codes of the allowed
// values of the product's listing members), the accepted payment methods
// ("yes" or empty) and the payment service account, written only while that
// service is accepted. No widgets: the options tab shows them and the
// product's listing reads them as its defaults.
#include "editors/business/MemberFormModel.h"

#include <functional>
#include <string>
#include <vector>

class TSiteDatabaseWrites;

struct TAuctionOptions {
    static constexpr int kDuration = 736;
    static constexpr int kSite = 737;
    static constexpr int kAuctionPayment = 738;
    static constexpr int kCounter = 739;
    static constexpr int kAccount = 740;
    static constexpr int kPayPal = 741;
    static constexpr int kCashOnDelivery = 742;
    static constexpr int kPersonalChecks = 743;

    std::string Duration;
    std::string Site;
    std::string Counter;
    std::string Account;
    bool AuctionPayment = false;
    bool PayPal = false;
    bool CashOnDelivery = false;
    bool PersonalChecks = false;

    static TAuctionOptions Read(const TSiteDatabaseWrites& writes);
    // All eight properties; an unaccepted method and, without the payment
    // service, the account are written empty.
    void Write(const TSiteDatabaseWrites& writes) const;

    bool AnyPayment() const { return AuctionPayment || PayPal || CashOnDelivery || PersonalChecks; }
    // What refuses the options tab's save, one message (English) each.
    std::vector<std::string> Problems() const;
    // What the product listing warns of after its save while the defaults
    // are incomplete (English; the last line says where to complete them).
    // CompanyCountry: the company's country code.
    std::vector<std::string> DefaultsWarnings(const std::string& companyCountry) const;

    // The allowed values (language-neutral) of a member of the product's
    // listing object: "Duration", "SiteId", "CounterType", "AcceptablePaymentMethods".
    static std::vector<TMemberField::TChoice> Choices(const std::string& member);
};
