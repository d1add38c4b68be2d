#include "catalog/TolvexCatalog.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogDefinitionRows.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/CatalogUpgrades.h"
#include "catalog/PluginLoader.h"
#include "catalog/PluginsManager.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/DBManager.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObject.h"

#include <algorithm>

using namespace catalog_sql;
using common_detail::LowerCase;
using common_detail::SameText;
using std::to_string;

namespace {

// The data languages: class 601, member 1 a language, member 2 the default.
constexpr int kLanguagesClassId = 601;
constexpr int kLanguageMemberId = 1;
constexpr int kDefaultLanguageMemberId = 2;
// A predefined style of a definition catalog (class 510) lists the items it includes.
constexpr int kPredefinedStyleClassId = 510;
// The language of a catalog-type definition opened as a catalog, and the
// default of a catalog that names none.
constexpr const char* kEnglish = "EN";

bool IsDefinitionCatalog(const std::string& catalogCode)
{
    return catalogCode.rfind("t#", 0) == 0;
}

}  // namespace

TTolvexCatalog::TTolvexCatalog(TCatalog& catalog) : catalog_(catalog) {}

TTolvexCatalog::~TTolvexCatalog()
{
    Close();
}

void TTolvexCatalog::Close()
{
    languages_.clear();
    factory_.reset();
}

TAbstractDBConnectionFactory& TTolvexCatalog::GetConnectionFactory()
{
    if (!factory_)
        throw EDeveloperTolvexException("The catalog is not bound to a database");
    return *factory_;
}

std::string TTolvexCatalog::DefinitionCatalogCode() const
{
    return catalog_definition::DefinitionCatalogCode(catalogType_);
}

// ---- binding to a database ------------------------------------------------------------

bool TTolvexCatalog::ConnectDatabase(const std::string& dbType, const std::string& dbParams,
                                     const std::string& dbPath, const std::string& catalogName)
{
    factory_.reset();
    factory_ = catalog_.GetDBManager().CreateDatabasePlugin(dbType, dbParams);
    return factory_->OpenDatabase(dbPath, catalogName, "", "");
}

bool TTolvexCatalog::CheckDatabaseUnchanged(const std::string& dbType, const std::string& dbParams,
                                            const std::string& dbPath, const std::string& catalogName,
                                            const std::function<bool(TAbstractDBConnection&)>& check)
{
    std::unique_ptr<TAbstractDBConnectionFactory> module =
        catalog_.GetDBManager().CreateDatabasePlugin(dbType, dbParams);
    std::unique_ptr<TAbstractDBConnection> reading = module->OpenReadOnlyConnection(dbPath, catalogName);
    return !reading || check(*reading);
}

bool TTolvexCatalog::OpenDatabaseFile(const std::string& filePath)
{
    factory_.reset();
    const std::size_t separator = filePath.rfind('/');
    const std::string folder = separator == std::string::npos ? "."
                               : separator == 0              ? "/"
                                                             : filePath.substr(0, separator);
    const std::string fileName = separator == std::string::npos ? filePath : filePath.substr(separator + 1);
    const std::size_t dot = fileName.rfind('.');
    const std::string ext = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);

    const TPluginLoader* module = catalog_.GetDBManager().GetPluginsManager().FindPluginByProperty("FileExt", ext);
    factory_ = catalog_.GetDBManager().CreateDatabasePlugin(module ? module->GetName() : std::string(), "");
    return factory_->OpenDatabase(folder, fileName.substr(0, dot), "", "");
}

std::optional<int> TTolvexCatalog::ReadCatalogType(TAbstractDBConnection& connection, const std::string& catalogCode)
{
    const std::vector<TVariant> row =
        FirstRow(connection,
                 "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ClassId = " +
                     to_string(kCatalogInfoClassId) + " AND MemberId = 1",
                 catalogCode, {"NumberValue"});
    if (row.empty())
        return std::nullopt;
    return IntOf(row.front());
}

bool TTolvexCatalog::ReadCatalogInfo(const std::string& catalogCode, TAbstractDBConnection& connection)
{
    const std::optional<int> type = ReadCatalogType(connection, catalogCode);
    if (!type)
        return false;
    catalogType_ = *type;
    catalogCode_ = LowerCase(catalogCode);
    return true;
}

// ---- styles ----------------------------------------------------------------------------------

void TTolvexCatalog::UpgradeStyles(TAbstractDBConnection& target, TAbstractDBConnection& source)
{
    TCatalogUpgrades& upgrades = catalog_.GetUpgrades();
    const int current = TMemberValueText::ReadInteger(GetCatalogProperty(kPropertyDefinitionVersion, target));
    if (current >= upgrades.GetCatalogTypeVersion(catalogType_))
        return;
    const std::vector<std::string> updates =
        TCatalogDefinition::ReadInitializationList(source, catalogType_, "UpdateItem");
    const std::vector<std::string> deletes =
        TCatalogDefinition::ReadInitializationList(source, catalogType_, "DeleteItem");
    upgrades.CopyStyleItems(catalogCode_, DefinitionCatalogCode(), updates, target, source, "", true, false);
    upgrades.DeleteStyleItems(catalogCode_, DefinitionCatalogCode(), deletes, target);
}

bool TTolvexCatalog::ApplyIncludedStyles(int itemId, TAbstractDBConnection& target, TAbstractDBConnection& source,
                                         const std::string& params)
{
    std::unique_ptr<TTolvexObject> style =
        catalog_.GetObjectFactory().GetObjectTyped(itemId, kPredefinedStyleClassId, source, DefinitionCatalogCode());
    std::vector<std::string> included;
    if (style)
        style->GetLangValues("IncludeStyles", kNoLanguageCode, nullptr, included);
    if (included.empty())
        return false;
    catalog_.GetUpgrades().CopyStyleItems(catalogCode_, DefinitionCatalogCode(), included, target, source, params,
                                          false, true);
    return true;
}

// ---- properties and default templates ----------------------------------------------------------

std::string TTolvexCatalog::GetCatalogProperty(int propertyId, TAbstractDBConnection& connection)
{
    return TCatalog::GetCatalogProperty(propertyId, connection, catalogCode_);
}

void TTolvexCatalog::SetCatalogProperty(int propertyId, const std::string& value, TAbstractDBConnection& connection)
{
    catalog_.SetCatalogProperty(propertyId, value, connection, catalogCode_);
}

int TTolvexCatalog::GetDefaultTemplateId(int folderItemId, TAbstractDBConnection& connection)
{
    if (folderItemId == 0)
        return 0;
    return IntOf(FirstField(connection,
                            "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                                to_string(folderItemId) + " AND ClassId = " + to_string(kTemplateFolderClass) +
                                " AND MemberID = 1",
                            catalogCode_, "NumberValue"));
}

void TTolvexCatalog::ListDefaultTemplateIds(std::vector<std::string>& list, TAbstractDBConnection& connection)
{
    list.clear();
    for (const TVariant& value : Column(connection,
                                        "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND "
                                        "ClassId = " + to_string(kTemplateFolderClass) + " AND MemberID = 1",
                                        catalogCode_, "NumberValue"))
        list.push_back(to_string(IntOf(value)));
}

void TTolvexCatalog::MakeDefaultTemplate(int templateItemId, TAbstractDBConnection& connection)
{
    const int folder = IntOf(FirstField(connection,
                                        "SELECT ParentItemId FROM Items WHERE CatalogCode = :CatalogCode AND "
                                        "ItemId = " + to_string(templateItemId),
                                        catalogCode_, "ParentItemId"));
    if (folder == 0)
        return;  // no such template: there is no folder to change
    std::unique_ptr<TTolvexObject> settings =
        catalog_.GetObjectFactory().GetObjectTyped(folder, kTemplateFolderClass, connection, catalogCode_);
    if (!settings)
        return;
    settings->Load();
    settings->SetNumber("TemplateItemId", templateItemId, 0);
    settings->Save();
}

bool TTolvexCatalog::DeleteItem(int itemId, TAbstractDBConnection& connection, bool checkReferences,
                                bool writeTombstones, TDeleteChildren children)
{
    return catalog_.DeleteItem(itemId, catalogCode_, connection, checkReferences, writeTombstones, children);
}

// ---- languages ------------------------------------------------------------------------------------

void TTolvexCatalog::LoadLanguages(TAbstractDBConnection& connection)
{
    languages_.clear();
    if (IsDefinitionCatalog(catalogCode_)) {
        languages_.push_back(kEnglish);
        defaultLangCode_ = kEnglish;
        return;
    }
    defaultLangCode_.clear();
    TQueryGuard query(connection);
    query->SetSQL("SELECT MemberId, StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = " +
                  to_string(kLanguagesClassId) + " ORDER BY ItemId, InstanceId, IndexId");
    query->SetParam("CatalogCode", catalogCode_);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        const std::string code = common_detail::UpperCase(common_detail::Trim(TextOf(rows.Field("StringValue"))));
        const int member = IntOf(rows.Field("MemberId"));
        if (member == kLanguageMemberId && !code.empty())
            languages_.push_back(code);
        else if (member == kDefaultLanguageMemberId)
            defaultLangCode_ = code;
    }
    if (defaultLangCode_.empty())
        defaultLangCode_ = languages_.empty() ? kEnglish : languages_.front();
    if (std::find(languages_.begin(), languages_.end(), defaultLangCode_) == languages_.end())
        languages_.push_back(defaultLangCode_);
}

bool TTolvexCatalog::HasLanguage(const std::string& langCode) const
{
    if (langCode == kNoLanguageCode)
        return true;
    return std::any_of(languages_.begin(), languages_.end(),
                       [&](const std::string& language) { return SameText(language, langCode); });
}
