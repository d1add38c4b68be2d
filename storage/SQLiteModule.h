#pragma once
// The SQLite database module: its name, file extension, descriptor and the
// function that creates its connection factories.
#include "storage/DatabaseModuleContext.h"

#include <map>
#include <memory>
#include <string>

class TAbstractDBConnectionFactory;

// The module's name, under which the catalog and the settings refer to it.
inline constexpr const char* SQLiteModuleName = "SQLite";
// The extension of its database files (without the dot).
inline constexpr const char* SQLiteFileExt = "sqlite";

// The descriptor values of the module for the plug-in registry.
struct TSQLiteModuleDescriptor {
    std::string name;
    std::string description;
    std::map<std::string, std::string> properties;  // FileExt, DeleteDatabase, CompressDatabase
};
TSQLiteModuleDescriptor SQLiteModuleDescriptor();

// The database file of a directory and a database name: Dir/Name.sqlite.
std::string SQLiteDatabaseFileName(const std::string& dir, const std::string& name);

// The context given to factories created by CreateSQLiteConnectionFactory
// (the program sets it once at start; until then it is empty).
void SetDefaultDatabaseModuleContext(const TDatabaseModuleContext& context);
const TDatabaseModuleContext& DefaultDatabaseModuleContext();

// A new, unopened connection factory of the module.
std::unique_ptr<TAbstractDBConnectionFactory> CreateSQLiteConnectionFactory(const std::string& name,
                                                                            const std::string& params);
