#pragma once
// Resizes pictures. Each axis is resampled on its own: by area averaging
// where it shrinks (every source pixel counts with the share of it that
// falls into the target pixel) and bilinearly where it grows. Colours are
// weighted by their alpha, so transparent pixels do not bleed their colour
// into the edges of what they surround. A picture that shrinks is read
// once, row by row, keeping no more than a few rows besides the result.
#include "common/Picture.h"

class TPictureScaler {
public:
    // A new picture of the given size (of kind Bitmap) drawn from Source.
    // Raises ECriticalTolvexException for a size the picture cannot have.
    static TPicture Scale(const TPicture& source, int width, int height);
};
