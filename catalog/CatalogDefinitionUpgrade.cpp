// Bringing a catalog's data up to a newer version of its catalog type's
// definition: the definition's "UpdateItem" list adds what the catalog
// lacks, its "DeleteItem" list removes what the definition dropped.
#include "catalog/CatalogDefinition.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinitionRows.h"
#include "catalog/CatalogUpgrades.h"
#include "storage/UnitOfWorkScope.h"

void TCatalogDefinition::UpgradeDefinition(const std::string& catalogCode, int catalogType, int,
                                           TAbstractDBConnection& connection)
{
    TAbstractDBConnection& source = DefinitionConnection(catalogType);
    const std::vector<std::string> updates = ReadInitializationList(source, catalogType, "UpdateItem");
    const std::vector<std::string> deletes = ReadInitializationList(source, catalogType, "DeleteItem");
    const std::string sourceCode = catalog_definition::DefinitionCatalogCode(catalogType);
    TCatalogUpgrades& upgrades = Services().Catalog.GetUpgrades();

    // A catalog is upgraded completely or not at all: the caller records the
    // new version only after this, so a failed upgrade runs again next time.
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    upgrades.CopyStyleItems(catalogCode, sourceCode, updates, connection, source, "", true, false);
    upgrades.DeleteStyleItems(catalogCode, sourceCode, deletes, connection);
    unit.Commit();
}
