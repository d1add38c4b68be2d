#pragma once
// One catalog type as its definition database describes it: the header
// object (class 806 on item 806) of the type's style catalog "t#" + number.
#include <memory>
#include <string>

class TAbstractDBConnection;

// The code of the definition catalog of a catalog type: "t#" and the number.
inline std::string DefinitionCatalogCode(int catalogType)
{
    return "t#" + std::to_string(catalogType);
}

class TCatalogTypes {
public:
    std::string Name;          // string member 2
    int CatalogType = 0;       // number member 9
    std::string BodyTemplate;  // string member 6, or text member 6 when there is one
    int Version = 0;           // string member 8 read as a number; 0 when it is none
    int OrderNum = 0;          // number member 1: sort order
    int Listed = 0;            // number member 4: 1 when offered for new catalogs

    // Reads the header of the style catalog CatalogCode on Connection.
    static std::unique_ptr<TCatalogTypes> Read(TAbstractDBConnection& connection, const std::string& catalogCode);
};
