#pragma once
// One entry of a plug-in list: a descriptor that can create its plug-in.
// A library entry (file name set) loads its library on the first creation
// and keeps it loaded until the entry is destroyed; plug-in objects created
// from it must be destroyed before the entry. A built-in entry (empty file
// name) creates through its own creator when it has one, otherwise through
// the process-wide built-in creator that the built-in registry installs.
#include "storage/AbstractPluginClass.h"
#include "catalog/PluginInfo.h"

#include <memory>
#include <string>

class TLibrariesManager;

class TPluginLoader : public TPluginInfo {
public:
    // Libraries: where library entries load their library; may be null for a
    // built-in entry. Not owned; it must outlive the entry.
    explicit TPluginLoader(TLibrariesManager* libraries = nullptr);
    ~TPluginLoader() override;
    TPluginLoader(const TPluginLoader&) = delete;
    TPluginLoader& operator=(const TPluginLoader&) = delete;

    // The id of the loaded library; 0 while it is not loaded.
    int GetLibraryId() const { return libraryId_; }
    // The creator of a built-in entry (used instead of the built-in registry).
    void SetCreator(TPluginCreator creator) { creator_ = std::move(creator); }

    // A new plug-in object for Name (empty: the entry's own name) and Params,
    // or null. The caller owns it. A library does not receive Params.
    std::unique_ptr<TAbstractPluginClass> CreatePluginClass(const std::string& name,
                                                            const std::string& params);

    // Installs how built-in entries without a creator of their own create
    // their objects (the built-in registry's lookup by name); an empty
    // function makes them create nothing.
    static void SetBuiltinCreator(TPluginCreator creator);

private:
    std::unique_ptr<TAbstractPluginClass> CreateBuiltin(const std::string& name,
                                                        const std::string& params) const;
    std::unique_ptr<TAbstractPluginClass> CreateFromLibrary(const std::string& name);

    TLibrariesManager* libraries_;
    TPluginCreator creator_;
    int libraryId_ = 0;
};
