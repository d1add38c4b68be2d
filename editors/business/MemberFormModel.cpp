#include "editors/business/MemberFormModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/Amount.h"
#include "common/CaptionValue.h"
#include "common/CommonFunctionsDetail.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/MemberValueText.h"
#include "storage/References.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>
#include <cmath>

namespace {

const std::string kEmpty;
const std::vector<std::string> kNoCodes;

}  // namespace

std::vector<TMemberField::TChoice> CodeTextChoices(const std::vector<std::string>& lines)
{
    std::vector<TMemberField::TChoice> choices;
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            choices.push_back({line, line});
        else
            choices.push_back({line.substr(equals + 1), line.substr(0, equals)});
    }
    return choices;
}

std::vector<std::string> MemberListValues(const std::string& classTag, const std::string& member,
                                          const std::string& lang)
{
    std::vector<std::string> lines;
    if (!RootObject)
        return lines;
    TTolvexObjectContext& objects = RootObject->ObjectContext();
    if (TAbstractCClassDefinition* definition = objects.GetClassDefinition(objects.GetClassId(classTag)))
        definition->FillListChoices(definition->GetMemberId(member), lang, lines);
    return lines;
}

TMemberField MemberField(const char* control, const char* caption, const char* classTag, const char* member,
                         TMemberField::TKind kind)
{
    TMemberField field;
    field.Control = control;
    field.Caption = caption;
    field.ClassTag = classTag;
    field.Member = member;
    field.Kind = kind;
    return field;
}

TMemberFormModel::TMemberFormModel(const TSiteModelContext& context, std::vector<TMemberField> fields)
    : context_(context), fields_(std::move(fields)), itemId_(context.ItemId)
{
}

const TMemberField* TMemberFormModel::Field(const std::string& control) const
{
    const auto found =
        std::find_if(fields_.begin(), fields_.end(), [&](const TMemberField& field) { return field.Control == control; });
    return found == fields_.end() ? nullptr : &*found;
}

TAbstractCObject* TMemberFormModel::Object(const std::string& classTag) const
{
    return context_.Objects.GetObject(itemId_, classTag);
}

std::vector<TMemberField::TChoice> TMemberFormModel::Choices(const TMemberField& field) const
{
    std::vector<TMemberField::TChoice> choices;
    if (field.FirstChoice)
        choices.push_back(field.First);
    if (!field.Choices.empty()) {
        choices.insert(choices.end(), field.Choices.begin(), field.Choices.end());
    } else if (field.Currencies) {
        const auto currencies = CodeTextChoices(RootObject->References().GetCurrencies());
        choices.insert(choices.end(), currencies.begin(), currencies.end());
    } else if (!field.ChoicesOf.first.empty()) {
        auto listed =
            CodeTextChoices(MemberListValues(field.ChoicesOf.first, field.ChoicesOf.second, context_.LangCode));
        std::sort(listed.begin(), listed.end(),
                  [](const TMemberField::TChoice& a, const TMemberField::TChoice& b) { return a.Caption < b.Caption; });
        choices.insert(choices.end(), listed.begin(), listed.end());
    } else if (field.ReferenceList) {
        std::vector<std::string> lines;
        RootObject->References().FillReferenceList(field.ReferenceList, lines, true, context_.LangCode);
        for (const std::string& line : lines) {
            choices.push_back({CaptionValue::CaptionOf(line), CaptionValue::ValueOf(line)});
        }
    } else if (TAbstractCObject* object = Object(field.ClassTag)) {
        std::vector<std::string> lines;
        object->GetListChoices(field.Member, context_.LangCode, lines);
        // A list without texts in this language shows those of the default language, or English.
        for (const std::string& other : {context_.Data.GetDefaultLangCode(), std::string("EN")})
            if (lines.empty())
                object->GetListChoices(field.Member, other, lines);
        const auto listed = CodeTextChoices(lines);
        choices.insert(choices.end(), listed.begin(), listed.end());
    }
    return choices;
}

std::string TMemberFormModel::AmountText(double value)
{
    return value == 0 ? std::string() : TAmount::ToText(value);
}

void TMemberFormModel::Load()
{
    values_.clear();
    codes_.clear();
    changed_.clear();
    const std::string& lang = context_.LangCode;
    for (const TMemberField& field : fields_) {
        const bool shownElsewhere = !field.ShowFrom.first.empty();
        TAbstractCObject* object = Object(shownElsewhere ? field.ShowFrom.first : field.ClassTag);
        if (!object)
            continue;
        const std::string& member = shownElsewhere ? field.ShowFrom.second : field.Member;
        std::string& value = values_[field.Control];
        switch (field.Kind) {
        case TMemberField::Text:
        case TMemberField::Memo:
        case TMemberField::Choice:
            value = object->GetLangString(member, lang, 0);
            if (value.empty() && field.DefaultProperty)
                value = TCatalog::GetCatalogProperty(field.DefaultProperty, context_.Connection, context_.CatalogCode);
            break;
        case TMemberField::Integer:
            value = std::to_string(object->GetLangInteger(member, lang, 0));
            break;
        case TMemberField::NumberChoice: {
            // 0 is no code: nothing chosen.
            const int code = object->GetLangInteger(member, lang, 0);
            value = code == 0 ? std::string() : std::to_string(code);
            break;
        }
        case TMemberField::Amount:
            value = AmountText(object->GetLangNumber(member, lang, 0));
            break;
        case TMemberField::Boolean:
            value = object->GetLangBoolean(member, lang, 0) ? "1" : "0";
            break;
        case TMemberField::InvertedBoolean:
            value = object->GetLangBoolean(member, lang, 0) ? "0" : "1";
            break;
        case TMemberField::MultiChoice:
            object->GetLangValues(member, lang, nullptr, codes_[field.Control]);
            // Codes that stand for every language show the default language's where this one has none.
            if (field.EveryLanguage && codes_[field.Control].empty())
                object->GetLangValues(member, context_.Data.GetDefaultLangCode(), nullptr, codes_[field.Control]);
            break;
        }
    }
}

bool TMemberFormModel::HasObject(const std::string& control) const
{
    const TMemberField* field = Field(control);
    return field && Object(field->ClassTag) != nullptr;
}

const std::string& TMemberFormModel::Value(const std::string& control) const
{
    const auto found = values_.find(control);
    return found == values_.end() ? kEmpty : found->second;
}

const std::vector<std::string>& TMemberFormModel::Codes(const std::string& control) const
{
    const auto found = codes_.find(control);
    return found == codes_.end() ? kNoCodes : found->second;
}

void TMemberFormModel::SetValue(const std::string& control, const std::string& value)
{
    values_[control] = value;
    changed_.insert(control);
}

void TMemberFormModel::SetCodes(const std::string& control, std::vector<std::string> codes)
{
    codes_[control] = std::move(codes);
    changed_.insert(control);
}

void TMemberFormModel::Store(bool onlyChanged)
{
    if (context_.LangCode.empty())
        return;
    for (const TMemberField& field : fields_)
        if ((!onlyChanged && !field.OnlyWhenChanged) || Changed(field.Control))
            StoreField(field);
}

void TMemberFormModel::StoreField(const TMemberField& field)
{
    const std::string& lang = context_.LangCode;
    std::vector<std::pair<std::string, std::string>> targets{{field.ClassTag, field.Member}};
    targets.insert(targets.end(), field.StoreAlso.begin(), field.StoreAlso.end());
    const std::string& value = Value(field.Control);
    for (const auto& [classTag, member] : targets) {
        TAbstractCObject* object = Object(classTag);
        if (!object)
            continue;
        switch (field.Kind) {
        case TMemberField::Text:
        case TMemberField::Memo:
        case TMemberField::Choice:
            object->SetLangString(member, lang, field.Trimmed ? common_detail::Trim(value) : value, 0);
            break;
        case TMemberField::Integer:
        case TMemberField::NumberChoice:
            object->SetLangNumber(member, lang, TMemberValueText::ReadInteger(value), 0);
            break;
        case TMemberField::Amount:
            object->SetLangNumber(member, lang, TAmount::ReadOrZero(value), 0);
            break;
        case TMemberField::Boolean:
        case TMemberField::InvertedBoolean:
            object->SetLangBoolean(member, lang, (value == "1") == (field.Kind == TMemberField::Boolean), 0);
            break;
        case TMemberField::MultiChoice: {
            std::vector<std::string> languages{lang};
            if (field.EveryLanguage)
                for (const std::string& other : context_.Data.GetLanguages()) {
                    std::vector<std::string> held;
                    object->GetLangValues(member, other, nullptr, held);
                    if (!held.empty() && std::find(languages.begin(), languages.end(), other) == languages.end())
                        languages.push_back(other);
                }
            if (field.EveryLanguage)
                object->ClearMember(member, "");
            for (const std::string& language : languages) {
                object->ClearMember(member, language);
                for (const std::string& code : Codes(field.Control))
                    object->SetLangString(member, language, code, -1);
            }
            break;
        }
        }
    }
}
