#pragma once
// Opening the program's shipped databases (catalog description, references,
// code databases, catalog-type definitions) from their five settings: the
// database module, its parameters, the database name, the user and the
// password, in the program folder's "databases" folder.
#include <functional>
#include <memory>
#include <string>

class TAbstractDBConnectionFactory;
class TDBManager;
class TIniSettings;

// Makes a new, unopened database module (connection factory) of a module
// name with its parameters; raises EFatalTolvexException "Cannot load
// database module" when there is no such module.
using TDatabaseModuleCreator = std::function<std::unique_ptr<TAbstractDBConnectionFactory>(
    const std::string& moduleName, const std::string& params)>;

// The creator that asks the database-module manager.
TDatabaseModuleCreator DatabaseModuleCreatorOf(TDBManager& manager);

// The "databases" folder of a program folder.
std::string DatabasesFolder(const std::string& programFolder);

// A module of ModuleName with Params, opened on Dir and Name with User and
// Password. When it cannot be opened, raises EFatalTolvexException with
// FailureMessage: the program cannot go on.
std::unique_ptr<TAbstractDBConnectionFactory> OpenDatabaseModule(const TDatabaseModuleCreator& creator,
                                                                 const std::string& moduleName,
                                                                 const std::string& params, const std::string& dir,
                                                                 const std::string& name, const std::string& user,
                                                                 const std::string& password,
                                                                 const std::string& failureMessage);

// A module of the settings FirstSetting (module name) to FirstSetting + 4
// (password), opened on Dir. When it cannot be opened, raises
// EFatalTolvexException with FailureMessage: the program cannot go on.
std::unique_ptr<TAbstractDBConnectionFactory> OpenConfiguredDatabase(const TDatabaseModuleCreator& creator,
                                                                     const TIniSettings& settings,
                                                                     int firstSetting, const std::string& dir,
                                                                     const std::string& failureMessage);
