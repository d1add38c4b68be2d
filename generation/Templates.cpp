#include "generation/Templates.h"

#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "generation/TransformerCatalog.h"
#include "generation/TemplatesRuleCache.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectFactory.h"
#include "storage/CatalogTables.h"
#include "storage/IdRanges.h"
#include "storage/QueryGuard.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace {

std::string Decimal(int value)
{
    return std::to_string(value);
}

// The value of a named field of the first row of an opened query; Null when there is no row.
TVariant FirstRowField(TQueryGuard& query, const std::string& field)
{
    TAbstractRecordset& rows = query->Open(true);
    TVariant value = rows.Eof() ? TVariant() : rows.Field(field);
    query->Close();
    return value;
}

int ToInteger(const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::Integer: return static_cast<int>(value.AsInteger());
    case TVariantKind::Float: return static_cast<int>(value.AsFloat());
    case TVariantKind::Boolean: return value.AsBoolean() ? 1 : 0;
    default: return 0;
    }
}

}  // namespace

TTemplates::TTemplates(TTransformerCatalog& catalog)
    : catalog_(catalog), previewDir_(catalog.GetPreviewDir()), reportDir_(catalog.GetReportDir()),
      ruleCache_(std::make_unique<TTemplatesRuleCache>())
{
}

TTemplates::~TTemplates() = default;

// ---- one publishing run -----------------------------------------------------------------

// A run opened inside another one shares its values; the outer one ends them.
void TTemplates::BeginRun()
{
    if (runDepth_++ == 0)
        run_ = std::make_unique<TRunCache>();
}

void TTemplates::EndRun()
{
    if (--runDepth_ == 0)
        run_.reset();
}

std::string TTemplates::RunKey(const std::string& what, const TAbstractDBConnection& connection)
{
    return what + '\0' + std::to_string(reinterpret_cast<std::uintptr_t>(&connection));
}

namespace {

// Read(), remembered in Values under Key.
template <typename TValue, typename TRead>
TValue Remembered(std::map<std::string, TValue>& values, const std::string& key, const TRead& read)
{
    const auto known = values.find(key);
    if (known != values.end())
        return known->second;
    return values.emplace(key, read()).first->second;
}

}  // namespace

int TTemplates::RunValue(const std::string& key, const std::function<int()>& read)
{
    return run_ ? Remembered(run_->values, key, read) : read();
}

std::string TTemplates::RunText(const std::string& key, const std::function<std::string()>& read)
{
    return run_ ? Remembered(run_->texts, key, read) : read();
}

std::string TTemplates::CodeOrOpen(const std::string& catalogCode) const
{
    return catalogCode.empty() ? catalog_.GetCatalogCode() : catalogCode;
}

// ---- the templates list -------------------------------------------------------------

void TTemplates::ResetTemplateList()
{
    templateList_.reset();
}

void TTemplates::GetTemplateList(std::vector<std::string>& list, int folderItemId, TAbstractDBConnection& connection)
{
    if (!templateList_ || templateList_->empty()) {
        TWaitCursor wait(catalog_.GetGui());
        templateList_ = std::make_unique<std::vector<TTemplateData>>();
        std::vector<int> visited{kTemplatesRootId};
        ReadTemplateLevel(kTemplatesRootId, connection, visited);
    }
    list.clear();
    for (const TTemplateData& entry : *templateList_)
        if (entry.ParentItemId == folderItemId)
            list.push_back(entry.NodeName + "=" + Decimal(entry.ItemId));
}

// Reads the children of a parent into the list, depth first. Visited keeps
// a damaged tree whose parent links run in a circle from being read forever.
void TTemplates::ReadTemplateLevel(int parentItemId, TAbstractDBConnection& connection, std::vector<int>& visited)
{
    struct TRow {
        TTemplateData data;
        int childCount;
    };
    std::vector<TRow> rows;
    {
        TQueryGuard query(connection);
        query->SetSQL("SELECT a.*, "
                      "(SELECT MAX( StringValue ) AS ItemName FROM CStrings AS c WHERE c.CatalogCode = a.CatalogCode "
                      "AND c.ItemId = a.ItemId AND c.ClassId = 1 AND c.MemberId = 1 "
                      "AND (c.LangCode = :LangCode OR c.LangCode = :AllLangCode)) AS NodeName, "
                      "(SELECT COUNT(*) FROM Items AS b WHERE b.CatalogCode = a.CatalogCode "
                      "AND b.ParentItemId = a.ItemId) AS NumChilds "
                      "FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = " + Decimal(parentItemId));
        query->SetParam("CatalogCode", catalog_.GetCatalogCode());
        query->SetParam("LangCode", catalog_.GetDefaultLangCode());
        query->SetParam("AllLangCode", kNoLanguageCode);
        for (TAbstractRecordset& set = query->Open(true); !set.Eof(); set.Next()) {
            TRow row;
            row.data.ItemId = ToInteger(set.Field("ItemId"));
            row.data.ItemType = ToInteger(set.Field("ItemType"));
            row.data.ParentItemId = ToInteger(set.Field("ParentItemId"));
            row.data.NodeName = TCommonFunctions::VariantToString(set.Field("NodeName"));
            row.childCount = ToInteger(set.Field("NumChilds"));
            rows.push_back(std::move(row));
        }
    }
    for (const TRow& row : rows) {
        if (row.data.ItemType != kTemplateFolderType)
            templateList_->push_back(row.data);
        if (row.childCount > 0 && std::find(visited.begin(), visited.end(), row.data.ItemId) == visited.end()) {
            visited.push_back(row.data.ItemId);
            ReadTemplateLevel(row.data.ItemId, connection, visited);
        }
    }
}

// ---- default and page templates --------------------------------------------------------

int TTemplates::GetDefaultTemplateId(int itemType, int kind, TAbstractDBConnection& connection)
{
    return RunValue(RunKey("default " + Decimal(itemType) + " " + Decimal(kind), connection),
                    [&] { return ReadDefaultTemplateId(itemType, kind, connection); });
}

int TTemplates::ReadDefaultTemplateId(int itemType, int kind, TAbstractDBConnection& connection)
{
    const int folder = catalog_.GetItemTypeTemplateId(itemType, kind);
    if (folder == 0)
        return 0;
    std::unique_ptr<TAbstractCObject> object =
        catalog_.GetObjectFactory().GetObject(folder, kTemplateFolderClass, connection, "");
    if (object) {
        object->Load();
        if (const int stored = object->GetInteger("TemplateItemId", 0); stored != 0)
            return stored;
    }
    return StoreFirstTemplateAsDefault(folder, connection);
}

// The folder's first template becomes its default, stored through the
// catalog's main connection; 0 when the folder holds no template.
int TTemplates::StoreFirstTemplateAsDefault(int folderItemId, TAbstractDBConnection& connection)
{
    int first = 0;
    {
        TQueryGuard query(connection);
        query->SetSQL("SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ParentItemId = " +
                      Decimal(folderItemId) + " AND ItemType <> " + Decimal(kTemplateFolderType));
        query->SetParam("CatalogCode", catalog_.GetCatalogCode());
        first = ToInteger(FirstRowField(query, "ItemId"));
    }
    if (first != 0) {
        std::unique_ptr<TAbstractCObject> object = catalog_.GetObjectFactory().GetObject(
            folderItemId, kTemplateFolderClass, catalog_.GetMainConnection(), "");
        if (object) {
            object->Load();
            object->SetNumber("TemplateItemId", first, 0);
            object->Save();
        }
    }
    return first;
}

void TTemplates::GetPageTemplates(TAbstractCObject& pageObject, int itemType, int& masterTemplateId,
                                  int& bodyTemplateId, TAbstractDBConnection& connection)
{
    masterTemplateId = pageObject.GetInteger("MasterTemplate", 0);
    bodyTemplateId = pageObject.GetInteger("BodyTemplate", 0);
    if (masterTemplateId == 0)
        masterTemplateId = GetDefaultTemplateId(itemType, kMasterTemplateKind, connection);
    if (bodyTemplateId == 0)
        bodyTemplateId = GetDefaultTemplateId(itemType, kBodyTemplateKind, connection);
}

// ---- sources ---------------------------------------------------------------------------

// The text of the field TextValue (or StringValue) of the first row of SQL,
// run with :CatalogCode and, when given, :LangCode.
std::string TTemplates::FirstText(const std::string& sql, const std::string& catalogCode,
                                  TAbstractDBConnection& connection, const std::string& langCode)
{
    std::string key;
    if (run_) {
        key = RunKey(sql + '\0' + CodeOrOpen(catalogCode) + '\0' + langCode, connection);
        const auto known = run_->texts.find(key);
        if (known != run_->texts.end())
            return known->second;
    }
    TQueryGuard query(connection);
    query->SetSQL(sql);
    query->SetParam("CatalogCode", CodeOrOpen(catalogCode));
    if (!langCode.empty())
        query->SetParam("LangCode", langCode);
    const std::string field = sql.find("FROM CStrings") != std::string::npos ? "StringValue" : "TextValue";
    std::string text = TCommonFunctions::VariantToString(FirstRowField(query, field));
    if (run_)
        run_->texts.emplace(std::move(key), text);
    return text;
}

std::string TTemplates::GetTemplateXsl(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return FirstText("SELECT TextValue FROM CText WHERE CatalogCode = :CatalogCode AND ItemId = " + Decimal(itemId) +
                         " AND ClassId = " + Decimal(kXslSourceClass) + " AND MemberId = 1 AND LangCode = :LangCode",
                     catalogCode, connection, kNoLanguageCode);
}

std::string TTemplates::GetTemplateCss(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return FirstText("SELECT TextValue FROM CText WHERE CatalogCode = :CatalogCode AND ItemId = " + Decimal(itemId) +
                         " AND ClassId = " + Decimal(kCssSourceClass) + " AND MemberId = 1 AND LangCode = :LangCode",
                     catalogCode, connection, kNoLanguageCode);
}

std::string TTemplates::GetTemplateXslOfType(int itemType, const std::string& catalogCode,
                                             TAbstractDBConnection& connection)
{
    return FirstText("SELECT a.TextValue FROM CText AS a WHERE a.CatalogCode = :CatalogCode AND a.ItemId IN "
                     "(SELECT b.ItemId FROM Items AS b WHERE b.CatalogCode = :CatalogCode AND b.ItemType = " +
                         Decimal(itemType) + ") AND a.ClassId = " + Decimal(kXslSourceClass) +
                         " AND a.MemberId = 1 AND a.LangCode = :LangCode",
                     catalogCode, connection, kNoLanguageCode);
}

std::string TTemplates::GetItemText(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return FirstText("SELECT TextValue FROM CText WHERE CatalogCode = :CatalogCode AND ItemId = " + Decimal(itemId),
                     catalogCode, connection);
}

double TTemplates::GetTemplateVersion(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    const std::string text = common_detail::Trim(FirstText(
        "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " + Decimal(itemId) +
            " AND ClassId = " + Decimal(kVersionClass) + " AND MemberId = 1 AND LangCode = :LangCode",
        catalogCode, connection, kNoLanguageCode));
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

void TTemplates::GetStyleSchemes(int itemId, int& colorScheme, int& fontScheme, int& backgroundImageCode,
                                 TAbstractDBConnection& connection)
{
    colorScheme = fontScheme = backgroundImageCode = 0;
    const std::string key = RunKey("schemes " + Decimal(itemId), connection);
    std::unique_ptr<TAbstractCObject> object;
    const auto member = [&](const char* name) {
        return RunValue(key + name, [&] {
            if (!object) {
                object = catalog_.GetObjectFactory().GetObject(itemId, kMasterTemplateClass, connection, "");
                if (!object)
                    return 0;
                object->Load();
            }
            return object->GetLangInteger(name, kNoLanguageCode, 0);
        });
    };
    colorScheme = member("ColorScheme");
    fontScheme = member("FontScheme");
    backgroundImageCode = member("BackgroundImageCode");
}

int TTemplates::GetCountOnPage(int bodyTemplateId, TAbstractDBConnection& connection)
{
    return RunValue(RunKey("count on page " + Decimal(bodyTemplateId), connection), [&] {
        return ReadCountOnPage(bodyTemplateId, connection);
    });
}

int TTemplates::ReadCountOnPage(int bodyTemplateId, TAbstractDBConnection& connection)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                  Decimal(bodyTemplateId) + " AND ClassId = " + Decimal(kBodyTemplateClass) + " AND MemberId = 1");
    query->SetParam("CatalogCode", catalog_.GetCatalogCode());
    const int count = ToInteger(FirstRowField(query, "NumberValue"));
    return count == 0 ? 9 : count;
}
