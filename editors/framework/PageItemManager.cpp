#include "editors/framework/PageItemManager.h"

#include "catalog/CatalogData.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"

TPageItemManager::TPageItemManager(std::string name, std::string params, std::string kind)
    : TTolvexItemManager(std::move(name), std::move(params)), kind_(std::move(kind))
{
}

std::string TPageItemManager::GetCaption(TTolvexControlClass& context)
{
    if (!context.GetObjectCollection().GetObject(context.GetItemId(), "CommonNames"))
        return context.Translate(kind_);
    return context.TranslateFmt(kind_ + ": $1", {ItemName(context)});
}

std::string TPageItemManager::GetNewItemCaption(TTolvexControlClass& context)
{
    return context.Translate("New " + kind_);
}

int TPageItemManager::ValidateItem(TTolvexControlClass& context, std::string& messages)
{
    messages.clear();
    if (!IsValidated(context))
        return 0;
    TCatalogData& data = *context.Data();
    const std::string defaultLang = data.GetDefaultLangCode();
    TObjectCollection& objects = context.GetObjectCollection();
    TAbstractCObject* names = objects.GetObject(context.GetItemId(), "CommonNames");
    int flags = CheckMember(context, names, "ItemName", messages, 4, "No page name for \"$1\" language.", defaultLang);
    if (!data.IsMultilingual())
        return flags;
    if (names && flags == 0)
        for (const std::string& lang : data.GetLanguages())
            if (lang != defaultLang)
                flags |= CheckMember(context, names, "ItemName", messages, 1,
                                     "No native page name for \"$1\" language.", lang);
    if (TAbstractCObject* design = objects.GetObject(context.GetItemId(), "CommonDesign")) {
        const std::pair<const char*, const char*> parts[] = {
            {"TopHTMLValue", "No top of page design data for \"$1\" language."},
            {"BottomHTMLValue", "No bottom of page design data for \"$1\" language."}};
        for (const auto& [member, message] : parts) {
            if (!design->HasValue(member, defaultLang))
                continue;
            for (const std::string& lang : data.GetLanguages())
                if (lang != defaultLang)
                    flags |= CheckMember(context, design, member, messages, 1, message, lang);
        }
    }
    return flags;
}
