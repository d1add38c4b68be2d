#pragma once
// Copies whole items (the Items row, object instances and member values)
// between two catalogs, row by row over two connections that may belong to
// different database files: the way styles and templates travel between a
// style catalog ("t#" and the catalog type) and a user's catalog.
//
// CopyItems and DeleteItems write into the target code (the first given)
// and read from the source code; CopyItemsPlain copies the other way, from
// the first code into the second. The caller owns the connections and the
// unit of work; every copy is one unit of work of its own on the
// destination connection (a savepoint inside the caller's), so a failure
// leaves the destination as it was.
#include <string>
#include <vector>

class TAbstractDBConnection;
class TCatalog;

class TStyleLoader {
public:
    // Catalog: the catalog object (item lookups, deletion, objects); not owned.
    TStyleLoader(TCatalog& catalog, std::string targetCatalogCode, std::string sourceCatalogCode);

    const std::string& TargetCatalogCode() const { return targetCatalogCode_; }
    const std::string& SourceCatalogCode() const { return sourceCatalogCode_; }

    // Copies the items ItemIds (decimal texts) from the source catalog into
    // the target catalog. Params: null, or lines "color=", "font=" and
    // "background=" with item ids that every copied master template
    // receives as its colour, font and background. AddOnly: items the target
    // has stay untouched; otherwise the target's rows of every listed item
    // are deleted first. StampNow: the copies are modified now, otherwise
    // they keep the source's date.
    void CopyItems(const std::vector<std::string>& itemIds, TAbstractDBConnection& target,
                   TAbstractDBConnection& source, const std::vector<std::string>* params, bool addOnly,
                   bool stampNow);
    // Copies each listed item (ids of 0 skipped) from the first code over
    // First into the second code over Second, replacing the destination's
    // item and stamping it now; the copy loses the flag "modified by the
    // user" (member 3 of its version object).
    void CopyItemsPlain(const std::vector<std::string>& itemIds, TAbstractDBConnection& first,
                        TAbstractDBConnection& second);
    // Deletes every listed item that the target catalog has, with the items
    // below it, writing tombstones of published ids.
    void DeleteItems(const std::vector<std::string>& itemIds, TAbstractDBConnection& connection);

private:
    TCatalog& catalog_;
    std::string targetCatalogCode_;
    std::string sourceCatalogCode_;
};
