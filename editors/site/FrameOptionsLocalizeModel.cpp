#include "editors/site/options/FrameOptionsLocalizeModel.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Translation.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/References.h"

#include <algorithm>

namespace {

constexpr int kLanguagesItemId = 601;
constexpr int kCurrency = 706;
constexpr int kWeightUnit = 724;
constexpr int kDimensionUnit = 725;

TFrameOptionsLocalizeModel::TLanguageRow Row(const std::string& code, bool isDefault)
{
    TReferences& references = RootObject->References();
    // The references keep native names as decimal character references.
    return {code, TTranslation::OrEnglish(Translation).Translate(references.GetLanguageName(code)),
            TCommonFunctions::DecodeCharRefs(references.GetLanguageNativeName(code)), isDefault};
}

}  // namespace

void TFrameOptionsLocalizeModel::Load()
{
    rows_.clear();
    modified_ = false;
    if (TAbstractCObject* languages = context_.Objects.GetObject(kLanguagesItemId, "Languages")) {
        std::vector<std::string> codes;
        languages->GetValues("LangCode", nullptr, codes);
        const std::string defaultCode = languages->GetString("DefaultLangCode", 0);
        bool marked = false;
        for (const std::string& code : codes) {
            const bool isDefault = !marked && common_detail::SameText(code, defaultCode);
            marked = marked || isDefault;
            rows_.push_back(Row(code, isDefault));
        }
        if (!marked && !rows_.empty())
            rows_.front().IsDefault = true;
    }
    SortRows();
    currency_ = writes_.GetCatalogOption(kCurrency);
    weightUnit_ = writes_.GetCatalogOption(kWeightUnit);
    dimensionUnit_ = writes_.GetCatalogOption(kDimensionUnit);
}

void TFrameOptionsLocalizeModel::SortRows()
{
    std::stable_sort(rows_.begin(), rows_.end(),
                     [](const TLanguageRow& a, const TLanguageRow& b) { return a.Caption < b.Caption; });
}

bool TFrameOptionsLocalizeModel::CanAdd(const std::string& code) { return !code.empty() && code != "XXX"; }

std::string TFrameOptionsLocalizeModel::Add(const std::string& code)
{
    if (!CanAdd(code))
        return std::string();
    for (const TLanguageRow& row : rows_)
        if (common_detail::SameText(row.Code, code))
            return TTranslation::OrEnglish(Translation).Translate("The language already available");
    rows_.push_back(Row(common_detail::UpperCase(code), rows_.empty()));
    SortRows();
    modified_ = true;
    return std::string();
}

void TFrameOptionsLocalizeModel::Remove(int row)
{
    if (!CanRemove(row))
        return;
    const bool wasDefault = rows_[row].IsDefault;
    rows_.erase(rows_.begin() + row);
    if (wasDefault)
        rows_.front().IsDefault = true;
    modified_ = true;
}

bool TFrameOptionsLocalizeModel::CanSetDefault(int row) const
{
    return row >= 0 && row < static_cast<int>(rows_.size()) && !rows_[row].IsDefault;
}

void TFrameOptionsLocalizeModel::SetDefault(int row)
{
    if (!CanSetDefault(row))
        return;
    for (TLanguageRow& entry : rows_)
        entry.IsDefault = false;
    rows_[row].IsDefault = true;
    modified_ = true;
}

std::string TFrameOptionsLocalizeModel::DefaultLanguage() const
{
    for (const TLanguageRow& row : rows_)
        if (row.IsDefault)
            return row.Code;
    return std::string();
}

void TFrameOptionsLocalizeModel::SetCurrency(const std::string& code)
{
    currency_ = code;
    modified_ = true;
}

void TFrameOptionsLocalizeModel::SetWeightUnit(const std::string& id)
{
    weightUnit_ = id;
    modified_ = true;
}

void TFrameOptionsLocalizeModel::SetDimensionUnit(const std::string& id)
{
    dimensionUnit_ = id;
    modified_ = true;
}

bool TFrameOptionsLocalizeModel::Store()
{
    if (!modified_)
        return false;
    writes_.SetCatalogOption(kCurrency, currency_);
    writes_.SetCatalogOption(kDimensionUnit, dimensionUnit_);
    writes_.SetCatalogOption(kWeightUnit, weightUnit_);
    if (TAbstractCObject* languages = context_.Objects.GetObject(kLanguagesItemId, "Languages")) {
        languages->ClearMember("LangCode", "");
        for (std::size_t i = 0; i < rows_.size(); ++i)
            languages->SetString("LangCode", rows_[i].Code, static_cast<int>(i));
        languages->SetString("DefaultLangCode", DefaultLanguage(), 0);
    }
    modified_ = false;
    return true;
}
