#include "storage/DBManager.h"

#include "catalog/InternalPluginsManager.h"
#include "catalog/PluginInfo.h"
#include "common/Exceptions.h"


TDBManager::TDBManager(const std::string& appDir, TLibrariesManager& libraries,
                       const TInternalPluginsManager& registry)
    : registry_(registry), plugins_(appDir + "/databases", pkDatabase, libraries)
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
    registry_.AddBuiltinPlugins(plugins_);
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
