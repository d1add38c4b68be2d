#pragma once
// The cache through which an editing context, a long operation, the page
// generation or the style dialog read and write catalog objects. Objects it
// hands out belong to their cached items: callers never free them.
#include <string>
#include <vector>

class TAbstractCObject;

class TAbstractObjectCollection {
public:
    virtual ~TAbstractObjectCollection() = default;

    // The item's first object of the class, or a new empty one; null when
    // the tag names no class or ItemId is 0.
    virtual TAbstractCObject* GetObject(int itemId, const std::string& classXmlTag) = 0;
    virtual TAbstractCObject* GetObjectByInstance(int itemId, int instanceId) = 0;
    virtual TAbstractCObject* CreateObject(int itemId, int classId, int parentInstanceId) = 0;
    // The object's rows go at the next SaveAll.
    virtual void DeleteObject(int itemId, int instanceId) = 0;
    virtual void GetInstanceIds(int itemId, int classId, std::vector<std::string>& list) = 0;
    // Saves every changed item; false when an item's save failed.
    virtual bool SaveAll() = 0;
    // Drops every item with unsaved changes, so that it is read afresh.
    virtual void DiscardChanges() = 0;
    virtual void Clear() = 0;
};
