#pragma once
// The registry of database modules: every database is reached through a
// connection factory made from a module name and a parameter text. The
// modules are the plug-in libraries of kind 2 in the program's "databases"
// folder, followed by the database modules of the built-in registry, which
// join the list on first use.
//
// Factories created here must be destroyed before the manager: a factory
// from a library lives in that library's code.
#include "storage/AbstractPluginClass.h"
#include "catalog/PluginsManager.h"
#include "storage/AbstractDBConnectionFactory.h"

#include <memory>
#include <string>

class TInternalPluginsManager;
class TLibrariesManager;
class TPluginInfo;

class TDBManager {
public:
    // Scans "<AppDir>/databases" for module libraries. Libraries and the
    // built-in registry are not owned; they must outlive the manager.
    TDBManager(const std::string& appDir, TLibrariesManager& libraries,
               const TInternalPluginsManager& registry);
    TDBManager(const TDBManager&) = delete;
    TDBManager& operator=(const TDBManager&) = delete;

    // The list of modules, built-in modules included.
    TPluginsManager& GetPluginsManager();
    // A new factory of the module named TypeName (exact, or by a "*" name),
    // owned by the caller. Raises EFatalTolvexException "Cannot load database
    // module" when no module answers or the object is no database module.
    std::unique_ptr<TAbstractDBConnectionFactory> CreateDatabasePlugin(const std::string& typeName,
                                                                       const std::string& params);

private:
    void AddBuiltinModules();

    bool builtinModulesAdded_ = false;
    const TInternalPluginsManager& registry_;
    TPluginsManager plugins_;
};
