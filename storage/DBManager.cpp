#include "storage/DBManager.h"

#include "catalog/PluginInfo.h"
#include "common/Exceptions.h"

#include <vector>

namespace {

struct TBuiltinDatabaseModule {
    TPluginInfo descriptor;
    TPluginCreator creator;
};

std::vector<TBuiltinDatabaseModule>& BuiltinDatabaseModules()
{
    static std::vector<TBuiltinDatabaseModule> modules;
    return modules;
}

}  // namespace

void RegisterBuiltinDatabaseModule(const TPluginInfo& descriptor, TPluginCreator creator)
{
    if (descriptor.GetName().empty() || descriptor.GetKind() != pkDatabase || !creator)
        return;
    BuiltinDatabaseModules().push_back({descriptor, std::move(creator)});
}

TDBManager::TDBManager(const std::string& appDir, TLibrariesManager& libraries)
    : plugins_(appDir + "/databases", pkDatabase, libraries)
{
}

TPluginsManager& TDBManager::GetPluginsManager()
{
    AddBuiltinModules();
    return plugins_;
}

void TDBManager::AddBuiltinModules()
{
    if (builtinModulesAdded_)
        return;
    builtinModulesAdded_ = true;
    for (const TBuiltinDatabaseModule& module : BuiltinDatabaseModules()) {
        auto entry = std::make_unique<TPluginLoader>();
        entry->AssignDescriptor(module.descriptor);
        entry->SetCreator(module.creator);
        plugins_.AddPlugin(module.descriptor.GetName(), std::move(entry));
    }
}

std::unique_ptr<TAbstractDBConnectionFactory> TDBManager::CreateDatabasePlugin(
    const std::string& typeName, const std::string& params)
{
    AddBuiltinModules();
    std::unique_ptr<TAbstractPluginClass> plugin = plugins_.CreatePluginInstance(typeName, params);
    auto* factory = plugin && plugin->GetKind() == pkDatabase
                        ? dynamic_cast<TAbstractDBConnectionFactory*>(plugin.get())
                        : nullptr;
    if (!factory)
        throw EFatalTolvexException("Cannot load database module");
    plugin.release();
    return std::unique_ptr<TAbstractDBConnectionFactory>(factory);
}
