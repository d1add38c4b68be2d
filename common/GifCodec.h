#pragma once
// GIF pictures through giflib. Reading gives the first image of the file on
// its logical screen, with its transparent colour; writing reduces the
// colours (TColorQuantizer) and keeps transparency as one palette entry.
#include "common/PictureCodec.h"

class TGifCodec : public TPictureCodec {
public:
    static constexpr int MaxSide = 65535;

    TPictureKind Kind() const override { return TPictureKind::Gif; }
    TPicture Decode(const std::string& bytes) const override;
    std::string Encode(const TPicture& picture) const override;
};
