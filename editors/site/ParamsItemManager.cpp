#include "editors/site/lists/ParamsItemManager.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/lists/DefinitionValues.h"
#include "editors/site/lists/ParamsItemManagerModel.h"
#include "storage/ObjectCollection.h"

namespace {

TParamsItemManagerModel ModelOf(const std::string& pluginName)
{
    return TParamsItemManagerModel(DefinitionValues(RootObject->Catalog(), pluginName));
}

}  // namespace

std::string TParamsItemManager::GetCaption(TTolvexControlClass& context)
{
    std::optional<std::string> name;
    if (context.GetObjectCollection().GetObject(context.GetItemId(), "CommonNames"))
        name = ItemName(context);
    return ModelOf(GetName()).GetCaption(name);
}

std::string TParamsItemManager::GetNewItemCaption(TTolvexControlClass& /*context*/)
{
    return ModelOf(GetName()).GetNewItemCaption();
}
