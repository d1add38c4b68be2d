#pragma once
// The registry of the plug-in classes built into the program, which creates
// their instances by name. It is fed by
//  - plug-in classes registered by the subsystems that declare them: item
//    editors (kind 3), item managers (kind 4) and database modules (kind 2);
//  - editor frame classes, each of which becomes a UI editor of one tab;
//  - the fixed table of item editors and item managers (BuiltinPluginTable.h),
//    whose classes are placeholders until their subsystem registers a
//    creator for them with RegisterBuiltinClass.
// It gives the plug-in managers the built-in names of each kind and the
// descriptor of the built-in database module. While it exists it is the
// creator of every built-in plug-in-list entry (TPluginLoader).
//
// Registration is explicit: each subsystem has a function that registers
// its classes, called at start-up; nothing is ever removed.
#include "catalog/AbstractFrameClass.h"
#include "storage/AbstractPluginClass.h"
#include "catalog/AbstractUIEditor.h"

#include "catalog/PluginInfo.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TPluginLoader;
class TPluginsManager;
class TTranslation;

// Creates the frame-based UI editor for a requested name and parameters,
// showing one tab of FrameClass (which outlives the editor).
using TFrameEditorCreator = std::function<std::unique_ptr<TAbstractUIEditor>(
    const std::string& name, const std::string& params, const TAbstractFrameClass& frameClass)>;

class TInternalPluginsManager {
public:
    // Installs itself as the creator of built-in plug-in-list entries.
    TInternalPluginsManager();
    // Uninstalls itself when it is still the installed creator.
    ~TInternalPluginsManager();
    TInternalPluginsManager(const TInternalPluginsManager&) = delete;
    TInternalPluginsManager& operator=(const TInternalPluginsManager&) = delete;

    // Translates the messages of its errors; null (the default): untranslated.
    void SetTranslation(const TTranslation* translation) { translation_ = translation; }

    // Appends a plug-in class under its plug-in name to the list of its kind
    // (2, 3 or 4); Create is the class's constructor taking (name, params).
    // An empty name, another kind or an empty Create registers nothing.
    void RegisterPluginClass(const std::string& pluginName, std::uint8_t pluginKind,
                             TPluginCreator create);
    // Registers a database module built into the program: its descriptor
    // (name, description, parameters such as "FileExt") and the function
    // that creates its connection factories. A descriptor without a name
    // registers nothing.
    void RegisterDatabaseModule(const TPluginInfo& descriptor, TPluginCreator create);
    // Appends a frame class under its plug-in name; an empty name registers nothing.
    void RegisterFrameClass(std::unique_ptr<TAbstractFrameClass> frameClass);
    // Makes every row of the fixed table that stands for ClassName create its
    // objects with Create instead of a placeholder. Raises
    // EDeveloperTolvexException when no row stands for that class.
    void RegisterBuiltinClass(const std::string& className, TPluginCreator create);
    // How editors of registered frames are created (default: placeholders).
    void SetFrameEditorCreator(TFrameEditorCreator create);
    // Registers a placeholder for every class that registers itself at
    // start-up (TBuiltinPluginTable::StartupClasses) and whose name nothing
    // registered yet. Called after the subsystems' own registrations.
    void RegisterStartupPlaceholders();

    // A new plug-in object for Name: the registered item editors, item
    // managers, database modules (name without regard to case), then the
    // registered frames, then the fixed table. The caller owns it. Raises
    // ECriticalTolvexException "Cannot find "$1" internal plugin" when
    // nothing matches.
    std::unique_ptr<TAbstractPluginClass> CreatePlugin(const std::string& name,
                                                       const std::string& params) const;
    // The built-in names of one kind, in the order the plug-in lists take
    // them; empty for a kind other than 2, 3 or 4.
    std::vector<std::string> GetPluginNames(std::uint8_t kind) const;
    // A new descriptor of the built-in plug-in Name: a registered database
    // module's descriptor, null for every other name.
    std::unique_ptr<TPluginLoader> GetPluginLoader(const std::string& name) const;
    // Appends the built-in entries of the manager's kind to Manager, each
    // with its descriptor (GetPluginNames, GetPluginLoader).
    void AddBuiltinPlugins(TPluginsManager& manager) const;

private:
    // Registered classes of one kind: names and classes at the same positions.
    struct TClassList {
        std::vector<std::string> names;
        std::vector<TPluginCreator> classes;
    };

    // The list of registered classes of Kind; null for a kind other than 2, 3 or 4.
    const TClassList* ListOfKind(std::uint8_t kind) const;
    const TPluginCreator* FindRegisteredClass(const std::string& name) const;
    const TAbstractFrameClass* FindFrameClass(const std::string& name) const;
    std::unique_ptr<TAbstractPluginClass> CreateTableClass(const std::string& className,
                                                           std::uint8_t kind,
                                                           const std::string& name,
                                                           const std::string& params) const;
    bool IsRegistered(const std::string& name) const;

    // Descriptors of the registered database modules, by name.
    std::map<std::string, TPluginInfo, std::less<>> databaseDescriptors_;
    TClassList itemEditors_;
    TClassList databaseModules_;
    TClassList itemManagers_;
    std::vector<std::string> frameNames_;
    std::vector<std::unique_ptr<TAbstractFrameClass>> frameClasses_;
    // Creators of the fixed table's classes, by class name.
    std::map<std::string, TPluginCreator, std::less<>> tableClasses_;
    TFrameEditorCreator frameEditorCreator_;
    const TTranslation* translation_ = nullptr;
};

// The registry of the process, created on first use.
TInternalPluginsManager& InternalPluginsManager();
// Frees the registry of the process (at exit, after every plug-in manager).
void FreeInternalPluginsManager();
// Register with the registry of the process, creating it on first use.
void RegisterPluginClass(const std::string& pluginName, std::uint8_t pluginKind,
                         TPluginCreator create);
void RegisterFrameClass(std::unique_ptr<TAbstractFrameClass> frameClass);
