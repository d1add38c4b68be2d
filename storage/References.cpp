#include "storage/References.h"

#include "common/CommonFunctionsDetail.h"
#include "common/GlobalSettings.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

namespace {

std::string TrimmedText(const TAbstractRecordset& rows, const std::string& field)
{
    return common_detail::Trim(FieldText(rows, field));
}

}  // namespace

TReferences::TReferences(const TGlobalSettings& settings, TDatabaseModuleCreator createModule)
    : settings_(settings), createModule_(std::move(createModule))
{
}

TReferences::~TReferences() = default;

TAbstractDBConnectionFactory& TReferences::GetReferencesDatabase()
{
    if (!database_)
        database_ = OpenConfiguredDatabase(createModule_, settings_.IniSettings(), siReferencesDatabaseType,
                                           DatabasesFolder(settings_.AppDir()), "Cannot open reference database");
    return *database_;
}

template <typename RowReader>
void TReferences::ReadRows(const std::string& sql, RowReader readRow)
{
    TQueryGuard query(GetReferencesDatabase().GetConnection());
    query->SetSQL(sql);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        readRow(rows);
}

std::vector<std::string> TReferences::ReadLines(const std::string& sql, const std::string& keyField,
                                                const std::string& valueField)
{
    std::vector<std::string> lines;
    ReadRows(sql, [&](const TAbstractRecordset& rows) {
        lines.push_back(TrimmedText(rows, keyField) + "=" + TrimmedText(rows, valueField));
    });
    return lines;
}

// ---- languages ----------------------------------------------------------------------

void TReferences::LoadLanguages()
{
    if (languagesLoaded_)
        return;
    std::vector<TLanguageRecord> languages;
    ReadRows("SELECT * FROM Languages ORDER BY LanguageName", [&](const TAbstractRecordset& rows) {
        languages.push_back({TrimmedText(rows, "LanguageCode"), TrimmedText(rows, "LanguageCode3"),
                             TrimmedText(rows, "LanguageName"), TrimmedText(rows, "LanguageNameNative"),
                             TrimmedText(rows, "Charset"), TrimmedText(rows, "WebCharset"),
                             FieldInteger(rows, "WinCodePage")});
    });
    languages_ = std::move(languages);
    languagesLoaded_ = true;
}

const std::vector<TLanguageRecord>& TReferences::GetLanguages()
{
    LoadLanguages();
    return languages_;
}

const TLanguageRecord* TReferences::FindLanguage(const std::string& code)
{
    LoadLanguages();
    const std::string wanted = common_detail::UpperCase(common_detail::Trim(code));
    for (const TLanguageRecord& language : languages_)
        if (language.LanguageCode == wanted || language.LanguageCode3 == wanted)
            return &language;
    return nullptr;
}

std::string TReferences::GetLanguageName(const std::string& code)
{
    const TLanguageRecord* language = FindLanguage(code);
    return language ? language->LanguageName : std::string();
}

std::string TReferences::GetLanguageNativeName(const std::string& code)
{
    const TLanguageRecord* language = FindLanguage(code);
    return language ? language->LanguageNameNative : std::string();
}

std::string TReferences::GetLanguageCharset(const std::string& code)
{
    const TLanguageRecord* language = FindLanguage(code);
    return language ? language->Charset : std::string();
}

std::string TReferences::GetWebCharset(const std::string& code)
{
    const TLanguageRecord* language = FindLanguage(code);
    return language && !language->WebCharset.empty() ? language->WebCharset : "iso-8859-1";
}

void TReferences::FillLanguages(std::vector<std::string>& list)
{
    list.clear();
    for (const TLanguageRecord& language : GetLanguages())
        list.push_back(language.LanguageName + "===" + language.LanguageCode);
}

// ---- typed value lists ------------------------------------------------------------

void TReferences::LoadReferences()
{
    if (referencesLoaded_)
        return;
    std::vector<TReferenceRecord> references;
    ReadRows("SELECT * FROM AllReferences ORDER BY LangCode, OrderNum, RefValue",
             [&](const TAbstractRecordset& rows) {
                 references.push_back({FieldInteger(rows, "RefType"), TrimmedText(rows, "LangCode"),
                                       TrimmedText(rows, "RefCode"), TrimmedText(rows, "RefValue")});
             });
    references_ = std::move(references);
    referencesLoaded_ = true;
}

void TReferences::FillReferenceList(int refType, std::vector<std::string>& strings, bool withCodes,
                                    const std::string& langCode)
{
    strings.clear();
    LoadReferences();
    const std::string language = langCode.empty() ? "EN" : langCode;
    for (const TReferenceRecord& reference : references_) {
        if (reference.RefType != refType || reference.LangCode != language)
            continue;
        strings.push_back(withCodes ? reference.RefValue + "===" + reference.RefCode
                                    : reference.RefCode + "=" + reference.RefValue);
    }
}

// ---- countries, currencies, units -------------------------------------------------

const std::vector<std::string>& TReferences::GetCountries()
{
    if (!countriesLoaded_) {
        countries_ = ReadLines("SELECT * FROM Countries ORDER BY CountryName", "CountryCode", "CountryName");
        countriesLoaded_ = true;
    }
    return countries_;
}

const std::vector<std::string>& TReferences::GetCurrencies()
{
    if (!currenciesLoaded_) {
        currencies_ = ReadLines("SELECT * FROM Currencies ORDER BY CurrencyName", "CurrencyCode", "CurrencyName");
        currenciesLoaded_ = true;
    }
    return currencies_;
}

void TReferences::LoadUnits()
{
    if (unitsLoaded_)
        return;
    std::vector<std::string> dimensions;
    std::vector<std::string> weights;
    ReadRows("SELECT * FROM Units ORDER BY OrderNum", [&](const TAbstractRecordset& rows) {
        const std::string line = TrimmedText(rows, "Id") + "=" + TrimmedText(rows, "UnitName");
        (FieldInteger(rows, "UnitType") == 1 ? dimensions : weights).push_back(line);
    });
    dimensionUnits_ = std::move(dimensions);
    weightUnits_ = std::move(weights);
    unitsLoaded_ = true;
}

const std::vector<std::string>& TReferences::GetDimensionUnits()
{
    LoadUnits();
    return dimensionUnits_;
}

const std::vector<std::string>& TReferences::GetWeightUnits()
{
    LoadUnits();
    return weightUnits_;
}
