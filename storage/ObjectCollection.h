#pragma once
// TObjectCollection: the per-owner cache of items and objects (see
// TAbstractObjectCollection), on the owner's connection and catalog code.
// It keeps every item it touched, with its objects, in the item cache and
// saves or discards all of them at once.
#include "storage/AbstractObjectCollection.h"
#include "storage/TolvexObject.h"

#include <memory>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TTolvexDataFactory;
class TTolvexItem;
class TTolvexObjectContext;

class TObjectCollection : public TAbstractObjectCollection {
public:
    explicit TObjectCollection(TTolvexObjectContext& context);
    ~TObjectCollection() override;
    TObjectCollection(const TObjectCollection&) = delete;
    TObjectCollection& operator=(const TObjectCollection&) = delete;

    // Remembers the code and the connection (not owned) and makes the item
    // caches over it; called once, right after creation.
    void Open(const std::string& catalogCode, TAbstractDBConnection& connection);

    TTolvexObject* GetObject(int itemId, const std::string& classXmlTag) override;
    TTolvexObject* GetObjectByInstance(int itemId, int instanceId) override;
    TTolvexObject* CreateObject(int itemId, int classId, int parentInstanceId) override;
    void DeleteObject(int itemId, int instanceId) override;
    void GetInstanceIds(int itemId, int classId, std::vector<std::string>& list) override;
    bool SaveAll() override;
    void DiscardChanges() override;
    void Clear() override;

    // Writes every changed item into the connection's unit of work like
    // SaveAll, but keeps the changes due, so that the unit may be rolled back
    // (a preview of unsaved values, a save that failed half way) and the
    // same changes written again later. False when an item's write failed.
    bool WriteAll();
    // The unit that WriteAll wrote into was committed: removed objects are
    // forgotten, as after SaveAll.
    void ConfirmWritten();

    // The cached item of the collection's catalog (made on first use); null for ItemId 0.
    TTolvexItem* GetItem(int itemId);

private:
    TTolvexDataFactory& Data() const;

    TTolvexObjectContext& context_;
    std::unique_ptr<TTolvexDataFactory> dataFactory_;
    std::string catalogCode_;
    TAbstractDBConnection* connection_ = nullptr;
};
