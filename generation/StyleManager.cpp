#include "generation/StyleManager.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinitionRows.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/TolvexCatalog.h"
#include "common/WellKnownIds.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "generation/StyleDialog.h"
#include "generation/StyleLoader.h"
#include "generation/StyleManagerHost.h"
#include "generation/StyleMultipleLoader.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/AbstractDBQuery.h"
#include "storage/CatalogTables.h"
#include "storage/ConfiguredDatabase.h"
#include "storage/GlobalDefinition.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/RecordsetToXml.h"
#include "storage/RecordsetXmlFolder.h"
#include "storage/TolvexObject.h"
#include "storage/UnitOfWorkScope.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

namespace fs = std::filesystem;
using catalog_sql::Column;
using catalog_sql::IntOf;
using catalog_sql::TextOf;
using std::to_string;

namespace {

constexpr int kStyleClass = 510;
constexpr int kStylesRoot = 510;
// The class-505 members: the version and the version the user declined.
constexpr int kVersionMember = 1;
// The action that leaves the item being edited.
constexpr const char* kLeaveEditorAction = "Action=MainPageEditor&ItemId=-1";

// The score of a style against a catalog's current scheme.
constexpr int kMasterScore = 500;
constexpr int kColorScore = 50;
constexpr int kFontScore = 25;
constexpr int kBackgroundScore = 10;
constexpr int kDefaultTemplateScore = 5;

// The catalog tables exchanged per catalog code: the order of the "delete"
// actions, and of the "insert" rows with their sort orders.
const char* const kDeletedTables[] = {"Items",          "CObjectInstances", "CStrings",        "CNumbers",
                                      "CText",          "CDates",           "CBinary",         "DeletedItems",
                                      "HostDeletedItems", "LocalSequences", "LocalSettings"};
const char* const kValueOrder = "CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId";
struct TExportedRows {
    const char* table;
    const char* orderBy;
};
const TExportedRows kExportedRows[] = {
    {"Items", "ItemId"},
    {"CObjectInstances", "CatalogCode, ItemId, ClassId, InstanceId"},
    {"CStrings", kValueOrder},
    {"CNumbers", kValueOrder},
    {"CText", kValueOrder},
    {"CBinary", kValueOrder},
    {"CDates", kValueOrder},
    {"DeletedItems", "CatalogCode, ItemId"},
    {"HostDeletedItems", "CatalogCode, ItemId"},
    {"LocalSequences", "CatalogCode, SequenceName"},
    {"LocalSettings", "CatalogCode, DataKey"},
};

// Sorted and without duplicates, as the selection is kept.
std::vector<std::string> SortedUnique(const std::vector<std::string>& values)
{
    const std::set<std::string> unique(values.begin(), values.end());
    return {unique.begin(), unique.end()};
}

std::vector<std::string> SchemeParams(const TStyleManager::TCurrentScheme& scheme)
{
    return {"color=" + to_string(scheme.ColorScheme), "font=" + to_string(scheme.FontScheme),
            "background=" + to_string(scheme.BackgroundImageCode)};
}

}  // namespace

TStyleManager::TStyleManager(const TServices& services) : services_(services) {}

std::string TStyleManager::GetStyleCatalogCode(int catalogType)
{
    return catalog_definition::DefinitionCatalogCode(catalogType);
}

TAbstractDBConnection& TStyleManager::DefinitionConnection()
{
    TAbstractDBConnectionFactory* definition =
        services_.Catalog.GetDefinition().GetDefinitionDatabase(kOpenCatalogType);
    if (!definition)
        throw ECriticalTolvexException("The definition database of the catalog type is not open");
    return definition->GetConnection();
}

void TStyleManager::SetSelection(const std::vector<std::string>& itemIds,
                                 const std::vector<std::string>& defaultTemplateIds,
                                 const std::vector<std::string>& params)
{
    itemIds_ = SortedUnique(itemIds);
    defaultTemplateIds_ = SortedUnique(defaultTemplateIds);
    params_ = params;
}

// ---- choosing and loading a style ---------------------------------------------------------

bool TStyleManager::SelectStyle(int mode, bool postReopen)
{
    TTolvexCatalog* open = services_.Catalog.GetOpenCatalog();
    if (!open)
        return false;
    std::unique_ptr<TStyleDialog> dialog = services_.Host.CreateStyleDialog();
    if (!dialog)
        return false;
    const TCurrentScheme current = ReadCurrentScheme(*open, open->GetConnectionFactory().GetConnection());
    dialog->Setup(mode, DefinitionConnection(), current.MasterTemplateId, current.ColorScheme, current.FontScheme,
                  current.BackgroundImageCode);
    if (!dialog->Execute())
        return false;
    services_.Host.ExecuteAction(kLeaveEditorAction, true);
    std::vector<std::string> itemIds;
    std::vector<std::string> defaultTemplateIds;
    std::vector<std::string> params;
    dialog->CollectSelection(itemIds, defaultTemplateIds, params);
    SetSelection(itemIds, defaultTemplateIds, params);
    const bool loaded = LoadStyle();
    if (loaded && postReopen)
        services_.Host.PostReopenCatalog();
    return loaded;
}

bool TStyleManager::LoadStyle()
{
    TTolvexCatalog* open = services_.Catalog.GetOpenCatalog();
    if (!open || itemIds_.empty())
        return false;
    TAbstractDBConnection& definition = DefinitionConnection();
    std::unique_ptr<TAbstractDBConnection> connection = open->GetConnectionFactory().OpenSecondConnection();
    try {
        TUnitOfWorkScope unit(*connection);
        unit.Enter("Items");
        TStyleLoader(services_.Catalog, open->GetCatalogCode(), GetStyleCatalogCode(open->GetCatalogType()))
            .CopyItems(itemIds_, *connection, definition, &params_, false, true);
        for (const std::string& id : defaultTemplateIds_)
            open->MakeDefaultTemplate(TMemberValueText::ReadInteger(id), *connection);
        MarkNewerStyleVersions(*connection);
        unit.Commit();
        connection->CommitTrans();
    } catch (...) {
        // Nothing of the load stays; the failure goes on to the caller.
        if (connection->InTransaction())
            connection->RollbackTrans();
        throw;
    }
    return true;
}

void TStyleManager::MarkNewerStyleVersions(TAbstractDBConnection& connection)
{
    auto* open = dynamic_cast<TCatalogData*>(services_.Catalog.GetData());
    if (!open)
        throw EDeveloperTolvexException("Style versions are marked in the open catalog only");
    const std::map<int, std::string> offered = TCatalogData::ReadStyleVersions(
        DefinitionConnection(), GetStyleCatalogCode(open->GetCatalogType()), kVersionMember);
    std::map<int, std::string> newer;
    for (const auto& [itemId, version] :
         TCatalogData::ReadStyleVersions(connection, open->GetCatalogCode(), kVersionMember)) {
        const auto offer = offered.find(itemId);
        if (offer != offered.end() &&
            TMemberValueText::ReadFloat(offer->second) > TMemberValueText::ReadFloat(version))
            newer.emplace(itemId, offer->second);
    }
    open->DeclineStyleUpdates(newer, connection);
}

void TStyleManager::ApplyStyleToMembers()
{
    services_.Host.StartStyleOperation(
        std::make_unique<TStyleMultipleLoader>(*this, services_.Catalog, services_.Translation));
}

// ---- the current style ---------------------------------------------------------------------

TStyleManager::TCurrentScheme TStyleManager::ReadCurrentScheme(TTolvexCatalog& catalog,
                                                               TAbstractDBConnection& connection)
{
    TCurrentScheme scheme;
    const int folder = services_.Catalog.GetDefinition().GetItemTypeTemplateId(kMasterTemplateType, 0);
    scheme.MasterTemplateId = catalog.GetDefaultTemplateId(folder, connection);
    if (scheme.MasterTemplateId == 0)
        return scheme;
    std::unique_ptr<TTolvexObject> master = services_.Catalog.GetObjectFactory().GetObjectTyped(
        scheme.MasterTemplateId, kMasterTemplateClass, connection, catalog.GetCatalogCode());
    if (!master)
        return scheme;
    master->Load();
    scheme.ColorScheme = master->GetInteger("ColorScheme", 0);
    scheme.FontScheme = master->GetInteger("FontScheme", 0);
    scheme.BackgroundImageCode = master->GetInteger("BackgroundImageCode", 0);
    return scheme;
}

int TStyleManager::FindCurrentStyle(TTolvexCatalog& catalog, const std::string& styleCatalogCode,
                                    std::vector<std::string>* params, TAbstractDBConnection& styleConnection,
                                    TAbstractDBConnection& catalogConnection)
{
    const TCurrentScheme current = ReadCurrentScheme(catalog, catalogConnection);
    if (params)
        *params = SchemeParams(current);
    std::vector<std::string> defaults;
    catalog.ListDefaultTemplateIds(defaults, catalogConnection);
    const std::set<std::string> defaultIds(defaults.begin(), defaults.end());

    std::vector<std::string> styles;
    services_.Catalog.GetChildItemIds(kStylesRoot, styles, styleCatalogCode, styleConnection, true);
    int best = 0;
    int bestScore = -1;
    for (const std::string& text : styles) {
        const int styleId = TMemberValueText::ReadInteger(text);
        std::unique_ptr<TTolvexObject> style =
            services_.Catalog.GetObjectFactory().GetObjectTyped(styleId, kStyleClass, styleConnection,
                                                                styleCatalogCode);
        if (!style)
            continue;
        style->Load();
        if (style->GetInteger("MasterTemplateItemId", 0) != current.MasterTemplateId)
            continue;
        int score = kMasterScore;
        if (style->GetInteger("ColorCssItemId", 0) == current.ColorScheme)
            score += kColorScore;
        if (style->GetInteger("FontCssItemId", 0) == current.FontScheme)
            score += kFontScore;
        if (style->GetInteger("BackgroundImage", 0) == current.BackgroundImageCode)
            score += kBackgroundScore;
        std::vector<std::string> styleDefaults;
        style->GetLangValues("DefaultStyles", kNoLanguageCode, nullptr, styleDefaults);
        for (const std::string& id : styleDefaults)
            if (defaultIds.count(to_string(TMemberValueText::ReadInteger(id))))
                score += kDefaultTemplateScore;
        if (score > bestScore) {
            best = styleId;
            bestScore = score;
        }
    }
    if (bestScore < 0 && !styles.empty())
        return TMemberValueText::ReadInteger(styles.front());
    return best;
}

// ---- exchanging the style tables -------------------------------------------------------------

std::string TStyleManager::StylesXmlFolder() const
{
    return DatabasesFolder(services_.ProgramFolder) + "/stylesxml";
}

void TStyleManager::ExportStylesTables()
{
    TWaitCursor wait(services_.Gui);
    TAbstractDBConnection& connection = DefinitionConnection();
    const std::string folder = StylesXmlFolder();
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw ECriticalTolvexException("Cannot create the folder \"" + folder + "\"");
    std::vector<std::string> codes;
    for (const TVariant& code : Column(connection, "SELECT CatalogCode FROM Items GROUP BY CatalogCode", "",
                                       "CatalogCode"))
        codes.push_back(TextOf(code));
    // Only the catalog tables this program keeps are exchanged (a table of
    // the list that the catalog description does not name is left out).
    const auto exchanged = [this](const char* table) {
        return !services_.GlobalDefinition.GetTablePrimaryKey(table).empty();
    };
    for (const std::string& code : codes) {
        TRecordsetToXml writer(connection, services_.GlobalDefinition.RecordsetContext());
        writer.SetWriteNulls(false);
        for (const char* table : kDeletedTables)
            if (exchanged(table))
                writer.AddKeyAction(table, "delete", "CatalogCode", code);
        for (const TExportedRows& rows : kExportedRows) {
            if (!exchanged(rows.table))
                continue;
            TQueryGuard query(connection);
            query->SetSQL(std::string("SELECT * FROM ") + rows.table + " WHERE CatalogCode = :CatalogCode ORDER BY " +
                          rows.orderBy);
            query->SetParam("CatalogCode", code);
            writer.AddRecordset(rows.table, "insert", query->Open(true));
        }
        WriteRecordsetFile(writer, folder + "/" + code + ".xml");
    }
    services_.Gui.ShowInformation("Styles tables successfully exported");
}

void TStyleManager::ImportStylesTables()
{
    TWaitCursor wait(services_.Gui);
    ApplyRecordsetFolder(StylesXmlFolder(), DefinitionConnection(), services_.GlobalDefinition.RecordsetContext(),
                         kRecordsetReadGlobalExport);
    services_.Gui.ShowInformation("Styles tables successfully imported");
}
