#pragma once
// A member that lists an item's sub-objects (a product's price rows, its
// combinations with a stock code), edited in the session's objects alone:
// removing one takes its reference out of the list and hands the object to
// the collection, whose save deletes its rows. Nothing reaches the database
// before the item's save, so Cancel brings every removed row back.
#include <set>
#include <string>
#include <vector>

class TAbstractCObject;
class TAbstractObjectCollection;

class TSubObjectList {
public:
    TSubObjectList(TAbstractObjectCollection& objects, int itemId, TAbstractCObject* parent, std::string member,
                   std::string langCode);

    // The instance ids the member lists, in order.
    std::vector<int> Ids() const;
    // The listed objects that still exist.
    TAbstractCObject* Object(int instanceId) const;
    // A new sub-object, listed last; null when the class cannot hold one.
    TAbstractCObject* Add(const std::string& classXmlTag) const;
    // Removes the listed instances and their objects.
    void Remove(const std::set<int>& instanceIds) const;
    void RemoveAll() const;

private:
    TAbstractObjectCollection& objects_;
    int itemId_;
    TAbstractCObject* parent_;
    std::string member_;
    std::string langCode_;
};
