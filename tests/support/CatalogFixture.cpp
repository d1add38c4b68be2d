#include "support/CatalogFixture.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogTypeData.h"
#include "catalog/Singletons.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/GlobalSettings.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"
#include "storage/SQLiteModule.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

// ---- TCatalogFixture ----------------------------------------------------------------

TCatalogFixture::TCatalogFixture(const std::string& catalogCode) : code_(catalogCode)
{
    factory_ = CreateSQLiteConnectionFactory(SQLiteModuleName, "");
    if (!factory_->CreateDatabase(folder_.Path(), "", "catalog", "", "", 0) ||
        !factory_->OpenDatabase(folder_.Path(), "catalog", "", ""))
        throw ECriticalTolvexException("Cannot create the test catalog");
    CreateCatalogTables(factory_->GetConnection());
    context_ = std::make_unique<TTolvexObjectContext>(
        [this](int classId) -> TAbstractCClassDefinition* {
            const auto found = classes_.find(classId);
            return found == classes_.end() ? nullptr : found->second.get();
        },
        [this](const std::string& tag) {
            for (const auto& [id, definition] : classes_)
                if (common_detail::SameText(definition->GetClassXmlTag(), tag))
                    return id;
            return 0;
        });
    context_->SetOpenCatalog(this);
}

TCatalogFixture::~TCatalogFixture() = default;

TAbstractDBConnectionFactory& TCatalogFixture::GetConnectionFactory()
{
    return *factory_;
}

bool TCatalogFixture::HasLanguage(const std::string& langCode) const
{
    if (langCode == kNoLanguageCode)
        return true;
    return std::any_of(languages_.begin(), languages_.end(),
                       [&](const std::string& lang) { return common_detail::SameText(lang, langCode); });
}

TAbstractDBConnection& TCatalogFixture::Connection()
{
    return factory_->GetConnection();
}

std::unique_ptr<TAbstractDBConnection> TCatalogFixture::OpenSecondConnection()
{
    return factory_->OpenSecondConnection();
}

void TCatalogFixture::SetLanguages(const std::vector<std::string>& languages, const std::string& defaultLang)
{
    languages_ = languages;
    defaultLang_ = defaultLang;
    currentLang_ = defaultLang;
}

void TCatalogFixture::Close()
{
    context_->SetOpenCatalog(nullptr);
}

namespace {

[[noreturn]] void NotInTheTestCatalog(const char* operation)
{
    throw EDeveloperTolvexException(std::string(operation) +
                                    " needs a catalog object: use TTolvexCatalog instead of the test catalog");
}

}  // namespace

void TCatalogFixture::UpgradeStyles(TAbstractDBConnection&, TAbstractDBConnection&)
{
    NotInTheTestCatalog("UpgradeStyles");
}

bool TCatalogFixture::ApplyIncludedStyles(int, TAbstractDBConnection&, TAbstractDBConnection&, const std::string&)
{
    NotInTheTestCatalog("ApplyIncludedStyles");
}

std::string TCatalogFixture::GetCatalogProperty(int propertyId, TAbstractDBConnection& connection)
{
    return TCatalog::GetCatalogProperty(propertyId, connection, code_);
}

void TCatalogFixture::SetCatalogProperty(int, const std::string&, TAbstractDBConnection&)
{
    NotInTheTestCatalog("SetCatalogProperty");
}

int TCatalogFixture::GetDefaultTemplateId(int, TAbstractDBConnection&)
{
    NotInTheTestCatalog("GetDefaultTemplateId");
}

void TCatalogFixture::ListDefaultTemplateIds(std::vector<std::string>&, TAbstractDBConnection&)
{
    NotInTheTestCatalog("ListDefaultTemplateIds");
}

void TCatalogFixture::MakeDefaultTemplate(int, TAbstractDBConnection&)
{
    NotInTheTestCatalog("MakeDefaultTemplate");
}

bool TCatalogFixture::DeleteItem(int, TAbstractDBConnection&, bool, bool, TDeleteChildren)
{
    NotInTheTestCatalog("DeleteItem");
}

std::string TCatalogFixture::DatabaseFile() const
{
    return SQLiteDatabaseFileName(folder_.Path(), "catalog");
}

void TCatalogFixture::Reopen()
{
    context_->SetOpenCatalog(this);
}

TFixtureClass& TCatalogFixture::DeclareClass(int classId, const std::string& classXmlTag)
{
    auto& slot = classes_[classId];
    slot = std::make_unique<TFixtureClass>(classId, classXmlTag);
    return *slot;
}

void TCatalogFixture::AddItem(int itemId, int itemType, int parentItemId, int linkedItemId, bool notVisible)
{
    Exec("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, OrderNum, "
         "DontDelete, DontSort, IsSynchronized) VALUES (:CatalogCode, :ItemId, :ItemType, :ParentItemId, "
         ":LinkedItemId, :NotVisible, 0, 0, 0, 1)",
         {{"CatalogCode", code_},
          {"ItemId", itemId},
          {"ItemType", itemType},
          {"ParentItemId", parentItemId},
          {"LinkedItemId", linkedItemId == 0 ? itemId : linkedItemId},
          {"NotVisible", notVisible ? 1 : 0}});
}

void TCatalogFixture::Exec(const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& params)
{
    TQueryGuard query(Connection());
    query->SetSQL(sql);
    for (const auto& [name, value] : params)
        query->SetParam(name, value);
    query->ExecSQL();
}

TVariant TCatalogFixture::Scalar(const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& params)
{
    TQueryGuard query(Connection());
    query->SetSQL(sql);
    for (const auto& [name, value] : params)
        query->SetParam(name, value);
    TAbstractRecordset& rows = query->Open(true);
    TVariant value = rows.Eof() ? TVariant() : rows.Field(0);
    query->Close();
    return value;
}

int TCatalogFixture::Count(const std::string& table, const std::string& condition)
{
    const TVariant count = Scalar("SELECT COUNT(*) FROM " + table + " WHERE CatalogCode = :CatalogCode" +
                                      (condition.empty() ? "" : " AND (" + condition + ")"),
                                  {{"CatalogCode", code_}});
    return static_cast<int>(count.AsInteger());
}

// ---- TRecordingCatalogHost ------------------------------------------------------------

std::unique_ptr<TAbstractCatalogData> TRecordingCatalogHost::CreateCatalogData(TCatalog& catalog)
{
    return std::make_unique<TTestCatalogData>(catalog, *this);
}

bool TRecordingCatalogHost::CloseCatalog()
{
    calls.push_back("CloseCatalog");
    return closeCatalogAnswer;
}

void TRecordingCatalogHost::SetLoginParams(const TLoginParams& params)
{
    login = params;
    calls.push_back("SetLoginParams " + params.DbPath + " " + params.DbType + " " + params.CatalogCode);
}

void TRecordingCatalogHost::LoginShowWelcome(const std::string& catalogName, bool autoOpen)
{
    calls.push_back("LoginShowWelcome " + catalogName + (autoOpen ? " auto" : ""));
}

void TRecordingCatalogHost::LoginOpenCatalog(const std::string& dbDir, const std::string& catalogName,
                                             const std::string& dbType)
{
    calls.push_back("LoginOpenCatalog " + dbDir + " " + catalogName + " " + dbType);
}

void TRecordingCatalogHost::ExecuteActionById(int actionId, bool check)
{
    calls.push_back("ExecuteAction " + std::to_string(actionId) + (check ? " check" : ""));
}

void TRecordingCatalogHost::PostActionById(int actionId, bool check)
{
    calls.push_back("PostAction " + std::to_string(actionId) + (check ? " check" : ""));
}

void TRecordingCatalogHost::UpgradeDefinition(const std::string& catalogCode, int catalogType, int currentVersion,
                                              TAbstractDBConnection&)
{
    calls.push_back("UpgradeDefinition " + catalogCode + " " + std::to_string(catalogType) + " from " +
                    std::to_string(currentVersion));
}

bool TRecordingCatalogHost::IsConvertibleOldCatalog(const std::string&, const std::string& catalogCode,
                                                    const std::string&)
{
    calls.push_back("IsConvertibleOldCatalog " + catalogCode);
    return convertible;
}

bool TRecordingCatalogHost::ConvertOldCatalog(std::string& dbPath, const std::string& catalogCode,
                                              std::string& userName, std::string& password)
{
    calls.push_back("ConvertOldCatalog " + catalogCode + " user '" + userName + "'");
    if (!conversionSucceeds)
        return false;
    dbPath = convertedFolder;
    userName = "admin";
    password = "secret";
    return true;
}

namespace {

std::string Joined(const std::vector<std::string>& ids)
{
    std::string text;
    for (const std::string& id : ids)
        text += (text.empty() ? "" : ",") + id;
    return text;
}

}  // namespace

void TRecordingCatalogHost::CopyStyleItems(const std::string& targetCode, const std::string& sourceCode,
                                           const std::vector<std::string>& itemIds, TAbstractDBConnection&,
                                           TAbstractDBConnection&, const std::string& params, bool onlyMissing,
                                           bool newDates)
{
    calls.push_back("CopyStyleItems " + sourceCode + "->" + targetCode + " " + Joined(itemIds) + " [" + params +
                    "]" + (onlyMissing ? " onlyMissing" : "") + (newDates ? " newDates" : ""));
}

void TRecordingCatalogHost::DeleteStyleItems(const std::string& targetCode, const std::string& sourceCode,
                                             const std::vector<std::string>& itemIds, TAbstractDBConnection&)
{
    calls.push_back("DeleteStyleItems " + sourceCode + "->" + targetCode + " " + Joined(itemIds));
}

// ---- TTestCatalogData --------------------------------------------------------------------

void TTestCatalogData::Open(const std::string& dbPath, const std::string& dbType, const std::string& dbParams,
                            const std::string& catalogCode, const std::string&, const std::string&, std::uint8_t,
                            std::string& error)
{
    error.clear();
    if (!ConnectDatabase(dbType, dbParams, dbPath, "catalog")) {
        error = "Cannot connect to database";
        return;
    }
    if (!host_.openError.empty()) {
        error = host_.openError;
        return;
    }
    if (!ReadCatalogInfo(catalogCode, GetConnectionFactory().GetConnection())) {
        error = "Cannot read catalog information";
        return;
    }
    LoadLanguages(GetConnectionFactory().GetConnection());
}

std::string TTestCatalogData::GetItemName(int itemId, TAbstractDBConnection& connection, const std::string& langCode)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND "
                  "ClassId = 1 AND MemberId = 1 AND LangCode = :LangCode");
    query->SetParam("CatalogCode", GetCatalogCode());
    query->SetParam("ItemId", itemId);
    query->SetParam("LangCode", langCode);
    TAbstractRecordset& rows = query->Open(true);
    return rows.Eof() ? std::string() : rows.Field("StringValue").AsText();
}

// ---- TCatalogEnvironment ---------------------------------------------------------------------

TCatalogEnvironment::TSingletons::TSingletons(const std::string& appDir)
{
    std::filesystem::create_directories(appDir + "/databases");
    CreateSingletons(appDir);
}

TCatalogEnvironment::TSingletons::~TSingletons()
{
    FreeSingletons();
}

TCatalogEnvironment::TCatalogEnvironment(const std::string& catalogCode)
    : singletons_(home_.Path()), db_(catalogCode)
{
    settings_ = std::make_unique<TGlobalSettings>(home_.Path(), nullptr);
    db_.DeclareClass(1, "CommonNames")
        .Member(1, "ItemName", 1, mfIsMultiLang)
        .Member(2, "AltFileName", 1, mfIsMultiLang);
    db_.DeclareClass(510, "PreDefinedStyle").Member(1, "IncludeStyles", 1, mfIsMultiple);
    db_.DeclareClass(513, "TemplateFolder").Member(1, "TemplateItemId", 102);
    db_.DeclareClass(601, "Languages").Member(1, "LangCode", 1, mfIsMultiple).Member(2, "DefaultLangCode", 1);
    db_.DeclareClass(603, "CatalogProperty").Member(1, "PropertyValue", 1);
    db_.DeclareClass(604, "CatalogInfo").Member(1, "CatalogType", 101);
    catalog_ = std::make_unique<TCatalog>(TCatalog::TServices{*settings_, *DBManager, gui_, nullptr, db_.Context(),
                                                              host_, host_, host_});
}

TCatalogEnvironment::~TCatalogEnvironment()
{
    catalog_.reset();
}

std::string TCatalogEnvironment::OpenCatalog(int catalogType, std::uint8_t flags)
{
    db_.Exec("DELETE FROM CNumbers WHERE CatalogCode = :CatalogCode AND ClassId = 604",
             {{"CatalogCode", db_.GetCatalogCode()}});
    db_.Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
             "MemberType, NumberValue) VALUES (:CatalogCode, 604, 604, 1, 1, 'XXX', 0, 101, :Type)",
             {{"CatalogCode", db_.GetCatalogCode()}, {"Type", catalogType}});
    std::string error;
    catalog_->Open(db_.Folder().Path(), SQLiteModuleName, "", db_.GetCatalogCode(), "admin", "", flags, error);
    return error;
}

void TCatalogEnvironment::BuildDefinition(int catalogType, const std::string& items)
{
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CatalogDefinition catalogType=\"" +
                            std::to_string(catalogType) + "\">\n" + items + "</CatalogDefinition>\n";
    const std::string name = "catalog_" + std::to_string(catalogType);
    const std::string file = home_.Write("source/" + name + ".xml", xml);
    BuildCatalogTypeDatabase(file, home_.File("databases/" + name + ".sqlite"));
}
