#include "storage/SQLiteFieldTypes.h"

#include "common/CommonFunctionsDetail.h"

#include <sqlite3.h>

#include <charconv>
#include <chrono>
#include <initializer_list>

namespace {

bool ContainsAny(const std::string& text, std::initializer_list<const char*> words)
{
    for (const char* word : words)
        if (text.find(word) != std::string::npos)
            return true;
    return false;
}

// The first word of a declared type: "TEXT(50) COLLATE NOCASE" -> "TEXT".
std::string FirstWord(const std::string& upper)
{
    std::size_t end = upper.find_first_of(" (\t");
    return upper.substr(0, end);
}

TFieldType TextType(const std::string& upper, const std::string& word)
{
    if (ContainsAny(upper, {"MEMO", "LONGTEXT", "LONGCHAR", "NOTE", "CLOB"}))
        return TFieldType::Memo;
    if (word == "TEXT")  // SQLite TEXT is unbounded unless a size is given
        return upper.find('(') != std::string::npos ? TFieldType::String : TFieldType::Memo;
    if (word == "CHAR" || word == "CHARACTER" || word == "NCHAR")
        return upper.find("VARYING") != std::string::npos ? TFieldType::String : TFieldType::FixedChar;
    return TFieldType::String;
}

}  // namespace

TFieldType FieldTypeOfDeclaredType(const std::string& declaredType)
{
    const std::string upper = common_detail::UpperCase(declaredType);
    const std::string word = FirstWord(upper);
    if (word.empty())
        return TFieldType::Unknown;
    if (ContainsAny(word, {"LONGBINARY", "BLOB", "BINARY", "IMAGE", "OLEOBJECT", "GENERAL", "BYTES"}))
        return TFieldType::Blob;
    if (ContainsAny(upper, {"MEMO", "LONGTEXT", "LONGCHAR", "NOTE", "CLOB", "CHAR", "TEXT", "STRING"}))
        return TextType(upper, word);
    if (ContainsAny(word, {"BOOL", "BIT", "YESNO", "LOGICAL"}))
        return TFieldType::Boolean;
    if (word == "DATE")
        return TFieldType::Date;
    if (word == "TIME")
        return TFieldType::Time;
    if (ContainsAny(word, {"DATETIME", "TIMESTAMP"}))
        return TFieldType::DateTime;
    if (ContainsAny(word, {"COUNTER", "AUTOINC", "IDENTITY"}))
        return TFieldType::AutoInc;
    if (ContainsAny(word, {"SMALLINT", "SHORT", "TINYINT", "BYTE"}))
        return TFieldType::Smallint;
    if (ContainsAny(word, {"INT", "LONG"}))
        return TFieldType::Integer;
    if (ContainsAny(word, {"CURRENCY", "MONEY"}))
        return TFieldType::Currency;
    return TFieldType::Float;  // REAL, FLOAT, DOUBLE, SINGLE, NUMERIC, DECIMAL and the rest
}

TFieldType FieldTypeOfStorageClass(int storageClass)
{
    switch (storageClass) {
    case SQLITE_INTEGER: return TFieldType::Integer;
    case SQLITE_FLOAT: return TFieldType::Float;
    case SQLITE_TEXT: return TFieldType::String;
    case SQLITE_BLOB: return TFieldType::Blob;
    default: return TFieldType::Unknown;
    }
}

std::optional<TDateTime> ParseIsoDateTime(const std::string& text)
{
    int part[6] = {0, 0, 0, 0, 0, 0};
    const char* p = text.c_str();
    const char* end = p + text.size();
    static const char separators[6] = {'-', '-', ' ', ':', ':', '\0'};
    int count = 0;
    for (; count < 6 && p < end; ++count) {
        auto [next, ec] = std::from_chars(p, end, part[count]);
        if (ec != std::errc())
            return std::nullopt;
        p = next;
        if (p == end)
            break;
        bool isSeparator = *p == separators[count] || (count == 2 && *p == 'T');
        if (!isSeparator)
            break;
        ++p;
    }
    bool cleanEnd = p == end || *p == '.' || *p == 'Z' || *p == '+';
    if (count < 2 || !cleanEnd)
        return std::nullopt;
    using namespace std::chrono;
    year_month_day date{year{part[0]}, month{static_cast<unsigned>(part[1])},
                        day{static_cast<unsigned>(part[2])}};
    if (!date.ok())
        return std::nullopt;
    double days = (sys_days{date} - sys_days{year{1899} / December / 30}).count();
    double seconds = part[3] * 3600.0 + part[4] * 60.0 + part[5];
    return TDateTime{days + seconds / 86400.0};
}

namespace {

TVariant ReadText(sqlite3_stmt* stmt, int index)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, index));
    return std::string(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, index)));
}

TVariant ReadDateTime(sqlite3_stmt* stmt, int index)
{
    if (sqlite3_column_type(stmt, index) == SQLITE_TEXT) {
        auto parsed = ParseIsoDateTime(ReadText(stmt, index).AsText());
        return parsed ? TVariant(*parsed) : ReadText(stmt, index);
    }
    return TDateTime{sqlite3_column_double(stmt, index)};
}

TVariant ReadByStorageClass(sqlite3_stmt* stmt, int index)
{
    switch (sqlite3_column_type(stmt, index)) {
    case SQLITE_INTEGER: return std::int64_t{sqlite3_column_int64(stmt, index)};
    case SQLITE_FLOAT: return sqlite3_column_double(stmt, index);
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt, index));
        return TBytes{std::string(data ? data : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, index)))};
    }
    default: return ReadText(stmt, index);
    }
}

}  // namespace

TVariant ReadSQLiteColumn(sqlite3_stmt* stmt, int index, TFieldType type)
{
    if (sqlite3_column_type(stmt, index) == SQLITE_NULL)
        return {};
    switch (type) {
    case TFieldType::Smallint:
    case TFieldType::Integer:
    case TFieldType::Word:
    case TFieldType::AutoInc:
        if (sqlite3_column_type(stmt, index) == SQLITE_TEXT)
            return ReadText(stmt, index);  // not a number: keep what is stored
        return std::int64_t{sqlite3_column_int64(stmt, index)};
    case TFieldType::Float:
    case TFieldType::Currency:
        if (sqlite3_column_type(stmt, index) == SQLITE_TEXT)
            return ReadText(stmt, index);
        return sqlite3_column_double(stmt, index);
    case TFieldType::Boolean:
        return sqlite3_column_int64(stmt, index) != 0;
    case TFieldType::Date:
    case TFieldType::Time:
    case TFieldType::DateTime:
        return ReadDateTime(stmt, index);
    case TFieldType::String:
    case TFieldType::Memo:
    case TFieldType::WideString:
    case TFieldType::FmtMemo:
    case TFieldType::FixedChar:
        if (sqlite3_column_type(stmt, index) == SQLITE_BLOB)
            return ReadByStorageClass(stmt, index);
        return ReadText(stmt, index);
    case TFieldType::Blob:
    case TFieldType::Graphic:
    case TFieldType::TypedBinary:
    case TFieldType::Bytes:
    case TFieldType::VarBytes: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt, index));
        return TBytes{std::string(data ? data : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, index)))};
    }
    case TFieldType::Unknown:
        break;
    }
    return ReadByStorageClass(stmt, index);
}

int BindSQLiteValue(sqlite3_stmt* stmt, int index, const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::Null: return sqlite3_bind_null(stmt, index);
    case TVariantKind::Integer: return sqlite3_bind_int64(stmt, index, value.AsInteger());
    case TVariantKind::Float: return sqlite3_bind_double(stmt, index, value.AsFloat());
    case TVariantKind::Boolean: return sqlite3_bind_int(stmt, index, value.AsBoolean() ? 1 : 0);
    case TVariantKind::DateTime: return sqlite3_bind_double(stmt, index, value.AsDateTime().days);
    case TVariantKind::Text: {
        const std::string& text = value.AsText();
        return sqlite3_bind_text64(stmt, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    case TVariantKind::Bytes: {
        const std::string& data = value.AsBytes().data;
        return sqlite3_bind_blob64(stmt, index, data.data(), data.size(), SQLITE_TRANSIENT);
    }
    }
    return sqlite3_bind_null(stmt, index);
}
