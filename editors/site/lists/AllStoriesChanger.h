#pragma once
// The "All Stories" tab among a story's tabs: a list changer to the stories
// list (item type 10).
#include "editors/framework/ListChanger.h"

class TAllStoriesChanger : public TListChanger {
public:
    TAllStoriesChanger(std::string name, std::string params)
        : TListChanger(std::move(name), std::move(params), "All Stories", "AllStories-list", 10)
    {
    }
};
