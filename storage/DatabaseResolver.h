#pragma once
// Which database a statement runs on. A class member may carry its own
// statement for its value list, prefixed with the name of the database it
// reads ("tolvex:SELECT ..."); class definitions ask a resolver for the
// connection of that database. The program's resolver is TProgramDatabases,
// to which the global definition, the references and the open catalog
// supply their databases.
#include <string>

class TAbstractDBConnection;

// The prefixes that name a database.
inline constexpr const char* kCatalogsPrefix = "catalogs";    // the catalog description
inline constexpr const char* kReferencesPrefix = "tolvex";    // the reference database
inline constexpr const char* kStylePrefix = "style";          // the open catalog type's definition database
inline constexpr const char* kUnspscPrefix = "unspsc";
inline constexpr const char* kHarmonizedPrefix = "harmonize";
inline constexpr const char* kEBayPrefix = "ebay";
inline constexpr const char* kZarivuroPrefix = "zarivuro";

class TDatabaseResolver {
public:
    virtual ~TDatabaseResolver() = default;

    // The main connection of the database that Prefix names (compared
    // exactly). Any other prefix, and the empty one of a statement without
    // prefix, names the open catalog's database, or the catalog description
    // while no catalog is open.
    virtual TAbstractDBConnection& ConnectionFor(const std::string& prefix) = 0;
};
