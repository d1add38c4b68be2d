#pragma once
// PNG pictures through libpng's simplified interface, which catches libpng's
// own errors (it guards every call with setjmp and frees its memory on
// failure). Every PNG colour type and depth is read; pictures are written as
// 8-bit RGB, or RGBA when some pixel is not opaque.
#include "common/PictureCodec.h"

class TPngCodec : public TPictureCodec {
public:
    TPictureKind Kind() const override { return TPictureKind::Png; }
    TPicture Decode(const std::string& bytes) const override;
    std::string Encode(const TPicture& picture) const override;
};
