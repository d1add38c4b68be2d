#pragma once
// A temporary program folder whose "databases" folder holds the shipped
// databases built from data/, with the services that read them: settings,
// global definition, references and the database resolver over both.
#include "common/Exceptions.h"
#include "common/CommonFunctions.h"
#include "common/GlobalSettings.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/GlobalDefinition.h"
#include "storage/ProgramDatabases.h"
#include "storage/References.h"
#include "storage/SQLiteModule.h"
#include "storage/ShippedData.h"
#include "support/SharedTestData.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

// Database modules as the program's manager gives them, for the SQLite module only.
inline TDatabaseModuleCreator SQLiteModules()
{
    return [](const std::string& name, const std::string& params) {
        if (name != SQLiteModuleName)
            throw EFatalTolvexException("Cannot load database module");
        return CreateSQLiteConnectionFactory(name, params);
    };
}

// Runs SQL on a database file directly, to set up what a test needs.
inline void ExecOnFile(const std::string& fileName, const std::string& sql)
{
    sqlite3* db = nullptr;
    int rc = sqlite3_open(fileName.c_str(), &db);
    char* error = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    std::string message = error ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error(fileName + ": " + message);
}

// The first column of every row of a SELECT on a database file, as text.
inline std::vector<std::string> ColumnOfFile(const std::string& fileName, const std::string& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(fileName.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(message);
    }
    std::vector<std::string> values;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(stmt, 0);
        values.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return values;
}

class TProgramFolderFixture {
public:
    // With BuildDatabases false the "databases" folder starts empty.
    explicit TProgramFolderFixture(bool buildDatabases = true)
        : settings(folder.Path(), nullptr),
          globalDefinition(settings, SQLiteModules(), functions, gui),
          references(settings, SQLiteModules()),
          databases(globalDefinition, references)
    {
        if (buildDatabases) {
            // Copies of the databases the tests' first need built; what did not arrive is built here.
            SharedTestData::InstallShippedDatabases(folder.Path());
            TShippedData(TShippedData::BuildTreeDataDir()).BuildMissing(DatabasesDir());
        } else
            std::filesystem::create_directories(DatabasesDir());
    }

    std::string DatabasesDir() const { return folder.File("databases"); }
    // The file of a database of the "databases" folder.
    std::string DatabaseFile(const std::string& name) const { return SQLiteDatabaseFileName(DatabasesDir(), name); }
    void Exec(const std::string& database, const std::string& sql) const { ExecOnFile(DatabaseFile(database), sql); }
    // Removes the shipped catalog-type definition databases.
    void RemoveCatalogTypeDatabases() const
    {
        for (const auto& entry : std::filesystem::directory_iterator(DatabasesDir()))
            if (entry.path().filename().string().rfind("catalog_", 0) == 0)
                std::filesystem::remove(entry.path());
    }

    TTempFolder folder;
    TGlobalSettings settings;
    TCommonFunctions functions;
    TScriptedGui gui;
    TGlobalDefinition globalDefinition;
    TReferences references;
    TProgramDatabases databases;
};
