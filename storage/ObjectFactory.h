#pragma once
// TTolvexObjectFactory: free-standing catalog objects straight from the
// database (see TAbstractObjectFactory). One belongs to each catalog
// object; it keeps no state of its own. The "Typed" operations give the
// same objects as TTolvexObject.
#include "storage/AbstractObjectFactory.h"

#include <memory>
#include <string>

class TTolvexObject;
class TTolvexObjectContext;

class TTolvexObjectFactory : public TAbstractObjectFactory {
public:
    explicit TTolvexObjectFactory(TTolvexObjectContext& context) : context_(context) {}

    std::unique_ptr<TAbstractCObject> GetObject(int itemId, int classId, TAbstractDBConnection& connection,
                                                const std::string& catalogCode) override;
    std::unique_ptr<TAbstractCObject> GetObjectByInstance(int itemId, int instanceId,
                                                          TAbstractDBConnection& connection,
                                                          const std::string& catalogCode) override;
    std::unique_ptr<TAbstractCObject> CreateObject(int itemId, int classId, int parentInstanceId,
                                                   TAbstractDBConnection& connection,
                                                   const std::string& catalogCode) override;

    std::unique_ptr<TTolvexObject> GetObjectTyped(int itemId, int classId, TAbstractDBConnection& connection,
                                                  const std::string& catalogCode);
    std::unique_ptr<TTolvexObject> GetObjectByInstanceTyped(int itemId, int instanceId,
                                                            TAbstractDBConnection& connection,
                                                            const std::string& catalogCode);
    std::unique_ptr<TTolvexObject> CreateObjectTyped(int itemId, int classId, int parentInstanceId,
                                                     TAbstractDBConnection& connection,
                                                     const std::string& catalogCode);

    // The InstanceId of the object of the class with that parent instance
    // in the item's data item; 0 when there is none.
    int FindInstanceId(int itemId, int classId, int parentInstanceId, TAbstractDBConnection& connection,
                       const std::string& catalogCode);
    // Numbers a new object of the item and writes its CObjectInstances row
    // at once; 0 (nothing written) for item 0.
    int NewInstanceRow(int itemId, int classId, int parentInstanceId, TAbstractDBConnection& connection,
                       const std::string& catalogCode);

private:
    // An empty code stands for the open catalog's.
    std::string CodeOrOpenCatalog(const std::string& catalogCode) const;

    TTolvexObjectContext& context_;
};
