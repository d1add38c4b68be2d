#pragma once
// Copies whole items (the Items row, object instances and member values)
// from one catalog into another, row by row over two connections, and
// deletes items from a catalog. This is how the items of a catalog type's
// definition catalog ("t#N": initial structure, updates, styles and
// templates) travel into a user's catalog; the catalogs may lie in
// different database files.
//
// Rows copied per table: Items (IsSynchronized 0; DateModified now or the
// source's; UserPriority not written), CObjectInstances, CStrings and CText
// (control characters other than TAB, LF, CR become blanks), CBinary and
// CNumbers. Date values are never copied: a copy carries no CDates rows.
//
// Every copy and every deletion is one unit of work on the target
// connection: a failure leaves the target as it was, never half an item
// (inside the caller's unit of work it is a savepoint there).
#include <string>
#include <vector>

class TAbstractDBConnection;
class TCatalog;

class TCatalogDefinitionItems {
public:
    // Writes into TargetCode and reads from SourceCode. Catalog: the catalog
    // object (item lookups, deletion, objects); not owned.
    TCatalogDefinitionItems(TCatalog& catalog, std::string targetCode, std::string sourceCode);

    // Copies the items ItemIds (decimal texts; a row counts when its ItemId
    // as decimal text is listed). AddOnly: items the target has are left
    // untouched; otherwise the target's rows of every listed item are
    // deleted first. StampNow: the copies are modified now, otherwise they
    // keep the source's date. Params (empty for none): "color", "font" and
    // "background" ("&"-separated or one a line) become the colour scheme,
    // font scheme and background of every master template copied.
    void CopyItems(const std::vector<std::string>& itemIds, TAbstractDBConnection& target,
                   TAbstractDBConnection& source, const std::string& params, bool addOnly, bool stampNow);
    // Deletes every listed item that the target has, with its link copies and
    // everything below it, writing tombstones of published ids.
    void DeleteItems(const std::vector<std::string>& itemIds, TAbstractDBConnection& target);

private:
    struct TCopy;

    void DeleteTargetRows(const TCopy& copy);
    void CopyItemRows(TCopy& copy);
    void CopyValueRows(const TCopy& copy, const std::string& table, const std::vector<std::string>& columns,
                       const std::string& textColumn);
    void ApplyStyleParams(const TCopy& copy, const std::string& params);

    TCatalog& catalog_;
    std::string targetCode_;
    std::string sourceCode_;
};
