#include "catalog/Singletons.h"

#include "catalog/InternalPluginsManager.h"
#include "catalog/LibrariesManager.h"
#include "catalog/UIManager.h"
#include "catalog/PluginInfo.h"
#include "common/CommonProcedures.h"
#include "common/Translation.h"
#include "storage/DBManager.h"
#include "storage/SQLiteModule.h"
#include "storage/AbstractDBConnectionFactory.h"

TCommonProcedures* CommonProcedures = nullptr;
TLibrariesManager* LibrariesManager = nullptr;
TTranslation* Translation = nullptr;
TDBManager* DBManager = nullptr;
TUIManager* UIManager = nullptr;

bool UpdateOnExit = false;
std::string UpdateArguments;
std::string SearchText;

void RegisterBuiltinStorageModules()
{
    TSQLiteModuleDescriptor module = SQLiteModuleDescriptor();
    TPluginInfo descriptor;
    descriptor.SetName(module.name);
    descriptor.SetDescription(module.description);
    descriptor.SetKind(pkDatabase);
    for (const auto& [name, value] : module.properties)
        descriptor.AddParam(name, value);
    InternalPluginsManager().RegisterDatabaseModule(descriptor, [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(CreateSQLiteConnectionFactory(name, params).release());
    });
}

void CreateSingletons(const std::string& appDir,
                      const std::function<void(TInternalPluginsManager&)>& registerClasses)
{
    // Classes registered before the first creation wait in the registry; a
    // creation that replaces existing singletons starts from an empty one.
    const bool recreating = CommonProcedures || LibrariesManager || Translation || DBManager || UIManager;
    if (recreating)
        FreeSingletons();
    CommonProcedures = new TCommonProcedures();
    CommonProcedures->App().SetAppDir(appDir);
    LibrariesManager = new TLibrariesManager();
    Translation = new TTranslation(CommonProcedures->App().GetAppDir());
    TInternalPluginsManager& registry = InternalPluginsManager();
    registry.SetTranslation(Translation);
    RegisterBuiltinStorageModules();
    if (registerClasses)
        registerClasses(registry);
    registry.RegisterStartupPlaceholders();
    const std::string& folder = CommonProcedures->App().GetAppDir();
    DBManager = new TDBManager(folder, *LibrariesManager, registry);
    UIManager = new TUIManager(folder, *LibrariesManager, registry, Translation);
    UIManager->Initialize();
}

void FreeSingletons()
{
    // Plug-in libraries are unloaded last of the plug-in machinery, after
    // the managers that hold classes from them.
    delete UIManager;
    UIManager = nullptr;
    delete DBManager;
    DBManager = nullptr;
    FreeInternalPluginsManager();
    delete Translation;
    Translation = nullptr;
    delete LibrariesManager;
    LibrariesManager = nullptr;
    delete CommonProcedures;
    CommonProcedures = nullptr;
    SearchText.clear();
    UpdateArguments.clear();
}
