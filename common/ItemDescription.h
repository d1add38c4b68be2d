#pragma once
// The data of a tree node or list entry that stands for a catalog item.
// Owned by the node or entry it is attached to.
#include <cstdint>
#include <string>

// Flags of an item description.
enum TItemFlags : std::uint8_t {
    ifNotDeletable = 0x01,   // the item may not be deleted
    ifManualOrder = 0x02,    // its children keep a manual order
    ifNew = 0x04,            // a new item not yet stored
    ifPublished = 0x10,      // published
};

class TItemDescription {
public:
    int ItemType = 0;
    int ItemId = 0;          // the placement's own id; -2 for an item not yet stored
    int ParentItemId = 0;
    int LinkedItemId = 0;    // the item whose data the entry shows
    bool Visible = true;
    std::uint8_t Flags = 0;
    std::string ExpandedImageCode;
    std::string CollapsedImageCode;
    int OrderNum = 0;
    int DefaultTemplateId = 0;  // for a template folder: its default template
    bool Stale = false;         // the caption is read again at the next paint
    int UserPriority = 0;       // the validation value stored with the item

    // The item whose data (objects and values) belongs to the entry:
    // the linked item when there is one, else the entry's own item.
    int GetDataItemId() const { return LinkedItemId != 0 ? LinkedItemId : ItemId; }
};
