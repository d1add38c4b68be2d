#pragma once
// A value of a database field or parameter: Null, integer, float, text,
// Boolean, date-time or bytes. Date-times count days since 1899-12-30 in
// local time (the fraction is the time of day), 0 meaning "no date".
#include <cstdint>
#include <string>
#include <variant>

struct TDateTime {
    double days = 0.0;
    bool operator==(const TDateTime&) const = default;
};

// Raw bytes of a blob value.
struct TBytes {
    std::string data;
    bool operator==(const TBytes&) const = default;
};

enum class TVariantKind { Null, Integer, Float, Text, Boolean, DateTime, Bytes };

class TVariant {
public:
    TVariant() = default;  // Null
    TVariant(std::nullptr_t) {}
    TVariant(int v) : value_(std::int64_t{v}) {}
    TVariant(std::int64_t v) : value_(v) {}
    TVariant(double v) : value_(v) {}
    TVariant(bool v) : value_(v) {}
    TVariant(const char* v) : value_(std::string(v)) {}
    TVariant(std::string v) : value_(std::move(v)) {}
    TVariant(TDateTime v) : value_(v) {}
    TVariant(TBytes v) : value_(std::move(v)) {}

    TVariantKind Kind() const { return static_cast<TVariantKind>(value_.index()); }
    bool IsNull() const { return Kind() == TVariantKind::Null; }

    // Typed access; the caller checks Kind() first.
    std::int64_t AsInteger() const { return std::get<std::int64_t>(value_); }
    double AsFloat() const { return std::get<double>(value_); }
    const std::string& AsText() const { return std::get<std::string>(value_); }
    bool AsBoolean() const { return std::get<bool>(value_); }
    TDateTime AsDateTime() const { return std::get<TDateTime>(value_); }
    const TBytes& AsBytes() const { return std::get<TBytes>(value_); }

    bool operator==(const TVariant&) const = default;

private:
    std::variant<std::monostate, std::int64_t, double, std::string, bool, TDateTime, TBytes> value_;
};

// Data types of record-set fields, as the field conversions and the
// record-set XML name them.
enum class TFieldType {
    Unknown,
    String, Memo, WideString, FmtMemo, FixedChar,
    Smallint, Integer, Word, Boolean, Float, Currency,
    Date, Time, DateTime,
    Blob, Graphic, TypedBinary, Bytes, VarBytes,
    AutoInc,
};
