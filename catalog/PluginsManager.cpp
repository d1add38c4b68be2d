#include "catalog/PluginsManager.h"

#include "catalog/LibrariesManager.h"
#include "common/Exceptions.h"
#include "common/ParamList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Whether an entry named EntryName answers a request for Name: the same
// name, or a name with a "*" whose text before it begins Name.
bool EntryMatches(const std::string& entryName, const std::string& name)
{
    if (entryName == name)
        return true;
    std::size_t star = entryName.find('*');
    return star != std::string::npos && star > 0 && name.size() >= star &&
           name.compare(0, star, entryName, 0, star) == 0;
}

bool HasPluginExtension(const fs::path& path)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; });
    return ext == ".tvp";
}

// Unloads a library loaded for the scan of its folder.
struct TScanUnload {
    TLibrariesManager& libraries;
    int id;
    ~TScanUnload() { libraries.UnloadModule(id); }
};

}  // namespace

TPluginsManager::TPluginsManager(const std::string& dir, std::uint8_t kind,
                                 TLibrariesManager& libraries)
    : kind_(kind), libraries_(libraries)
{
    ScanFolder(dir);
}

std::optional<std::vector<std::string>> TPluginsManager::SplitClassList(const std::string& text)
{
    try {
        return TParamList::SplitFields(text, '&', true);
    } catch (const ECriticalTolvexException&) {
        return std::nullopt;  // a "%" that cannot be decoded: no entries
    }
}

void TPluginsManager::ScanFolder(const std::string& dir)
{
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (HasPluginExtension(it->path()) && it->is_regular_file(ec))
            names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());

    for (const std::string& name : names) {
        const std::string fileName = dir + "/" + name;
        int id = libraries_.LoadModule(fileName);
        if (id == 0)
            continue;
        // The library is unloaded whatever happens, after the descriptor it
        // made is gone.
        TScanUnload unload{libraries_, id};
        if (std::unique_ptr<TAbstractPluginInfo> info = libraries_.GetPluginInfo(id))
            AddLibraryEntries(fileName, *info);
    }
}

void TPluginsManager::AddLibraryEntries(const std::string& fileName, const TAbstractPluginInfo& info)
{
    std::optional<std::vector<std::string>> pieces = SplitClassList(info.GetName());
    if (!pieces)
        return;  // a class list that cannot be decoded contributes nothing
    for (const std::string& piece : *pieces) {
        std::size_t eq = piece.find('=');
        bool taken = info.GetKind() == pkMixed
                         ? eq != std::string::npos && PluginKindFromWord(piece.substr(eq + 1)) == kind_
                         : info.GetKind() == kind_;
        if (!taken)
            continue;
        auto entry = std::make_unique<TPluginLoader>(&libraries_);
        entry->AssignDescriptor(info);
        entry->SetFileName(fileName);
        entry->SetName(piece.substr(0, eq));
        entry->SetKind(kind_);
        entries_.push_back(std::move(entry));
    }
}

TPluginLoader* TPluginsManager::GetPlugin(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return entries_[static_cast<std::size_t>(index)].get();
}

TPluginLoader* TPluginsManager::FindPlugin(const std::string& name) const
{
    for (const auto& entry : entries_)
        if (entry->GetName() == name)
            return entry.get();
    return nullptr;
}

TPluginLoader* TPluginsManager::FindPluginByProperty(const std::string& propertyName,
                                                     const std::string& value) const
{
    for (const auto& entry : entries_)
        if (entry->ParamEquals(propertyName, value))
            return entry.get();
    return nullptr;
}

void TPluginsManager::AddPlugin(const std::string& name, std::unique_ptr<TPluginLoader> loader)
{
    if (!loader) {
        loader = std::make_unique<TPluginLoader>(&libraries_);
        loader->SetName(name);
    }
    entries_.push_back(std::move(loader));
}

std::unique_ptr<TAbstractPluginClass> TPluginsManager::CreatePluginInstance(const std::string& name,
                                                                            const std::string& params)
{
    for (const auto& entry : entries_)
        if (EntryMatches(entry->GetName(), name))
            return entry->CreatePluginClass(name, params);
    return nullptr;
}
