#pragma once
// What the catalog definition asks of the rest of the program when it
// resolves symbolic ids: the catalog description's lists of global item
// names and item-type names, and the open catalog's home page. The root
// object wires in the global definition and itself; tests give a table.
#include <string>

class TCatalogDefinitionLookup {
public:
    virtual ~TCatalogDefinitionLookup() = default;

    // The item id listed under an XML tag name; 0 when the name is not listed.
    virtual int GetItemIdByName(const std::string& name) = 0;
    // The item type listed under an XML tag name; 0 when the name is not listed.
    virtual int GetItemTypeByName(const std::string& name) = 0;
    // The home page item of the open catalog.
    virtual int GetHomePageId() = 0;
};
