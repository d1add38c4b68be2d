// Creating a catalog database from its catalog type's definition: the
// check for an existing database, building the catalog under a work name,
// the initial structure copied from the definition catalog, the catalog
// records of the new catalog and the optional web-site import.
#include "catalog/CatalogDefinition.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogBookkeeping.h"
#include "catalog/CatalogCreationHost.h"
#include "catalog/CatalogDefinitionRows.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/CatalogUpgrades.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/GlobalSettings.h"
#include "common/ParamList.h"
#include "common/Translation.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/DBManager.h"
#include "storage/GlobalDefinition.h"
#include "storage/MemberValueText.h"
#include "storage/QueryGuard.h"

#include <filesystem>

namespace fs = std::filesystem;
using std::to_string;

namespace {

// The catalog records that creation writes, all in instance 1, "XXX", index 0.
constexpr int kRecordInstanceId = 1;
constexpr int kUserItemId = 602;
constexpr int kCompanyClassId = 3;
constexpr int kCreationId = 613;     // item and class
constexpr int kCreationDateMember = 613001;
constexpr int kTextType = 1;
constexpr int kPasswordType = 9;
constexpr int kIntegerType = 101;
constexpr int kDateTimeType = 203;

// Deletes the value of Table that a record row is about to take.
void DeleteRecordValue(TAbstractDBConnection& connection, const std::string& table, const std::string& catalogCode,
                       int itemId, int classId, int memberId)
{
    catalog_sql::Exec(connection,
                      "DELETE FROM " + table + " WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(itemId) +
                          " AND ClassId = " + to_string(classId) + " AND InstanceId = " +
                          to_string(kRecordInstanceId) + " AND MemberId = " + to_string(memberId) +
                          " AND LangCode = :LangCode AND IndexId = 0",
                      catalogCode, {{"LangCode", kNoLanguageCode}});
}

// Writes one record value (replacing what the copied items may hold in its place).
void WriteRecordValue(TAbstractDBConnection& connection, const std::string& table, const std::string& valueColumn,
                      const std::string& catalogCode, int itemId, int classId, int memberId, int memberType,
                      const TVariant& value)
{
    DeleteRecordValue(connection, table, catalogCode, itemId, classId, memberId);
    catalog_sql::Exec(connection,
                      "INSERT INTO " + table + "( CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                      "IndexId, MemberType, " + valueColumn + " ) VALUES( :CatalogCode, " + to_string(itemId) + ", " +
                          to_string(classId) + ", " + to_string(kRecordInstanceId) + ", " + to_string(memberId) +
                          ", :LangCode, 0, " + to_string(memberType) + ", :Value )",
                      catalogCode, {{"LangCode", kNoLanguageCode}, {"Value", value}});
}

// A text record: only a value that is not blank, unless Always.
void WriteRecordText(TAbstractDBConnection& connection, const std::string& catalogCode, int itemId, int classId,
                     int memberId, int memberType, const std::string& value, bool always = false)
{
    if (!always && common_detail::Trim(value).empty())
        return;
    WriteRecordValue(connection, "CStrings", "StringValue", catalogCode, itemId, classId, memberId, memberType,
                     TCommonFunctions::AnsiToWide(value));
}

// An address as the web-site import takes it: a scheme (a letter, then
// letters, digits, "+", "-" or "."), a colon and more, without blanks.
bool IsValidUrl(const std::string& url)
{
    const std::size_t colon = url.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == url.size() ||
        !common_detail::IsAsciiLetter(url.front()))
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = url[i];
        if (!common_detail::IsAsciiLetter(c) && !common_detail::IsAsciiDigit(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    for (char c : url)
        if (common_detail::IsBlankOrControl(c))
            return false;
    return true;
}

}  // namespace

// ---- services ------------------------------------------------------------------------------

void TCatalogDefinition::SetCreationServices(const TCreationServices& services)
{
    services_ = std::make_unique<TCreationServices>(services);
}

TCatalogDefinition::TCreationServices& TCatalogDefinition::Services() const
{
    if (!services_)
        throw EDeveloperTolvexException("The catalog definition has no creation services");
    return *services_;
}

std::string TCatalogDefinition::Format(const std::string& text, const std::vector<std::string>& args) const
{
    const std::vector<TFormatArg> formatArgs(args.begin(), args.end());
    return TTranslation::OrEnglish(Services().Translation).FormatMessage(text, formatArgs, true);
}

bool TCatalogDefinition::IsValidCatalogCode(const std::string& code)
{
    if (code.empty())
        return false;
    for (char c : code)
        if (!(c >= 'a' && c <= 'z') && !common_detail::IsAsciiDigit(c) && c != '-' && c != '_')
            return false;
    return true;
}

bool IsCreationWorkName(const std::string& databaseName)
{
    const std::string name = common_detail::LowerCase(databaseName);
    const std::string suffix = kCreationWorkSuffix;
    return name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// ---- creating a catalog ---------------------------------------------------------------------

bool TCatalogDefinition::CreateCatalog(const TNewCatalog& request)
{
    return CreateCatalogIn(request, Services().Settings.GetDatabasePath());
}

bool TCatalogDefinition::CreateCatalogIn(const TNewCatalog& request, const std::string& folder)
{
    TNewCatalog wanted = request;
    wanted.CatalogCode = common_detail::LowerCase(request.CatalogCode);
    // The code names the database file: nothing else may reach the file system.
    if (!IsValidCatalogCode(wanted.CatalogCode)) {
        gui_.ShowError(Format("Catalog code contains not allowed symbols"), false);
        return false;
    }
    // Freed when the creation ends, however it ends.
    std::unique_ptr<TAbstractDBConnectionFactory> files =
        dbManager_.CreateDatabasePlugin(wanted.DbType, wanted.DbParams);
    if (!MakeRoomForCatalog(*files, folder, wanted))
        return false;
    BuildCatalog(*files, folder, wanted);
    return true;
}

bool TCatalogDefinition::MakeRoomForCatalog(TAbstractDBConnectionFactory& files, const std::string& folder,
                                            const TNewCatalog& request)
{
    std::string message;
    int code = 0;
    files.CheckNewDatabase(folder, request.ServerName, request.CatalogCode, request.DbUserName, request.DbPassword,
                           message, code);
    if (!message.empty() && (code & 1) != 0 &&
        gui_.AskQuestion(message + "\n" + Format("Do you want to overwrite existing catalog?"), "", false) == mrYes) {
        if (!files.DeleteDatabase(folder, request.ServerName, request.CatalogCode, request.DbUserName,
                                  request.DbPassword)) {
            gui_.ShowError(Format("Cannot delete the catalog \"$1\"", {request.CatalogCode}), false);
            return false;
        }
        files.CheckNewDatabase(folder, request.ServerName, request.CatalogCode, request.DbUserName,
                               request.DbPassword, message, code);
    }
    if (message.empty())
        return true;
    gui_.ShowError(message, false);
    return false;
}

void TCatalogDefinition::BuildCatalog(TAbstractDBConnectionFactory& files, const std::string& folder,
                                      const TNewCatalog& request)
{
    // A pending web-site import belongs to this creation, whatever becomes of it.
    struct TClearImport {
        TCatalogDefinition& definition;
        ~TClearImport() { definition.ClearWebSiteImport(); }
    } clearImport{*this};

    const std::string workName = request.CatalogCode + kCreationWorkSuffix;
    const auto deleteWorkFile = [&] {
        files.DeleteDatabase(folder, request.ServerName, workName, request.DbUserName, request.DbPassword);
    };
    DeleteLeftoverWorkDatabases(files, folder, request);
    if (!files.CreateDatabase(folder, request.ServerName, workName, request.DbUserName, request.DbPassword,
                              request.SaveDbPassword ? 1 : 0))
        throw ECriticalTolvexException("Cannot create the database");
    try {
        std::string workFile;
        std::string catalogFile;
        {
            std::unique_ptr<TAbstractDBConnectionFactory> database =
                dbManager_.CreateDatabasePlugin(request.DbType, request.DbParams);
            if (!database->OpenDatabase(folder, workName, request.DbUserName, request.DbPassword))
                throw ECriticalTolvexException("Cannot open the database");
            workFile = database->GetDatabaseFileName(workName);
            catalogFile = database->GetDatabaseFileName(request.CatalogCode);
            FillCatalog(*database, request);
        }  // every connection to the work file is closed here
        if (!files.RenameDatabase(folder, workFile, catalogFile))
            throw ECriticalTolvexException("Cannot create the database");
    } catch (...) {
        deleteWorkFile();
        throw;
    }
}

void TCatalogDefinition::DeleteLeftoverWorkDatabases(TAbstractDBConnectionFactory& files, const std::string& folder,
                                                     const TNewCatalog& request)
{
    // The module names its files Name + extension.
    const std::string extension = fs::path(files.GetDatabaseFileName("x")).extension().string();
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const fs::path file = entry.path().filename();
        if (file.extension() == extension && IsCreationWorkName(file.stem().string()))
            names.push_back(file.stem().string());
    }
    for (const std::string& name : names)
        files.DeleteDatabase(folder, request.ServerName, name, request.DbUserName, request.DbPassword);
}

void TCatalogDefinition::FillCatalog(TAbstractDBConnectionFactory& database, const TNewCatalog& request)
{
    const std::string& code = request.CatalogCode;
    Load(request.CatalogType);
    TAbstractDBConnection& source = DefinitionConnection(request.CatalogType);
    std::unique_ptr<TAbstractDBConnection> connection = database.OpenSecondConnection();
    {
        TQueryGuard query(*connection);
        Services().GlobalDefinition.CreateTables(*query, "");
    }
    connection->CommitTrans();
    connection->BeginTrans();
    TCatalogBookkeeping::AddLogEntry(*connection, code, request.AdminUserName, "Catalog created");
    TCatalogBookkeeping::WriteLocalSetting(*connection, code, kStructureVersionKey, kStructureVersion);
    if (request.InitStructure) {
        const bool importing = !webSiteImport_.Url.empty();
        CopyInitialStructure(code, request.CatalogType, false, request.WithInitPages && !importing, *connection,
                             source);
        WriteCatalogRecords(*connection, request);
        const int version = Services().GlobalDefinition.GetCatalogTypeVersion(request.CatalogType);
        Services().Catalog.SetCatalogProperty(kPropertyDefinitionVersion, to_string(version), *connection, code);
        if (importing)
            ImportWebSite(code, *connection);
    }
    connection->CommitTrans();
}

void TCatalogDefinition::WriteCatalogRecords(TAbstractDBConnection& connection, const TNewCatalog& request)
{
    const std::string& code = request.CatalogCode;
    // The administrator: the password is stored scrambled, as the login expects it.
    WriteRecordText(connection, code, kUserItemId, kUserClassId, 1, kTextType, request.AdminUserName);
    WriteRecordText(connection, code, kUserItemId, kUserClassId, 2, kPasswordType,
                    Services().Functions.ScramblePassword(request.AdminPassword), true);
    WriteRecordText(connection, code, kUserItemId, kUserClassId, 3, kTextType, "Administrator user");
    WriteRecordText(connection, code, kUserItemId, kUserClassId, 4, kTextType, "Admin");
    WriteRecordText(connection, code, kCompanyItemId, kCompanyClassId, 1, kTextType, request.CompanyName);
    WriteRecordText(connection, code, kCompanyItemId, kCompanyClassId, 13, kTextType, request.Email);

    catalog_sql::Exec(connection,
                      "DELETE FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                          to_string(kCatalogInfoItemId) + " AND ClassId = " + to_string(kCatalogInfoClassId) +
                          " AND MemberId = 1",
                      code);
    if (request.CatalogType != 0)
        WriteRecordValue(connection, "CNumbers", "NumberValue", code, kCatalogInfoItemId, kCatalogInfoClassId, 1,
                         kIntegerType, request.CatalogType);
    WriteRecordValue(connection, "CDates", "DateValue", code, kCreationId, kCreationId, kCreationDateMember,
                     kDateTimeType, catalog_sql::Now());
}

void TCatalogDefinition::CopyInitialStructure(const std::string& catalogCode, int catalogType, bool skip,
                                              bool withInitPages, TAbstractDBConnection& target,
                                              TAbstractDBConnection& source)
{
    if (skip)
        return;
    std::vector<std::string> ids = ReadInitializationList(source, catalogType, "IncludeItem");
    if (withInitPages) {
        const std::vector<std::string> pages = ReadInitializationList(source, catalogType, "InitPageStructure");
        ids.insert(ids.end(), pages.begin(), pages.end());
    }
    Services().Catalog.GetUpgrades().CopyStyleItems(catalogCode, catalog_definition::DefinitionCatalogCode(catalogType),
                                                    ids, target, source, "", false, true);
}

// ---- the web-site import ---------------------------------------------------------------------

bool TCatalogDefinition::ImportWebSite(const std::string& catalogCode, TAbstractDBConnection& connection)
{
    const TWebSiteImport& import = webSiteImport_;
    if (!IsValidUrl(import.Url))
        return false;
    std::vector<std::string> params = {"URL=" + import.Url,
                                       "DownloadDepth=" + to_string(import.DownloadDepth),
                                       "MaxPages=" + to_string(import.MaxPages),
                                       "StartItemId=" + to_string(import.StartItemId),
                                       "ParentItemId=" + to_string(import.ParentItemId),
                                       "CatalogCode=" + catalogCode};
    if (import.OnlyUnderlying)
        params.push_back("OnlyUnderlying=yes");
    if (!Services().Host.RunWebSiteImport(params, connection))
        return false;
    for (const std::string& line : params)
        if (common_detail::SameText(TParamList::NameOf(line), "DownloadedPages"))
            return TMemberValueText::ReadInteger(TParamList::ValueOf(line)) > 0;
    return false;
}
