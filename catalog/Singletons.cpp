#include "catalog/Singletons.h"

#include "catalog/LibrariesManager.h"
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

bool UpdateOnExit = false;
std::string UpdateArguments;
std::string SearchText;

void RegisterBuiltinStorageModules()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    TSQLiteModuleDescriptor module = SQLiteModuleDescriptor();
    TPluginInfo descriptor;
    descriptor.SetName(module.name);
    descriptor.SetDescription(module.description);
    descriptor.SetKind(pkDatabase);
    for (const auto& [name, value] : module.properties)
        descriptor.AddParam(name, value);
    RegisterBuiltinDatabaseModule(descriptor, [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(CreateSQLiteConnectionFactory(name, params).release());
    });
}

void CreateSingletons(const std::string& appDir)
{
    FreeSingletons();
    CommonProcedures = new TCommonProcedures();
    CommonProcedures->App().SetAppDir(appDir);
    LibrariesManager = new TLibrariesManager();
    Translation = new TTranslation(CommonProcedures->App().GetAppDir());
    RegisterBuiltinStorageModules();
    DBManager = new TDBManager(CommonProcedures->App().GetAppDir(), *LibrariesManager);
}

void FreeSingletons()
{
    // Plug-in libraries are unloaded last of the plug-in machinery, after
    // the managers that hold classes from them.
    delete DBManager;
    DBManager = nullptr;
    delete Translation;
    Translation = nullptr;
    delete LibrariesManager;
    LibrariesManager = nullptr;
    delete CommonProcedures;
    CommonProcedures = nullptr;
    SearchText.clear();
    UpdateArguments.clear();
}
