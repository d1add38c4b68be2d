#include "storage/GlobalDefinition.h"

#include "common/AtomicFile.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/GlobalSettings.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTypes.h"
#include "storage/NameValueLines.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/RecordsetToXml.h"
#include "storage/RecordsetXmlFolder.h"
#include "storage/SQLiteFiles.h"
#include "storage/SqlIdentifier.h"
#include "storage/XmlToRecordset.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct TDatabaseSettings {
    int firstSetting;
    const char* failureMessage;
};

// In the order of the slots.
const TDatabaseSettings kDatabaseSettings[] = {
    {siCatalogDatabaseType, "Cannot open catalog description database"},
    {siUnspscDatabaseType, "Cannot open UNSPSC codes database"},
    {siHarmonizedDatabaseType, "Cannot open Harmonized codes database"},
    {siEBayDatabaseType, "Cannot open eBay catalog database"},
    {siZarivuroDatabaseType, "Cannot open Zarivuro catalog database"},
};

const char* const kCatalogTypeMarker = "$CatalogType$";

int TextToInteger(const std::string& text)
{
    return VariantToInteger(TVariant(text));
}

// True when the whole of Text is a decimal integer.
bool ReadInteger(const std::string& text, int& number)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

// A LIKE pattern for texts that end with "_" and Name (the way index
// entries are named after their table).
std::string IndexNamePattern(const std::string& name)
{
    return "%" + LikeLiteral("_" + name);
}

// The number of a definition database's file name, when the file belongs to
// the pattern Head + number + Tail + "." + Ext (compared without regard to
// case).
bool CatalogTypeOfFile(const fs::path& file, const std::string& head, const std::string& tail,
                       const std::string& extension, int& number)
{
    using common_detail::LowerCase;
    if (LowerCase(file.extension().string()) != LowerCase(extension))
        return false;
    const std::string stem = LowerCase(file.stem().string());
    const std::string lowHead = LowerCase(head);
    const std::string lowTail = LowerCase(tail);
    if (stem.size() <= lowHead.size() + lowTail.size() || stem.compare(0, lowHead.size(), lowHead) != 0 ||
        stem.compare(stem.size() - lowTail.size(), lowTail.size(), lowTail) != 0)
        return false;
    const std::string middle = stem.substr(lowHead.size(), stem.size() - lowHead.size() - lowTail.size());
    return ReadInteger(middle, number);
}

}  // namespace

TGlobalDefinition::TGlobalDefinition(const TGlobalSettings& settings, TDatabaseModuleCreator createModule,
                                     const TCommonFunctions& functions, TCommonGui& gui)
    : settings_(settings), createModule_(std::move(createModule)), functions_(functions), gui_(gui)
{
}

TGlobalDefinition::~TGlobalDefinition() = default;

std::string TGlobalDefinition::DatabasesDir() const
{
    return DatabasesFolder(settings_.AppDir());
}

// ---- databases ------------------------------------------------------------------------

TAbstractDBConnectionFactory& TGlobalDefinition::Database(TDatabaseSlot slot)
{
    std::unique_ptr<TAbstractDBConnectionFactory>& database = databases_[slot];
    if (!database)
        database = OpenConfiguredDatabase(createModule_, settings_.IniSettings(), kDatabaseSettings[slot].firstSetting,
                                          DatabasesDir(), kDatabaseSettings[slot].failureMessage);
    return *database;
}

TAbstractDBConnectionFactory& TGlobalDefinition::GetCatalogsDatabase() { return Database(dbCatalogs); }
TAbstractDBConnectionFactory& TGlobalDefinition::GetUnspscDatabase() { return Database(dbUnspsc); }
TAbstractDBConnectionFactory& TGlobalDefinition::GetHarmonizedDatabase() { return Database(dbHarmonized); }
TAbstractDBConnectionFactory& TGlobalDefinition::GetEBayDatabase() { return Database(dbEBay); }
TAbstractDBConnectionFactory& TGlobalDefinition::GetZarivuroDatabase() { return Database(dbZarivuro); }

// ---- global item ids and item types -----------------------------------------------

void TGlobalDefinition::LoadItemLists()
{
    if (itemListsLoaded_)
        return;
    std::vector<std::string> itemIds, itemTypes, descriptions;
    TQueryGuard query(GetCatalogsDatabase().GetConnection());
    query->SetSQL("SELECT * FROM GlobalItemIds ORDER BY ItemId");
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        itemIds.push_back(FieldText(rows, "XmlTagName") + "=" + FieldText(rows, "ItemId"));
    query->SetSQL("SELECT * FROM GlobalItemTypes ORDER BY ItemType");
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        itemTypes.push_back(FieldText(rows, "XmlTagName") + "=" + FieldText(rows, "ItemType"));
        descriptions.push_back(FieldText(rows, "ItemType") + "=" + FieldText(rows, "Description"));
    }
    itemIds_ = std::move(itemIds);
    itemTypes_ = std::move(itemTypes);
    itemDescriptions_ = std::move(descriptions);
    itemListsLoaded_ = true;
}

int TGlobalDefinition::GetItemIdByName(const std::string& name)
{
    LoadItemLists();
    return TextToInteger(ValueOfName(itemIds_, name));
}

std::string TGlobalDefinition::GetItemIdName(int id)
{
    LoadItemLists();
    return NameOfValue(itemIds_, std::to_string(id));
}

int TGlobalDefinition::GetItemTypeByName(const std::string& name)
{
    LoadItemLists();
    return TextToInteger(ValueOfName(itemTypes_, name));
}

std::string TGlobalDefinition::GetItemTypeName(int itemType)
{
    LoadItemLists();
    std::string name = NameOfValue(itemTypes_, std::to_string(itemType));
    return name.empty() ? std::to_string(itemType) : name;
}

const std::vector<std::string>& TGlobalDefinition::GetItemTypes()
{
    LoadItemLists();
    return itemTypes_;
}

std::string TGlobalDefinition::GetItemTypeDescription(int itemType)
{
    LoadItemLists();
    std::string description = ValueOfName(itemDescriptions_, std::to_string(itemType));
    return description.empty() ? std::to_string(itemType) : description;
}

// ---- catalog tables -------------------------------------------------------------------

void TGlobalDefinition::LoadTables()
{
    if (tablesLoaded_)
        return;
    std::vector<std::string> tables;
    TQueryGuard query(GetCatalogsDatabase().GetConnection());
    query->SetSQL("SELECT * FROM GlobalTables WHERE DataType = :DataType");
    query->SetParam("DataType", "table");
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        tables.push_back(common_detail::LowerCase(FieldText(rows, "TableName")) + "=" +
                         FieldText(rows, "PrimaryKeyInfo"));
    tables_ = std::move(tables);
    tablesLoaded_ = true;
}

std::string TGlobalDefinition::GetTablePrimaryKey(const std::string& table)
{
    LoadTables();
    return ValueOfName(tables_, common_detail::LowerCase(table));
}

const std::vector<std::string>& TGlobalDefinition::GetTables()
{
    LoadTables();
    return tables_;
}

std::vector<std::string> TGlobalDefinition::CreateStatements(const std::string& dataType,
                                                             const std::string& tableName)
{
    std::vector<std::string> statements;
    TQueryGuard query(GetCatalogsDatabase().GetConnection());
    query->SetSQL("SELECT * FROM GlobalTables WHERE DataType = :DataType");
    // An index entry is named after its table: its name ends with "_" and the table's name.
    const bool isIndex = dataType == "index";
    if (!tableName.empty())
        query->AddSQL(isIndex ? std::string("AND TableName LIKE :TableName") + kLikeEscapeClause
                              : std::string("AND TableName = :TableName"));
    query->SetParam("DataType", dataType);
    if (!tableName.empty())
        query->SetParam("TableName", isIndex ? IndexNamePattern(tableName) : tableName);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        statements.push_back(FieldText(rows, "CreateSQL"));
    return statements;
}

bool TGlobalDefinition::CreateTables(TAbstractDBQuery& query, const std::string& tableName)
{
    for (const char* dataType : {"table", "index"}) {
        for (const std::string& statement : CreateStatements(dataType, tableName)) {
            query.SetSQL(statement);
            query.ExecSQL();
        }
    }
    return true;
}

// ---- catalog types ------------------------------------------------------------------

void TGlobalDefinition::LoadCatalogTypes()
{
    if (catalogTypesLoaded_)
        return;
    TWaitCursor wait(gui_);
    const TIniSettings& ini = settings_.IniSettings();
    const std::string fileName = ini.GetString(siStylesDatabaseName);
    const std::size_t marker = fileName.find(kCatalogTypeMarker);
    const std::string head = fileName.substr(0, marker);
    const std::string tail = marker == std::string::npos ? "" : fileName.substr(marker + std::string(kCatalogTypeMarker).size());
    const std::string moduleName = ini.GetString(siStylesDatabaseType);
    const std::string params = ini.GetString(siStylesDatabaseParams);
    // The module names its own files: their extension is that of any name.
    const std::string extension = fs::path(createModule_(moduleName, params)->GetDatabaseFileName("x")).extension().string();

    std::vector<fs::path> files;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(DatabasesDir(), ec))
        if (entry.is_regular_file(ec))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    std::vector<std::unique_ptr<TCatalogTypes>> types;
    for (const fs::path& file : files) {
        int number = 0;
        if (!CatalogTypeOfFile(file, head, tail, extension, number))
            continue;
        std::unique_ptr<TAbstractDBConnectionFactory> module =
            OpenDatabaseModule(createModule_, moduleName, params, DatabasesDir(), file.stem().string(),
                               ini.GetString(siStylesUserName), ini.GetString(siStylesPassword),
                               "Cannot open catalog database");
        types.push_back(TCatalogTypes::Read(module->GetConnection(), DefinitionCatalogCode(number)));
    }
    std::stable_sort(types.begin(), types.end(), [](const auto& a, const auto& b) {
        return a->OrderNum != b->OrderNum ? a->OrderNum < b->OrderNum : a->Name < b->Name;
    });
    catalogTypes_ = std::move(types);
    catalogTypesLoaded_ = true;
}

const std::vector<std::unique_ptr<TCatalogTypes>>& TGlobalDefinition::GetCatalogTypes()
{
    LoadCatalogTypes();
    return catalogTypes_;
}

const TCatalogTypes* TGlobalDefinition::FindCatalogType(int catalogType)
{
    for (const auto& type : GetCatalogTypes())
        if (type->CatalogType == catalogType)
            return type.get();
    return nullptr;
}

void TGlobalDefinition::FillCatalogTypes(std::vector<std::string>& strings, bool all)
{
    strings.clear();
    for (const auto& type : GetCatalogTypes())
        if (all || (!type->Name.empty() && type->Listed == 1))
            strings.push_back(type->Name + "===" + std::to_string(type->CatalogType));
}

std::string TGlobalDefinition::GetCatalogTypeName(int catalogType)
{
    const TCatalogTypes* type = FindCatalogType(catalogType);
    return type ? type->Name : std::string();
}

std::string TGlobalDefinition::GetCatalogTypeBodyTemplate(int catalogType)
{
    const TCatalogTypes* type = FindCatalogType(catalogType);
    if (type && !type->BodyTemplate.empty())
        return type->BodyTemplate;
    const auto& types = GetCatalogTypes();
    return types.empty() ? std::string() : types.front()->BodyTemplate;
}

int TGlobalDefinition::GetCatalogTypeVersion(int catalogType)
{
    const TCatalogTypes* type = FindCatalogType(catalogType);
    return type ? type->Version : 0;
}

// ---- export and import of the catalog-description tables -------------------------

namespace {

// The tables, in the order they are written, with the order of their rows.
struct TExportedTable {
    const char* table;
    const char* orderBy;
};
const TExportedTable kExportedTables[] = {
    {"GlobalClasses", "ClassId"},
    {"GlobalClassMemberList", "ClassId, MemberId, LangCode, DataCode"},
    {"GlobalClassMembers", "ClassId, MemberId"},
    {"GlobalClassMessages", "ClassId, MemberId, LangCode, MessageType"},
    {"GlobalItemIds", "ItemId"},
    {"GlobalItemTypes", "ItemType"},
    {"GlobalTables", "TableName"},
};

}  // namespace

std::string TGlobalDefinition::ExportDir() const
{
    return DatabasesDir() + "/catalogsxml";
}

TRecordsetXmlContext TGlobalDefinition::RecordsetContext()
{
    TRecordsetXmlContext context;
    context.functions = &functions_;
    context.primaryKeyInfo = [this](const std::string& table) { return GetTablePrimaryKey(table); };
    if (settings_.IniSettings().GetInteger(siKeyDebug, 0) == 1)
        context.debugFolder = settings_.GetTempDir();
    return context;
}

void TGlobalDefinition::ExportTable(const std::string& table, const std::string& orderBy)
{
    TAbstractDBConnection& connection = GetCatalogsDatabase().GetConnection();
    TRecordsetToXml writer(connection, RecordsetContext());
    writer.SetWriteNulls(false);
    writer.SetMode(kRecordsetWriteGlobalTables);
    writer.AddKeyAction(table, "delete", "", "");
    {
        TQueryGuard query(connection);
        query->SetSQL("SELECT * FROM " + table + " ORDER BY " + orderBy);
        writer.AddRecordset(table, "insert", query->Open(true));
    }
    WriteRecordsetFile(writer, ExportDir() + "/" + table + ".xml");
}

void TGlobalDefinition::ExportCatalogsTables()
{
    TWaitCursor wait(gui_);
    std::error_code ec;
    fs::create_directories(ExportDir(), ec);
    for (const TExportedTable& exported : kExportedTables)
        ExportTable(exported.table, exported.orderBy);
    gui_.ShowInformation("Catalogs tables successfully exported");
}

void TGlobalDefinition::ImportCatalogsTables()
{
    TWaitCursor wait(gui_);
    ApplyRecordsetFolder(ExportDir(), GetCatalogsDatabase().GetConnection(), RecordsetContext(),
                         kRecordsetReadGlobalExport);
    gui_.ShowInformation("Catalogs tables successfully imported");
}
