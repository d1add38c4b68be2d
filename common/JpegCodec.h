#pragma once
// JPEG pictures through libjpeg: any baseline or progressive JPEG in
// grey, colour or CMYK is read; pictures are written as baseline colour
// JPEG. Transparent pixels are laid over white, as JPEG has no alpha.
#include "common/PictureCodec.h"

class TJpegCodec : public TPictureCodec {
public:
    // Quality of written pictures, 1 to 100.
    explicit TJpegCodec(int quality = 90) : quality_(quality) {}

    TPictureKind Kind() const override { return TPictureKind::Jpeg; }
    TPicture Decode(const std::string& bytes) const override;
    std::string Encode(const TPicture& picture) const override;

private:
    int quality_;
};
