#pragma once
// TFrameProductAdditionalImages: the product's "Additional Images" tab, the
// list-of-images frame over "MultipleAdditionalImages.AdditionalImage",
// stored in the "Product Photos" folder with large copies.
#include "editors/media/images/FrameMultipleImageDataEditor.h"

class TFrameProductAdditionalImages : public TFrameMultipleImageDataEditor {
public:
    explicit TFrameProductAdditionalImages(TFrameSite& site);
};
