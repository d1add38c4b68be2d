#include "catalog/CatalogTreeHost.h"

#include "storage/AbstractCatalog.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogBookkeeping.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogQueries.h"
#include "catalog/ItemCopier.h"
#include "catalog/TolvexItemTypeDetail.h"
#include "common/CommonGui.h"
#include "common/Translation.h"
#include "storage/GlobalDefinition.h"

#include <algorithm>

std::string TCatalogTreeHost::GetCurrentLangCode()
{
    return services_.Catalog.GetCurrentLangCode();
}

std::string TCatalogTreeHost::GetDefaultLangCode()
{
    return services_.Catalog.GetDefaultLangCode();
}

std::string TCatalogTreeHost::GetItemName(int itemId, TAbstractDBConnection& connection, const std::string& langCode)
{
    return services_.Queries.GetItemName(itemId, connection, langCode);
}

std::string TCatalogTreeHost::ReadOwnName(int itemId, TAbstractDBConnection& connection, const std::string& langCode)
{
    return services_.Queries.ReadStringMember(itemId, 1, 1, langCode, connection);
}

std::string TCatalogTreeHost::GetItemIdName(int itemId)
{
    return services_.GlobalDefinition ? services_.GlobalDefinition->GetItemIdName(itemId) : std::string();
}

std::vector<int> TCatalogTreeHost::GetParentChain(int itemId, TAbstractDBConnection& connection)
{
    return services_.Queries.GetParentChain(itemId, connection);
}

int TCatalogTreeHost::GetDefaultTemplateId(int folderItemId, TAbstractDBConnection& connection)
{
    return services_.Catalog.GetDefaultTemplateId(folderItemId, connection);
}

std::vector<int> TCatalogTreeHost::GetPageItemTypes()
{
    TCatalogDefinition& definition = services_.CatalogObject.GetDefinition();
    std::vector<int> types;
    for (int i = 0; i < definition.GetItemTypeCount(); ++i) {
        const TTolvexItemTypeDetail* detail = definition.GetItemTypeDetail(i);
        if (detail && definition.GetItemTypeFlags(detail->ItemType) != 0 &&
            std::find(types.begin(), types.end(), detail->ItemType) == types.end())
            types.push_back(detail->ItemType);
    }
    return types;
}

std::string TCatalogTreeHost::GetItemTypeImageName(int itemType)
{
    return services_.CatalogObject.GetDefinition().GetItemTypeImageName(itemType);
}

bool TCatalogTreeHost::CanContainItemType(int parentItemType, int childItemType)
{
    return services_.CatalogObject.GetDefinition().CanContainItemType(parentItemType, childItemType);
}

int TCatalogTreeHost::GetItemTypeParentId(int itemType)
{
    return services_.CatalogObject.GetDefinition().GetItemTypeParentId(itemType);
}

bool TCatalogTreeHost::HasCachedImage(const std::string& name)
{
    return services_.HasImage && services_.HasImage(name);
}

int TCatalogTreeHost::CreateItem(int itemType, int parentItemId, int linkedItemId, const std::string& catalogCode,
                                 TAbstractDBConnection& connection, int itemId)
{
    return services_.CatalogObject.CreateItem(itemType, parentItemId, linkedItemId, catalogCode, connection, itemId);
}

int TCatalogTreeHost::CreateItemInRange(int minId, int maxId, int itemType, int parentItemId, int linkedItemId,
                                        const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return services_.CatalogObject.CreateItemInRange(minId, maxId, itemType, parentItemId, linkedItemId, catalogCode,
                                                     connection);
}

int TCatalogTreeHost::CopyItem(int itemId, int newItemId, TAbstractDBConnection& connection)
{
    return services_.Copier.CopyItem(itemId, newItemId, connection);
}

void TCatalogTreeHost::MarkUnsynchronized(int itemId, int secondId, TAbstractDBConnection& connection,
                                          bool withSubtree)
{
    services_.Bookkeeping.MarkUnsynchronized(itemId, secondId, connection, withSubtree);
}

std::string TCatalogTreeHost::Translate(const std::string& text)
{
    return services_.Translation ? services_.Translation->Translate(text) : text;
}

int TCatalogTreeHost::AskYesNoCancel(const std::string& message)
{
    return services_.Gui.AskYesNoCancel(message);
}

void TCatalogTreeHost::BeginWait()
{
    services_.Gui.BeginWait();
}

void TCatalogTreeHost::EndWait()
{
    services_.Gui.EndWait();
}
