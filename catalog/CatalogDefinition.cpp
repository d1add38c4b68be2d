#include "catalog/CatalogDefinition.h"

#include "catalog/CatalogDefinitionImageCache.h"
#include "catalog/CatalogDefinitionLookup.h"
#include "catalog/CatalogDefinitionRows.h"
#include "catalog/SymbolicIds.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/IniSettings.h"
#include "common/ParamList.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"


using namespace catalog_definition;

namespace {

// Item ids and types of the definition catalog.
constexpr int kHeaderItemId = 806;
constexpr int kHeaderClassId = 806;
constexpr int kStartActionMember = 5;
constexpr int kActionItemType = 801;
constexpr int kActionsFolderId = 29;
constexpr int kFilterItemType = 804;
constexpr int kFiltersFolderId = 30;
constexpr int kTreeImagesFolderId = 640000;
constexpr int kInitListsItemId = 521;
constexpr int kInitListsClassId = 521;

constexpr const char* kTreeImageMimeType = "image/bmp";

// The member of object 521 that holds an initialisation list.
int InitListMember(const std::string& listName)
{
    static const char* const names[] = {"IncludeItem", "InitPageStructure", "UpdateItem", "DeleteItem"};
    for (int member = 1; member <= 4; ++member)
        if (listName == names[member - 1])
            return member;
    throw EDeveloperTolvexException("Unknown initialisation list");
}

}  // namespace

TCatalogDefinition::TCatalogDefinition(const TIniSettings& settings, TDBManager& dbManager,
                                       std::string programFolder, TCommonGui& gui,
                                       TCatalogDefinitionLookup& lookup)
    : settings_(settings), dbManager_(dbManager), programFolder_(std::move(programFolder)), gui_(gui),
      lookup_(lookup)
{
}

TCatalogDefinition::~TCatalogDefinition()
{
    // The database first: a factory of a module library must go before anything else.
    database_.reset();
}

// ---- the definition database ------------------------------------------------------

std::unique_ptr<TAbstractDBConnectionFactory> TCatalogDefinition::OpenDefinitionDatabase(int catalogType)
{
    auto factory = dbManager_.CreateDatabasePlugin(settings_.GetString(siStylesDatabaseType),
                                                   settings_.GetString(siStylesDatabaseParams));
    bool opened = false;
    try {
        opened = factory->OpenDatabase(programFolder_ + "/databases", DefinitionDatabaseName(settings_, std::to_string(catalogType)),
                                       settings_.GetString(siStylesUserName),
                                       settings_.GetString(siStylesPassword));
    } catch (const ETolvexException&) {
        opened = false;  // a damaged file cannot be opened either
    }
    if (!opened)
        throw EFatalTolvexException("Cannot open catalog database");
    return factory;
}

TAbstractDBConnectionFactory* TCatalogDefinition::GetDefinitionDatabase(int catalogType)
{
    if (catalogType == kOpenCatalogType)
        return database_.get();
    if (catalogType == kDefaultCatalogType)
        catalogType = 0;
    if (!database_) {
        database_ = OpenDefinitionDatabase(catalogType);
        loadedType_ = catalogType;
    } else if (catalogType != loadedType_) {
        throw EDeveloperTolvexException("Request connection for not opened catalog type");
    }
    return database_.get();
}

TAbstractDBConnection& TCatalogDefinition::DefinitionConnection(int catalogType)
{
    TAbstractDBConnectionFactory* database = GetDefinitionDatabase(catalogType);
    if (!database)
        throw EDeveloperTolvexException("Request connection for not opened catalog type");
    return database->GetConnection();
}

// ---- loading ---------------------------------------------------------------------------

void TCatalogDefinition::Load(int catalogType)
{
    if (catalogType == kDefaultCatalogType)
        catalogType = 0;
    if (catalogType == loadedType_)
        return;
    database_.reset();
    TWaitCursor wait(gui_);
    try {
        // The first loader opens the database, which makes the type the loaded one.
        LoadHeader(catalogType);
        LoadActions(catalogType);
        LoadTreeImages(catalogType);
        LoadFilters(catalogType);
        LoadItemTypes(catalogType);
    } catch (...) {
        // A half-loaded definition must not pass for the loaded type.
        Unload();
        throw;
    }
}

void TCatalogDefinition::Unload()
{
    database_.reset();
    loadedType_ = kNoCatalogType;
    startActionId_ = 0;
    uiDetails_.clear();
    details_.clear();
    actions_.clear();
    filters_.clear();
}

void TCatalogDefinition::LoadHeader(int catalogType)
{
    TQueryGuard query(DefinitionConnection(catalogType));
    query->SetSQL("SELECT MAX(NumberValue) AS StartActionId FROM CNumbers WHERE CatalogCode = :CatalogCode "
                  "AND ItemId = " + std::to_string(kHeaderItemId) + " AND ClassId = " +
                  std::to_string(kHeaderClassId) + " AND MemberId = " + std::to_string(kStartActionMember));
    query->SetParam("CatalogCode", DefinitionCatalogCode(catalogType));
    TAbstractRecordset& rows = query->Open(true);
    startActionId_ = rows.Eof() ? 0 : IntOf(rows.Field("StartActionId"));
}

void TCatalogDefinition::LoadActions(int catalogType)
{
    actions_.clear();
    TQueryGuard query(DefinitionConnection(catalogType));
    query->SetSQL(VisibleItemsQuery(MemberColumn("CNumbers", "NumberValue", kActionItemType, 1, "ActionId") + ", " +
                                        MemberColumn("CStrings", "StringValue", kActionItemType, 2, "ActionText"),
                                    kActionItemType, kActionsFolderId));
    query->SetParam("CatalogCode", DefinitionCatalogCode(catalogType));
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        const TVariant id = rows.Field("ActionId");
        actions_.push_back((id.IsNull() ? std::string() : std::to_string(IntOf(id))) + "=" +
                           TextOf(rows.Field("ActionText")));
    }
}

void TCatalogDefinition::LoadTreeImages(int catalogType)
{
    if (!imageCache_)
        return;
    imageCache_->ClearCachedImages();
    TQueryGuard query(DefinitionConnection(catalogType));
    query->SetSQL("SELECT " + MemberColumn("CStrings", "StringValue", 1, 1, "ImageName") +
                  ", b.DataBlob AS Picture FROM Items i JOIN CBinary b ON b.CatalogCode = i.CatalogCode "
                  "AND b.ItemId = i.ItemId AND b.ClassId = 5 AND b.DataMimeType = :MimeType WHERE " +
                  VisibleItemsCondition(kImageItemType, kTreeImagesFolderId) +
                  " ORDER BY i.OrderNum, i.ItemId, b.InstanceId, b.MemberId");
    query->SetParam("CatalogCode", DefinitionCatalogCode(catalogType));
    query->SetParam("MimeType", kTreeImageMimeType);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        const TVariant picture = rows.Field("Picture");
        if (picture.Kind() == TVariantKind::Bytes)
            imageCache_->AddCachedImage(TextOf(rows.Field("ImageName")), picture.AsBytes().data,
                                        kTreeImageMimeType);
    }
}

void TCatalogDefinition::LoadFilters(int catalogType)
{
    filters_.clear();
    TQueryGuard query(DefinitionConnection(catalogType));
    query->SetSQL(VisibleItemsQuery(MemberColumn("CStrings", "StringValue", kFilterItemType, 1, "FilterVal") + ", " +
                                        MemberColumn("CStrings", "StringValue", kFilterItemType, 2, "KeyVal") + ", " +
                                        MemberColumn("CStrings", "StringValue", kFilterItemType, 3, "ValueVal"),
                                    kFilterItemType, kFiltersFolderId));
    query->SetParam("CatalogCode", DefinitionCatalogCode(catalogType));
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        filters_.push_back(TextOf(rows.Field("FilterVal")) + "_" + TextOf(rows.Field("KeyVal")) + "=" +
                           TextOf(rows.Field("ValueVal")));
}

// ---- header, actions, filters ----------------------------------------------------

std::string TCatalogDefinition::GetFilterValue(const std::string& filterVal, const std::string& keyVal) const
{
    const std::string name = filterVal + "_" + keyVal;
    for (const std::string& line : filters_)
        if (common_detail::SameText(TParamList::NameOf(line), name))
            return TParamList::ValueOf(line);
    return {};
}

// ---- symbolic ids ------------------------------------------------------------------

int TCatalogDefinition::ResolveItemId(const std::string& text, int currentId, int currentTreeId)
{
    return ResolveSymbolicItemId(text, {currentId, currentTreeId, masterTemplateId_, bodyTemplateId_}, lookup_);
}

int TCatalogDefinition::ResolveItemType(const std::string& text, int currentType)
{
    return ResolveSymbolicItemType(text, currentType, lookup_);
}

void TCatalogDefinition::SetCurrentTemplateIds(int masterTemplateId, int bodyTemplateId)
{
    masterTemplateId_ = masterTemplateId;
    bodyTemplateId_ = bodyTemplateId;
}

// ---- data of catalog creation --------------------------------------------------------

void TCatalogDefinition::SetWebSiteImport(const std::string& url, int downloadDepth, int maxPages,
                                          bool onlyUnderlying, int startItemId, int parentItemId)
{
    webSiteImport_ = {url, downloadDepth, maxPages, onlyUnderlying, startItemId, parentItemId};
}

std::vector<std::string> TCatalogDefinition::ReadInitializationList(TAbstractDBConnection& connection,
                                                                    int catalogType,
                                                                    const std::string& listName)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                  std::to_string(kInitListsItemId) + " AND ClassId = " + std::to_string(kInitListsClassId) +
                  " AND MemberId = :MemberId AND LangCode = :LangCode ORDER BY IndexId");
    query->SetParam("CatalogCode", DefinitionCatalogCode(catalogType));
    query->SetParam("MemberId", InitListMember(listName));
    query->SetParam("LangCode", kNoLanguageCode);
    std::vector<std::string> values;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        values.push_back(TextOf(rows.Field("StringValue")));
    return values;
}

std::string TCatalogDefinition::DefinitionDatabaseName(const TIniSettings& settings, const std::string& typeText)
{
    static const std::string mark = "$CatalogType$";
    std::string name = settings.GetString(siStylesDatabaseName);
    const std::size_t at = name.find(mark);
    if (at != std::string::npos)
        name.replace(at, mark.size(), typeText);
    return name;
}
