#include "publishing/WorkerNameLookup.h"

#include "generation/GenerationCatalog.h"

TWorkerNameLookup::TWorkerNameLookup(TGenerationCatalog& shared, TSharedServicesLock& lock)
    : shared_(shared), lock_(lock)
{
}

// Ask(), under the lock, remembered in Answers under Name.
template <typename TAsk>
int TWorkerNameLookup::Remembered(std::map<std::string, int>& answers, const std::string& name, const TAsk& ask)
{
    const auto known = answers.find(name);
    if (known != answers.end())
        return known->second;
    TSharedServicesGuard guard(lock_);
    return answers[name] = ask();
}

// The shared catalog resolves a name that is no number and no keyword (the
// only texts the rules look up) by its own lookup, whatever the current ids.
int TWorkerNameLookup::GetItemIdByName(const std::string& name)
{
    return Remembered(itemIds_, name, [&] { return shared_.ResolveItemId(name, 0, 0); });
}

int TWorkerNameLookup::GetItemTypeByName(const std::string& name)
{
    return Remembered(itemTypes_, name, [&] { return shared_.ResolveItemType(name, 0); });
}

int TWorkerNameLookup::GetHomePageId()
{
    return Remembered(itemIds_, "Home", [&] { return shared_.ResolveItemId("Home", 0, 0); });
}
