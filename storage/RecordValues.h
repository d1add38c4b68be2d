#pragma once
// Reading the fields of a record set as the program's lists need them:
// texts (Null as the empty text) and whole numbers (0 for Null or a text
// that is no number).
#include "common/CommonFunctions.h"
#include "storage/AbstractDBQuery.h"
#include "storage/MemberValueText.h"

#include <string>

inline std::string FieldText(const TAbstractRecordset& records, const std::string& name)
{
    return TCommonFunctions::VariantToString(records.Field(name));
}

// A value as a number: Null and Blobs 0, a date its day number, a text read
// as a decimal number ("1.5"; 0 when it is none).
inline double VariantToNumber(const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::Integer: return static_cast<double>(value.AsInteger());
    case TVariantKind::Float: return value.AsFloat();
    case TVariantKind::Boolean: return value.AsBoolean() ? 1 : 0;
    case TVariantKind::DateTime: return value.AsDateTime().days;
    case TVariantKind::Text: return TMemberValueText::ReadFloat(value.AsText());
    default: return 0;
    }
}

// A value as a whole number: the number above truncated toward zero and
// clamped to the range of int (NaN gives 0). Every reader of integer fields
// uses this one rule.
inline int VariantToInteger(const TVariant& value)
{
    return TMemberValueText::TruncateToInt(VariantToNumber(value));
}

inline int FieldInteger(const TAbstractRecordset& records, const std::string& name)
{
    return VariantToInteger(records.Field(name));
}
