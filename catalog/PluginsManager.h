#pragma once
// The plug-ins of one kind that the program can create: the entries of the
// plug-in libraries ("*.tvp") in one folder, found when the manager is
// created, followed by the built-in entries its owner adds. Entries are
// looked up by name (exact, or a "*" name matching by prefix) and create the
// plug-in objects. Destroying the manager destroys the entries and so
// unloads the libraries kept loaded for them: every plug-in object created
// through it must be destroyed first.
#include "storage/AbstractPluginClass.h"
#include "catalog/PluginLoader.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TLibrariesManager;

class TPluginsManager {
public:
    // Scans Dir for plug-in libraries of Kind. Libraries: not owned; it must
    // outlive the manager.
    TPluginsManager(const std::string& dir, std::uint8_t kind, TLibrariesManager& libraries);
    TPluginsManager(const TPluginsManager&) = delete;
    TPluginsManager& operator=(const TPluginsManager&) = delete;

    std::uint8_t GetKind() const { return kind_; }
    int GetCount() const { return static_cast<int>(entries_.size()); }
    // The entry at Index, or null when Index is outside the list.
    TPluginLoader* GetPlugin(int index) const;
    // The first entry whose name equals Name exactly (case counts), or null.
    TPluginLoader* FindPlugin(const std::string& name) const;
    // The first entry whose parameter PropertyName equals Value without
    // regard to case (a missing parameter equals only the empty Value).
    TPluginLoader* FindPluginByProperty(const std::string& propertyName,
                                        const std::string& value) const;
    // Appends Loader; without one, appends a built-in entry named Name.
    void AddPlugin(const std::string& name, std::unique_ptr<TPluginLoader> loader);
    // A new plug-in object from the first entry that matches Name, created
    // with the requested Name and Params; null when no entry matches or the
    // entry creates nothing. The caller owns it.
    std::unique_ptr<TAbstractPluginClass> CreatePluginInstance(const std::string& name,
                                                               const std::string& params);

    // The pieces of a class list: split at "&" and line breaks like web-form
    // fields (quoted stretches are not split, an empty last piece is
    // dropped) and URL-decoded; nothing when a "%" cannot be decoded.
    static std::optional<std::vector<std::string>> SplitClassList(const std::string& text);

private:
    void ScanFolder(const std::string& dir);
    void AddLibraryEntries(const std::string& fileName, const TAbstractPluginInfo& info);

    std::vector<std::unique_ptr<TPluginLoader>> entries_;
    std::uint8_t kind_;
    TLibrariesManager& libraries_;
};
