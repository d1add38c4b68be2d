#pragma once
// Walks along ParentItemId, up to the roots or down through a subtree,
// bounded against cycles: a damaged or imported catalog whose ParentItemId
// values form a loop must never hang the program. Every walk remembers the
// items it has seen and never visits one twice; a walk up also stops at the
// first tree root (ids 0 to 99) and at an item without a row, and a walk
// down does not go from an item into a root.
//
// Every walk over the item tree goes through here, whether it reads the
// Items table or a tree held in memory (give the parent or children
// function of that tree).
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TAbstractDBConnection;

class TTreeWalk {
public:
    // The parent of an item; nothing when the item has no row.
    using TParentOf = std::function<std::optional<int>(int itemId)>;
    // The children of an item that the walk descends into.
    using TChildrenOf = std::function<std::vector<int>(int itemId)>;

    // The ancestors of ItemId, nearest first, up to and including the first
    // tree root. Empty for a root itself. A loop or a missing row ends the
    // list early, without the root.
    static std::vector<int> Ancestors(int itemId, const TParentOf& parentOf);
    // The same over the Items table of a catalog.
    static std::vector<int> Ancestors(TAbstractDBConnection& connection, const std::string& catalogCode,
                                      int itemId);
    // True when Ancestors of ItemId reaches a tree root (the item hangs in a
    // tree and not in a loop or below a missing item).
    static bool ReachesRoot(int itemId, const TParentOf& parentOf);

    // The descendants of ItemId, breadth first, each once; ItemId itself is
    // never among them, even when a loop leads back to it. A tree root is
    // never entered from an item that is no root (only a damaged catalog
    // hangs a root below an item). ChildrenOf is called once for ItemId and
    // once for every descendant, in that order.
    static std::vector<int> Descendants(int itemId, const TChildrenOf& childrenOf);
    // The same over the Items table of a catalog (children by ParentItemId).
    static std::vector<int> Descendants(TAbstractDBConnection& connection, const std::string& catalogCode,
                                        int itemId);

    // The parent and children functions over the Items table of a catalog.
    static TParentOf ParentsInTable(TAbstractDBConnection& connection, const std::string& catalogCode);
    static TChildrenOf ChildrenInTable(TAbstractDBConnection& connection, const std::string& catalogCode);
};
