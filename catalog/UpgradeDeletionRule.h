#pragma once
// Which items a catalog type's definition may delete from the existing
// catalogs of the type when they are upgraded to a newer definition (its
// "DeleteItem" list). Such a deletion takes the item with everything below
// it from every user catalog that is upgraded, so the tree roots and the
// items the program knows by a global name (the home page, the company
// item 2001, the languages, the catalog information...) are never deleted
// that way: the definitions' editor refuses to list them and the upgrade
// skips them.
class TGlobalDefinition;

class TUpgradeDeletionRule {
public:
    // Whether the upgrade may delete the item from the existing catalogs:
    // false for a tree root, an id below 1 and an id with a global name.
    static bool MayDelete(int itemId, TGlobalDefinition& globalDefinition);
};
