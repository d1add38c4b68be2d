#include "editors/site/SiteTabsEditor.h"

TSiteTabsEditor::TSiteTabsEditor(std::string name, std::string params, std::vector<TTab> tabs,
                                 std::set<int> saveRoles, bool singleFrame)
    : TTolvexUIEditor(std::move(name), std::move(params)), tabs_(std::move(tabs)),
      saveRoles_(std::move(saveRoles)), singleFrame_(singleFrame)
{
}

void TSiteTabsEditor::CreatePages()
{
    for (const TTab& tab : tabs_)
        if (!tab.Shown || tab.Shown(*GetContext()))
            AddTab(tab.Caption, tab.Name, tab.FrameClass);
}
