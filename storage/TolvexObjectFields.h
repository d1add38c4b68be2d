#pragma once
// Field values of the catalog tables as the object model reads them: Null
// reads as 0 or the empty text; the rules are those of storage/RecordValues.h.
#include "common/CommonFunctions.h"
#include "common/Variant.h"
#include "storage/RecordValues.h"

#include <string>

namespace object_fields {

inline double ToDouble(const TVariant& value)
{
    return VariantToNumber(value);
}

inline int ToInt(const TVariant& value)
{
    return VariantToInteger(value);
}

inline std::string ToText(const TVariant& value)
{
    return TCommonFunctions::VariantToString(value);
}

}  // namespace object_fields
