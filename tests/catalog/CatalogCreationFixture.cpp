#include "CatalogCreationFixture.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogTypeData.h"
#include "catalog/Singletons.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "common/Translation.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"
#include "storage/QueryGuard.h"
#include "storage/SettingsModuleContext.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The open catalog's data for these tests: connects to <code>.sqlite, runs the
// checks of a real login and reads the catalog information and languages.
class TCreatedCatalogData : public TTolvexCatalog, public TAbstractCatalogData {
public:
    explicit TCreatedCatalogData(TCatalog& catalog) : TTolvexCatalog(catalog), catalog_(catalog) {}

    TTolvexCatalog& GetCatalog() override { return *this; }
    void Open(const std::string& dbPath, const std::string& dbType, const std::string& dbParams,
              const std::string& catalogCode, const std::string& userName, const std::string& password,
              std::uint8_t, std::string& error) override
    {
        error.clear();
        if (!ConnectDatabase(dbType, dbParams, dbPath, catalogCode)) {
            error = "Cannot connect to database";
            return;
        }
        TAbstractDBConnection& connection = GetConnectionFactory().GetConnection();
        error = CheckLogin(connection, catalogCode, userName, password);
        if (error.empty() && !ReadCatalogInfo(catalogCode, connection))
            error = "Cannot read catalog information";
        if (!error.empty())
            return;
        catalog_.GetDefinition().Load(GetCatalogType());
        LoadLanguages(connection);
    }
    int GetStartActionId() override { return 0; }
    void BuildUI() override {}
    void SelectWebTreeItem(int) override {}
    std::string GetItemName(int, TAbstractDBConnection&, const std::string&) override { return {}; }

private:
    TCatalog& catalog_;
};

std::string FirstText(TAbstractDBConnection& connection, const std::string& sql, const std::string& code,
                      const std::string& field, const std::string& name = "", const std::string& value = "")
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    query->SetParam("CatalogCode", code);
    if (!name.empty())
        query->SetParam(name, value);
    TAbstractRecordset& rows = query->Open(true);
    return rows.Eof() ? std::string("<none>") : TCommonFunctions::VariantToString(rows.Field(field));
}

}  // namespace

std::string CheckLogin(TAbstractDBConnection& connection, const std::string& code, const std::string& user,
                       const std::string& password)
{
    std::string version;
    try {
        version = FirstText(connection, "SELECT DataValue FROM LocalSettings WHERE CatalogCode = :CatalogCode AND "
                                        "DataKey = :DataKey", code, "DataValue", "DataKey", kStructureVersionKey);
    } catch (const std::exception&) {
        // a database of another structure
    }
    if (version != kStructureVersion)
        return "Not correct Tolvex database structure.";
    const std::string userItem =
        FirstText(connection, "SELECT ItemId FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = 602 AND "
                              "StringValue = :UserName AND MemberId = 1", code, "ItemId", "UserName", user);
    if (userItem == "<none>")
        return "User not exists";
    const std::string stored =
        FirstText(connection, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = 602 "
                              "AND MemberId = 2 AND ItemId = " + userItem, code, "StringValue");
    if (TCommonFunctions::UnscramblePassword(stored == "<none>" ? "" : stored) != password)
        return "Wrong password";
    return {};
}

// ---- TScriptedCreationHost -------------------------------------------------------------

std::unique_ptr<TAbstractCatalogData> TScriptedCreationHost::CreateCatalogData(TCatalog& catalog)
{
    return std::make_unique<TCreatedCatalogData>(catalog);
}

bool TScriptedCreationHost::CloseCatalog()
{
    calls.push_back("CloseCatalog");
    if (closeCatalogAnswer && catalog_)
        catalog_->Close();
    return closeCatalogAnswer;
}

bool TScriptedCreationHost::AskNewCatalogCode(const std::string& oldCode, std::string& code)
{
    calls.push_back("AskNewCatalogCode " + oldCode);
    if (dialogAnswer)
        code = newCode;
    return dialogAnswer;
}

void TScriptedCreationHost::ExecuteAction(const std::string& action, bool check)
{
    calls.push_back("ExecuteAction " + action + (check ? " check" : ""));
}

void TScriptedCreationHost::QueueAction(const std::string& action, bool check)
{
    calls.push_back("QueueAction " + action + (check ? " check" : ""));
}

void TScriptedCreationHost::SetCatalogCode(const std::string& catalogCode)
{
    calls.push_back("SetCatalogCode " + catalogCode);
}

bool TScriptedCreationHost::RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection&)
{
    calls.push_back("RunWebSiteImport");
    imports.push_back(params);
    if (importThrows)
        throw ECriticalTolvexException("The import failed");
    params.push_back("DownloadedPages=" + std::to_string(downloadedPages));
    return importAnswer;
}

// ---- TCreationEnvironment -----------------------------------------------------------------

TCreationEnvironment::TSingletons::TSingletons(const std::string& appDir, TGlobalSettings& settings, TCommonGui& gui)
{
    CreateSingletons(appDir);
    SetDefaultDatabaseModuleContext(MakeSettingsModuleContext(settings, *Translation, &gui));
}

TCreationEnvironment::TSingletons::~TSingletons()
{
    SetDefaultDatabaseModuleContext({});
    FreeSingletons();
}

TCreationEnvironment::TCreationEnvironment()
    : singletons_(program_.folder.Path(), program_.settings, program_.gui),
      classes_(program_.databases),
      context_([this](int classId) -> TAbstractCClassDefinition* { return classes_.GetClassDefinition(classId); },
               [this](const std::string& tag) { return classes_.GetClassId(tag); }),
      upgrader_(program_.globalDefinition)
{
    fs::create_directories(DatabaseFolder());
    catalog_ = std::make_unique<TCatalog>(TCatalog::TServices{program_.settings, *DBManager, program_.gui, nullptr,
                                                              context_, host_, host_, upgrader_});
    upgrader_.Bind(*catalog_);
    host_.SetCatalog(*catalog_);
    catalog_->GetDefinition().SetCreationServices(
        {*catalog_, program_.globalDefinition, program_.settings, program_.functions, nullptr, host_});
    catalog_->Initialize();
}

TCreationEnvironment::~TCreationEnvironment()
{
    catalog_.reset();
}

TCatalogDefinition& TCreationEnvironment::Definition()
{
    return catalog_->GetDefinition();
}

std::string TCreationEnvironment::DatabaseFolder() const
{
    return program_.settings.GetDatabasePath();
}

std::string TCreationEnvironment::CatalogFile(const std::string& code) const
{
    return SQLiteDatabaseFileName(DatabaseFolder(), code);
}

std::vector<std::string> TCreationEnvironment::DatabaseFiles() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(DatabaseFolder()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void TCreationEnvironment::BuildDefinition(int catalogType, const std::string& items)
{
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CatalogDefinition catalogType=\"" +
                            std::to_string(catalogType) + "\">\n" + items + "</CatalogDefinition>\n";
    const std::string file = program_.folder.Write("source/catalog_" + std::to_string(catalogType) + ".xml", xml);
    BuildCatalogTypeDatabase(file, DefinitionFile(catalogType));
}

TCatalogDefinition::TNewCatalog TCreationEnvironment::Request(const std::string& code, int catalogType) const
{
    TCatalogDefinition::TNewCatalog request;
    request.DbType = SQLiteModuleName;
    request.CatalogType = catalogType;
    request.CatalogCode = code;
    request.AdminUserName = "admin";
    request.AdminPassword = "secret";
    request.CompanyName = "Acme Ltd";
    request.Email = "info@acme.test";
    return request;
}

std::vector<std::string> TCreationEnvironment::Values(const std::string& code, const std::string& sql) const
{
    return ColumnOfFile(CatalogFile(code), sql);
}

std::string TCreationEnvironment::Value(const std::string& code, const std::string& sql) const
{
    const std::vector<std::string> values = Values(code, sql);
    return values.empty() ? std::string() : values.front();
}

void TCreationEnvironment::Exec(const std::string& code, const std::string& sql) const
{
    ExecOnFile(CatalogFile(code), sql);
}

std::string TCreationEnvironment::Open(const std::string& code, const std::string& user, const std::string& password)
{
    std::string error;
    catalog_->Open(DatabaseFolder(), SQLiteModuleName, "", code, user, password, 0, error);
    return error;
}

std::string TCreationEnvironment::CheckLoginOnFile(const std::string& code, const std::string& user,
                                                   const std::string& password)
{
    std::unique_ptr<TAbstractDBConnectionFactory> factory = DBManager->CreateDatabasePlugin(SQLiteModuleName, "");
    if (!factory->OpenDatabase(DatabaseFolder(), code, "", ""))
        return "Cannot connect to database";
    return CheckLogin(factory->GetConnection(), code, user, password);
}
