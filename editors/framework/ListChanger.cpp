#include "editors/framework/ListChanger.h"

#include "editors/framework/TolvexControlClass.h"

TListChanger::TListChanger(std::string name, std::string params, std::string tabCaption, std::string tabName,
                           int targetItemType)
    : TTolvexUIEditor(std::move(name), std::move(params)),
      tabCaption_(std::move(tabCaption)),
      tabName_(std::move(tabName)),
      targetItemType_(targetItemType)
{
}

void TListChanger::CreatePages() { AddTab(tabCaption_, tabName_, nullptr); }

void TListChanger::TabActivated()
{
    TTolvexUIEditor::TabActivated();
    if (GetActiveTabName() != tabName_)
        return;
    if (GetContext()->QuerySaveChanges() == 1)
        GetContext()->QueueAction("Action=MainPageEditor&ItemType=" + std::to_string(targetItemType_), true);
    else
        GoToPreviousTab();
}
