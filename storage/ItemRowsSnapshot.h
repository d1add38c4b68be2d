#pragma once
// The rows of some items as they are now, to be put back later: the undo
// of a write committed while an editor is open (an editor's Cancel after a
// dialog overwrote a picture puts the old picture, its names and its copies
// back). It holds each item's Items row and every row of its objects and
// values.
//
//   TItemRowsSnapshot before = TItemRowsSnapshot::Take(connection, "shop", {57, 58});
//   ... write, commit ...
//   before.Restore(connection);   // items 57 and 58 as they were
#include "common/Variant.h"

#include <string>
#include <vector>

class TAbstractDBConnection;

class TItemRowsSnapshot {
public:
    // Reads the rows of the items; an id that names no item holds nothing
    // (and Restore removes whatever rows it has then).
    static TItemRowsSnapshot Take(TAbstractDBConnection& connection, const std::string& catalogCode,
                                  const std::vector<int>& itemIds);

    // Deletes every row the items have now and writes back the rows they
    // had, as one unit of work on the connection.
    void Restore(TAbstractDBConnection& connection) const;

    const std::vector<int>& ItemIds() const { return itemIds_; }

private:
    struct TTable {
        std::string name;
        std::vector<std::string> columns;
        std::vector<std::vector<TVariant>> rows;
    };

    std::string catalogCode_;
    std::vector<int> itemIds_;
    std::vector<TTable> tables_;
};
