#include "storage/LWItem.h"

#include "common/Exceptions.h"
#include "storage/LWAbstractDataAccess.h"
#include "storage/LWDefinitionLookup.h"
#include "storage/LWObject.h"

namespace {

// -1 and 0 stand for the item itself.
int EffectiveLinkedItemId(int linkedItemId, int itemId)
{
    return (linkedItemId == 0 || linkedItemId == -1) ? itemId : linkedItemId;
}

}  // namespace

int TLWItem::ResolveItemId(const std::string& idName)
{
    const int id = TLWAbstractDataAccess::Current().Definitions().ResolveItemId(idName);
    // Id 0 would be written as a tree root: the name is not in the definition.
    if (id == 0)
        throw ECriticalTolvexException("Unknown item id name \"" + idName + "\"");
    return id;
}

int TLWItem::ResolveItemType(const std::string& typeName)
{
    const int type = TLWAbstractDataAccess::Current().Definitions().ResolveItemType(typeName);
    if (type == 0)
        throw ECriticalTolvexException("Unknown item type name \"" + typeName + "\"");
    return type;
}

std::unique_ptr<TLWItem> TLWItem::CreateRoot(const std::string& idName, const std::string& typeName,
                                             const std::string& imageCode)
{
    auto root = std::make_unique<TLWItem>();
    root->ItemId = ResolveItemId(idName);
    root->ItemType = ResolveItemType(typeName);
    root->LinkedItemId = root->ItemId;
    root->ExpandedImageCode = imageCode;
    TLWAbstractDataAccess& dataAccess = TLWAbstractDataAccess::Current();
    if (!dataAccess.ItemExists(root->ItemId))
        dataAccess.UpdateItem(*root);
    return root;
}

std::unique_ptr<TLWItem> TLWItem::WriteChild(int itemId, int itemType, const std::string& imageCode, int orderNum,
                                             bool notVisible, int linkedItemId) const
{
    auto child = std::make_unique<TLWItem>();
    child->ParentItemId = ItemId;
    child->ItemId = itemId;
    child->ItemType = itemType;
    child->LinkedItemId = EffectiveLinkedItemId(linkedItemId, itemId);
    child->NotVisible = notVisible;
    child->OrderNum = orderNum;
    child->ExpandedImageCode = imageCode;
    TLWAbstractDataAccess::Current().UpdateItem(*child);
    return child;
}

std::unique_ptr<TLWItem> TLWItem::AddChild(const std::string& idName, const std::string& typeName,
                                           const std::string& imageCode, int orderNum, bool notVisible,
                                           int linkedItemId) const
{
    const int itemId = ResolveItemId(idName);
    return WriteChild(itemId, ResolveItemType(typeName), imageCode, orderNum, notVisible, linkedItemId);
}

std::unique_ptr<TLWItem> TLWItem::AddNewChild(const std::string& typeName, int linkedItemId,
                                              const std::string& imageCode, int orderNum, bool notVisible) const
{
    const int itemType = ResolveItemType(typeName);  // before an id is used up
    const int itemId = TLWAbstractDataAccess::Current().NextItemId();
    return WriteChild(itemId, itemType, imageCode, orderNum, notVisible, linkedItemId);
}

std::unique_ptr<TLWObject> TLWItem::AddObject(const std::string& classXmlTag, const TOldLangInfo* languageInfo,
                                              int instanceId) const
{
    TLWAbstractDataAccess& dataAccess = TLWAbstractDataAccess::Current();
    const int classId = dataAccess.Definitions().GetClassId(classXmlTag);
    if (classId == 0)
        return TLWObject::Unstored(languageInfo);
    if (instanceId == 0)
        instanceId = dataAccess.NextInstanceId();
    // Objects belong to the data item, never to a further placement.
    auto object = std::make_unique<TLWObject>(EffectiveLinkedItemId(LinkedItemId, ItemId), 0, classId,
                                              instanceId, languageInfo);
    dataAccess.UpdateObject(*object);
    return object;
}
