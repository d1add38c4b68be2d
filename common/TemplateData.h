#pragma once
// One entry of the templates list.
#include <string>

class TTemplateData {
public:
    int ItemId = 0;
    int ItemType = 0;
    int ParentItemId = 0;
    std::string NodeName;
};
