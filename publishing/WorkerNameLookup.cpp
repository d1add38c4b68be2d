#include "publishing/WorkerNameLookup.h"

#include "generation/GenerationCatalog.h"

TWorkerNameLookup::TWorkerNameLookup(TGenerationCatalog& shared, TSharedServicesLock& lock)
    : shared_(shared), lock_(lock)
{
}

// The shared catalog resolves a name that is no number and no keyword (the
// only texts the rules look up) by its own lookup, whatever the current ids.
int TWorkerNameLookup::GetItemIdByName(const std::string& name)
{
    const auto known = itemIds_.find(name);
    if (known != itemIds_.end())
        return known->second;
    TSharedServicesGuard guard(lock_);
    return itemIds_[name] = shared_.ResolveItemId(name, 0, 0);
}

int TWorkerNameLookup::GetItemTypeByName(const std::string& name)
{
    const auto known = itemTypes_.find(name);
    if (known != itemTypes_.end())
        return known->second;
    TSharedServicesGuard guard(lock_);
    return itemTypes_[name] = shared_.ResolveItemType(name, 0);
}

int TWorkerNameLookup::GetHomePageId()
{
    if (!homePageId_) {
        TSharedServicesGuard guard(lock_);
        homePageId_ = shared_.ResolveItemId("Home", 0, 0);
    }
    return *homePageId_;
}
