#pragma once
// The classes an image item is stored with (names and the picture with its
// sizes, copies and bytes), declared on a test catalog, and the images
// folder item (id 3) the stored pictures go under.
#include "support/CatalogFixture.h"

inline void DeclareImageClasses(TCatalogFixture& catalog)
{
    catalog.DeclareClass(1, "CommonNames")
        .Member(1, "ItemName", 1, mfIsMultiLang)
        .Member(2, "AltFileName", 1, mfIsMultiLang);
    catalog.DeclareClass(5, "Image")
        .Member(1, "ImageWidth", 101)
        .Member(2, "ImageHeight", 101)
        .Member(3, "ThumbnailItemId", 106)
        .Member(4, "LargeItemId", 106)
        .Member(6, "ImageData", 252)
        .Member(7, "IsBackgroundImage", 102);
    catalog.AddItem(3, 2, 0);
}
