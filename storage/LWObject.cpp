#include "storage/LWObject.h"

#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/OldLangInfo.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractDBQuery.h"
#include "storage/CatalogTables.h"
#include "storage/LWAbstractDataAccess.h"
#include "storage/LWDefinitionLookup.h"

namespace {

enum class TValueKind { None, Text, Number, Binary };

// The kind of value a member type stores, by its value table.
TValueKind KindOf(int memberType)
{
    const std::string table = TCatalogTables::ValueTable(memberType);
    if (table == "CStrings" || table == "CText")
        return TValueKind::Text;
    if (table == "CNumbers" || table == "CDates")
        return TValueKind::Number;
    if (table == "CBinary")
        return TValueKind::Binary;
    return TValueKind::None;
}

// A text read as a number with "." as decimal separator; 0 when it is none.
double ReadNumber(const std::string& text)
{
    static const TCommonFunctions functions;
    const TVariant value = functions.StringToVariant(TFieldType::Float, text);
    return value.Kind() == TVariantKind::Float ? value.AsFloat() : 0.0;
}

// A field value as a number; 0 when it is none.
double NumberOfField(const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::Integer: return static_cast<double>(value.AsInteger());
    case TVariantKind::Float: return value.AsFloat();
    case TVariantKind::Boolean: return value.AsBoolean() ? 1.0 : 0.0;
    case TVariantKind::DateTime: return value.AsDateTime().days;
    case TVariantKind::Text: return ReadNumber(value.AsText());
    default: return 0.0;
    }
}

// The size of the stream's whole content; the position is left at the start.
std::streamoff RewoundSize(std::istream& stream)
{
    stream.clear();
    stream.seekg(0, std::ios::end);
    const std::streamoff size = stream.tellg();
    stream.seekg(0, std::ios::beg);
    return size < 0 ? 0 : size;
}

}  // namespace

bool TLWObject::TMember::IsMultiLang() const
{
    return (Flags & mfIsMultiLang) != 0;
}

TLWObject::TLWObject(int itemId, int parentInstanceId, int classId, int instanceId,
                     const TOldLangInfo* languageInfo)
    : ItemId(itemId), ParentInstanceId(parentInstanceId), ClassId(classId), InstanceId(instanceId),
      LanguageInfo(languageInfo)
{
}

std::unique_ptr<TLWObject> TLWObject::Unstored(const TOldLangInfo* languageInfo)
{
    std::unique_ptr<TLWObject> object(new TLWObject());
    object->LanguageInfo = languageInfo;
    object->definitionLookedUp_ = true;
    return object;
}

TAbstractCClassDefinition* TLWObject::ClassDefinition()
{
    if (!definitionLookedUp_) {
        definition_ = TLWAbstractDataAccess::Current().Definitions().GetClassDefinition(ClassId);
        definitionLookedUp_ = true;
    }
    return definition_;
}

std::optional<TLWObject::TMember> TLWObject::FindMember(const std::string& memberTag)
{
    TAbstractCClassDefinition* definition = IsStored() ? ClassDefinition() : nullptr;
    if (!definition)
        return std::nullopt;
    TMember member;
    member.Id = definition->GetMemberId(memberTag);
    member.Type = definition->GetMemberType(member.Id);
    if (member.Type == 0)
        return std::nullopt;
    member.Flags = definition->GetMemberFlags(member.Id);
    return member;
}

const TOldLangInfo& TLWObject::Languages() const
{
    if (!LanguageInfo)
        throw EDeveloperTolvexException("A language-dependent value needs the old catalog's languages");
    return *LanguageInfo;
}

std::unique_ptr<TLWObject> TLWObject::AddSubObject(const std::string& classXmlTag) const
{
    TLWAbstractDataAccess& dataAccess = TLWAbstractDataAccess::Current();
    const int classId = dataAccess.Definitions().GetClassId(classXmlTag);
    if (!IsStored() || classId == 0)
        return Unstored(LanguageInfo);
    auto object = std::make_unique<TLWObject>(ItemId, InstanceId, classId, dataAccess.NextInstanceId(),
                                              LanguageInfo);
    dataAccess.UpdateObject(*object);
    return object;
}

bool TLWObject::SetValue(const std::string& text, int index, const std::string& langCode,
                         const std::string& memberTag)
{
    const std::optional<TMember> member = FindMember(memberTag);
    if (!member)
        return true;
    const std::string lang = member->IsMultiLang() ? langCode : kNoLanguageCode;
    TLWAbstractDataAccess& dataAccess = TLWAbstractDataAccess::Current();
    switch (KindOf(member->Type)) {
    case TValueKind::Number:
        if (const double value = ReadNumber(text); value != 0)
            dataAccess.SetNumber(*this, member->Id, value, member->Type, index, lang);
        break;
    case TValueKind::Text:
        if (!text.empty())
            dataAccess.SetString(*this, member->Id, text, member->Type, index, lang);
        break;
    default:
        break;  // a text is no binary value
    }
    return true;
}

bool TLWObject::SetBinary(std::istream& stream, const std::string& mimeType, const std::string& langCode,
                          int index, const std::string& memberTag)
{
    const std::optional<TMember> member = FindMember(memberTag);
    if (!member || KindOf(member->Type) != TValueKind::Binary)
        return false;
    std::string lang = kNoLanguageCode;
    if (member->IsMultiLang())
        lang = langCode.empty() ? Languages().DefaultLanguageCode : langCode;
    if (RewoundSize(stream) == 0)
        return false;
    TLWAbstractDataAccess::Current().SetBinary(*this, member->Id, stream, mimeType, member->Type, index, lang);
    return true;
}

bool TLWObject::WriteFieldValue(const TMember& member, const TVariant& value, int index,
                                const std::string& langCode)
{
    if (value.IsNull())
        return false;
    TLWAbstractDataAccess& dataAccess = TLWAbstractDataAccess::Current();
    switch (KindOf(member.Type)) {
    case TValueKind::Number: {
        const double number = NumberOfField(value);
        if (number == 0)
            return false;
        dataAccess.SetNumber(*this, member.Id, number, member.Type, index, langCode);
        return true;
    }
    case TValueKind::Text: {
        const std::string text = common_detail::Trim(TCommonFunctions::VariantToString(value));
        if (text.empty())
            return false;
        dataAccess.SetString(*this, member.Id, text, member.Type, index, langCode);
        return true;
    }
    default:
        return false;
    }
}

bool TLWObject::SetFromField(const TAbstractRecordset& dataSet, const std::string& fieldName, int index,
                             const std::string& memberTag)
{
    const std::optional<TMember> member = FindMember(memberTag);
    if (!member)
        return false;
    if (!member->IsMultiLang())
        return WriteFieldValue(*member, dataSet.Field(fieldName), index, kNoLanguageCode);
    const TOldLangInfo& languages = Languages();
    bool written = false;
    for (std::size_t slot = 0; slot < languages.SlotUsed.size(); ++slot) {
        if (!languages.SlotUsed[slot])
            continue;
        std::string name = slot == 0 ? fieldName : fieldName + "Lang" + std::to_string(slot + 1);
        if (!dataSet.HasField(name))
            name = fieldName;
        if (dataSet.HasField(name) && WriteFieldValue(*member, dataSet.Field(name), index, languages.Codes[slot]))
            written = true;
    }
    return written;
}
