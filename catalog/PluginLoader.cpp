#include "catalog/PluginLoader.h"

#include "catalog/LibrariesManager.h"

namespace {

TPluginCreator& BuiltinCreator()
{
    static TPluginCreator creator;
    return creator;
}

}  // namespace

TPluginLoader::TPluginLoader(TLibrariesManager* libraries) : libraries_(libraries) {}

TPluginLoader::~TPluginLoader()
{
    if (libraryId_ != 0 && libraries_)
        libraries_->UnloadModule(libraryId_);
}

void TPluginLoader::SetBuiltinCreator(TPluginCreator creator)
{
    BuiltinCreator() = std::move(creator);
}

std::unique_ptr<TAbstractPluginClass> TPluginLoader::CreatePluginClass(const std::string& name,
                                                                       const std::string& params)
{
    const std::string requested = name.empty() ? GetName() : name;
    if (GetFileName().empty())
        return CreateBuiltin(requested, params);
    return CreateFromLibrary(requested);
}

std::unique_ptr<TAbstractPluginClass> TPluginLoader::CreateBuiltin(const std::string& name,
                                                                   const std::string& params) const
{
    if (creator_)
        return creator_(name, params);
    const TPluginCreator& registry = BuiltinCreator();
    return registry ? registry(name, params) : nullptr;
}

std::unique_ptr<TAbstractPluginClass> TPluginLoader::CreateFromLibrary(const std::string& name)
{
    if (!libraries_)
        return nullptr;
    if (libraryId_ == 0)
        libraryId_ = libraries_->LoadModule(GetFileName());
    if (libraryId_ == 0)
        return nullptr;
    return libraries_->GetPluginClass(libraryId_, name);
}
