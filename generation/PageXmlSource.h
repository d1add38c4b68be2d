#pragma once
// What fills a page document from the generation rules of its templates:
// the page XML builder. One source serves one document, given when it is
// created (TTransformerCatalog::CreatePageXmlSource); each rule appends
// elements to that document's root "Page".
#include <string>

class TAbstractDBConnection;
class TAbstractObjectCollection;

class TPageXmlSource {
public:
    virtual ~TPageXmlSource() = default;

    // Runs one rule text (fields "key=value" joined by "&") for the page's
    // data item, tree item and item type, reading through Connection and
    // Collection in CatalogCode. StopAfterParentLinks is set by the link
    // previews of the page-links editor. Database and DOM errors raise.
    virtual void ProcessRule(int itemId, int treeItemId, int itemType, const std::string& ruleText,
                             TAbstractDBConnection& connection, TAbstractObjectCollection& collection,
                             const std::string& catalogCode, bool stopAfterParentLinks) = 0;
};
