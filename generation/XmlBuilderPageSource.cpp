#include "generation/XmlBuilderPageSource.h"

#include "common/Exceptions.h"
#include "storage/ObjectCollection.h"

TXmlBuilderPageSource::TXmlBuilderPageSource(xmlDoc* document, TLog* log, TGenerationCatalog& catalog,
                                             TTolvexObjectContext& context, const TTranslation* translation,
                                             TXmlBuilderRunCache* runCache)
    : builder_(document, log, catalog, context)
{
    builder_.SetTranslation(translation);
    builder_.SetRunCache(runCache);
}

void TXmlBuilderPageSource::ProcessRule(int itemId, int treeItemId, int itemType, const std::string& ruleText,
                                        TAbstractDBConnection& connection, TAbstractObjectCollection& collection,
                                        const std::string& catalogCode, bool stopAfterParentLinks)
{
    // The builder works on the catalog's collection class itself.
    auto* objects = dynamic_cast<TObjectCollection*>(&collection);
    if (!objects)
        throw EDeveloperTolvexException("The page XML builder needs the catalog's object collection");
    builder_.ProcessRule(itemId, treeItemId, itemType, ruleText, connection, *objects, catalogCode,
                         stopAfterParentLinks);
}
