#pragma once
// TServicePackagesModel: a service as a package of other services. The
// services that may be contained are every service (its data item) with a
// name and a service object that is no package itself, each known by its
// identifier. An entry (an object of class 1015 in the service item) names
// the contained service by identifier and carries its restrictions; an
// entry whose service was deleted shows an empty name. Everything lives in
// the session's objects until the service is saved.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <utility>
#include <vector>

class TServicePackagesModel {
public:
    static constexpr int kEntryClass = 1015;
    static constexpr int kServiceType = 3301;

    struct TEntry {
        int InstanceId = 0;
        std::string Guid, Name, Restrictions, FreeTrialRestrictions, TrialRestrictions;
    };
    using TCandidates = std::vector<std::pair<std::string, std::string>>;  // identifier, name

    explicit TServicePackagesModel(const TSiteModelContext& context);

    // The services that may be contained (identifier and name), for the dialog too.
    static TCandidates Candidates(const TSiteModelContext& context);

    void Load();
    bool IsPackage() const { return isPackage_; }
    void SetPackage(bool package) { isPackage_ = package; }
    const std::vector<TEntry>& Entries() const { return entries_; }

    // The dialog's start values for an entry ("ServiceGUID", "Restrictions"...).
    std::vector<std::string> EditParams(int instanceId) const;
    // InstanceId 0: a new entry. The error to show (translated); empty when done.
    std::string Apply(int instanceId, const std::vector<std::string>& answer);
    void Delete(int instanceId);
    void Store();

private:
    void LoadEntries();

    TSiteModelContext context_;
    TCandidates candidates_;
    bool isPackage_ = false;
    std::vector<TEntry> entries_;
};
