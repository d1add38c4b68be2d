#include "editors/media/templates/properties/TemplateItemManager.h"

#include "catalog/Tolvex.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/AbstractCObject.h"
#include "storage/GlobalDefinition.h"
#include "storage/ObjectCollection.h"

std::string TTemplateItemManager::Description(const std::string& typeDescription)
{
    const bool number = !typeDescription.empty() && typeDescription.size() <= 9 &&
                        typeDescription.find_first_not_of("0123456789") == std::string::npos;
    return number && std::stoi(typeDescription) != 0 ? std::string("Template") : typeDescription;
}

std::string TTemplateItemManager::GetCaption(TTolvexControlClass& context)
{
    const std::string description = context.Translate(
        Description(context.Services().Root.GlobalDefinition().GetItemTypeDescription(context.GetItemType())));
    if (!context.GetObjectCollection().GetObject(context.GetItemId(), "CommonNames"))
        return description;
    return context.TranslateFmt("$1: $2", {description, ItemName(context)});
}

std::string TTemplateItemManager::GetNewItemCaption(TTolvexControlClass& context)
{
    return context.Translate("New Page");
}

void TTemplateItemManager::BeforeSave(TTolvexControlClass& context)
{
    if (!context.IsModified())
        return;
    if (TAbstractCObject* version = context.GetObjectCollection().GetObject(context.GetItemId(), "Version"))
        version->SetBoolean("WasModifiedByUser", true, 0);
}
