#pragma once
// One UI editor of an item type, as the catalog-type definition lists it:
// one object instance of class 802 of the item-type definition item.
#include <string>

class TCatalogEditor {
public:
    explicit TCatalogEditor(int instanceId) : InstanceId(instanceId) {}

    // The class-802 instance the editor was read from.
    int InstanceId = 0;
    // Which editor set of the item type it belongs to (number member 3):
    // 0 the item's tabs, other kinds the sets that nested containers show.
    int Kind = 0;
    // The editor's plug-in name (string member 2).
    std::string Name;
    // The condition under which the editor is shown (string member 5).
    std::string Condition;
    // The editor's parameter string (string member 4).
    std::string Params;
    // Position among the editors of its item type (number member 6).
    int Order = 0;
};
