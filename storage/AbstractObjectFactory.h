#pragma once
// Makes free-standing catalog objects straight from the database; whoever
// asks for one owns it. An empty CatalogCode stands for the open catalog's.
#include <memory>
#include <string>

class TAbstractCObject;
class TAbstractDBConnection;

class TAbstractObjectFactory {
public:
    virtual ~TAbstractObjectFactory() = default;

    // The item's top-level object of the class, not loaded; an object with
    // InstanceId 0 when the item has none. Null only for class 0.
    virtual std::unique_ptr<TAbstractCObject> GetObject(int itemId, int classId, TAbstractDBConnection& connection,
                                                        const std::string& catalogCode) = 0;
    // The object with that InstanceId (in the item, or anywhere with ItemId 0); null when none.
    virtual std::unique_ptr<TAbstractCObject> GetObjectByInstance(int itemId, int instanceId,
                                                                  TAbstractDBConnection& connection,
                                                                  const std::string& catalogCode) = 0;
    // A new, empty object whose instance row is written at once.
    virtual std::unique_ptr<TAbstractCObject> CreateObject(int itemId, int classId, int parentInstanceId,
                                                           TAbstractDBConnection& connection,
                                                           const std::string& catalogCode) = 0;
};
