#pragma once
// The program's database resolver: the catalog description and the code
// databases come from the global definition, the reference database from
// the references, and the open catalog's database and its type's definition
// database from whoever holds the open catalog.
#include "storage/DatabaseResolver.h"

#include <functional>

class TGlobalDefinition;
class TReferences;

class TProgramDatabases : public TDatabaseResolver {
public:
    // A connection of the open catalog's side; null when there is none.
    using TConnectionSource = std::function<TAbstractDBConnection*()>;

    // Not owned; both must outlive the resolver.
    TProgramDatabases(TGlobalDefinition& globalDefinition, TReferences& references);

    // The open catalog's main connection (null while no catalog is open).
    void SetCatalogSource(TConnectionSource source) { catalogSource_ = std::move(source); }
    // The main connection of the definition database of the open catalog's
    // type (of the type whose definition is loaded while no catalog is open).
    void SetStyleSource(TConnectionSource source) { styleSource_ = std::move(source); }

    // "style" without a style source raises EDeveloperTolvexException.
    TAbstractDBConnection& ConnectionFor(const std::string& prefix) override;

private:
    TGlobalDefinition& globalDefinition_;
    TReferences& references_;
    TConnectionSource catalogSource_;
    TConnectionSource styleSource_;
};
