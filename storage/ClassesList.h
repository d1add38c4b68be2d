#pragma once
// The classes of the object model, read once per run from the catalog
// description (GlobalClasses and GlobalClassMembers) on the first lookup.
// Lookup by class tag is a binary search over the tag-sorted list (tags
// compared without regard to ASCII letter case); lookup by id is linear.
#include "storage/TolvexClassDefinition.h"
#include "storage/TolvexObjectList.h"

#include <atomic>
#include <string>

class TDatabaseResolver;

class TClassesList {
public:
    // Databases: the catalog description and the databases that members'
    // own statements name; not owned, must outlive the list.
    explicit TClassesList(TDatabaseResolver& databases);
    TClassesList(const TClassesList&) = delete;
    TClassesList& operator=(const TClassesList&) = delete;

    // The ClassId of the class tagged ClassXmlTag (any letter case); 0 when none.
    int GetClassId(const std::string& classXmlTag);
    // The definition of ClassId, or null.
    TTolvexClassDefinition* GetClassDefinition(int classId);
    // Reads the classes and their members unless they have been read. A
    // failed read leaves the list unread, so the next lookup reads again.
    void LoadClasses();

private:
    void ReadClasses(TTolvexObjectList<TTolvexClassDefinition>& classes);
    void ReadMembers(TTolvexObjectList<TTolvexClassDefinition>& classes);

    TDatabaseResolver& databases_;
    std::atomic<bool> loaded_ = false;
    TTolvexObjectList<TTolvexClassDefinition> classes_;
};
