#include "editors/site/SiteFrameContext.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonProcedures.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexFrameEditor.h"
#include "storage/ObjectCollection.h"

TSiteModelContext SiteModelContextOf(TTolvexFrameEditor& frame)
{
    TTolvexControlClass& context = *frame.GetContext();
    TSiteModelContext model{RootObject->Catalog(),        *context.Data(),
                            context.GetConnection(),      context.GetObjectCollection(),
                            context.GetCatalogCode(),     frame.ContentLangCode()};
    if (model.LangCode.empty())
        model.LangCode = context.GetCurrentLangCode();
    model.ItemId = context.GetItemId();
    model.TreeItemId = context.GetTreeItemId();
    model.ItemType = context.GetItemType();
    model.ParentItemId = context.GetParentItemId();
    return model;
}

void ShowFrameError(const std::string& message)
{
    if (!message.empty() && CommonProcedures && CommonProcedures->HasGui())
        CommonProcedures->Gui().ShowError(message, false);
}
