#pragma once
// The tables of a catalog database: the seven tables of the catalog content
// (the item tree, the object instances and one table per kind of member
// value) and the bookkeeping tables (local settings, action log, sequences,
// tombstones of deleted items). One database file may hold several catalogs:
// every table starts with CatalogCode (lower case). Text compares without
// regard to case (COLLATE NOCASE), as the catalog data expects.
//
// This is the single source of the tables' creation statements: the
// GlobalTables rows of the catalog-description data are generated from it.
#include <string>
#include <vector>

class TAbstractDBConnection;

// One row of the table descriptions: a table with its primary key (field
// names joined by ",") and creation statement, or an index, whose name ends
// with the name of its table.
struct TCatalogTableDefinition {
    std::string TableName;
    std::string DataType;  // "table" or "index"
    std::string PrimaryKeyInfo;
    std::string CreateSQL;
};

// The language code of values that belong to no language.
inline constexpr const char* kNoLanguageCode = "XXX";

// A language code as objects keep and compare it: upper case (ASCII), so
// that "en" and "EN" name one language, as they do in the value tables.
std::string NormalLangCode(const std::string& langCode);

class TCatalogTables {
public:
    // Every table, then every index, in creation order.
    static const std::vector<TCatalogTableDefinition>& Definitions();
    // The creation statements of Definitions(), in the same order.
    static std::vector<std::string> CreateStatements();
    // The value table of a member type: "CStrings" (1-49), "CText" (50-99),
    // "CNumbers" (100-199), "CDates" (200-249), "CBinary" (250-299); empty
    // for any other type.
    static std::string ValueTable(int memberType);
};

// Creates every catalog table and index on the connection's database.
void CreateCatalogTables(TAbstractDBConnection& connection);
