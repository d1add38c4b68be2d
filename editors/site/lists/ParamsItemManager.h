#pragma once
// The item manager whose captions the catalog definition gives under its
// plug-in name ("ItemCaption", "NoNameItemCaption", "NewItemName"), so that
// one class names many item types. The decisions are TParamsItemManagerModel's.
#include "editors/framework/TolvexItemManager.h"

class TParamsItemManager : public TTolvexItemManager {
public:
    using TTolvexItemManager::TTolvexItemManager;

    std::string GetCaption(TTolvexControlClass& context) override;
    std::string GetNewItemCaption(TTolvexControlClass& context) override;
};
