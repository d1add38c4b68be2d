// TCommonFunctions: field values of record sets and query parameters.
#include "common/CommonFunctions.h"

#include "common/Base64.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

enum class TValueKind { Text, Integer, Boolean, Float, DateTime, Binary, None };

// How the text form of a field of each type is read.
TValueKind KindOfField(TFieldType type)
{
    switch (type) {
    case TFieldType::String: case TFieldType::Memo: case TFieldType::WideString:
    case TFieldType::FmtMemo: case TFieldType::FixedChar:
        return TValueKind::Text;
    case TFieldType::Smallint: case TFieldType::Integer: case TFieldType::Word:
        return TValueKind::Integer;
    case TFieldType::Boolean:
        return TValueKind::Boolean;
    case TFieldType::Float: case TFieldType::Currency:
        return TValueKind::Float;
    case TFieldType::Date: case TFieldType::Time: case TFieldType::DateTime:
        return TValueKind::DateTime;
    case TFieldType::Blob: case TFieldType::Graphic: case TFieldType::TypedBinary:
        return TValueKind::Binary;
    default:
        return TValueKind::None;
    }
}

bool ReadBoolean(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text == "1" || text == "true";
}

// The date, and the time when it is not midnight: "YYYY-MM-DD HH:MM:SS".
std::string FormatDateTime(double days)
{
    using namespace std::chrono;
    days = TCommonFunctions::ClampDateTime(days);
    // The whole part counts days, the fraction's size the time of day, also
    // for dates before 1899-12-30.
    auto whole = static_cast<long long>(std::trunc(days));
    auto millis = std::llround(std::fabs(days - std::trunc(days)) * 86400000.0);
    if (millis >= 86400000) {
        millis -= 86400000;
        whole += days < 0 ? -1 : 1;
    }
    const year_month_day date{sys_days{1899y / December / 30} + std::chrono::days{whole}};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    std::string out = text;
    const long long seconds = (millis + 500) / 1000;
    if (seconds != 0) {
        std::snprintf(text, sizeof text, " %02lld:%02lld:%02lld", seconds / 3600 % 24,
                      seconds / 60 % 60, seconds % 60);
        out += text;
    }
    return out;
}

std::string FormatFloat(double value)
{
    char text[64];
    const auto [end, ec] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    return std::string(text, end);
}

}  // namespace

std::string TCommonFunctions::GetFieldTypeName(TFieldType type)
{
    switch (type) {
    case TFieldType::String: case TFieldType::Memo: case TFieldType::WideString:
        return "string";
    case TFieldType::FmtMemo: case TFieldType::Blob: case TFieldType::Graphic:
    case TFieldType::TypedBinary:
        return "blob";
    case TFieldType::FixedChar: return "char";
    case TFieldType::Smallint: return "smallint";
    case TFieldType::Integer: return "integer";
    case TFieldType::Boolean: return "boolean";
    case TFieldType::Float: return "float";
    case TFieldType::Currency: return "currency";
    case TFieldType::Date: return "date";
    case TFieldType::Time: return "time";
    case TFieldType::DateTime: return "datetime";
    case TFieldType::Bytes: return "bytes";
    case TFieldType::VarBytes: return "varbytes";
    case TFieldType::AutoInc: return "auto-incrementing";
    default: return "unknown";
    }
}

std::optional<TVariant> TCommonFunctions::SetFieldFromString(TFieldType type,
                                                             const std::string& text) const
{
    double number = 0;
    switch (KindOfField(type)) {
    case TValueKind::Text:
        return TVariant(text);
    case TValueKind::Integer:
        return TVariant(ReadTruncatedInteger(text));
    case TValueKind::Boolean:
        return TVariant(ReadBoolean(text));
    case TValueKind::Float:
        return TVariant(TryReadNumber(text, number) ? number : 0.0);
    case TValueKind::DateTime:
        return TVariant(TDateTime{UnixTimeToDateTime(text)});
    case TValueKind::Binary:
        return text.empty() ? TVariant() : TVariant(TBytes{Base64Decode(text)});
    default:
        return std::nullopt;
    }
}

TVariant TCommonFunctions::StringToVariant(TFieldType type, const std::string& text) const
{
    if (text.empty())
        return TVariant();
    switch (KindOfField(type)) {
    case TValueKind::Binary:
    case TValueKind::None:
        return TVariant();
    default:
        return *SetFieldFromString(type, text);
    }
}

std::string TCommonFunctions::VariantToString(const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::Null: return std::string();
    case TVariantKind::Text: return value.AsText();
    case TVariantKind::Integer: return std::to_string(value.AsInteger());
    case TVariantKind::Float: return FormatFloat(value.AsFloat());
    case TVariantKind::Boolean: return value.AsBoolean() ? "True" : "False";
    case TVariantKind::DateTime: return FormatDateTime(value.AsDateTime().days);
    case TVariantKind::Bytes: return value.AsBytes().data;
    }
    return std::string();
}
