#include "storage/ShippedData.h"

#include "catalog/CatalogTypeData.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "common/FileContent.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/ConfiguredDatabase.h"
#include "storage/QueryGuard.h"
#include "storage/RecordsetXmlContext.h"
#include "storage/SQLiteFiles.h"
#include "storage/SQLiteModule.h"
#include "storage/XmlToRecordset.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* const kCatalogsName = "catalogs";
const char* const kReferencesName = "tolvex";
const char* const kCatalogTypesFolder = "catalogtypes";
const char* const kCatalogTypePrefix = "catalog_";

const char* const kGlobalTablesSchema =
    "CREATE TABLE GlobalTables (TableName TEXT NOT NULL COLLATE NOCASE, DataType TEXT COLLATE NOCASE, "
    "PrimaryKeyInfo TEXT COLLATE NOCASE, CreateSQL TEXT COLLATE NOCASE, PRIMARY KEY (TableName))";

std::string ReadWholeFile(const fs::path& file)
{
    std::optional<std::string> text = ReadFileContent(file.string());
    if (!text)
        throw ECriticalTolvexException("Cannot read " + file.string());
    return std::move(*text);
}

// The files of Dir whose names end with Extension, in name order.
std::vector<fs::path> FilesOf(const fs::path& dir, const std::string& extension)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file() && entry.path().extension() == extension)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void Exec(TAbstractDBQuery& query, const std::string& statement)
{
    query.SetSQL(statement);
    query.ExecSQL();
}

// Runs every statement of an SQL script, one at a time: a statement may use
// the tables that the ones before it created.
void RunSqlFile(TAbstractDBConnection& connection, const fs::path& file)
{
    const std::string script = ReadWholeFile(file);
    TQueryGuard query(connection);
    std::string statement;
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        statement += line;
        statement += '\n';
        if (sqlite3_complete(statement.c_str())) {
            Exec(*query, statement);
            statement.clear();
        }
    }
    if (statement.find_first_not_of(" \t\r\n") != std::string::npos)
        throw ECriticalTolvexException("Incomplete SQL statement at the end of " + file.string());
}

// Applies a record-set XML file of a global table, as the catalog
// description's export writes it: a "delete" of the whole table, then one
// "insert" per row.
void ApplyRecordsetFile(TAbstractDBConnection& connection, const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw ECriticalTolvexException("Cannot read " + file.string());
    const TCommonFunctions functions;
    TRecordsetXmlContext context;
    context.functions = &functions;
    try {
        TXmlToRecordset(connection, context).ApplyStream(in, false, kRecordsetReadGlobalExport);
    } catch (const ETolvexException& error) {
        throw ECriticalTolvexException(file.string() + ": " + error.what());
    }
}

void WriteGlobalTables(TAbstractDBConnection& connection)
{
    TQueryGuard query(connection);
    Exec(*query, kGlobalTablesSchema);
    for (const TCatalogTableDefinition& definition : TCatalogTables::Definitions()) {
        query->SetSQL("INSERT INTO GlobalTables (TableName, DataType, PrimaryKeyInfo, CreateSQL) "
                      "VALUES (:TableName, :DataType, :PrimaryKeyInfo, :CreateSQL)");
        query->SetParam("TableName", definition.TableName);
        query->SetParam("DataType", definition.DataType);
        // An index has no key.
        query->SetParam("PrimaryKeyInfo",
                        definition.PrimaryKeyInfo.empty() ? TVariant() : TVariant(definition.PrimaryKeyInfo));
        query->SetParam("CreateSQL", definition.CreateSQL);
        query->ExecSQL();
    }
}

fs::path DatabaseFile(const std::string& dir, const std::string& name)
{
    return SQLiteDatabaseFileName(dir, name);
}

// A new, empty folder beside Dir for building into.
fs::path MakeStagingFolder(fs::path dir)
{
    if (!dir.has_filename())
        dir = dir.parent_path();  // "databases/" names the same folder as "databases"
    std::string pattern = dir.string() + ".build-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw ECriticalTolvexException("Cannot create a folder beside " + dir.string());
    return pattern;
}

}  // namespace

TShippedData::TShippedData(std::string dataDir) : dataDir_(std::move(dataDir)) {}

std::vector<std::string> TShippedData::DatabaseNames() const
{
    std::vector<std::string> names = {kCatalogsName, kReferencesName, "unspsc", "harmonized", "ebay", "zarivuro"};
    const fs::path definitions = fs::path(dataDir_) / kCatalogTypesFolder;
    if (fs::is_directory(definitions))
        for (const fs::path& file : FilesOf(definitions, ".xml"))
            names.push_back(file.stem().string());
    return names;
}

std::vector<int> TShippedData::CatalogTypes() const
{
    std::vector<int> types;
    const fs::path definitions = fs::path(dataDir_) / kCatalogTypesFolder;
    if (!fs::is_directory(definitions))
        return types;
    for (const fs::path& file : FilesOf(definitions, ".xml")) {
        const std::string name = file.stem().string();
        if (name.rfind(kCatalogTypePrefix, 0) != 0)
            continue;
        const std::string number = name.substr(std::string(kCatalogTypePrefix).size());
        int type = 0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), type);
        if (error == std::errc() && end == number.data() + number.size())
            types.push_back(type);
    }
    std::sort(types.begin(), types.end());
    return types;
}

std::string TShippedData::CatalogTypeSource(const std::string& name) const
{
    const fs::path file = fs::path(dataDir_) / kCatalogTypesFolder / (name + ".xml");
    return name.rfind(kCatalogTypePrefix, 0) == 0 && fs::is_regular_file(file) ? file.string() : std::string();
}

std::string TShippedData::BuildTreeDataDir()
{
    return TOLVEX_DATA_DIR;
}

std::vector<std::string> TShippedData::SqlSources(const std::string& name) const
{
    std::vector<std::string> files;
    if (name == kReferencesName) {
        for (const fs::path& file : FilesOf(fs::path(dataDir_) / "references", ".sql"))
            files.push_back(file.string());
    } else {
        files.push_back((fs::path(dataDir_) / "codes" / (name + ".sql")).string());
    }
    return files;
}

void TShippedData::FillCatalogs(TAbstractDBConnection& connection) const
{
    const fs::path sources = fs::path(dataDir_) / "catalogsxml";
    RunSqlFile(connection, sources / "SCHEMA.sql");
    WriteGlobalTables(connection);
    for (const fs::path& file : FilesOf(sources, ".xml"))
        ApplyRecordsetFile(connection, file);
}

void TShippedData::FillDatabase(TAbstractDBConnection& connection, const std::string& name) const
{
    if (name == kCatalogsName) {
        FillCatalogs(connection);
        return;
    }
    for (const std::string& file : SqlSources(name))
        RunSqlFile(connection, file);
}

void TShippedData::BuildDatabase(const std::string& dir, const std::string& name) const
{
    const std::string definition = CatalogTypeSource(name);
    if (!definition.empty()) {
        BuildCatalogTypeDatabase(definition, DatabaseFile(dir, name).string());
        return;
    }
    std::unique_ptr<TAbstractDBConnectionFactory> module = CreateSQLiteConnectionFactory(SQLiteModuleName, "");
    if (!module->CreateDatabase(dir, "", name, "", "", 0) || !module->OpenDatabase(dir, name, "", ""))
        throw ECriticalTolvexException("Cannot create the database " + DatabaseFile(dir, name).string());
    std::unique_ptr<TAbstractDBConnection> connection = module->OpenSecondConnection();
    try {
        FillDatabase(*connection, name);
        connection->CommitTrans();
    } catch (...) {
        connection->RollbackTrans();
        throw;
    }
    connection.reset();
    module.reset();
    // Closing the last connection writes the log into the file; a log still
    // there would be lost when the file alone is moved into place.
    if (fs::exists(SQLiteWalFileName(DatabaseFile(dir, name).string())))
        throw ECriticalTolvexException("The database " + DatabaseFile(dir, name).string() + " was not closed cleanly");
}

void TShippedData::BuildInto(const std::string& databasesDir, const std::vector<std::string>& names) const
{
    fs::create_directories(databasesDir);
    const fs::path staging = MakeStagingFolder(databasesDir);
    try {
        for (const std::string& name : names)
            BuildDatabase(staging.string(), name);
        for (const std::string& name : names) {
            const std::string target = DatabaseFile(databasesDir, name).string();
            // A log left beside the old file must never be applied to the new one.
            RemoveSQLiteSideFiles(target);
            ReplaceFile(DatabaseFile(staging.string(), name).string(), target);
        }
    } catch (...) {
        std::error_code ec;
        fs::remove_all(staging, ec);
        throw;
    }
    fs::remove_all(staging);
}

void TShippedData::Build(const std::string& databasesDir) const
{
    BuildInto(databasesDir, DatabaseNames());
}

std::vector<std::string> TShippedData::BuildMissing(const std::string& databasesDir) const
{
    std::vector<std::string> missing;
    for (const std::string& name : DatabaseNames())
        if (!fs::exists(DatabaseFile(databasesDir, name)))
            missing.push_back(name);
    if (!missing.empty())
        BuildInto(databasesDir, missing);
    return missing;
}

std::vector<std::string> EnsureShippedDatabases(const std::string& programFolder, const std::string& dataDir)
{
    return TShippedData(dataDir).BuildMissing(DatabasesFolder(programFolder));
}
