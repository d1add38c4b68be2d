#pragma once
// Ids the business editors find by number: tree roots, item types, classes
// and catalog properties of products, price schedules and custom fields.

namespace business_ids {

// Roots of the catalog's lists.
inline constexpr int kProductsRoot = 11;
inline constexpr int kSchedulesRoot = 12;
inline constexpr int kFieldsRoot = 18;

// Item types.
inline constexpr int kProductLineType = 4001;
inline constexpr int kProductType = 4002;
inline constexpr int kScheduleType = 2002;
inline constexpr int kFieldType = 306;
inline constexpr int kCatalogOptionsType = 1001;

// The class of a product's value of one custom field.
inline constexpr int kFieldValueClass = 4008;

// Catalog properties: the default currency, weight unit and dimensions unit.
inline constexpr int kDefaultCurrency = 706;
inline constexpr int kDefaultWeightUnit = 724;
inline constexpr int kDefaultDimensionsUnit = 725;

// The catalog type whose products keep their codes as typed and whose shipping has a tab of its own.
inline constexpr int kSupplierCatalogType = 12;

}  // namespace business_ids
