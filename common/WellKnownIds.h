#pragma once
// Classes, members, item types and items that the code finds by number. They
// are those of the shipped catalog description (data/catalogsxml); an id that
// one file alone uses is named beside that code. Root items and id ranges are
// in storage/IdRanges.h.

// ---- classes and their members ------------------------------------------------------

// Every item's name: string member 1 of the names class.
inline constexpr int kNamesClassId = 1;
inline constexpr int kItemNameMemberId = 1;

// An image item's picture: binary member 6 of the image class.
inline constexpr int kImageClassId = 5;
inline constexpr int kImageDataMemberId = 6;

// Templates and styles.
inline constexpr int kMasterTemplateClass = 501;
inline constexpr int kBodyTemplateClass = 502;
inline constexpr int kVersionClass = 505;  // a style item's version
inline constexpr int kTemplateFolderClass = 513;

// Catalog users: user name, password and role word.
inline constexpr int kUserClassId = 602;

// Catalog properties: items of this type under the properties root, the value
// in string member 1 of the class of the same number.
inline constexpr int kPropertyItemType = 603;
inline constexpr int kPropertyClassId = 603;
inline constexpr int kPropertyMemberId = 1;

// The catalog information (the catalog type in number member 1): item and class.
inline constexpr int kCatalogInfoClassId = 604;
inline constexpr int kCatalogInfoItemId = 604;

// ---- item types ---------------------------------------------------------------------

inline constexpr int kFolderItemType = 2;
inline constexpr int kImageItemType = 301;
inline constexpr int kMasterTemplateType = 501;
inline constexpr int kBodyTemplateType = 502;

// ---- items --------------------------------------------------------------------------

// The catalog's own company.
inline constexpr int kCompanyItemId = 2001;
