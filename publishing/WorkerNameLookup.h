#pragma once
// The names a publishing worker's generation rules use for items and item
// types (catalog.SymbolicIds), answered by the open catalog under the
// shared-services lock, each name asked once: the catalog's lists of names
// and its home page stay the same while a run publishes. The rules that do
// not need the catalog (numbers, the current item, the page's templates)
// are applied by the worker itself, without the lock, which every page's
// rules asked for several times.
#include "catalog/CatalogDefinitionLookup.h"
#include "publishing/SharedServicesLock.h"

#include <map>
#include <string>

class TGenerationCatalog;

class TWorkerNameLookup : public TCatalogDefinitionLookup {
public:
    // Nothing owned; both must outlive the lookup.
    TWorkerNameLookup(TGenerationCatalog& shared, TSharedServicesLock& lock);

    int GetItemIdByName(const std::string& name) override;
    int GetItemTypeByName(const std::string& name) override;
    int GetHomePageId() override;

private:
    template <typename TAsk>
    int Remembered(std::map<std::string, int>& answers, const std::string& name, const TAsk& ask);

    TGenerationCatalog& shared_;
    TSharedServicesLock& lock_;
    // By name; the home page under "Home", which is no name the rules look up.
    std::map<std::string, int> itemIds_;
    std::map<std::string, int> itemTypes_;
};
