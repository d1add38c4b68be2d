// The catalog object: life cycle, login entry points, opening and closing,
// the recent list and the catalog properties. The catalog list is in
// CatalogList.cpp, the item operations in CatalogItems*.cpp.
#include "catalog/Catalog.h"

#include "catalog/AbstractCatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogHost.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/CatalogUpgrades.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/GlobalSettings.h"
#include "common/Translation.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/DBManager.h"
#include "storage/IdRanges.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectFactory.h"
#include "storage/SQLiteModule.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"
#include "storage/UnitOfWorkScope.h"

#include <filesystem>

using namespace catalog_sql;
using std::to_string;

namespace {

// Catalog properties: items of this type under the properties root, the
// value in string member 1 of the class of the same number.
// The catalog type of a catalog-type definition opened as a catalog.
constexpr int kDefinitionCatalogType = 4;
// The action that shows the about page.
constexpr int kAboutActionId = 10;
// What the catalog data answers for a database of the previous generation.
constexpr const char* kWrongStructure = "Not correct Tolvex database structure.";

// The recent list: settings n1 to n5.
constexpr int kRecentCount = 5;
int RecentSetting(int position)
{
    return siLastUsed1 + position - 1;
}

}  // namespace

TCatalog::TCatalog(const TServices& services) : services_(services)
{
    objectFactory_ = std::make_unique<TTolvexObjectFactory>(services_.ObjectContext);
    definition_ = std::make_unique<TCatalogDefinition>(services_.Settings.IniSettings(), services_.DBManager,
                                                       services_.Settings.AppDir(), services_.Gui,
                                                       services_.DefinitionLookup);
}

TCatalog::~TCatalog()
{
    if (data_ && services_.ObjectContext.GetOpenCatalog() == &data_->GetCatalog())
        services_.ObjectContext.SetOpenCatalog(nullptr);
}

void TCatalog::Initialize()
{
    definition_->Initialize();
    definition_->Load(0);
}

TTolvexCatalog* TCatalog::GetOpenCatalog()
{
    return data_ ? &data_->GetCatalog() : nullptr;
}

std::string TCatalog::Translate(const std::string& text) const
{
    return TTranslation::OrEnglish(services_.Translation).Translate(text);
}

std::string TCatalog::Format(const std::string& text, const std::string& arg) const
{
    return TTranslation::OrEnglish(services_.Translation).Format(text, {arg});
}

std::string TCatalog::DatabaseDir() const
{
    return services_.Settings.GetDatabasePath();
}

// ---- login entry points -------------------------------------------------------------

void TCatalog::OpenWithLogin(const std::string& catalogName, bool autoOpen)
{
    if (QueryClose())
        services_.Host.LoginShowWelcome(catalogName, autoOpen);
}

void TCatalog::OpenFileWithLogin(const std::string& dbDir, const std::string& catalogName, const std::string& dbType)
{
    if (QueryClose())
        services_.Host.LoginOpenCatalog(dbDir, catalogName, dbType);
}

void TCatalog::NewCatalog()
{
    if (QueryClose())
        services_.Host.LoginNewCatalog();
}

void TCatalog::NewCatalogFromHost()
{
    if (QueryClose())
        services_.Host.LoginNewCatalogFromHost();
}

void TCatalog::OpenRecentCatalog(int index)
{
    if (index < 1 || index > kRecentCount)
        return;
    const std::string name = services_.Settings.IniSettings().GetString(RecentSetting(index));
    if (!name.empty())
        OpenWithLogin(name, true);
}

// ---- open and close ----------------------------------------------------------------------

void TCatalog::Open(const std::string& dbPath, const std::string& dbType, const std::string& dbParams,
                    const std::string& catalogCode, const std::string& userName, const std::string& password,
                    std::uint8_t flags, std::string& error)
{
    Close();
    data_ = services_.Host.CreateCatalogData(*this);
    data_->Open(dbPath, dbType, dbParams, catalogCode, userName, password, flags, error);
    if (error.empty()) {
        TTolvexCatalog& catalog = data_->GetCatalog();
        services_.ObjectContext.SetOpenCatalog(&catalog);
        if (catalog.GetCatalogType() > 0)
            RunStartSequence(*data_);
        return;
    }
    if (dbType == SQLiteModuleName && error == kWrongStructure &&
        services_.Upgrades.IsConvertibleOldCatalog(dbPath, catalogCode, password)) {
        OfferConversion(dbPath, dbParams, catalogCode, error);
    }
}

void TCatalog::RunStartSequence(TAbstractCatalogData& data)
{
    TTolvexCatalog& catalog = data.GetCatalog();
    TAbstractDBConnection& connection = catalog.GetConnectionFactory().GetConnection();
    services_.Host.StartImageServer();
    UpgradeDefinition(catalog);

    const int startActionId = data.GetStartActionId();
    const bool runStart = startActionId != 0 && catalog.GetCatalogProperty(kPropertyInitialised, connection).empty();
    const bool postIt =
        runStart && services_.Host.GetActionString(startActionId).find("Post=yes") != std::string::npos;
    if (runStart && !postIt)
        services_.Host.ExecuteActionById(startActionId, true);
    data.BuildUI();
    if (runStart && postIt)
        services_.Host.PostActionById(startActionId, true);
    else if (catalog.GetCatalogProperty(kPropertyStartOnAbout, connection) == "yes")
        services_.Host.PostActionById(kAboutActionId, false);
    else
        data.SelectWebTreeItem(services_.Host.GetHomePageId());
    WriteDefaultCustomXsl();
}

void TCatalog::UpgradeDefinition(TTolvexCatalog& catalog)
{
    TAbstractDBConnection& connection = catalog.GetConnectionFactory().GetConnection();
    const int current =
        TMemberValueText::ReadInteger(catalog.GetCatalogProperty(kPropertyDefinitionVersion, connection));
    const int version = services_.Upgrades.GetCatalogTypeVersion(catalog.GetCatalogType());
    if (current >= version)
        return;
    services_.Upgrades.UpgradeDefinition(catalog.GetCatalogCode(), catalog.GetCatalogType(), current, connection);
    catalog.SetCatalogProperty(kPropertyDefinitionVersion, to_string(version), connection);
}

void TCatalog::WriteDefaultCustomXsl()
{
    const std::string fileName = services_.Settings.GetPreviewDir() + "/custom.xsl";
    std::error_code error;
    if (!std::filesystem::exists(fileName, error))
        TCommonFunctions::SaveStringToFile(services_.Host.GetDefaultCustomXsl(), fileName);
}

void TCatalog::OfferConversion(const std::string& dbPath, const std::string& dbParams,
                               const std::string& catalogCode, std::string& error)
{
    if (services_.Gui.AskQuestion(Format("Do you want to convert \"$1\" database to Tolvex 3?", catalogCode), "",
                                  false) != mrYes)
        return;
    Close();
    std::string folder = dbPath;
    std::string userName;
    std::string password;
    if (!services_.Upgrades.ConvertOldCatalog(folder, catalogCode, userName, password))
        return;
    services_.Host.SetLoginParams({folder, SQLiteModuleName, dbParams, catalogCode, userName, password});
    error = "reopen";
}

void TCatalog::Close()
{
    if (!data_)
        return;
    services_.Host.StopImageServer();
    TTolvexCatalog& catalog = data_->GetCatalog();
    const std::string code = catalog.GetCatalogCode();
    if (services_.ObjectContext.GetOpenCatalog() == &catalog)
        services_.ObjectContext.SetOpenCatalog(nullptr);
    catalog.Close();
    data_.reset();
    UpdateRecentList(code);
}

void TCatalog::UpdateRecentList(const std::string& closedCode)
{
    TIniSettings& settings = services_.Settings.IniSettings();
    // A catalog that never got its code (a failed open) is not listed.
    if (closedCode.empty() || closedCode == settings.GetString(RecentSetting(1)))
        return;
    for (int k = kRecentCount - 1; k >= 1; --k) {
        const std::string entry = settings.GetString(RecentSetting(k));
        settings.SetString(RecentSetting(k + 1), entry == closedCode ? std::string() : entry);
    }
    settings.SetString(RecentSetting(1), closedCode);
}

bool TCatalog::QueryClose()
{
    if (TTolvexCatalog* open = GetOpenCatalog()) {
        const std::string question = Format("Do you want to close \"$1\" catalog?", open->GetCatalogCode());
        if (services_.Gui.AskQuestion(question, "", false) != mrYes)
            return false;
    }
    return services_.Host.CloseCatalog();
}

bool TCatalog::DeleteCatalogDatabase(const std::string& catalogCode)
{
    const TLoginParams login = services_.Host.GetLoginParams();
    if (catalogCode != login.CatalogCode)
        return false;
    std::unique_ptr<TAbstractDBConnectionFactory> factory =
        services_.DBManager.CreateDatabasePlugin(login.DbType, login.DbParams);
    const std::string folder = login.DbPath.empty() ? DatabaseDir() : login.DbPath;
    return factory->DeleteDatabase(folder, "", catalogCode, login.UserName, login.Password);
}

// ---- properties and catalog information ----------------------------------------------------

std::string TCatalog::GetCatalogProperty(int propertyId, TAbstractDBConnection& connection,
                                         const std::string& catalogCode)
{
    return TextOf(FirstField(connection,
                             "SELECT * FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                                 to_string(propertyId) + " AND ClassId = " + to_string(kPropertyClassId) +
                                 " AND MemberId = " + to_string(kPropertyMemberId),
                             catalogCode, "StringValue"));
}

void TCatalog::SetCatalogProperty(int propertyId, const std::string& value, TAbstractDBConnection& connection,
                                  const std::string& catalogCode)
{
    // The property's item and its value are written together.
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    const int items = IntOf(FirstField(connection,
                                       "SELECT COUNT(*) AS NumItems FROM Items WHERE CatalogCode = :CatalogCode AND "
                                       "ItemId = " + to_string(propertyId),
                                       catalogCode, "NumItems"));
    if (items == 0)
        CreateItem(kPropertyItemType, kCatalogPropertiesRootId, 0, catalogCode, connection, propertyId);
    std::unique_ptr<TTolvexObject> object =
        objectFactory_->GetObjectTyped(propertyId, kPropertyClassId, connection, catalogCode);
    if (!object)
        return;
    object->Load();
    object->SetStringById(kPropertyMemberId, kNoLanguageCode, value, 0);
    object->Save();
    unit.Commit();
}

bool TCatalog::GetCatalogInfo(const std::string& catalogCode, TAbstractDBConnection& connection,
                              std::string& lowerCode, int& catalogType, std::string& error)
{
    if (catalogCode.rfind("t#", 0) == 0) {
        catalogType = kDefinitionCatalogType;
        lowerCode = common_detail::LowerCase(catalogCode);
        error.clear();
        return true;
    }
    const std::optional<int> type = TTolvexCatalog::ReadCatalogType(connection, catalogCode);
    if (!type) {
        error = Translate("Cannot read catalog information");
        return false;
    }
    catalogType = *type;
    lowerCode = common_detail::LowerCase(catalogCode);
    return true;
}
