#pragma once
// What the site editors' models need of an opened item: the catalog object,
// the open catalog, the editing connection with its unit of work, the item's
// object collection and the item's place. A frame fills it from its editing
// context; tests fill it from a real catalog. Nothing here is owned.
//
// A model never writes the database before its Store: its edits live in the
// model, so that dropping the model is the cancel.
#include <string>

class TAbstractDBConnection;
class TAbstractObjectCollection;
class TCatalog;
class TCatalogData;

struct TSiteModelContext {
    TCatalog& Catalog;
    TCatalogData& Data;
    // The editing connection; its unit of work is committed by the item's
    // save and rolled back by its cancel.
    TAbstractDBConnection& Connection;
    TAbstractObjectCollection& Objects;
    std::string CatalogCode;
    // The content language of the frame (the context's current language).
    std::string LangCode;
    int ItemId = 0;      // the opened data item
    int TreeItemId = 0;  // the opened tree place
    int ItemType = 0;
    int ParentItemId = 0;
};
