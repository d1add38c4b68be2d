#include "editors/site/options/FrameInitEditorModel.h"

#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctionsDetail.h"
#include "common/WellKnownIds.h"
#include "editors/site/company/CompanyInfoModel.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/References.h"

#include <algorithm>

namespace {

constexpr int kCurrency = 706;
constexpr int kInitialised = 707;
constexpr int kLanguagesItemId = 601;
// "(Not specified)" of the references is no language for a catalog's data.
constexpr const char* kUnspecifiedLanguage = "XXX";

TFrameInitEditorModel::TChoices FromChoices(const std::vector<TCompanyInfoModel::TChoice>& choices)
{
    TFrameInitEditorModel::TChoices result;
    for (const TCompanyInfoModel::TChoice& choice : choices)
        result.emplace_back(choice.Caption, choice.Code);
    return result;
}

}  // namespace

TFrameInitEditorModel::TChoices TFrameInitEditorModel::LanguageChoices(bool withUnspecified)
{
    TChoices choices;
    for (const TLanguageRecord& language : RootObject->References().GetLanguages())
        if (withUnspecified || language.LanguageCode != kUnspecifiedLanguage)
            choices.emplace_back(language.LanguageName, language.LanguageCode);
    return choices;
}

TFrameInitEditorModel::TChoices TFrameInitEditorModel::CurrencyChoices()
{
    return FromChoices(TCompanyInfoModel::CodeNameChoices(RootObject->References().GetCurrencies()));
}

TFrameInitEditorModel::TChoices TFrameInitEditorModel::CountryChoices()
{
    return FromChoices(TCompanyInfoModel::Countries());
}

void TFrameInitEditorModel::Load()
{
    const TChoices languages = LanguageChoices();
    const std::string defaultCode = context_.Data.GetDefaultLangCode();
    const bool listed = std::any_of(languages.begin(), languages.end(), [&](const auto& choice) {
        return common_detail::SameText(choice.second, defaultCode);
    });
    language_ = listed ? common_detail::UpperCase(defaultCode) : languages.empty() ? "" : languages.front().second;
    currency_ = writes_.GetCatalogOption(kCurrency);
    if (TAbstractCObject* company = context_.Objects.GetObject(kCompanyItemId, "CommonCompanyInfo")) {
        country_ = company->GetLangString("CompanyCountry", context_.LangCode, 0);
        companyName_ = company->GetLangString("CompanyName", context_.LangCode, 0);
    }
}

bool TFrameInitEditorModel::Store()
{
    const std::string code = common_detail::UpperCase(common_detail::Trim(language_));
    if (TAbstractCObject* company = context_.Objects.GetObject(kCompanyItemId, "CommonCompanyInfo")) {
        // Also in the catalog's new language: written only in the language
        // being left, the name would not show once the catalog changed to it.
        for (const std::string& lang : {context_.LangCode, code}) {
            if (lang.empty())
                continue;
            company->SetLangString("CompanyCountry", lang, country_, 0);
            company->SetLangString("CompanyName", lang, companyName_, 0);
        }
    }
    writes_.SetCatalogOption(kInitialised, "yes");
    writes_.SetCatalogOption(kCurrency, currency_);
    TAbstractCObject* languages = context_.Objects.GetObject(kLanguagesItemId, "Languages");
    if (code.empty() || !languages)
        return false;
    std::vector<std::string> codes;
    languages->GetValues("LangCode", nullptr, codes);
    if (codes.size() <= 1) {
        languages->ClearMember("LangCode", "");
        codes.clear();
    }
    languages->SetString("DefaultLangCode", code, 0);
    // A language already in the list is not listed twice.
    if (std::none_of(codes.begin(), codes.end(), [&](const std::string& c) { return common_detail::SameText(c, code); }))
        languages->SetString("LangCode", code, static_cast<int>(codes.size()));
    return true;
}
