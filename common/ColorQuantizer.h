#pragma once
// Reduces a picture to at most 256 colours for GIF: a palette chosen by
// median cut, and every pixel mapped to it with Stucki error diffusion.
// Pixels with an alpha below 128 count as transparent and share one palette
// entry of their own. A picture with few enough colours keeps them exactly
// and is not dithered.
#include "common/Picture.h"

#include <cstdint>
#include <vector>

struct TQuantizedPicture {
    std::vector<TRgba> Palette;        // every entry used; the transparent one among them
    int TransparentIndex = -1;         // -1 when no pixel is transparent
    std::vector<std::uint8_t> Indices; // one palette index a pixel, rows top to bottom
};

class TColorQuantizer {
public:
    // MaxColors: 2 to 256, the transparent entry included. Memory for the
    // diffusion grows with the picture's width.
    static TQuantizedPicture Quantize(const TPicture& picture, int maxColors = 256);
};
