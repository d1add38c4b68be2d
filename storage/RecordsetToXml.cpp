#include "storage/RecordsetToXml.h"

#include "common/Base64.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBQuery.h"
#include "storage/RecordsetXmlNames.h"
#include "storage/RecordsetXmlOutput.h"
#include "storage/SQLiteFieldTypes.h"

#include <charconv>
#include <utility>

namespace {

enum class TWrittenAs { Blob, Date, Text };

TWrittenAs WrittenAs(TFieldType type)
{
    switch (type) {
    case TFieldType::Blob: case TFieldType::Graphic: case TFieldType::TypedBinary:
    case TFieldType::FmtMemo:
        return TWrittenAs::Blob;
    case TFieldType::Date: case TFieldType::Time: case TFieldType::DateTime:
        return TWrittenAs::Date;
    default:
        return TWrittenAs::Text;
    }
}

std::string BytesOf(const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::Bytes: return value.AsBytes().data;
    case TVariantKind::Text: return value.AsText();
    default: return TCommonFunctions::VariantToString(value);
    }
}

// The shortest text that reads back as the same number.
std::string FloatText(double value)
{
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : std::string("0");
}

// The day number of a date value; false when the value is none.
bool DaysOf(const TVariant& value, double& days)
{
    switch (value.Kind()) {
    case TVariantKind::DateTime: days = value.AsDateTime().days; return true;
    case TVariantKind::Float: days = value.AsFloat(); return true;
    case TVariantKind::Integer: days = static_cast<double>(value.AsInteger()); return true;
    case TVariantKind::Text:
        if (auto parsed = ParseIsoDateTime(value.AsText())) {
            days = parsed->days;
            return true;
        }
        return false;
    default:
        return false;
    }
}

std::string TextOf(const TVariant& value)
{
    return value.Kind() == TVariantKind::Float ? FloatText(value.AsFloat())
                                               : TCommonFunctions::VariantToString(value);
}

}  // namespace

TRecordsetToXml::TRecordsetToXml(TAbstractDBConnection& connection, TRecordsetXmlContext context)
    : connection_(connection), context_(std::move(context))
{
    if (!context_.functions)
        throw EDeveloperTolvexException("The record-set writer needs the common functions");
}

xmlNodePtr TRecordsetToXml::AddAction(const std::string& table, const std::string& method)
{
    xmlNodePtr action = TRecordsetXmlDocument::AddElement(document_.Root(), "Action");
    TRecordsetXmlDocument::SetAttribute(action, "Table", table);
    TRecordsetXmlDocument::SetAttribute(action, "Method", method);
    return action;
}

void TRecordsetToXml::AddRecordset(const std::string& table, const std::string& method,
                                   TAbstractRecordset& dataSet)
{
    const std::string keyInfo = context_.primaryKeyInfo ? context_.primaryKeyInfo(table) : std::string();
    const std::vector<std::string> keys = recordset_xml::ParsePrimaryKeyInfo(keyInfo);
    const bool written = !keys.empty() || IsGlobalMode();
    for (; !dataSet.Eof(); dataSet.Next())
        if (written)
            AddRow(AddAction(table, method), keys, dataSet);
}

void TRecordsetToXml::AddRow(xmlNodePtr action, const std::vector<std::string>& keys,
                             const TAbstractRecordset& dataSet)
{
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        const std::string name = dataSet.FieldName(i);
        xmlNodePtr element = TRecordsetXmlDocument::AddElement(action, name);
        if (recordset_xml::IsKeyField(keys, name))
            TRecordsetXmlDocument::SetAttribute(element, "PK", "1");
        AddValue(element, dataSet.FieldType(i), dataSet.Field(i));
    }
}

void TRecordsetToXml::AddValue(xmlNodePtr element, TFieldType type, const TVariant& value)
{
    if (value.IsNull()) {
        if (writeNulls_)
            TRecordsetXmlDocument::SetAttribute(element, "IsNull", "1");
        return;
    }
    std::string text;
    double days = 0;
    switch (WrittenAs(type)) {
    case TWrittenAs::Blob:
        text = Base64Encode(BytesOf(value));
        blobChars_ += static_cast<std::int64_t>(text.size());
        break;
    case TWrittenAs::Date:
        text = DaysOf(value, days) ? context_.functions->DateTimeToUnixTime(days) : TextOf(value);
        textChars_ += static_cast<std::int64_t>(text.size());
        break;
    case TWrittenAs::Text:
        text = TextOf(value);
        textChars_ += static_cast<std::int64_t>(text.size());
        break;
    }
    TRecordsetXmlDocument::SetText(element, text);
}

void TRecordsetToXml::AddKeyAction(const std::string& table, const std::string& method,
                                   const std::string& fieldName, const std::string& value)
{
    xmlNodePtr action = AddAction(table, method);
    if (!fieldName.empty()) {
        TRecordsetXmlDocument::SetText(TRecordsetXmlDocument::AddElement(action, fieldName), value);
        textChars_ += static_cast<std::int64_t>(value.size());
    }
    if (IsGlobalMode() || common_detail::SameText(fieldName, recordset_xml::kCatalogCodeField))
        return;
    TRecordsetXmlDocument::SetText(TRecordsetXmlDocument::AddElement(action, recordset_xml::kCatalogCodeField),
                                   context_.catalogCode);
    textChars_ += static_cast<std::int64_t>(context_.catalogCode.size());
}

int TRecordsetToXml::GetActionCount() const
{
    return static_cast<int>(xmlChildElementCount(document_.Root()));
}

void TRecordsetToXml::SaveToStream(std::ostream& stream, bool compress) const
{
    if (!context_.debugFolder.empty())
        document_.SaveToFile(context_.debugFolder + "/" + TCommonFunctions::GetTickCountString() + ".xml");
    TRecordsetXmlOutput output(stream, compress);
    document_.Save([&output](const char* data, std::size_t size) { output.Write(data, size); });
    output.Finish();
}
