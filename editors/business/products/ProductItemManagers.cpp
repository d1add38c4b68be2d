#include "editors/business/products/ProductItemManagers.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"

TProductItemManager::TProductItemManager(std::string name, std::string params)
    : TPageItemManager(std::move(name), std::move(params), "Product")
{
}

int TProductItemManager::ValidateItem(TTolvexControlClass& context, std::string& messages)
{
    int flags = TPageItemManager::ValidateItem(context, messages);
    if (!IsValidated(context))
        return flags;
    TAbstractCObject* product = context.GetObjectCollection().GetObject(context.GetItemId(), "Product");
    if (!product)
        return flags;
    TCatalogData& data = *context.Data();
    const std::string defaultLang = data.GetDefaultLangCode();
    flags |= CheckMember(context, product, "Code", messages, 4, "No product code.", "XXX");
    if (!product->HasValue("Name", defaultLang) && !product->HasValue("Name", "XXX")) {
        // In front of the code's message: the name's error comes first.
        flags |= CheckMember(context, product, "Name", messages, 4, "No native product name for \"$1\" language.",
                             defaultLang);
    } else if (data.IsMultilingual()) {
        for (const std::string& lang : data.GetLanguages())
            if (lang != defaultLang)
                flags |= CheckMember(context, product, "Name", messages, 1, "No product name for \"$1\" language.",
                                     lang);
    }
    return flags;
}

TProductLineItemManager::TProductLineItemManager(std::string name, std::string params)
    : TPageItemManager(std::move(name), std::move(params), "Product Line")
{
}

std::string TProductLineItemManager::GetCaption(TTolvexControlClass& context)
{
    if (RootObject && context.GetTreeItemId() == RootObject->GetHomePageId())
        return context.Translate("Home Page");
    return TPageItemManager::GetCaption(context);
}
