#pragma once
// Windows and OS/2 bitmaps, our own reader and writer. Read: the core,
// info and V2 to V5 headers; 1, 4, 8, 16, 24 and 32 bits a pixel;
// uncompressed, RLE8, RLE4 and bit fields; bottom-up and top-down rows.
// Written: 24-bit uncompressed, or 32-bit with an alpha mask (V4 header)
// when some pixel is not opaque.
//
// The device-independent bitmap inside an icon is the same structure with
// the height doubled and a 1-bit transparency mask after the pixels; the
// icon codec uses DecodeDib and EncodeIconDib for it.
#include "common/PictureCodec.h"

#include <cstdint>
#include <optional>
#include <string_view>

class TBmpCodec : public TPictureCodec {
public:
    TPictureKind Kind() const override { return TPictureKind::Bitmap; }
    TPicture Decode(const std::string& bytes) const override;
    std::string Encode(const TPicture& picture) const override;

    // A device-independent bitmap (header, colour table, pixels). PixelOffset
    // is where the pixels start, counted from the header's start; without it
    // they follow the colour table. With IconMask set the header's height
    // counts the pixels and the transparency mask after them.
    static TPicture DecodeDib(std::string_view dib, std::optional<std::uint64_t> pixelOffset,
                              bool iconMask, const char* format);
    // The bitmap of one icon image: 32 bits a pixel with alpha, then the mask.
    static std::string EncodeIconDib(const TPicture& picture);
};
