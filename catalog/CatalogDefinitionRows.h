#pragma once
// Reading the rows of a definition catalog: the catalog code of a type, the
// statements that list the visible items of a folder with member values,
// and field values as integers and texts.
#include "common/CommonFunctions.h"
#include "common/Variant.h"
#include "storage/CatalogTypes.h"
#include "storage/RecordValues.h"

#include <string>

namespace catalog_definition {

// The code of the definition catalog of a catalog type (storage/CatalogTypes.h).
using ::DefinitionCatalogCode;

// A number field as an integer (fractions cut off); 0 for Null.
inline int IntOf(const TVariant& value)
{
    return VariantToInteger(value);
}

// A text field; empty for Null.
inline std::string TextOf(const TVariant& value)
{
    return value.Kind() == TVariantKind::Text ? value.AsText() : TCommonFunctions::VariantToString(value);
}

// A column giving the largest value of one member of the item "i" in a
// value table: "(SELECT MAX(...) ...) AS Alias".
inline std::string MemberColumn(const std::string& table, const std::string& valueField, int classId,
                                int memberId, const std::string& alias)
{
    return "(SELECT MAX(v." + valueField + ") FROM " + table +
           " v WHERE v.CatalogCode = i.CatalogCode AND v.ItemId = i.ItemId AND v.ClassId = " +
           std::to_string(classId) + " AND v.MemberId = " + std::to_string(memberId) + ") AS " + alias;
}

// The condition on the Items row "i" of a visible item of ItemType under
// ParentItemId in the catalog bound as ":CatalogCode".
inline std::string VisibleItemsCondition(int itemType, int parentItemId)
{
    return "i.CatalogCode = :CatalogCode AND i.ItemType = " + std::to_string(itemType) +
           " AND i.ParentItemId = " + std::to_string(parentItemId) + " AND i.NotVisible = 0";
}

// A SELECT of Columns over the visible items of ItemType under ParentItemId,
// in tree order.
inline std::string VisibleItemsQuery(const std::string& columns, int itemType, int parentItemId)
{
    return "SELECT " + columns + " FROM Items i WHERE " + VisibleItemsCondition(itemType, parentItemId) +
           " ORDER BY i.OrderNum, i.ItemId";
}

}  // namespace catalog_definition
