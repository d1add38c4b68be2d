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
    // An error goes in front of the messages. A value counts only with a
    // text: an edit cleared leaves an empty value in the objects.
    const auto refuse = [&](const std::string& message) {
        messages = messages.empty() ? message : message + "\r\n" + messages;
        flags |= 4;
    };
    if (product->GetLangString("Code", "XXX", 0).empty())
        refuse(context.Translate("No product code."));
    if (product->GetLangString("Name", defaultLang, 0).empty()) {
        // In front of the code's message: the name's error comes first.
        refuse(context.TranslateFmt("No native product name for \"$1\" language.", {defaultLang}));
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
