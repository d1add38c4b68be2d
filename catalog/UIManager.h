#pragma once
// The UI-module manager: creates the UI editors and the shared item
// managers that the editing framework asks for by name. Both come first
// from the plug-in libraries in the program's "modules" folder and then
// from the built-in registry, whose names join the lists on first use.
//
// Item managers are created once per name and owned here; they are freed
// before the plug-in lists unload the libraries they may come from. UI
// editors from a library must likewise be freed before this manager.
#include "catalog/AbstractItemManager.h"
#include "catalog/AbstractUIEditor.h"
#include "catalog/PluginsManager.h"

#include <memory>
#include <string>
#include <vector>

class TInternalPluginsManager;
class TLibrariesManager;
class TTranslation;

class TUIManager {
public:
    // Scans "<AppDir>/modules" once for item editors and once for item
    // managers. Libraries and Registry are not owned and must outlive the
    // manager; Translation (may be null) translates its error messages.
    TUIManager(const std::string& appDir, TLibrariesManager& libraries,
               const TInternalPluginsManager& registry, const TTranslation* translation);
    TUIManager(const TUIManager&) = delete;
    TUIManager& operator=(const TUIManager&) = delete;

    // Called once after creation; there is nothing to do yet.
    void Initialize() {}

    // A new UI editor for Name and Params, owned by the caller. Raises
    // ECriticalTolvexException "Cannot load item editor module "$1"" when
    // nothing creates one.
    std::unique_ptr<TAbstractUIEditor> CreateItemEditor(const std::string& name,
                                                        const std::string& params);
    // The shared item manager of Name, created with Params on the first
    // request; null for an empty Name. Owned here. Raises
    // ECriticalTolvexException "Cannot load item manager module "$1"" when
    // nothing creates one.
    TAbstractItemManager* GetItemManager(const std::string& name, const std::string& params);

private:
    [[noreturn]] void RaiseCannotLoad(const char* messageTemplate, const std::string& name) const;

    const TInternalPluginsManager& registry_;
    const TTranslation* translation_;
    bool editorNamesAdded_ = false;
    bool managerNamesAdded_ = false;
    TPluginsManager editors_;
    TPluginsManager managers_;
    // Declared last so the item managers go before the lists that hold their libraries.
    std::vector<std::unique_ptr<TAbstractItemManager>> itemManagers_;
};
