// TTolvexObject: the text form of single values, member tags inside texts,
// and the entry to the XML output.
#include "common/MemberTypes.h"
#include "storage/TolvexObject.h"

#include "common/ParamList.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectFactory.h"
#include "storage/ObjectXmlWriter.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>
#include <set>

namespace {

// Every stretch from a "<" to the next ">", sorted as texts, duplicates dropped.
std::set<std::string> FindTags(const std::string& text)
{
    std::set<std::string> tags;
    std::size_t from = 0;
    while (true) {
        const std::size_t open = text.find('<', from);
        if (open == std::string::npos)
            break;
        const std::size_t close = text.find('>', open + 1);
        if (close == std::string::npos)
            break;
        tags.insert(text.substr(open, close - open + 1));
        from = close + 1;
    }
    return tags;
}

void ReplaceAll(std::string& text, const std::string& what, const std::string& with)
{
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

}  // namespace

std::string TTolvexObject::GetValueText(const std::string& memberName, const std::string& lang, int index,
                                        bool resolveList)
{
    const int memberId = MemberIdOf(memberName);
    const int type = MemberType(memberId);
    if (memberId == 0 || type == 0)
        return {};
    const bool listText = resolveList && (MemberFlags(memberId) & mfIsList);
    if (type < kFirstIntegerMemberType) {
        const std::string text = GetStringById(memberId, lang, index);
        return listText ? classDefinition_->GetListText(memberId, lang, text) : text;
    }
    if (type < kFirstFloatMemberType) {
        const std::string code = std::to_string(GetIntegerById(memberId, lang, index));
        return listText ? classDefinition_->GetListText(memberId, lang, code) : code;
    }
    if (type < kFirstDateMemberType)
        return TMemberValueText::FormatShort(GetNumberById(memberId, lang, index));
    if (type < kFirstBinaryMemberType) {
        // 0 is no date.
        const double days = GetNumberById(memberId, lang, index);
        return days == 0 ? std::string() : TMemberValueText::FormatShortDate(days);
    }
    return {};
}

void TTolvexObject::SetValueText(const std::string& memberName, const std::string& lang, const std::string& text,
                                 int index)
{
    const int memberId = MemberIdOf(memberName);
    const int type = MemberType(memberId);
    if (type < kFirstIntegerMemberType)
        SetStringById(memberId, lang, text, index);
    else if (type < kFirstFloatMemberType)
        SetNumberById(memberId, lang, TMemberValueText::ReadInteger(text), index);
    else if (type < kFirstDateMemberType)
        SetNumberById(memberId, lang, TMemberValueText::ReadFloat(text), index);
    else if (type < kFirstBinaryMemberType)
        SetNumberById(memberId, lang, TMemberValueText::ReadDateTime(text), index);
}

std::string TTolvexObject::ReplaceMemberTags(const std::string& text, const std::string& lang)
{
    std::string result = text;
    for (const std::string& tag : FindTags(text))
        ReplaceAll(result, tag, MemberTagValue(tag, lang));
    return result;
}

// The value of "<item/class/member>" or "<class/member>" (item "current");
// the empty text for any other tag.
std::string TTolvexObject::MemberTagValue(const std::string& tag, const std::string& lang)
{
    std::string inner = tag.size() > 2 ? tag.substr(1, tag.size() - 2) : tag;
    if (!inner.empty() && inner[0] == '/')
        inner.erase(0, 1);
    const std::vector<std::string> parts = TParamList::SplitFields(inner, '/', true);
    if (parts.size() != 2 && parts.size() != 3)
        return {};
    const bool named = parts.size() == 3;
    const std::string itemText = named ? parts[0] : std::string("current");
    const std::string& classTag = parts[named ? 1 : 0];
    const std::string& memberTag = parts[named ? 2 : 1];
    const int itemId = context_.ResolveItemId(itemText, itemId_, linkedItemId_);
    const int classId = context_.GetClassId(classTag);
    if (itemId == itemId_ && classId == classId_)
        return GetValueText(memberTag, lang, 0, false);
    if (itemId == 0 || classId == 0)
        return {};
    TTolvexObjectFactory factory(context_);
    auto other = factory.GetObjectTyped(itemId, classId, *connection_, catalogCode_);
    return other ? other->GetValueText(memberTag, lang, 0, false) : std::string();
}

xmlNode* TTolvexObject::WriteXml(xmlDoc* doc, xmlNode* parentElement, const std::string& attrName,
                                 const std::string& attrValue, int flags)
{
    TXmlChain chain;
    return WriteXmlNested(doc, parentElement, attrName, attrValue, flags, chain);
}

xmlNode* TTolvexObject::WriteXmlNested(xmlDoc* doc, xmlNode* parentElement, const std::string& attrName,
                                       const std::string& attrValue, int flags, TXmlChain& chain)
{
    // NotVisible is read before loading: an object from the factory that
    // has not been loaded yet is written.
    if (notVisible_ || !context_.GetOpenCatalog())
        return nullptr;
    LoadIfNeeded();
    const auto self = std::make_tuple(linkedItemId_, classId_, instanceId_);
    if (std::find(chain.begin(), chain.end(), self) != chain.end())
        return nullptr;
    chain.push_back(self);
    struct TPop {
        TXmlChain& chain;
        ~TPop() { chain.pop_back(); }
    } pop{chain};
    return TObjectXmlWriter(*this, doc, chain).WriteObject(parentElement, attrName, attrValue, flags);
}
