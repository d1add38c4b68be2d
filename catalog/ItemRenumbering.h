#pragma once
// Renumbering the items created locally to the global ids that the hosting
// service hands out, before local changes are sent to it.
//
// Local items have ids strictly between 1000000 and 50000000 (the catalog's
// sequence "Items" plus 1000000). The k-th local item found (from 0) becomes
// start id + 100000000 + k in every table keyed by item id, in the item
// references (ParentItemId and LinkedItemId of Items, CNumbers values of
// member types 102, 106 and 107) and where its old id stands alone inside a
// text of an unpublished item. When every local item was renumbered, the
// local sequence "Items" starts again from 0.
//
// Everything runs on the caller's connection as one unit of work inside the
// caller's (if any): a failure leaves the catalog as it was. Nothing is
// committed for the caller; it commits its transaction afterwards.
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TAbstractCatalog;
class TAbstractDBConnection;

class TItemRenumbering {
public:
    // What a progress report is about.
    enum TProgressKind : int {
        pkItemRenumbered = 0,  // the old id of an item being renumbered
        pkTextRewritten = 1,   // the id of an item whose text was rewritten
    };
    using TProgress = std::function<void(int itemId, int kind)>;
    // Lines old id "=" new id, in the order the items were found.
    using TMapping = std::vector<std::pair<int, int>>;

    // Catalog: the open catalog (its code); not owned.
    explicit TItemRenumbering(TAbstractCatalog& catalog) : catalog_(catalog) {}

    // Renumbers the local items from StartId on. Progress may be empty.
    // Cancel belongs to the caller: when it becomes true the renumbering
    // stops before the next item; the items renumbered so far stay
    // renumbered, their ids in texts are rewritten, and the sequence "Items"
    // is left as it is (the items not renumbered still hold their ids).
    // Raises ECriticalTolvexException, changing nothing, when a new id
    // would not be a positive 32-bit number.
    void RenumberNewItems(int startId, TAbstractDBConnection& connection, const TProgress& progress,
                          const bool& cancel);

    // The text with every old id of the mapping that stands alone (a
    // character before and after it, neither a digit) replaced by its new
    // id; Changed tells whether anything was replaced.
    static std::string RewriteIds(const std::string& text, const TMapping& mapping, bool& changed);

private:
    void RenumberItem(int oldId, int newId, TAbstractDBConnection& connection);
    void RewriteTexts(const TMapping& mapping, TAbstractDBConnection& connection, const TProgress& progress);
    void RenumberHomePageProperty(const TMapping& mapping, TAbstractDBConnection& connection);

    TAbstractCatalog& catalog_;
};
