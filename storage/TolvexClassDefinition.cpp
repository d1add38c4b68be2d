#include "storage/TolvexClassDefinition.h"

#include "common/ClassMember.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/MemberTypes.h"
#include "storage/CatalogTables.h"
#include "storage/DatabaseResolver.h"
#include "storage/NameValueLines.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <libxml/tree.h>

#include <atomic>
#include <charconv>

namespace {

const std::vector<std::string>& NoLines()
{
    static const std::vector<std::string> empty;
    return empty;
}

xmlNode* AppendElement(xmlNode* parent, const std::string& name)
{
    xmlNode* element = xmlNewDocNode(parent->doc, nullptr, BAD_CAST name.c_str(), nullptr);
    return xmlAddChild(parent, element);
}

void SetAttribute(xmlNode* element, const char* name, const std::string& value)
{
    xmlSetProp(element, BAD_CAST name, BAD_CAST value.c_str());
}

// The value of the line Code-Lang, else of Code-XXX.
std::string ListText(const std::vector<std::string>& lines, const std::string& lang, const std::string& code)
{
    std::string text = ValueOfName(lines, code + "-" + lang);
    return text.empty() ? ValueOfName(lines, code + "-" + kNoLanguageCode) : text;
}

// A member's statement: the database prefix before the first colon, the
// statement after it; without a colon the whole text, on the open catalog.
void SplitSqlText(const std::string& sqlText, std::string& prefix, std::string& statement)
{
    std::size_t colon = sqlText.find(':');
    prefix = colon == std::string::npos ? std::string() : sqlText.substr(0, colon);
    statement = colon == std::string::npos ? sqlText : sqlText.substr(colon + 1);
}

}  // namespace

TTolvexClassDefinition::TTolvexClassDefinition(int classId, std::string classXmlTag, TDatabaseResolver* databases)
    : classId_(classId), classXmlTag_(std::move(classXmlTag)), databases_(databases)
{
}

TTolvexClassDefinition::~TTolvexClassDefinition() = default;

TDatabaseResolver& TTolvexClassDefinition::Databases() const
{
    if (!databases_)
        throw EDeveloperTolvexException("The class definition has no databases");
    return *databases_;
}

// ---- members ----------------------------------------------------------------------

void TTolvexClassDefinition::AddMember(std::unique_ptr<TClassMember> member)
{
    const int type = member->MemberType;
    if (type <= kLastStringMemberType)
        hasStrings_ = true;
    else if (type <= kLastTextMemberType)
        hasTexts_ = true;
    else if (type <= kLastFloatMemberType)
        hasNumbers_ = true;
    else if (type <= kLastDateMemberType)
        hasDates_ = true;
    else if (type <= kLastBinaryMemberType)
        hasBinary_ = true;
    members_.push_back(std::move(member));
}

TClassMember* TTolvexClassDefinition::Member(int memberId) const
{
    if (memberId == 0)
        return nullptr;
    for (const auto& member : members_)
        if (member->MemberId == memberId)
            return member.get();
    return nullptr;
}

const TClassMember* TTolvexClassDefinition::FindMember(int memberId) const
{
    return Member(memberId);
}

int TTolvexClassDefinition::GetMemberType(int memberId) const
{
    const TClassMember* member = Member(memberId);
    return member ? member->MemberType : 0;
}

std::uint8_t TTolvexClassDefinition::GetMemberFlags(int memberId) const
{
    const TClassMember* member = Member(memberId);
    return member ? member->Flags : 0;
}

int TTolvexClassDefinition::GetMemberId(const std::string& name) const
{
    int number = 0;
    auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (error == std::errc() && end == name.data() + name.size() && number != 0)
        return number;
    for (const auto& member : members_)
        if (member->MemberXmlTag == name)
            return member->MemberId;
    return 0;
}

int TTolvexClassDefinition::GetMemberIdByIndex(int index) const
{
    if (index < 0 || index >= GetMemberCount())
        return -1;
    return members_[static_cast<std::size_t>(index)]->MemberId;
}

std::string TTolvexClassDefinition::GetMemberXmlTag(int memberId) const
{
    const TClassMember* member = Member(memberId);
    return member ? member->MemberXmlTag : std::string();
}

std::string TTolvexClassDefinition::GetAdditionalText(int memberId) const
{
    const TClassMember* member = Member(memberId);
    return member ? member->AdditionalText : std::string();
}

std::string TTolvexClassDefinition::GetInitValue(int memberId) const
{
    const TClassMember* member = Member(memberId);
    return member ? member->InitValue : std::string();
}

std::recursive_mutex& TTolvexClassDefinition::ReadLock()
{
    static std::recursive_mutex lock;
    return lock;
}

// ---- messages -----------------------------------------------------------------------

void TTolvexClassDefinition::LoadMessages()
{
    std::lock_guard<std::recursive_mutex> hold(ReadLock());
    if (std::atomic_ref<bool>(messagesLoaded_).load(std::memory_order_acquire))
        return;
    TQueryGuard query(Databases().ConnectionFor(kCatalogsPrefix));
    query->SetSQL("SELECT * FROM GlobalClassMessages WHERE ClassId = " + std::to_string(classId_));
    std::vector<std::string> messages;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        messages.push_back(FieldText(rows, "MemberId") + "-" + FieldText(rows, "LangCode") + "-" +
                           FieldText(rows, "MessageType") + "=" + FieldText(rows, "MessageValue"));
    messages_ = std::move(messages);
    std::atomic_ref<bool>(messagesLoaded_).store(true, std::memory_order_release);
}

std::string TTolvexClassDefinition::GetMessage(int memberId, int messageType, const std::string& lang)
{
    if (!std::atomic_ref<bool>(messagesLoaded_).load(std::memory_order_acquire))
        LoadMessages();
    for (const std::string& language : {lang, std::string(kNoLanguageCode), std::string("EN")}) {
        const std::string name = std::to_string(memberId).append("-").append(language).append("-").append(
            std::to_string(messageType));
        std::string message = ValueOfName(messages_, name);
        if (!message.empty())
            return message;
    }
    return {};
}

// ---- list values ----------------------------------------------------------------------

void TTolvexClassDefinition::FillListChoices(int memberId, const std::string& lang, std::vector<std::string>& list)
{
    list.clear();
    const TClassMember* member = Member(memberId);
    if (!member || !(member->Flags & mfIsList))
        return;
    std::lock_guard<std::recursive_mutex> hold(ReadLock());
    TQueryGuard query(Databases().ConnectionFor(kCatalogsPrefix));
    query->SetSQL("SELECT * FROM GlobalClassMemberList WHERE ClassId = " + std::to_string(classId_) +
                  " AND MemberId = " + std::to_string(memberId) + " AND LangCode = :LangCode ORDER BY OrderNum");
    query->SetParam("LangCode", (member->Flags & mfIsMultiLang) ? lang : std::string(kNoLanguageCode));
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        list.push_back(FieldText(rows, "DataCode") + "=" + FieldText(rows, "DataValue"));
}

void TTolvexClassDefinition::ReadValueLists(const TClassMember& member, std::vector<std::string>& list,
                                            std::vector<std::string>& addList) const
{
    std::string prefix = kCatalogsPrefix;
    std::string statement = "SELECT * FROM GlobalClassMemberList WHERE ClassId = " + std::to_string(classId_) +
                            " AND MemberId = " + std::to_string(member.MemberId) + " ORDER BY OrderNum";
    if (!member.SqlText.empty())
        SplitSqlText(member.SqlText, prefix, statement);

    TQueryGuard query(Databases().ConnectionFor(prefix));
    query->SetSQL(statement);
    TAbstractRecordset& rows = query->Open(true);
    const bool hasLangCode = rows.HasField("LangCode");
    const bool hasAltValue = rows.HasField("AltDataValue");
    const bool hasAddValue = rows.HasField("AddDataValue");
    std::string lang = kNoLanguageCode;
    for (; !rows.Eof(); rows.Next()) {
        if (hasLangCode)
            lang = FieldText(rows, "LangCode");
        std::string text = FieldText(rows, "DataValue");
        if (text.empty() && hasAltValue)
            text = FieldText(rows, "AltDataValue");
        const std::string name = common_detail::Trim(FieldText(rows, "DataCode")) + "-" + lang;
        if (hasAddValue) {
            std::string additional = common_detail::Trim(FieldText(rows, "AddDataValue"));
            if (!additional.empty())
                addList.push_back(name + "=" + additional);
        }
        list.push_back(name + "=" + text);
    }
}

TClassMember* TTolvexClassDefinition::MemberWithLists(int memberId)
{
    TClassMember* member = Member(memberId);
    if (!member || std::atomic_ref<bool>(member->ListsBuilt).load(std::memory_order_acquire))
        return member;
    std::lock_guard<std::recursive_mutex> hold(ReadLock());
    if (!member->ListsBuilt) {
        std::vector<std::string> list;
        std::vector<std::string> addList;
        ReadValueLists(*member, list, addList);
        member->ListValues = std::move(list);
        member->AddListValues = std::move(addList);
        std::atomic_ref<bool>(member->ListsBuilt).store(true, std::memory_order_release);
    }
    return member;
}

std::string TTolvexClassDefinition::GetListText(int memberId, const std::string& lang, const std::string& code)
{
    const TClassMember* member = MemberWithLists(memberId);
    return member ? ListText(member->ListValues, lang, code) : std::string();
}

const std::vector<std::string>& TTolvexClassDefinition::GetListValues(int memberId)
{
    const TClassMember* member = MemberWithLists(memberId);
    return member ? member->ListValues : NoLines();
}

std::string TTolvexClassDefinition::GetAddListText(int memberId, const std::string& lang, const std::string& code)
{
    const TClassMember* member = MemberWithLists(memberId);
    return member ? ListText(member->AddListValues, lang, code) : std::string();
}

const std::vector<std::string>& TTolvexClassDefinition::GetAddListValues(int memberId)
{
    const TClassMember* member = MemberWithLists(memberId);
    return member ? member->AddListValues : NoLines();
}

// ---- class description XML --------------------------------------------------------

void TTolvexClassDefinition::WriteXml(xmlDoc* doc, xmlNode* parent)
{
    xmlNode* classElement = AppendElement(parent, classXmlTag_);
    SetAttribute(classElement, "ClassId", std::to_string(classId_));
    for (const auto& member : members_)
        WriteMemberXml(classElement, *member);
}

void TTolvexClassDefinition::WriteMemberXml(xmlNode* classElement, const TClassMember& member) const
{
    xmlNode* memberElement = AppendElement(classElement, member.MemberXmlTag);
    SetAttribute(memberElement, "MemberId", std::to_string(member.MemberId));
    SetAttribute(memberElement, "MemberType", std::to_string(member.MemberType));
    SetAttribute(memberElement, "InitValue", member.InitValue);
    if (!(member.Flags & mfIsList))
        return;
    std::vector<std::string> list;
    std::vector<std::string> addList;
    ReadValueLists(member, list, addList);
    for (const std::string& line : list) {
        const std::size_t equals = line.find('=');
        const std::string name = line.substr(0, equals);
        xmlNode* value = AppendElement(memberElement, "ListValue");
        const std::string additional = ValueOfName(addList, name);
        if (!additional.empty())
            SetAttribute(value, "AddData", additional);
        const std::size_t dash = name.rfind('-');
        SetAttribute(value, "Code", dash == std::string::npos ? name : name.substr(0, dash));
        SetAttribute(value, "LanguageCode", dash == std::string::npos ? std::string() : name.substr(dash + 1));
        const std::string text = TCommonFunctions::AnsiToWide(line.substr(equals + 1));
        xmlAddChild(value, xmlNewDocText(classElement->doc, BAD_CAST text.c_str()));
    }
}
