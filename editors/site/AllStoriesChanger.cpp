#include "editors/site/lists/AllStoriesChanger.h"

#include "editors/framework/TolvexControlClass.h"

namespace {

constexpr const char* kTabName = "AllStories-list";

}  // namespace

void TAllStoriesChanger::CreatePages() { AddTab("All Stories", kTabName, nullptr); }

void TAllStoriesChanger::TabActivated()
{
    TTolvexUIEditor::TabActivated();
    if (GetActiveTabName() != kTabName)
        return;
    if (GetContext()->QuerySaveChanges() == 1)
        GetContext()->QueueAction("Action=MainPageEditor&ItemType=10", true);
    else
        GoToPreviousTab();
}
