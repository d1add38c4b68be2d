#pragma once
// The item managers that only name their item type: a fixed caption, the
// caption of a new item (empty: none), and whether the Save bar is hidden
// ("CommonInitItemManagerUnit", "CommonPriceSchedulesItemManager",
// "CommonAllStoriesItemManager", "CommonOptionsItemManager",
// "TolvexAboutItemManager").
#include "editors/framework/TolvexItemManager.h"

class TCaptionedItemManager : public TTolvexItemManager {
public:
    TCaptionedItemManager(std::string name, std::string params, std::string caption, std::string newItemCaption,
                          bool hidesSaveBar);

    std::string GetCaption(TTolvexControlClass& context) override;
    std::string GetNewItemCaption(TTolvexControlClass& context) override;
    void SetupContext(TTolvexControlClass& context) override;

private:
    std::string caption_;
    std::string newItemCaption_;
    bool hidesSaveBar_;
};
