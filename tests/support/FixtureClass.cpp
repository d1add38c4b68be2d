#include "support/FixtureClass.h"

#include "common/CommonFunctionsDetail.h"
#include "storage/CatalogTables.h"

#include <algorithm>
#include <cstdio>

TFixtureClass::TFixtureClass(int classId, std::string classXmlTag) : classId_(classId), tag_(std::move(classXmlTag)) {}

TFixtureClass& TFixtureClass::Member(int memberId, const std::string& tag, int type, std::uint8_t flags,
                                     const std::string& initValue, const std::string& additionalText)
{
    TMember member;
    member.id = memberId;
    member.tag = tag;
    member.type = type;
    member.flags = flags;
    member.initValue = initValue;
    member.additionalText = additionalText;
    members_.push_back(std::move(member));
    return *this;
}

TFixtureClass& TFixtureClass::ListValue(int memberId, const std::string& code, const std::string& lang,
                                        const std::string& text, const std::string& addText)
{
    for (TMember& member : members_)
        if (member.id == memberId) {
            member.listValues.push_back(code + "-" + lang + "=" + text);
            if (!addText.empty())
                member.addListValues.push_back(code + "-" + lang + "=" + addText);
        }
    return *this;
}

const TFixtureClass::TMember* TFixtureClass::Find(int memberId) const
{
    for (const TMember& member : members_)
        if (member.id == memberId)
            return &member;
    return nullptr;
}

bool TFixtureClass::HasType(int low, int high) const
{
    return std::any_of(members_.begin(), members_.end(),
                       [&](const TMember& m) { return m.type >= low && m.type <= high; });
}

int TFixtureClass::GetMemberType(int memberId) const
{
    const TMember* member = Find(memberId);
    return member ? member->type : 0;
}

std::uint8_t TFixtureClass::GetMemberFlags(int memberId) const
{
    const TMember* member = Find(memberId);
    return member ? member->flags : 0;
}

int TFixtureClass::GetMemberId(const std::string& name) const
{
    int number = 0;
    if (std::sscanf(name.c_str(), "%d", &number) == 1 && number != 0 && std::to_string(number) == name)
        return number;
    for (const TMember& member : members_)
        if (member.tag == name)
            return member.id;
    return 0;
}

int TFixtureClass::GetMemberIdByIndex(int index) const
{
    return index >= 0 && index < GetMemberCount() ? members_[static_cast<std::size_t>(index)].id : -1;
}

std::string TFixtureClass::GetMemberXmlTag(int memberId) const
{
    const TMember* member = Find(memberId);
    return member ? member->tag : std::string();
}

std::string TFixtureClass::GetAdditionalText(int memberId) const
{
    const TMember* member = Find(memberId);
    return member ? member->additionalText : std::string();
}

std::string TFixtureClass::GetInitValue(int memberId) const
{
    const TMember* member = Find(memberId);
    return member ? member->initValue : std::string();
}

void TFixtureClass::FillListChoices(int memberId, const std::string& lang, std::vector<std::string>& list)
{
    list.clear();
    const TMember* member = Find(memberId);
    if (!member || !(member->flags & mfIsList))
        return;
    const std::string wanted = (member->flags & mfIsMultiLang) ? lang : kNoLanguageCode;
    for (const std::string& line : member->listValues) {
        const std::size_t dash = line.rfind('-', line.find('='));
        if (line.substr(dash + 1, line.find('=') - dash - 1) == wanted)
            list.push_back(line.substr(0, dash) + line.substr(line.find('=')));
    }
}

std::string TFixtureClass::LineValue(const std::vector<std::string>& lines, const std::string& name)
{
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (common_detail::SameText(line.substr(0, equals), name))
            return line.substr(equals + 1);
    }
    return {};
}

std::string TFixtureClass::GetListText(int memberId, const std::string& lang, const std::string& code)
{
    const TMember* member = Find(memberId);
    if (!member)
        return {};
    const std::string text = LineValue(member->listValues, code + "-" + lang);
    return text.empty() ? LineValue(member->listValues, code + "-" + kNoLanguageCode) : text;
}

const std::vector<std::string>& TFixtureClass::GetListValues(int memberId)
{
    const TMember* member = Find(memberId);
    return member ? member->listValues : none_;
}

std::string TFixtureClass::GetAddListText(int memberId, const std::string& lang, const std::string& code)
{
    const TMember* member = Find(memberId);
    if (!member)
        return {};
    const std::string text = LineValue(member->addListValues, code + "-" + lang);
    return text.empty() ? LineValue(member->addListValues, code + "-" + kNoLanguageCode) : text;
}

const std::vector<std::string>& TFixtureClass::GetAddListValues(int memberId)
{
    const TMember* member = Find(memberId);
    return member ? member->addListValues : none_;
}
