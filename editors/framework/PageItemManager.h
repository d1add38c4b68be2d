#pragma once
// The item manager of information pages ("CommonInfoPageItemManager",
// caption "Page: $1") and of stories ("CommonStoryItemManager", "Story: $1"):
// a page needs its name in the default language (error), and in a catalog
// of several languages its native names and, where the default language
// has them, the top and bottom page design in every language (information).
#include "editors/framework/TolvexItemManager.h"

class TPageItemManager : public TTolvexItemManager {
public:
    // Kind is "Page" or "Story": the caption's word and the new item's name.
    TPageItemManager(std::string name, std::string params, std::string kind);

    std::string GetCaption(TTolvexControlClass& context) override;
    std::string GetNewItemCaption(TTolvexControlClass& context) override;
    int ValidateItem(TTolvexControlClass& context, std::string& messages) override;

private:
    std::string kind_;
};
