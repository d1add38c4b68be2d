#include "storage/ObjectCollection.h"

#include "common/Exceptions.h"
#include "storage/DataFactory.h"
#include "storage/ItemFactory.h"
#include "storage/TolvexItem.h"

TObjectCollection::TObjectCollection(TTolvexObjectContext& context) : context_(context) {}

TObjectCollection::~TObjectCollection() = default;

void TObjectCollection::Open(const std::string& catalogCode, TAbstractDBConnection& connection)
{
    catalogCode_ = catalogCode;
    connection_ = &connection;
    dataFactory_ = std::make_unique<TTolvexDataFactory>(context_, connection);
}

TTolvexDataFactory& TObjectCollection::Data() const
{
    if (!dataFactory_)
        throw EDeveloperTolvexException("Object collection is not open");
    return *dataFactory_;
}

TTolvexItem* TObjectCollection::GetItem(int itemId)
{
    return itemId == 0 ? nullptr : Data().GetItemFactory(catalogCode_).GetItem(itemId);
}

TTolvexObject* TObjectCollection::GetObject(int itemId, const std::string& classXmlTag)
{
    TTolvexItem* item = GetItem(itemId);
    if (!item)
        return nullptr;
    if (TTolvexObject* object = item->FindObjectByName(classXmlTag))
        return object;
    return item->CreateObjectByName(classXmlTag, 0);
}

TTolvexObject* TObjectCollection::GetObjectByInstance(int itemId, int instanceId)
{
    TTolvexItem* item = GetItem(itemId);
    return item ? item->FindObjectByInstance(instanceId) : nullptr;
}

TTolvexObject* TObjectCollection::CreateObject(int itemId, int classId, int parentInstanceId)
{
    TTolvexItem* item = GetItem(itemId);
    return item ? item->CreateObject(classId, parentInstanceId) : nullptr;
}

void TObjectCollection::DeleteObject(int itemId, int instanceId)
{
    if (TTolvexItem* item = GetItem(itemId))
        item->DeleteObject(instanceId);
}

void TObjectCollection::GetInstanceIds(int itemId, int classId, std::vector<std::string>& list)
{
    if (TTolvexItem* item = GetItem(itemId))
        item->GetInstanceIds(classId, list);
}

bool TObjectCollection::SaveAll()
{
    return Data().SaveAll("");
}

bool TObjectCollection::WriteAll()
{
    return Data().WriteAll();
}

void TObjectCollection::ConfirmWritten()
{
    Data().ForgetWrittenRemovals();
}

void TObjectCollection::DiscardChanges()
{
    Data().DiscardChanges("");
}

void TObjectCollection::Clear()
{
    Data().Clear();
}
