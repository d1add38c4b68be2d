#include "editors/framework/TolvexItemManager.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Tolvex.h"
#include "catalog/UIManager.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"
#include "storage/References.h"

TTolvexItemManager::TTolvexItemManager(std::string name, std::string params)
    : name_(std::move(name)), params_(std::move(params))
{
}

std::string TTolvexItemManager::GetCaption(TTolvexControlClass& context)
{
    return context.Translate("Tolvex");
}

std::string TTolvexItemManager::GetNewItemCaption(TTolvexControlClass& context)
{
    return context.Translate("New Item");
}

void TTolvexItemManager::SetupContext(TTolvexControlClass& context)
{
    if (!context.HasParentContext())
        context.ShowSavePanel(true);
}

std::string TTolvexItemManager::ItemName(TTolvexControlClass& context)
{
    TAbstractCObject* names = context.GetObjectCollection().GetObject(context.GetItemId(), "CommonNames");
    return names ? names->GetLangString("ItemName", context.GetCurrentLangCode(), 0) : std::string();
}

std::string TTolvexItemManager::GetItemTitle(TTolvexControlClass& context)
{
    std::string language;
    TCatalogData* data = context.Data();
    if (data && data->IsMultilingual())
        language = context.GetReferences().GetLanguageName(context.GetCurrentLangCode());
    std::string title = ItemName(context);
    if (title.empty())
        title = std::to_string(context.GetItemId()) + ".html";
    if (!language.empty())
        title += " (" + language + ")";
    return title;
}

int TTolvexItemManager::ValidateItem(TTolvexControlClass&, std::string& messages)
{
    messages.clear();
    return 0;
}

std::string TTolvexItemManager::GetStatusText(int level, TTolvexControlClass& context)
{
    std::string key = "StatusBarText";
    if (level > 0)
        key += "_" + std::to_string(level);
    const std::string text =
        context.Services().Root.Catalog().GetDefinition().GetFilterValue(GetName(), key);
    if (text.empty())
        return {};
    return context.TranslateFmt(text, {ItemName(context)});
}

int TTolvexItemManager::CheckMember(TTolvexControlClass& context, TAbstractCObject* object,
                                    const std::string& memberXmlTag, std::string& messages, int flag,
                                    const std::string& messageTemplate, const std::string& langCode)
{
    if (!object)
        return 0;
    bool has = object->HasValue(memberXmlTag, langCode);
    TCatalogData* data = context.Data();
    if (!has && data && langCode == data->GetDefaultLangCode())
        has = object->HasValue(memberXmlTag, "XXX");
    if (has)
        return 0;
    const std::string message = context.TranslateFmt(messageTemplate, {langCode});
    if (messages.empty())
        messages = message;
    else if (flag == 4)
        messages = message + "\r\n" + messages;
    else
        messages += "\r\n" + message;
    return flag;
}

bool TTolvexItemManager::IsValidated(TTolvexControlClass& context)
{
    const int treeItemId = context.GetTreeItemId();
    return context.Data() && (treeItemId > 0 || treeItemId < -4);
}

TTolvexItemManager& TTolvexItemManager::ForItemType(const TEditingServices& services, int itemType)
{
    static TTolvexItemManager base("CommonItemManager", "");
    const TCatalogDefinition& definition = services.Root.Catalog().GetDefinition();
    const std::string name = definition.GetItemManagerName(itemType);
    if (name.empty())
        return base;
    TAbstractItemManager* manager = services.UI.GetItemManager(name, definition.GetItemManagerParams(name));
    auto* known = dynamic_cast<TTolvexItemManager*>(manager);
    return known ? *known : base;
}
