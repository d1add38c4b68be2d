#pragma once
// One cached row of the Items table with the objects of its data item and,
// on demand, all value rows of that data item read at once (the value
// caches that the item's objects load from).
#include <string>
#include <vector>

class TAbstractCObject;
class TAbstractDBConnection;

// One cached row of CStrings or CText.
struct TCachedStringValue {
    int InstanceId = 0;
    int ClassId = 0;
    int MemberId = 0;
    int MemberType = 0;
    int IndexId = 0;
    std::string LangCode;
    std::string Value;
};

// One cached row of CNumbers or CDates (dates as day numbers).
struct TCachedNumberValue {
    int InstanceId = 0;
    int ClassId = 0;
    int MemberId = 0;
    int MemberType = 0;
    int IndexId = 0;
    std::string LangCode;
    double Value = 0;
};

class TAbstractCItem {
public:
    virtual ~TAbstractCItem() = default;

    virtual std::string GetCatalogCode() const = 0;
    virtual TAbstractDBConnection& GetConnection() const = 0;
    virtual int GetItemId() const = 0;
    // The getters below that read the row read it first when needed.
    virtual int GetLinkedItemId() = 0;
    virtual int GetItemType() = 0;
    virtual int GetParentItemId() = 0;
    virtual int GetOrderNum() const = 0;
    virtual std::string GetExpandedImageCode() const = 0;
    virtual std::string GetCollapsedImageCode() const = 0;
    virtual double GetDateModified() const = 0;
    virtual bool IsLink() = 0;
    virtual bool IsVisible() = 0;
    virtual bool CanDelete() = 0;
    virtual bool IsSorted() = 0;
    virtual bool IsSynchronized() = 0;
    virtual void AddRef() = 0;
    // Never below 0.
    virtual void Release() = 0;
    virtual bool IsUnreferenced() const = 0;
    // A new, empty object of the class held by the item; null for class 0.
    virtual TAbstractCObject* CreateObject(int classId, int parentInstanceId) = 0;
    virtual TAbstractCObject* CreateObjectByName(const std::string& classXmlTag, int parentInstanceId) = 0;
    virtual TAbstractCObject* FindObject(int classId) = 0;
    virtual TAbstractCObject* FindObjectByName(const std::string& classXmlTag) = 0;
    virtual TAbstractCObject* FindObjectByInstance(int instanceId) = 0;
    // Removes the object; its rows go at the next save.
    virtual void DeleteObject(int instanceId) = 0;
    // InstanceIds (decimal) of every object, or of every object of the class.
    virtual void GetInstanceIds(int classId, std::vector<std::string>& list) = 0;
    virtual int GetStateByte() = 0;
    virtual void LoadRow() = 0;
    virtual bool Save() = 0;
    virtual void IncUseCount() = 0;
    virtual int GetUseCount() const = 0;
    virtual double GetLoadTime() const = 0;
    // The value caches, read first when they are stale.
    virtual bool HasValueCache() = 0;
    virtual void DropValueCache() = 0;
    virtual const std::vector<TCachedStringValue>& GetStringCache() = 0;
    virtual const std::vector<TCachedNumberValue>& GetNumberCache() = 0;
    virtual bool HasChanges() const = 0;
};
