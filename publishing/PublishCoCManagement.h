#pragma once
// The catalog-network management request: asks the hosting service to
// publish every member of the open catalog of catalogs again, with the
// catalog's own templates or with those of one member. One GET to the
// catalog-network address (settings 71 and 81) with the catalog code, the
// account, "action" and "actionvalue", each value URL-encoded; the reply's
// body is not read. A retryable step: a failed request writes "Error: $1"
// and opens the continue dialog, Retry sends it again.
//
// The address carries the password: it is never written into the log.
//
// Parameters: "memberid" (the dialog's choice, kept for the caller),
// "action", "actionvalue".
#include "publishing/TolvexPublisher.h"

class TPublishCoCManagement : public TTolvexPublisher {
public:
    TPublishCoCManagement(std::vector<std::string>& params, TAbstractDBConnection& connection,
                          const TPublisherEnvironment& environment);

    void Execute() override;
    std::string GetText(int kind) const override;

    // The account sent; the open catalog's remembered login by default.
    void SetAccount(const std::string& userName, const std::string& password);
    // The time limit of the request in seconds.
    void SetRequestTimeout(long seconds);
    // The catalog-network address: setting 71 followed by setting 81.
    const std::string& CoCUrl() const { return cocUrl_; }

private:
    std::string RequestUrl();

    std::string cocUrl_;
    bool accountSet_ = false;
    std::string userName_;
    std::string password_;
};

namespace catalog_network {

// The request's parameter list for the dialog's choice: "memberid" and,
// for a member (a choice other than "0"), its catalog code as "actionvalue".
std::vector<std::string> ManagementParams(const std::string& memberId, const std::string& memberCode);

}  // namespace catalog_network
