#include "storage/ConfiguredDatabase.h"

#include "common/Exceptions.h"
#include "common/IniSettings.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"

TDatabaseModuleCreator DatabaseModuleCreatorOf(TDBManager& manager)
{
    return [&manager](const std::string& moduleName, const std::string& params) {
        return manager.CreateDatabasePlugin(moduleName, params);
    };
}

std::string DatabasesFolder(const std::string& programFolder)
{
    return programFolder + "/databases";
}

std::unique_ptr<TAbstractDBConnectionFactory> OpenDatabaseModule(const TDatabaseModuleCreator& creator,
                                                                 const std::string& moduleName,
                                                                 const std::string& params, const std::string& dir,
                                                                 const std::string& name, const std::string& user,
                                                                 const std::string& password,
                                                                 const std::string& failureMessage)
{
    std::unique_ptr<TAbstractDBConnectionFactory> module = creator(moduleName, params);
    bool opened = false;
    try {
        opened = module && module->OpenDatabase(dir, name, user, password);
    } catch (const ETolvexException&) {
        // A file that is there but cannot be opened (damaged, no access)
        // leaves the program without the database just the same.
        opened = false;
    }
    if (!opened)
        throw EFatalTolvexException(failureMessage);
    return module;
}

std::unique_ptr<TAbstractDBConnectionFactory> OpenConfiguredDatabase(const TDatabaseModuleCreator& creator,
                                                                     const TIniSettings& settings,
                                                                     int firstSetting, const std::string& dir,
                                                                     const std::string& failureMessage)
{
    return OpenDatabaseModule(creator, settings.GetString(firstSetting), settings.GetString(firstSetting + 1), dir,
                              settings.GetString(firstSetting + 2), settings.GetString(firstSetting + 3),
                              settings.GetString(firstSetting + 4), failureMessage);
}
