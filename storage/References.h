#pragma once
// The fixed lists of the reference database: languages with their
// character sets, countries, currencies, units of measure and the typed,
// per-language value lists of the editors' choices. Every list is read on
// its first use and kept for the run.
#include "storage/AbstractReferences.h"
#include "storage/ConfiguredDatabase.h"

#include <memory>
#include <string>
#include <vector>

class TAbstractDBConnectionFactory;
class TAbstractRecordset;
class TGlobalSettings;

// One row of the table Languages, texts trimmed.
struct TLanguageRecord {
    std::string LanguageCode;
    std::string LanguageCode3;
    std::string LanguageName;
    std::string LanguageNameNative;
    std::string Charset;     // a Windows character-set name
    std::string WebCharset;  // the charset of generated pages
    int WinCodePage = 0;
};

// One row of the table AllReferences, texts trimmed.
struct TReferenceRecord {
    int RefType = 0;
    std::string LangCode;
    std::string RefCode;
    std::string RefValue;
};

// Reference types filled by the editors.
enum TReferenceType : int {
    rtDocumentClass = 1,
    rtDocumentRights = 2,
    rtCacheControl = 3,
    rtRating = 4,
    rtDocumentState = 5,
    rtDistribution = 6,
    rtDocumentType = 7,
    rtClassification = 8,
    rtRobots = 9,
    rtDialect = 10,
    rtCharset = 11,
    rtSeasons = 12,
    rtCities = 13,
    rtStates = 14,
    rtEBayCurrencies = 15,
};

class TReferences : public TAbstractReferences {
public:
    // Settings: the [References] settings (17 to 21); the database lies in
    // the "databases" folder of the program folder. Not owned.
    TReferences(const TGlobalSettings& settings, TDatabaseModuleCreator createModule);
    ~TReferences() override;
    TReferences(const TReferences&) = delete;
    TReferences& operator=(const TReferences&) = delete;

    // The reference database, opened on first use; EFatalTolvexException
    // "Cannot open reference database" when it cannot be opened.
    TAbstractDBConnectionFactory& GetReferencesDatabase();

    void LoadLanguages();
    const std::vector<TLanguageRecord>& GetLanguages();
    // The code is trimmed and upper-cased and found as LanguageCode or
    // LanguageCode3; an unknown code gives the empty text.
    std::string GetLanguageName(const std::string& code) override;
    std::string GetLanguageNativeName(const std::string& code) override;
    std::string GetLanguageCharset(const std::string& code) override;
    // "iso-8859-1" for an unknown code or an empty charset.
    std::string GetWebCharset(const std::string& code);
    void FillLanguages(std::vector<std::string>& list) override;

    // The list RefType in LangCode ("EN" when empty; compared exactly):
    // lines RefValue===RefCode with WithCodes, else RefCode=RefValue.
    void FillReferenceList(int refType, std::vector<std::string>& strings, bool withCodes,
                           const std::string& langCode);
    // Lines CountryCode=CountryName, ordered by name.
    const std::vector<std::string>& GetCountries();
    // Lines CurrencyCode=CurrencyName, ordered by name.
    const std::vector<std::string>& GetCurrencies();
    // Lines Id=UnitName: units of type 1, and all the others.
    const std::vector<std::string>& GetDimensionUnits();
    const std::vector<std::string>& GetWeightUnits();

private:
    const TLanguageRecord* FindLanguage(const std::string& code);
    void LoadReferences();
    void LoadUnits();
    // Lines Key=Value of the statement's rows, texts trimmed.
    std::vector<std::string> ReadLines(const std::string& sql, const std::string& keyField,
                                       const std::string& valueField);
    template <typename RowReader>
    void ReadRows(const std::string& sql, RowReader readRow);

    const TGlobalSettings& settings_;
    TDatabaseModuleCreator createModule_;

    std::vector<TLanguageRecord> languages_;
    bool languagesLoaded_ = false;
    std::vector<TReferenceRecord> references_;
    bool referencesLoaded_ = false;
    std::vector<std::string> currencies_;
    bool currenciesLoaded_ = false;
    std::vector<std::string> countries_;
    bool countriesLoaded_ = false;
    std::unique_ptr<TAbstractDBConnectionFactory> database_;
    std::vector<std::string> dimensionUnits_;
    std::vector<std::string> weightUnits_;
    bool unitsLoaded_ = false;
};
