#pragma once
// TXmlBuilderPageSource: the page XML builder as the transformer asks for
// it (TPageXmlSource). One source fills one page document; every rule runs
// through a TXmlBuilder over that document.
#include "generation/PageXmlSource.h"
#include "generation/XmlBuilder.h"

class TTranslation;

class TXmlBuilderPageSource : public TPageXmlSource {
public:
    // Document and Log (may be null) are not owned; Catalog and Context must
    // outlive the source; Translation (may be null) translates log lines.
    // RunCache (may be null, not owned) keeps what stays the same for every page of a publishing run.
    TXmlBuilderPageSource(xmlDoc* document, TLog* log, TGenerationCatalog& catalog, TTolvexObjectContext& context,
                          const TTranslation* translation, TXmlBuilderRunCache* runCache = nullptr);

    // The collection must be the catalog's object collection
    // (TObjectCollection); any other raises EDeveloperTolvexException.
    void ProcessRule(int itemId, int treeItemId, int itemType, const std::string& ruleText,
                     TAbstractDBConnection& connection, TAbstractObjectCollection& collection,
                     const std::string& catalogCode, bool stopAfterParentLinks) override;

private:
    TXmlBuilder builder_;
};
