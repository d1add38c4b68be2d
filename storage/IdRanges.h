#pragma once
// Id ranges and numbering rules of catalog items and objects.
#include <cstdint>

// Ids 0 to 99 are tree roots; every walk up the tree stops at the first.
inline constexpr int kFirstRootItemId = 0;
inline constexpr int kLastRootItemId = 99;
inline constexpr int kWebTreeRootId = 1;
inline constexpr int kImagesRootId = 3;
inline constexpr int kBinaryObjectsRootId = 4;
inline constexpr int kTemplatesRootId = 5;
inline constexpr int kCatalogPropertiesRootId = 8;

// A new item that the editor has not created yet.
inline constexpr int kNewItemId = -2;

// A new item's id is the next value of the catalog's sequence "Items" plus
// this offset; an object that needs an id outside its item's instance list
// takes the sequence "Instance" plus the same offset.
inline constexpr int kLocalIdOffset = 1000000;
inline constexpr const char* kItemsSequence = "Items";
inline constexpr const char* kInstanceSequence = "Instance";
// Items created locally and not yet published have ids strictly between
// kLocalIdOffset and this bound.
inline constexpr int kLocalItemIdLimit = 50000000;

// Image items (type 301) with ids strictly between these two are the
// templates' images.
inline constexpr int kTemplateImageIdLow = 600000;
inline constexpr int kTemplateImageIdHigh = 700000;

// Objects of an item are numbered from 1; a top-level object has parent
// instance 0.
inline constexpr int kFirstInstanceId = 1;
inline constexpr int kTopLevelParentInstanceId = 0;

// Children of a parent that sorts them: sort group g orders inside
// (g * kSortGroupSpan, (g + 1) * kSortGroupSpan), a new child taking the
// highest OrderNum of the range plus kOrderNumStep.
inline constexpr std::int64_t kSortGroupSpan = 100000000;
inline constexpr int kOrderNumStep = 100;

constexpr bool IsRootItemId(int id)
{
    return id >= kFirstRootItemId && id <= kLastRootItemId;
}

constexpr bool IsLocalItemId(int id)
{
    return id > kLocalIdOffset && id < kLocalItemIdLimit;
}

constexpr bool IsTemplateImageId(int id)
{
    return id > kTemplateImageIdLow && id < kTemplateImageIdHigh;
}

// The id made from a sequence value ("Items" or "Instance").
constexpr int LocalIdFromSequence(int sequenceValue)
{
    return sequenceValue + kLocalIdOffset;
}
