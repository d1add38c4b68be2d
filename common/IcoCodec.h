#pragma once
// Windows icons, our own reader and writer. Reading picks the largest image
// of the icon (then the deepest colours) whose data can be read; images may
// be bitmaps with a mask or embedded PNG. Writing makes an icon of one
// 32-bit image with alpha, which limits pictures to 256 x 256 pixels.
#include "common/PictureCodec.h"

class TIcoCodec : public TPictureCodec {
public:
    static constexpr int MaxSide = 256;

    TPictureKind Kind() const override { return TPictureKind::Icon; }
    TPicture Decode(const std::string& bytes) const override;
    std::string Encode(const TPicture& picture) const override;
};
