#pragma once
// Copying one item of the open catalog without its children: its Items row,
// its object instances and all its value rows, under the same parent after
// its siblings. A copy of a data item is a new data item named after the
// source with its new id in parentheses ("Shoes (1000012)") in every
// language that has a name of its own; a copy of a further placement is
// another placement of the same data item (whose name stays as it is).
// The copy is unpublished and modified now.
//
// All rows of the copy are written as one unit of work on the caller's
// connection (inside the caller's unit, if any): a failure leaves no half
// copy. Nothing is committed for the caller.
#include <cstdint>
#include <string>

class TAbstractCatalog;
class TAbstractDBConnection;
class TTolvexObjectContext;

class TItemCopier {
public:
    // Catalog: the open catalog (code, languages, sequences); Context: the
    // object model for the renaming. Neither is owned.
    TItemCopier(TAbstractCatalog& catalog, TTolvexObjectContext& context) : catalog_(catalog), context_(context) {}

    // Copies SourceId; the copy gets WantedId when that is an unused id
    // above the tree roots, else the next id of the sequence "Items". The
    // new id; 0 (and no id used up) when the source has no row.
    int CopyItem(int sourceId, int wantedId, TAbstractDBConnection& connection);

private:
    int NewItemId(int wantedId, TAbstractDBConnection& connection);
    std::int64_t CopyOrderNum(int sourceId, TAbstractDBConnection& connection);
    void CopyRows(int sourceId, int newId, int linkedId, std::int64_t orderNum, TAbstractDBConnection& connection);
    void RenameCopy(int newId, TAbstractDBConnection& connection);

    TAbstractCatalog& catalog_;
    TTolvexObjectContext& context_;
};
