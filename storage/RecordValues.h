#pragma once
// Reading the fields of a record set as the program's lists need them:
// texts (Null as the empty text) and whole numbers (0 for Null or a text
// that is no number).
#include "common/CommonFunctions.h"
#include "storage/AbstractDBQuery.h"

#include <charconv>
#include <cmath>
#include <string>

inline std::string FieldText(const TAbstractRecordset& records, const std::string& name)
{
    return TCommonFunctions::VariantToString(records.Field(name));
}

// A value as a whole number: fractions truncated toward zero, a decimal
// text read as a number, anything else 0.
inline int VariantToInteger(const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::Integer:
        return static_cast<int>(value.AsInteger());
    case TVariantKind::Float:
        return std::isfinite(value.AsFloat()) ? static_cast<int>(std::trunc(value.AsFloat())) : 0;
    case TVariantKind::Boolean:
        return value.AsBoolean() ? 1 : 0;
    case TVariantKind::Text: {
        const std::string& text = value.AsText();
        int number = 0;
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        return error == std::errc() && end == text.data() + text.size() ? number : 0;
    }
    default:
        return 0;
    }
}

inline int FieldInteger(const TAbstractRecordset& records, const std::string& name)
{
    return VariantToInteger(records.Field(name));
}
