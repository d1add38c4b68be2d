#pragma once
// Mirrors and quarter turns of pictures. Pixel (x, y) of the result comes
// from the source pixel the mode names (width and height of the source):
//   FlipTopToBottom      (x, height - 1 - y)
//   FlipLeftToRight      (width - 1 - x, y)
//   RotateClockwise      (y, height - 1 - x)
//   RotateCounterClockwise (width - 1 - y, x)
// A turn swaps width and height.
#include "common/Picture.h"

enum class TTransformMode { FlipTopToBottom = 0, FlipLeftToRight = 1, RotateClockwise = 2, RotateCounterClockwise = 3 };

class TPictureTransform {
public:
    // The transformed picture, of kind Bitmap.
    static TPicture Apply(const TPicture& source, TTransformMode mode);
};
