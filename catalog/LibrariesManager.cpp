#include "catalog/LibrariesManager.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

// dlopen searches the library path for a name without a slash; a plug-in is
// always loaded from the file named, so such a name is made explicit.
std::string ExplicitPath(const std::string& fileName)
{
    return fileName.find('/') == std::string::npos ? "./" + fileName : fileName;
}

}  // namespace

int TLibrariesManager::LoadModule(const std::string& fileName)
{
    int id = ++nextId_;
    std::error_code ec;
    if (fileName.empty() || !std::filesystem::is_regular_file(fileName, ec))
        return 0;
    void* handle = dlopen(ExplicitPath(fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return 0;
    libraries_.push_back(std::make_unique<TLibraryDescription>(handle, id, fileName));
    return id;
}

void TLibrariesManager::UnloadModule(int id)
{
    auto it = std::find_if(libraries_.begin(), libraries_.end(),
                           [id](const auto& library) { return library->GetId() == id; });
    if (it != libraries_.end())
        libraries_.erase(it);
}

void* TLibrariesManager::GetHandle(int id) const
{
    for (const auto& library : libraries_)
        if (library->GetId() == id)
            return library->GetHandle();
    return nullptr;
}

void* TLibrariesManager::FindExport(int id, const char* exportName) const
{
    void* handle = GetHandle(id);
    return handle ? dlsym(handle, exportName) : nullptr;
}

std::unique_ptr<TAbstractPluginInfo> TLibrariesManager::GetPluginInfo(int id) const
{
    auto getInfo = reinterpret_cast<TGetPluginInfoFunc>(FindExport(id, GetPluginInfoExport));
    return std::unique_ptr<TAbstractPluginInfo>(getInfo ? getInfo() : nullptr);
}

std::unique_ptr<TAbstractPluginClass> TLibrariesManager::GetPluginClass(int id,
                                                                        const std::string& name) const
{
    auto getClass = reinterpret_cast<TGetPluginClassFunc>(FindExport(id, GetPluginClassExport));
    return std::unique_ptr<TAbstractPluginClass>(getClass ? getClass(name.c_str()) : nullptr);
}
