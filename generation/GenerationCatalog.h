#pragma once
// What the page XML builder asks of the open catalog beyond its object
// model: the symbolic ids and item types of generation rules (as the
// catalog definition resolves them), reads of the Items table that the
// catalog's own queries answer, and the trade-portal category database.
// The open catalog's data implements it.
//
// Every operation with a catalog code and a connection reads that catalog
// through that connection. Walks along ParentItemId (GetItemPath,
// CountItemsOfType) must be bounded against cycles.
#include "common/ItemDescription.h"

#include <string>
#include <vector>

class TAbstractDBConnection;

class TGenerationCatalog {
public:
    virtual ~TGenerationCatalog() = default;

    // ---- symbolic values of rules ---------------------------------------------
    // A number other than 0 stands for itself and the empty text for 0;
    // "current" and "process" give CurrentId, "currenttree" CurrentTreeId,
    // "mastertemplate" and "bodytemplate" the templates of the page being
    // generated, "Home" the home page; any other word the global item id of
    // that XML tag, 0 when there is none.
    virtual int ResolveItemId(const std::string& text, int currentId, int currentTreeId) = 0;
    // A number other than 0 stands for itself and the empty text for 0;
    // "current" and "process" give CurrentType; any other word the item type
    // of that XML tag, 0 when there is none.
    virtual int ResolveItemType(const std::string& text, int currentType) = 0;

    // ---- the Items table ----------------------------------------------------------
    // The item's ParentItemId; 0 when the item has no row.
    virtual int GetParentItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) = 0;
    // The first visible placement of the item other than the item itself; 0 when none.
    virtual int FindVisibleLinkCopy(int itemId, const std::string& catalogCode,
                                    TAbstractDBConnection& connection) = 0;
    // The item's row, Visible when NotVisible is empty or 0; for id 0 or a
    // missing row every field is empty (0, not visible).
    virtual TItemDescription GetItemDescription(int itemId, const std::string& catalogCode,
                                                TAbstractDBConnection& connection) = 0;
    // The visible sibling after (before) the item among its parent's visible
    // children in their tree order, of the item's own type when SameTypeOnly;
    // 0 when there is none.
    virtual int GetNextSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                                 bool sameTypeOnly) = 0;
    virtual int GetPreviousSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                                     bool sameTypeOnly) = 0;
    // The item and its visible ancestors whose type is one of ItemTypes
    // (every type when it is empty), nearest first; the walk ends at the
    // first tree root (ids 0 to 99).
    virtual std::vector<int> GetItemPath(int itemId, const std::vector<int>& itemTypes,
                                         const std::string& catalogCode, TAbstractDBConnection& connection) = 0;
    // The number of items of ItemType below ParentId, counting only items
    // none of whose placements is hidden.
    virtual int CountItemsOfType(int parentId, int itemType, const std::string& catalogCode,
                                 TAbstractDBConnection& connection) = 0;

    // ---- reference data --------------------------------------------------------------
    // The main connection of the trade-portal category database; null when
    // it cannot be had.
    virtual TAbstractDBConnection* GetCategoryConnection() = 0;
};
