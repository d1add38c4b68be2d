#pragma once
// Field values of the catalog tables as the object model reads them: Null
// reads as 0 or the empty text, numbers stored as text are not expected.
#include "common/CommonFunctions.h"
#include "common/Variant.h"
#include "storage/MemberValueText.h"

#include <string>

namespace object_fields {

inline double ToDouble(const TVariant& value)
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

inline int ToInt(const TVariant& value)
{
    return TMemberValueText::TruncateToInt(ToDouble(value));
}

inline std::string ToText(const TVariant& value)
{
    return TCommonFunctions::VariantToString(value);
}

}  // namespace object_fields
