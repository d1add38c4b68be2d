#pragma once
// One template assignment of an item type: an object instance of class 808
// of the item-type definition item, naming the template item of one kind.
class TCatalogTemplate {
public:
    explicit TCatalogTemplate(int instanceId) : InstanceId(instanceId) {}

    // The class-808 instance the assignment was read from.
    int InstanceId = 0;
    // Which template of the type (number member 2): 0 master, 1 body, ...
    int Kind = 0;
    // The template item (number member 3).
    int TemplateItemId = 0;
};
