#include "editors/business/network/VendorItemManagers.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/ObjectCollection.h"

std::string TVendorItemManager::GetCaption(TTolvexControlClass& context)
{
    // No name object, or an empty name (a list opened by its item type): the kind alone.
    if (!context.GetObjectCollection().GetObject(context.GetItemId(), "CommonNames") || ItemName(context).empty())
        return context.Translate("CoC Member");
    return context.TranslateFmt("CoC Member Info: $1", {ItemName(context)});
}

std::string TVendorItemManager::GetNewItemCaption(TTolvexControlClass& context)
{
    return context.Translate("New CoC Member");
}

TVendorListItemManager::TVendorListItemManager(std::string name, std::string params)
    : TPageItemManager(std::move(name), std::move(params), "Vendor List")
{
}

std::string TVendorListItemManager::GetCaption(TTolvexControlClass& context)
{
    if (RootObject && context.GetTreeItemId() == RootObject->GetHomePageId())
        return context.Translate("Home Page");
    if (ItemName(context).empty())
        return context.Translate("Vendor List");
    return TPageItemManager::GetCaption(context);
}

int TVendorListItemManager::ValidateItem(TTolvexControlClass& context, std::string& messages)
{
    return TTolvexItemManager::ValidateItem(context, messages);
}
