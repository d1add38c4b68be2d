#include "editors/media/templates/properties/MakeDefaultTemplate.h"

#include "catalog/CatalogData.h"
#include "editors/framework/DialogWriteChannel.h"
#include "editors/framework/TolvexControlClass.h"

void MakeDefaultTemplate(TTolvexControlClass& context)
{
    TCatalogData& data = *context.Data();
    const int templateId = context.GetTreeItemId();
    const int folder = data.GetParentItemId(templateId, context.GetCatalogCode(), context.GetConnection());
    if (folder == 0)
        return;
    TDialogWriteChannel(context).CommitItems({folder}, [&data, templateId](TAbstractDBConnection& connection) {
        data.MakeDefaultTemplate(templateId, connection);
        return std::vector<int>{};
    });
    context.QueueAction("Action=Refresh&Name=TermplatesTree&ItemId=" + std::to_string(folder), false);
}
