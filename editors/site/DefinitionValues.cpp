#include "editors/site/lists/DefinitionValues.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"

TDefinitionLookup DefinitionValues(TCatalog& catalog, const std::string& pluginName)
{
    return [&catalog, pluginName](const std::string& key) {
        return catalog.GetDefinition().GetFilterValue(pluginName, key);
    };
}
