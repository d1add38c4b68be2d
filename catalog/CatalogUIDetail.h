#pragma once
// One user-interface element an item type declares: a menu entry, a toolbar
// or tree button, a "Select Tree" entry or a search kind. It is an object
// instance of class 809 of an item-type definition item; the GUI controller
// gives the fields their meaning.
#include <string>

// The kinds of UI elements.
enum TCatalogUIKind : int {
    uikMenuItem = 1,
    uikToolbarButton = 2,
    uikSelectTree = 3,
    uikSearchKind = 4,
};

class TCatalogUIDetail {
public:
    TCatalogUIDetail(int definitionItemId, int instanceId, int itemType)
        : DefinitionItemId(definitionItemId), InstanceId(instanceId), ItemType(itemType)
    {
    }

    // The item-type definition item and the class-809 instance of the element.
    int DefinitionItemId = 0;
    int InstanceId = 0;
    // Where it is shown (number member 1), see TCatalogUIKind.
    int Kind = 0;
    // The item type of the definition that declared it: 0 the whole
    // catalog, -1 tree nodes of every type, otherwise nodes of that type.
    int ItemType = 0;
    // The action run when the element is used (number member 3).
    int ActionId = 0;
    // Caption (string member 4); search kinds: caption, "===" and a value.
    std::string Caption;
    // The hint (string member 5), read and kept but not shown.
    std::string Hint;
    // "&"-joined name=value pairs: MenuPath, Placement, Name (string member 6).
    std::string Params;
    // Name of an image of the image cache (string member 7).
    std::string ImageName;
    // Condition under which the element is shown (string member 8).
    std::string Condition;
    // "IfPossible": enabled only while its add-new action is possible (string member 9).
    std::string Extra;
    // Position among the elements of its kind (number member 10).
    int OrderNum = 0;
};
