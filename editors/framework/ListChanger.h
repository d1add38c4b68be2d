#pragma once
// A tab among an item's tabs that has no frame of its own: choosing it
// leaves the item (asking to save its changes) for the list of such items
// in the main editor (the editor of the target item type), or goes back to
// the previous tab when the user stays. It is never a start tab.
#include "editors/framework/TolvexUIEditor.h"

class TListChanger : public TTolvexUIEditor {
public:
    TListChanger(std::string name, std::string params, std::string tabCaption, std::string tabName,
                 int targetItemType);

    void CreatePages() override;
    void TabActivated() override;
    bool SelectTab(const std::string& /*tabName*/) override { return false; }

private:
    std::string tabCaption_;
    std::string tabName_;
    int targetItemType_;
};
