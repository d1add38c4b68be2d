#include "catalog/UpgradeDeletionRule.h"

#include "storage/GlobalDefinition.h"
#include "storage/IdRanges.h"

bool TUpgradeDeletionRule::MayDelete(int itemId, TGlobalDefinition& globalDefinition)
{
    if (itemId <= 0 || IsRootItemId(itemId))
        return false;
    return globalDefinition.GetItemIdName(itemId).empty();
}
