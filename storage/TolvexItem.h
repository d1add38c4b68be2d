#pragma once
// TTolvexItem: one Items row of the item cache with the objects of its data
// item and, on demand, all value rows of that data item read at once (the
// value caches), so that its objects load with four queries in all.
//
// New objects are numbered one above the highest InstanceId the item has
// (stored, held by its objects, removed but not yet deleted, or pending in
// any cache) and write their instance row at their first save.
#include "storage/AbstractCItem.h"
#include "storage/TolvexObject.h"

#include <memory>
#include <string>
#include <vector>

class TTolvexItemFactory;
class TTolvexObjectContext;

class TTolvexItem : public TAbstractCItem {
public:
    explicit TTolvexItem(TTolvexItemFactory& factory);
    ~TTolvexItem() override;
    TTolvexItem(const TTolvexItem&) = delete;
    TTolvexItem& operator=(const TTolvexItem&) = delete;

    void Init(const std::string& catalogCode, int itemId, TAbstractDBConnection& connection);

    // ---- TAbstractCItem ----------------------------------------------------------
    std::string GetCatalogCode() const override { return catalogCode_; }
    TAbstractDBConnection& GetConnection() const override { return *connection_; }
    int GetItemId() const override { return itemId_; }
    int GetLinkedItemId() override;
    int GetItemType() override;
    int GetParentItemId() override;
    int GetOrderNum() const override { return orderNum_; }
    std::string GetExpandedImageCode() const override { return expandedImageCode_; }
    std::string GetCollapsedImageCode() const override { return collapsedImageCode_; }
    double GetDateModified() const override { return dateModified_; }
    bool IsLink() override;
    bool IsVisible() override;
    bool CanDelete() override;
    bool IsSorted() override;
    bool IsSynchronized() override;
    void AddRef() override { ++refCount_; }
    void Release() override;
    bool IsUnreferenced() const override { return refCount_ == 0; }
    TTolvexObject* CreateObject(int classId, int parentInstanceId) override;
    TTolvexObject* CreateObjectByName(const std::string& classXmlTag, int parentInstanceId) override;
    TTolvexObject* FindObject(int classId) override;
    TTolvexObject* FindObjectByName(const std::string& classXmlTag) override;
    TTolvexObject* FindObjectByInstance(int instanceId) override;
    void DeleteObject(int instanceId) override;
    void GetInstanceIds(int classId, std::vector<std::string>& list) override;
    int GetStateByte() override;
    void LoadRow() override;
    bool Save() override;
    void IncUseCount() override { ++useCount_; }
    int GetUseCount() const override { return useCount_; }
    double GetLoadTime() const override { return loadTime_; }
    bool HasValueCache() override;
    void DropValueCache() override;
    const std::vector<TCachedStringValue>& GetStringCache() override;
    const std::vector<TCachedNumberValue>& GetNumberCache() override;
    bool HasChanges() const override;

    // ---- further operations ---------------------------------------------------------
    void LoadObjects();
    // The highest InstanceId among the objects; 0 when there are none.
    int MaxInstanceId() const;
    // Deletes the rows of the instance from the six tables of object data.
    void DeleteInstanceRows(int instanceId);
    void LoadValueCaches();
    // Writes the item's changes like Save into the connection's unit of work,
    // but keeps them due (objects modified, instance rows to be looked for,
    // removed instances to be deleted), so that the unit may be rolled back
    // and the same changes written again.
    bool WriteKeepingPending();
    // After the unit of a WriteKeepingPending was committed: the removed
    // instances are gone for good.
    void ForgetWrittenRemovals();

private:
    bool SaveRows(bool keepPending);
    TTolvexObjectContext& Context() const;
    int HighestKnownInstanceId() const;
    void ReleaseRemovedInstances();
    void LoadStringCache(const std::string& table, const std::string& valueColumn);
    void LoadNumberCache(const std::string& table, const std::string& valueColumn);

    std::string catalogCode_;
    TTolvexItemFactory* factory_;
    int refCount_ = 0;
    bool cachingOn_ = true;
    bool hasCache_ = false;
    bool cacheStale_ = true;
    std::vector<TCachedStringValue> stringCache_;
    std::vector<TCachedNumberValue> numberCache_;
    int itemId_ = 0;
    int linkedItemId_ = 0;
    int itemType_ = 0;
    int parentItemId_ = 0;
    int maxInstanceId_ = 0;
    std::string expandedImageCode_;
    std::string collapsedImageCode_;
    int orderNum_ = 0;
    double dateModified_ = 0;
    double loadTime_ = 0;
    int useCount_ = 0;
    bool canDelete_ = false;
    bool isSorted_ = false;
    bool isSynchronized_ = false;
    bool isVisible_ = false;
    bool rowLoaded_ = false;
    bool objectsLoaded_ = false;
    std::vector<std::unique_ptr<TTolvexObject>> objects_;
    // InstanceIds of objects removed since the last save; each is held as
    // pending until its rows are deleted.
    std::vector<int> removedInstances_;
    TAbstractDBConnection* connection_ = nullptr;
};
