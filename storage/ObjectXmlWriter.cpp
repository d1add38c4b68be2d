#include "storage/ObjectXmlWriter.h"

#include "storage/AbstractCatalog.h"
#include "common/BinaryDataInfo.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/ParamList.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/CatalogTables.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObjectContext.h"

#include <libxml/tree.h>

namespace {

constexpr const char* kDefaultPassCode = "DEF";

const xmlChar* X(const std::string& text)
{
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

std::string Converted(const std::string& text)
{
    return TCommonFunctions::AnsiToWide(text);
}

void Check(const void* result)
{
    if (!result)
        throw ECriticalTolvexException("Cannot build the XML document of a catalog object");
}

xmlNode* AddElement(xmlDoc* doc, xmlNode* parent, const std::string& name)
{
    if (!parent)
        throw EDeveloperTolvexException("No parent element for the XML of a catalog object");
    xmlNode* element = xmlNewDocNode(doc, nullptr, X(name), nullptr);
    Check(element);
    Check(xmlAddChild(parent, element));
    return element;
}

void SetAttribute(xmlNode* element, const std::string& name, const std::string& value)
{
    Check(xmlSetProp(element, X(name), X(Converted(value))));
}

void AddText(xmlDoc* doc, xmlNode* element, const std::string& text)
{
    if (text.empty())
        return;
    xmlNode* node = xmlNewDocText(doc, X(Converted(text)));
    Check(node);
    Check(xmlAddChild(element, node));
}

// A CDATA section cannot hold "]]>": such text goes into consecutive
// sections split inside that sequence, which read back as the same text.
void AddCData(xmlDoc* doc, xmlNode* element, const std::string& text)
{
    const std::string converted = Converted(text);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = converted.find("]]>", start);
        const std::size_t stop = end == std::string::npos ? converted.size() : end + 2;
        xmlNode* node = xmlNewCDataBlock(doc, X(converted.substr(start, stop - start)), static_cast<int>(stop - start));
        Check(node);
        Check(xmlAddChild(element, node));
        if (end == std::string::npos)
            return;
        start = stop;
    }
}

// Raises when Tag is no XML name; Owner() names what the tag belongs to,
// asked only then (every member of every object written passes here).
template <typename TOwner>
void RequireXmlName(const std::string& tag, const TOwner& owner)
{
    if (xmlValidateNCName(X(tag), 0) != 0)
        throw ECriticalTolvexException("The XML tag \"" + tag + "\" of " + owner() + " is not a valid XML name");
}

}  // namespace

TObjectXmlWriter::TObjectXmlWriter(TTolvexObject& object, xmlDoc* doc, TTolvexObject::TXmlChain& chain)
    : object_(object), doc_(doc), chain_(chain)
{
}

std::string TObjectXmlWriter::MemberTag(int memberId) const
{
    TAbstractCClassDefinition* definition = object_.GetClassDefinition();
    return definition ? definition->GetMemberXmlTag(memberId) : std::string();
}

xmlNode* TObjectXmlWriter::WriteObject(xmlNode* parent, const std::string& attrName, const std::string& attrValue,
                                       int flags)
{
    const std::string classTag = object_.GetClassXmlTag();
    if (classTag.empty())
        return nullptr;
    RequireXmlName(classTag, [&] { return "class " + std::to_string(object_.GetClassId()); });
    xmlNode* element = AddElement(doc_, parent, classTag);
    if (!attrName.empty())
        SetAttribute(element, attrName, attrValue);
    const bool all = flags & oxAllItemAttributes;
    if (all || (flags & oxCatalogCode))
        SetAttribute(element, "CatalogCode", object_.GetCatalogCode());
    if (all || (flags & oxItemType))
        SetAttribute(element, "ItemType", std::to_string(object_.GetItemType()));
    if (all || (flags & oxParentItemId))
        SetAttribute(element, "ParentItemId", std::to_string(object_.GetParentItemId()));
    SetAttribute(element, "ItemId", std::to_string(object_.GetLinkedItemId()));
    SetAttribute(element, "TreeItemId", std::to_string(object_.GetItemId()));

    TAbstractCClassDefinition* definition = object_.GetClassDefinition();
    for (int i = 0; i < definition->GetMemberCount(); ++i)
        WriteMemberPasses(definition->GetMemberIdByIndex(i), element);
    return element;
}

void TObjectXmlWriter::WriteMemberPasses(int memberId, xmlNode* objectElement)
{
    if (!(object_.MemberFlags(memberId) & mfIsMultiLang)) {
        for (const std::string& index : IndexList(memberId, kNoLanguageCode))
            WriteMember(memberId, kNoLanguageCode, TMemberValueText::ReadInteger(index), objectElement);
        return;
    }
    for (const std::string& lang : object_.GetContext().GetOpenCatalog()->GetLanguages())
        for (const std::string& index : IndexList(memberId, lang))
            WriteMember(memberId, lang, TMemberValueText::ReadInteger(index), objectElement);
    for (const std::string& index : IndexList(memberId, kDefaultPassCode))
        WriteMember(memberId, kDefaultPassCode, TMemberValueText::ReadInteger(index), objectElement);
}

// The indexes stored under "XXX" and, for a language-dependent member,
// those of the language the pass reads (and of the default language, when
// its values show through), so that a language's own values are written.
std::set<std::string> TObjectXmlWriter::IndexList(int memberId, const std::string& passLang)
{
    const std::uint8_t flags = object_.MemberFlags(memberId);
    if (!(flags & mfIsMultiple) || object_.MemberType(memberId) == 6)
        return {"0"};
    std::set<std::string> indexes;
    std::vector<std::string> found;
    auto addFrom = [&](const std::string& lang) {
        object_.GetValueIndexes(memberId, lang, found);
        indexes.insert(found.begin(), found.end());
    };
    addFrom(kNoLanguageCode);
    if (flags & mfIsMultiLang) {
        const std::string defaultLang = object_.GetContext().GetDefaultLangCode();
        addFrom(passLang == kDefaultPassCode ? defaultLang : passLang);
        if (flags & mfUseDefLangForNull)
            addFrom(defaultLang);
    }
    return indexes;
}

void TObjectXmlWriter::WriteMember(int memberId, const std::string& lang, int index, xmlNode* objectElement)
{
    const std::string tag = MemberTag(memberId);
    if (tag.empty())
        return;
    RequireXmlName(tag, [&] { return "member " + std::to_string(memberId) + " of class " + object_.GetClassXmlTag(); });
    const int type = object_.MemberType(memberId);
    if (type == 56) {
        WritePieces(objectElement, tag, memberId, lang, index);
        return;
    }
    xmlNode* element = AddElement(doc_, objectElement, tag);
    if (lang != kNoLanguageCode)
        SetAttribute(element, "LanguageCode", lang);
    const std::string readLang = lang == kDefaultPassCode ? object_.GetContext().GetDefaultLangCode() : lang;
    const bool isList = object_.MemberFlags(memberId) & mfIsList;
    switch (type) {
    case 1: case 7: case 8: case 51:
        WriteText(element, memberId, readLang, index, isList);
        break;
    case 6:
        WriteSet(element, memberId, readLang);
        break;
    case 52: case 53: case 54: case 55:
        AddCData(doc_, element, object_.GetStringById(memberId, readLang, index));
        break;
    case 90:
        AddText(doc_, element, object_.ReplaceMemberTags(object_.GetStringById(memberId, readLang, index), readLang));
        break;
    case 101:
        WriteInteger(element, memberId, readLang, index, isList);
        break;
    case 102:
        if (const int itemId = object_.GetIntegerById(memberId, readLang, index); itemId != 0) {
            SetAttribute(element, "ItemId", std::to_string(itemId));
            AddText(doc_, element, std::to_string(itemId));
        }
        break;
    case 104:
        AddText(doc_, element, object_.GetBooleanById(memberId, readLang, index) ? "1" : "0");
        break;
    case 105:
        if (const int instanceId = object_.GetIntegerById(memberId, readLang, index); instanceId != 0) {
            TTolvexObjectFactory factory(object_.GetContext());
            WriteNested(element, factory.GetObjectByInstanceTyped(object_.GetLinkedItemId(), instanceId,
                                                                  object_.GetConnection(), object_.GetCatalogCode()));
        }
        break;
    case 106:
        if (const int itemId = object_.GetIntegerById(memberId, readLang, index); itemId != 0) {
            WriteReferencedItem(element, itemId, kImageClassId);
            WriteReferencedItem(element, itemId, kNamesClassId);
        }
        break;
    case 107: {
        const int itemId = object_.GetIntegerById(memberId, readLang, index);
        const std::string className = object_.GetClassDefinition()->GetAdditionalText(memberId);
        if (itemId != 0 && !className.empty()) {
            SetAttribute(element, "ItemId", std::to_string(itemId));
            WriteReferencedItem(element, itemId, object_.GetContext().GetClassId(className));
        }
        break;
    }
    case 152:
        AddText(doc_, element, TMemberValueText::FormatGeneral(object_.GetNumberById(memberId, readLang, index)));
        break;
    case 153: {
        const double amount = object_.GetNumberById(memberId, readLang, index);
        AddText(doc_, element, TMemberValueText::FormatTwoDecimals(amount));
        SetAttribute(element, "Short", TMemberValueText::FormatShort(amount));
        break;
    }
    case 201: case 202: case 203:
        WriteDate(element, object_.GetNumberById(memberId, readLang, index), type != 202, type != 201);
        break;
    case 251: case 252: case 253:
        WriteBinaryInfo(element, memberId, readLang, index);
        break;
    default:
        break;
    }
}

void TObjectXmlWriter::WriteText(xmlNode* element, int memberId, const std::string& lang, int index, bool isList)
{
    const std::string text = object_.GetStringById(memberId, lang, index);
    AddText(doc_, element, text);
    if (!isList)
        return;
    TAbstractCClassDefinition* definition = object_.GetClassDefinition();
    SetAttribute(element, "ListValue", definition->GetListText(memberId, lang, text));
    const std::string additional = definition->GetAddListText(memberId, lang, text);
    if (!additional.empty())
        SetAttribute(element, "AddListValue", additional);
}

void TObjectXmlWriter::WriteInteger(xmlNode* element, int memberId, const std::string& lang, int index, bool isList)
{
    const std::string code = std::to_string(object_.GetIntegerById(memberId, lang, index));
    AddText(doc_, element, code);
    if (!isList)
        return;
    TAbstractCClassDefinition* definition = object_.GetClassDefinition();
    SetAttribute(element, "ListValue", definition->GetListText(memberId, lang, code));
    const std::string additional = definition->GetAddListText(memberId, lang, code);
    if (!additional.empty())
        SetAttribute(element, "AddListValue", additional);
}

void TObjectXmlWriter::WriteSet(xmlNode* element, int memberId, const std::string& lang)
{
    std::vector<std::string> codes;
    object_.GetValuesById(memberId, lang, nullptr, codes);
    for (const std::string& code : codes) {
        xmlNode* set = AddElement(doc_, element, "Set");
        SetAttribute(set, "Code", code);
        AddText(doc_, set, object_.GetClassDefinition()->GetListText(memberId, lang, code));
    }
}

// A list of pieces: one member element per piece that is not empty. The
// pieces are split at ";" and line breaks, may be quoted, and are
// URL-decoded (a malformed "%" fails the generation). "DEF" is read as
// itself, with the fallbacks of the member.
void TObjectXmlWriter::WritePieces(xmlNode* objectElement, const std::string& tag, int memberId,
                                   const std::string& lang, int index)
{
    const std::string text = object_.GetStringById(memberId, lang, index);
    for (const std::string& piece : TParamList::SplitFields(text, ';', true)) {
        const std::string trimmed = common_detail::Trim(piece);
        if (piece.empty())
            continue;
        xmlNode* element = AddElement(doc_, objectElement, tag);
        if (lang != kNoLanguageCode)
            SetAttribute(element, "LanguageCode", lang);
        AddText(doc_, element, trimmed);
    }
}

void TObjectXmlWriter::WriteDate(xmlNode* element, double days, bool withDate, bool withTime)
{
    if (days == 0)
        return;
    const TDateTimeParts parts = TMemberValueText::DecodeDateTime(days);
    if (withDate && withTime)
        AddText(doc_, element, TMemberValueText::FormatDateTime(days));
    else if (withDate)
        AddText(doc_, element, TMemberValueText::FormatShortDate(days));
    else
        AddText(doc_, element, TMemberValueText::FormatLongTime(days));
    if (withDate) {
        SetAttribute(element, "day", std::to_string(parts.Day));
        SetAttribute(element, "month", std::to_string(parts.Month));
        SetAttribute(element, "year", std::to_string(parts.Year));
    }
    if (withTime) {
        SetAttribute(element, "hour", std::to_string(parts.Hour));
        SetAttribute(element, "minute", std::to_string(parts.Minute));
        SetAttribute(element, "second", std::to_string(parts.Second));
    }
}

void TObjectXmlWriter::WriteBinaryInfo(xmlNode* element, int memberId, const std::string& lang, int index)
{
    TBinaryDataInfo info;
    if (!object_.GetBinaryInfoById(memberId, lang, index, &info))
        info = TBinaryDataInfo();
    AddText(doc_, AddElement(doc_, element, "Size"), std::to_string(info.Bytes));
    AddText(doc_, AddElement(doc_, element, "MimeType"), info.MimeType);
    AddText(doc_, AddElement(doc_, element, "FileExt"), TCommonFunctions::GetExtensionByMimeType(info.MimeType, ""));
}

void TObjectXmlWriter::WriteReferencedItem(xmlNode* element, int itemId, int classId)
{
    TTolvexObjectFactory factory(object_.GetContext());
    WriteNested(element, factory.GetObjectTyped(itemId, classId, object_.GetConnection(), object_.GetCatalogCode()));
}

// Nested objects are loaded before they are written, so that the object of
// a hidden item writes nothing.
void TObjectXmlWriter::WriteNested(xmlNode* element, std::unique_ptr<TTolvexObject> nested)
{
    if (!nested)
        return;
    nested->Load();
    nested->WriteXmlNested(doc_, element, "", "", 0, chain_);
}
