// TTolvexObject: reading, setting and removing member values in memory,
// with the fallbacks of language-dependent members.
#include "storage/TolvexObject.h"

#include "storage/AbstractCatalog.h"
#include "common/MemberTypes.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractCItem.h"
#include "storage/CatalogTables.h"
#include "storage/MemberValueText.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>

namespace {

constexpr const char* kDefaultPassCode = "DEF";

bool IsNoOrDefaultPass(const std::string& lang)
{
    return lang == kNoLanguageCode || lang == kDefaultPassCode;
}

template <class TValue>
TValue* Find(std::vector<TValue>& list, int memberId, const std::string& lang, int index)
{
    for (TValue& value : list)
        if (value.MemberId == memberId && value.IndexId == index && value.LangCode == lang)
            return &value;
    return nullptr;
}

template <class TValue>
bool HasMemberValue(const std::vector<TValue>& list, int memberId, const std::string& lang)
{
    return std::any_of(list.begin(), list.end(),
                       [&](const TValue& v) { return v.MemberId == memberId && v.LangCode == lang; });
}

// Removes the values that Match selects; true when one was removed.
template <class TValue, class TMatch>
bool RemoveValues(std::vector<TValue>& list, TMatch match)
{
    const auto end = std::remove_if(list.begin(), list.end(), match);
    const bool removed = end != list.end();
    list.erase(end, list.end());
    return removed;
}

template <class TValue>
bool SwapIndexes(std::vector<TValue>& list, int memberId, int index1, int index2)
{
    bool changed = false;
    for (TValue& value : list) {
        if (value.MemberId != memberId)
            continue;
        if (value.IndexId == index1) {
            value.IndexId = index2;
            changed = true;
        } else if (value.IndexId == index2) {
            value.IndexId = index1;
            changed = true;
        }
    }
    if (changed)
        std::stable_sort(list.begin(), list.end(), [](const TValue& a, const TValue& b) {
            return a.MemberId != b.MemberId ? a.MemberId < b.MemberId : a.IndexId < b.IndexId;
        });
    return changed;
}

template <class TValue>
int HighestIndexPlusOne(const std::vector<TValue>& list, int memberId, const std::string& lang)
{
    int next = 0;
    for (const TValue& value : list)
        if (value.MemberId == memberId && value.LangCode == lang)
            next = std::max(next, value.IndexId + 1);
    return next;
}

}  // namespace

TMemberStringValue* TTolvexObject::FindString(int memberId, const std::string& lang, int index)
{
    return Find(stringValues_, memberId, lang, index);
}

TMemberNumberValue* TTolvexObject::FindNumber(int memberId, const std::string& lang, int index)
{
    return Find(numberValues_, memberId, lang, index);
}

int TTolvexObject::NextIndex(int memberId, const std::string& lang, bool numbers) const
{
    return numbers ? HighestIndexPlusOne(numberValues_, memberId, lang)
                   : HighestIndexPlusOne(stringValues_, memberId, lang);
}

// ---- reading ---------------------------------------------------------------------

std::string TTolvexObject::LookupString(int memberId, const std::string& lang, int index)
{
    const TKey key = Normalise(memberId, lang, index);
    const TMemberStringValue* value = FindString(memberId, key.lang, key.index);
    return value ? value->Value : std::string();
}

std::string TTolvexObject::StringWithInitValue(int memberId, const std::string& result)
{
    if (!result.empty() || (MemberFlags(memberId) & mfIsMultiple) || !classDefinition_)
        return result;
    return classDefinition_->GetInitValue(memberId);
}

std::string TTolvexObject::GetStringById(int memberId, const std::string& lang, int index)
{
    if (memberId == 0)
        return {};
    LoadIfNeeded();
    std::string result = LookupString(memberId, lang, index);
    const std::uint8_t flags = MemberFlags(memberId);
    if (result.empty() && (flags & mfUseDefLangForNull) && (flags & mfIsMultiLang)) {
        // Fallback lookups end with the InitValue, so a member that is not
        // multiple and has one never reaches "XXX".
        const std::string defaultLang = context_.GetDefaultLangCode();
        if (lang != defaultLang)
            result = StringWithInitValue(memberId, LookupString(memberId, defaultLang, index));
        if (result.empty() && lang != kNoLanguageCode)
            result = StringWithInitValue(memberId, LookupString(memberId, kNoLanguageCode, index));
    }
    return StringWithInitValue(memberId, result);
}

double TTolvexObject::GetNumberById(int memberId, const std::string& lang, int index)
{
    if (memberId == 0)
        return 0;
    LoadIfNeeded();
    const TKey key = Normalise(memberId, lang, index);
    const TMemberNumberValue* value = FindNumber(memberId, key.lang, key.index);
    double result = value ? value->Value : 0;
    const std::uint8_t flags = MemberFlags(memberId);
    if (result == 0 && (flags & mfUseDefLangForNull) && (flags & mfIsMultiLang)) {
        const std::string defaultLang = context_.GetDefaultLangCode();
        if (lang != defaultLang)
            result = GetNumberById(memberId, defaultLang, index);
    }
    if (result == 0 && !(flags & mfIsMultiple) && classDefinition_)
        result = TMemberValueText::ReadFloat(classDefinition_->GetInitValue(memberId));
    return result;
}

int TTolvexObject::GetIntegerById(int memberId, const std::string& lang, int index)
{
    return TMemberValueText::TruncateToInt(GetNumberById(memberId, lang, index));
}

bool TTolvexObject::GetBooleanById(int memberId, const std::string& lang, int index)
{
    return GetIntegerById(memberId, lang, index) != 0;
}

bool TTolvexObject::HasValueById(int memberId, const std::string& lang)
{
    if (memberId == 0)
        return false;
    LoadIfNeeded();
    const std::string normalised = NormaliseLang(memberId, lang);
    return MemberType(memberId) >= kFirstIntegerMemberType ? HasMemberValue(numberValues_, memberId, normalised)
                                                           : HasMemberValue(stringValues_, memberId, normalised);
}

bool TTolvexObject::IsDefaultLangValueById(int memberId, const std::string& langCode, int index)
{
    const std::string lang = NormalLangCode(langCode);
    if (memberId == 0 || lang == context_.GetDefaultLangCode() || !(MemberFlags(memberId) & mfUseDefLangForNull))
        return false;
    LoadIfNeeded();
    if (!(MemberFlags(memberId) & mfIsMultiple))
        index = 0;
    if (MemberType(memberId) >= kFirstIntegerMemberType) {
        const TMemberNumberValue* value = FindNumber(memberId, lang, index);
        return !value || value->Value == 0;
    }
    const TMemberStringValue* value = FindString(memberId, lang, index);
    return !value || value->Value.empty();
}

std::string TTolvexObject::NumberText(const TMemberNumberValue& value) const
{
    const int type = value.MemberType;
    if (type > kFirstIntegerMemberType && type <= kLastIntegerMemberType)
        return std::to_string(TMemberValueText::TruncateToInt(value.Value));
    if (type == kFractionNumberMemberType || type == kAmountMemberType)
        return TMemberValueText::FormatGeneral(value.Value);
    return TMemberValueText::FormatShortDate(value.Value);
}

void TTolvexObject::GetValuesById(int memberId, const std::string& lang, std::vector<std::string>* indexes,
                                  std::vector<std::string>& values)
{
    values.clear();
    if (indexes)
        indexes->clear();
    if (memberId == 0)
        return;
    LoadIfNeeded();
    const std::string normalised = NormaliseLang(memberId, lang);
    auto addIndex = [&](int index) {
        if (indexes)
            indexes->push_back(std::to_string(index));
    };
    if (MemberType(memberId) < kFirstIntegerMemberType) {
        for (const TMemberStringValue& value : stringValues_)
            if (value.MemberId == memberId && value.LangCode == normalised) {
                addIndex(value.IndexId);
                values.push_back(value.Value);
            }
        return;
    }
    for (const TMemberNumberValue& value : numberValues_)
        if (value.MemberId == memberId && value.LangCode == normalised) {
            addIndex(value.IndexId);
            const int type = value.MemberType;
            if ((type > kFirstIntegerMemberType && type <= kLastIntegerMemberType) ||
                type == kFractionNumberMemberType || type == kAmountMemberType || type > kFirstDateMemberType)
                values.push_back(NumberText(value));
        }
}

void TTolvexObject::GetValueIndexes(int memberId, const std::string& lang, std::vector<std::string>& list)
{
    LoadIfNeeded();
    list.clear();
    const std::string normalised = NormaliseLang(memberId, lang);
    if (MemberType(memberId) >= kFirstIntegerMemberType) {
        for (const TMemberNumberValue& value : numberValues_)
            if (value.MemberId == memberId && value.LangCode == normalised)
                list.push_back(std::to_string(value.IndexId));
    } else {
        for (const TMemberStringValue& value : stringValues_)
            if (value.MemberId == memberId && value.LangCode == normalised)
                list.push_back(std::to_string(value.IndexId));
    }
}

// ---- setting ---------------------------------------------------------------------

void TTolvexObject::SetStringById(int memberId, const std::string& lang, const std::string& value, int index)
{
    if (memberId == 0)
        return;
    LoadIfNeeded();
    const int type = MemberType(memberId);
    if (type >= kFirstIntegerMemberType)
        return;
    TKey key = Normalise(memberId, lang, index);
    if (TMemberStringValue* existing = FindString(memberId, key.lang, key.index)) {
        UpdateExistingString(*existing, memberId, key, value);
        return;
    }
    if (value.empty())
        return;
    const std::uint8_t flags = MemberFlags(memberId);
    if (flags & mfIsMultiple) {
        key.index = NextIndex(memberId, key.lang, false);
        if ((flags & mfIsUniqueInArray) &&
            std::any_of(stringValues_.begin(), stringValues_.end(), [&](const TMemberStringValue& v) {
                return v.MemberId == memberId && v.LangCode == key.lang && v.Value == value;
            }))
            return;
    }
    TMemberStringValue added;
    added.MemberId = memberId;
    added.MemberType = type;
    added.IndexId = key.index;
    added.LangCode = key.lang;
    added.Value = value;
    stringValues_.push_back(std::move(added));
    modified_ = true;
}

void TTolvexObject::UpdateExistingString(TMemberStringValue& value, int memberId, const TKey& key,
                                         const std::string& text)
{
    if (value.Value != text) {
        value.Value = text;
        modified_ = true;
    }
    const std::uint8_t flags = MemberFlags(memberId);
    if ((flags & mfIsMultiLang) && (flags & mfUseDefLangForNull))
        MirrorDefaultLanguage(memberId, key, text);
    if ((flags & mfIsMultiLang) && !IsNoOrDefaultPass(key.lang) && context_.GetOpenCatalog())
        ClearForeignLanguages(memberId, key.index);
}

// The default language's text shows through in the other languages: a
// language that repeats it stores the empty text, and "XXX" and "DEF"
// follow the default language.
void TTolvexObject::MirrorDefaultLanguage(int memberId, const TKey& key, const std::string& text)
{
    const std::string defaultLang = context_.GetDefaultLangCode();
    if (key.lang != defaultLang) {
        const TMemberStringValue* defaultValue = FindString(memberId, defaultLang, key.index);
        TMemberStringValue* value = FindString(memberId, key.lang, key.index);
        if (!defaultValue || !value)
            return;
        if (!IsNoOrDefaultPass(key.lang)) {
            if (text == defaultValue->Value)
                value->Value.clear();
        } else {
            value->Value = defaultValue->Value;
        }
        return;
    }
    for (TMemberStringValue& value : stringValues_)
        if (value.MemberId == memberId && value.IndexId == key.index && IsNoOrDefaultPass(value.LangCode))
            value.Value = text;
}

void TTolvexObject::ClearForeignLanguages(int memberId, int index)
{
    TAbstractCatalog* catalog = context_.GetOpenCatalog();
    for (TMemberStringValue& value : stringValues_)
        if (value.MemberId == memberId && value.IndexId == index && value.LangCode != kNoLanguageCode &&
            !catalog->HasLanguage(value.LangCode))
            value.Value.clear();
}

void TTolvexObject::SetNumberById(int memberId, const std::string& lang, double value, int index)
{
    if (memberId == 0)
        return;
    LoadIfNeeded();
    TKey key = Normalise(memberId, lang, index);
    if (TMemberNumberValue* existing = FindNumber(memberId, key.lang, key.index)) {
        if (existing->Value != value) {
            existing->Value = value;
            modified_ = true;
        }
        return;
    }
    if (value == 0)
        return;
    const std::uint8_t flags = MemberFlags(memberId);
    if (flags & mfIsMultiple) {
        key.index = NextIndex(memberId, key.lang, true);
        if ((flags & mfIsUniqueInArray) &&
            std::any_of(numberValues_.begin(), numberValues_.end(), [&](const TMemberNumberValue& v) {
                return v.MemberId == memberId && v.LangCode == key.lang && v.Value == value;
            }))
            return;
    }
    TMemberNumberValue added;
    added.MemberId = memberId;
    added.MemberType = MemberType(memberId);
    added.IndexId = key.index;
    added.LangCode = key.lang;
    added.Value = value;
    numberValues_.push_back(std::move(added));
    modified_ = true;
}

void TTolvexObject::SetBooleanById(int memberId, const std::string& lang, bool value, int index)
{
    SetNumberById(memberId, lang, value ? 1 : 0, index);
}

// ---- removing and reordering -------------------------------------------------------

void TTolvexObject::DeleteValueById(int memberId, const std::string& lang, int index)
{
    if (memberId == 0)
        return;
    LoadIfNeeded();
    const TKey key = Normalise(memberId, lang, index);
    auto atKey = [&](const TMemberValue& v) {
        return v.MemberId == memberId && v.LangCode == key.lang && v.IndexId == key.index;
    };
    const bool removed = MemberType(memberId) >= kFirstIntegerMemberType ? RemoveValues(numberValues_, atKey)
                                                                  : RemoveValues(stringValues_, atKey);
    if (removed)
        modified_ = true;
}

bool TTolvexObject::DeleteStringValueById(int memberId, const std::string& lang, const std::string& value, int)
{
    if (memberId == 0)
        return true;
    LoadIfNeeded();
    const std::string normalised = NormaliseLang(memberId, lang);
    if (RemoveValues(stringValues_, [&](const TMemberStringValue& v) {
            return v.MemberId == memberId && v.LangCode == normalised && v.Value == value;
        }))
        modified_ = true;
    return true;
}

bool TTolvexObject::DeleteNumberValueById(int memberId, const std::string& lang, double value, int)
{
    if (memberId == 0)
        return true;
    LoadIfNeeded();
    const std::string normalised = NormaliseLang(memberId, lang);
    for (std::size_t i = numberValues_.size(); i-- > 0;) {
        const TMemberNumberValue& candidate = numberValues_[i];
        if (candidate.MemberId != memberId || candidate.LangCode != normalised || candidate.Value != value)
            continue;
        if (candidate.MemberType == kSubObjectMemberType) {
            const int subInstanceId = TMemberValueText::TruncateToInt(candidate.Value);
            // A sub-object that cannot go keeps its reference, and so do the
            // remaining matches: no sub-object loses its rows while referred to.
            if (!DeleteSubObject(subInstanceId))
                return false;
            // The item would otherwise write the cached sub-object back.
            if (ownerItem_ && subInstanceId != instanceId_ && ownerItem_->FindObjectByInstance(subInstanceId))
                ownerItem_->DeleteObject(subInstanceId);
        }
        numberValues_.erase(numberValues_.begin() + static_cast<std::ptrdiff_t>(i));
        modified_ = true;
    }
    return true;
}

void TTolvexObject::ClearMemberById(int memberId, const std::string& lang)
{
    if (memberId == 0)
        return;
    LoadIfNeeded();
    const std::string target = lang.empty() ? lang : NormaliseLang(memberId, lang);
    auto inLanguage = [&](const TMemberValue& v) {
        return v.MemberId == memberId && (target.empty() || v.LangCode == target);
    };
    const bool removedNumbers = RemoveValues(numberValues_, inLanguage);
    const bool removedStrings = RemoveValues(stringValues_, inLanguage);
    if (removedNumbers || removedStrings)
        modified_ = true;
}

int TTolvexObject::GetValueCountById(int memberId, const std::string& lang)
{
    if (memberId == 0)
        return 0;
    LoadIfNeeded();
    const std::string normalised = NormaliseLang(memberId, lang);
    auto inLanguage = [&](const TMemberValue& v) { return v.MemberId == memberId && v.LangCode == normalised; };
    return static_cast<int>(MemberType(memberId) >= kFirstIntegerMemberType
                                ? std::count_if(numberValues_.begin(), numberValues_.end(), inLanguage)
                                : std::count_if(stringValues_.begin(), stringValues_.end(), inLanguage));
}

void TTolvexObject::ExchangeIndexesById(int memberId, int index1, int index2)
{
    if (memberId == 0 || index1 == index2)
        return;
    LoadIfNeeded();
    const bool changed = MemberType(memberId) >= kFirstIntegerMemberType
                             ? SwapIndexes(numberValues_, memberId, index1, index2)
                             : SwapIndexes(stringValues_, memberId, index1, index2);
    if (changed)
        modified_ = true;
}
