#pragma once
// TFrameProductLargeImage: the product's "Full Size Image" tab, the image
// member frame over "ProductImages.LargeImage": "Select..." runs the image
// dialog and writes the chosen image at once into the editor's objects,
// "Delete" clears the reference when the frame stores.
#include "editors/media/images/FrameImageDataEditor.h"

class TFrameProductLargeImage : public TFrameImageDataEditor {
public:
    explicit TFrameProductLargeImage(TFrameSite& site);
};
