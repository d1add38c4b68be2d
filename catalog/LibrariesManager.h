#pragma once
// The plug-in libraries loaded by the program, by id. Every load attempt
// takes a new id (also a failed one), so ids are never reused during a run;
// 0 means "no library". Nothing here raises an error: a missing file, a file
// that cannot be loaded, a missing export or a null result end in 0 or null.
//
// Objects obtained from a library (descriptors, plug-in objects) must be
// destroyed before that library is unloaded.
#include "storage/AbstractPluginClass.h"
#include "catalog/AbstractPluginInfo.h"
#include "catalog/LibraryDescription.h"

#include <memory>
#include <string>
#include <vector>

class TLibrariesManager {
public:
    TLibrariesManager() = default;
    TLibrariesManager(const TLibrariesManager&) = delete;
    TLibrariesManager& operator=(const TLibrariesManager&) = delete;

    // Loads a library and returns its new id; 0 when the file does not exist
    // or cannot be loaded.
    int LoadModule(const std::string& fileName);
    // Unloads the library with that id; an unknown id does nothing.
    void UnloadModule(int id);
    // The module handle of a library; null when no library has that id.
    void* GetHandle(int id) const;
    // The descriptor returned by the library's "GetPluginInfo", or null.
    std::unique_ptr<TAbstractPluginInfo> GetPluginInfo(int id) const;
    // The object returned by the library's "GetPluginClass" for Name, or null.
    std::unique_ptr<TAbstractPluginClass> GetPluginClass(int id, const std::string& name) const;

private:
    void* FindExport(int id, const char* exportName) const;

    std::vector<std::unique_ptr<TLibraryDescription>> libraries_;
    int nextId_ = 0;
};
