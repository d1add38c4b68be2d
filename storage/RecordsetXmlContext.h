#pragma once
// What the record-set XML writer and reader need from the rest of the
// program: the value conversions, the primary keys of the exchanged tables
// (GlobalTables of the catalog-description database), the open catalog's
// code and the debug setting. Plain values and callbacks, so that the
// program wires in its global definition and tests use lambdas.
#include <cstdint>
#include <functional>
#include <string>

class TCommonFunctions;

// Writer modes: rows of global tables are written without a catalog code
// and also when the table has no primary key; every other mode is the one
// of catalog tables.
inline constexpr std::uint8_t kRecordsetWriteGlobalTables = 4;

// Reader modes.
inline constexpr std::uint8_t kRecordsetReadCatalog = 0;           // catalog tables of the open catalog
inline constexpr std::uint8_t kRecordsetReadCatalogRemapped = 2;   // cached data of another catalog
inline constexpr std::uint8_t kRecordsetReadGlobalExport = 3;      // catalog-description and style exports
inline constexpr std::uint8_t kRecordsetReadGlobalDownload = 5;    // global tables downloaded from the host

struct TRecordsetXmlContext {
    // Value conversions and the time-zone bias of the dates; required.
    const TCommonFunctions* functions = nullptr;
    // The PrimaryKeyInfo of a table as GlobalTables lists it: field names
    // separated by ","; empty for a table that is not listed. May be empty.
    std::function<std::string(const std::string& table)> primaryKeyInfo;
    // The code of the open catalog (lower case).
    std::string catalogCode;
    // When setting 86 "[Key] Debug" is 1: the program's temp folder, where a
    // copy of every written and every read document is saved. Empty: none.
    std::string debugFolder;
};
