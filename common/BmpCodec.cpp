#include "common/BmpCodec.h"

#include "common/PictureBytes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace {

constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiRle8 = 1;
constexpr std::uint32_t BiRle4 = 2;
constexpr std::uint32_t BiBitFields = 3;
constexpr std::uint32_t BiAlphaBitFields = 6;
constexpr std::uint64_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t V4HeaderSize = 108;

// What the header says about the pixels.
struct TDibLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows of the picture (without an icon's mask)
    bool topDown = false;
    unsigned bitCount = 0;
    std::uint32_t compression = BiRgb;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
    bool alphaFromMask = false;           // the alpha mask was given
    std::vector<TRgba> palette;
    std::uint64_t pixelOffset = 0;

    std::uint64_t Stride() const { return (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4; }
    int OutputRow(std::int64_t fileRow) const
    {
        return static_cast<int>(topDown ? fileRow : height - 1 - fileRow);
    }
};

// One channel of a bit-field pixel scaled to 0..255; Fallback for no mask.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask, std::uint8_t fallback)
{
    if (mask == 0)
        return fallback;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    const std::uint32_t value = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) * 255 / max);
}

void ReadMasks(const TPictureByteReader& in, std::uint64_t at, TDibLayout& layout, bool withAlpha)
{
    for (int i = 0; i < 3; ++i)
        layout.masks[i] = in.U32(at + 4 * i);
    if (withAlpha) {
        layout.masks[3] = in.U32(at + 12);
        layout.alphaFromMask = true;
    }
}

// Reads the header and the colour table; returns where the table ends.
std::uint64_t ReadHeader(const TPictureByteReader& in, bool iconMask, TDibLayout& layout)
{
    const std::uint32_t headerSize = in.U32(0);
    std::uint64_t tableAt = headerSize;
    unsigned entrySize = 4;
    std::uint32_t colorsUsed = 0;
    if (headerSize == 12) {
        layout.width = in.U16(4);
        layout.height = static_cast<std::int16_t>(in.U16(6));
        layout.bitCount = in.U16(10);
        entrySize = 3;
    } else if (headerSize >= InfoHeaderSize) {
        in.Need(0, headerSize);
        layout.width = in.I32(4);
        layout.height = in.I32(8);
        layout.bitCount = in.U16(14);
        layout.compression = in.U32(16);
        colorsUsed = in.U32(32);
        const bool fields = layout.compression == BiBitFields || layout.compression == BiAlphaBitFields;
        if (fields && headerSize >= 52) {
            ReadMasks(in, 40, layout, headerSize >= 56);
        } else if (fields) {
            const bool alpha = layout.compression == BiAlphaBitFields;
            ReadMasks(in, headerSize, layout, alpha);
            tableAt += alpha ? 16 : 12;
        }
    } else {
        in.Fail("unknown header size " + std::to_string(headerSize));
    }

    if (layout.height < 0) {
        layout.topDown = true;
        layout.height = -layout.height;
    }
    if (iconMask)
        layout.height /= 2;
    if (layout.width <= 0 || layout.height <= 0)
        in.Fail("no width or no height");
    TPicture::CheckSize(layout.width, layout.height);

    if (layout.bitCount <= 8) {
        if (layout.bitCount != 1 && layout.bitCount != 4 && layout.bitCount != 8)
            in.Fail("unsupported pixel depth " + std::to_string(layout.bitCount));
        const std::uint32_t full = 1u << layout.bitCount;
        const std::uint32_t count = colorsUsed == 0 ? full : std::min(colorsUsed, full);
        in.Need(tableAt, static_cast<std::uint64_t>(count) * entrySize);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint64_t at = tableAt + static_cast<std::uint64_t>(i) * entrySize;
            layout.palette.push_back({in.U8(at + 2), in.U8(at + 1), in.U8(at), 255});
        }
        tableAt += static_cast<std::uint64_t>(count) * entrySize;
    }
    return tableAt;
}

void CheckCompression(const TPictureByteReader& in, TDibLayout& layout)
{
    const std::uint32_t c = layout.compression;
    const unsigned bits = layout.bitCount;
    if (c == BiRgb) {
        if (bits == 16)
            layout.masks = {0x7C00, 0x03E0, 0x001F, 0};
        else if (bits == 32)
            layout.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
        else if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
            in.Fail("unsupported pixel depth " + std::to_string(bits));
        return;
    }
    if ((c == BiRle8 && bits == 8) || (c == BiRle4 && bits == 4))
        return;
    if ((c == BiBitFields || c == BiAlphaBitFields) && (bits == 16 || bits == 32))
        return;
    in.Fail("unsupported compression " + std::to_string(c) + " with " + std::to_string(bits) + " bits");
}

TRgba PaletteColor(const TDibLayout& layout, unsigned index)
{
    return index < layout.palette.size() ? layout.palette[index] : TRgba{0, 0, 0, 255};
}

void ReadRow(const TDibLayout& layout, const std::uint8_t* row, std::uint8_t* out)
{
    for (std::int64_t x = 0; x < layout.width; ++x, out += 4) {
        TRgba color;
        switch (layout.bitCount) {
        case 1: color = PaletteColor(layout, (row[x / 8] >> (7 - x % 8)) & 1); break;
        case 4: color = PaletteColor(layout, (row[x / 2] >> (x % 2 ? 0 : 4)) & 15); break;
        case 8: color = PaletteColor(layout, row[x]); break;
        case 24: color = {row[x * 3 + 2], row[x * 3 + 1], row[x * 3], 255}; break;
        default: {
            const std::uint8_t* p = row + x * (layout.bitCount / 8);
            const std::uint32_t pixel = layout.bitCount == 16
                ? static_cast<std::uint32_t>(p[0] | p[1] << 8)
                : static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<std::uint32_t>(p[3]) << 24;
            color = {Channel(pixel, layout.masks[0], 0), Channel(pixel, layout.masks[1], 0),
                     Channel(pixel, layout.masks[2], 0), Channel(pixel, layout.masks[3], 255)};
        }
        }
        out[0] = color.Red;
        out[1] = color.Green;
        out[2] = color.Blue;
        out[3] = color.Alpha;
    }
}

void ReadUncompressed(const TPictureByteReader& in, const TDibLayout& layout, TPicture& picture)
{
    const std::uint64_t stride = layout.Stride();
    for (std::int64_t r = 0; r < layout.height; ++r)
        ReadRow(layout, in.Data(layout.pixelOffset + static_cast<std::uint64_t>(r) * stride),
                picture.Row(layout.OutputRow(r)));
}

// Run-length coded pixels; pixels the data skips stay transparent, and data
// that ends early keeps what was decoded.
void ReadRunLength(const TPictureByteReader& in, const TDibLayout& layout, TPicture& picture)
{
    const bool four = layout.compression == BiRle4;
    std::int64_t x = 0;
    std::int64_t y = 0;
    auto put = [&](unsigned index) {
        if (x < layout.width && y < layout.height)
            picture.SetPixel(static_cast<int>(x), layout.OutputRow(y), PaletteColor(layout, index));
        ++x;
    };
    std::uint64_t pos = layout.pixelOffset;
    while (in.Has(pos, 2) && y < layout.height) {
        const unsigned count = in.U8(pos);
        const unsigned value = in.U8(pos + 1);
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count && x < layout.width; ++i)
                put(four ? (i % 2 ? value & 15 : value >> 4) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (!in.Has(pos, 2))
                break;
            x += in.U8(pos);
            y += in.U8(pos + 1);
            pos += 2;
        } else {
            const std::uint64_t bytes = four ? (value + 1) / 2 : value;
            if (!in.Has(pos, bytes))
                break;
            for (unsigned i = 0; i < value; ++i) {
                const unsigned byte = in.U8(pos + (four ? i / 2 : i));
                put(four ? (i % 2 ? byte & 15 : byte >> 4) : byte);
            }
            pos += (bytes + 1) / 2 * 2;
        }
    }
}

bool AllAlphaZero(const TPicture& picture)
{
    const std::uint8_t* p = picture.Pixels();
    const std::size_t count = static_cast<std::size_t>(picture.Width()) * picture.Height();
    for (std::size_t i = 0; i < count; ++i)
        if (p[i * 4 + 3] != 0)
            return false;
    return true;
}

void SetOpaque(TPicture& picture)
{
    std::uint8_t* p = picture.Pixels();
    const std::size_t count = static_cast<std::size_t>(picture.Width()) * picture.Height();
    for (std::size_t i = 0; i < count; ++i)
        p[i * 4 + 3] = 255;
}

// The 1-bit mask after an icon's pixels: set bits are transparent. A missing
// mask leaves the picture opaque.
void ApplyIconMask(const TPictureByteReader& in, const TDibLayout& layout, TPicture& picture)
{
    const std::uint64_t maskStride = (static_cast<std::uint64_t>(layout.width) + 31) / 32 * 4;
    const std::uint64_t maskAt = layout.pixelOffset + layout.Stride() * static_cast<std::uint64_t>(layout.height);
    if (!in.Has(maskAt, maskStride * static_cast<std::uint64_t>(layout.height)))
        return;
    for (std::int64_t r = 0; r < layout.height; ++r) {
        const std::uint8_t* row = in.Data(maskAt + static_cast<std::uint64_t>(r) * maskStride);
        std::uint8_t* out = picture.Row(layout.OutputRow(r));
        for (std::int64_t x = 0; x < layout.width; ++x)
            if ((row[x / 8] >> (7 - x % 8)) & 1)
                out[x * 4 + 3] = 0;
    }
}

void WriteFileHeader(TPictureByteWriter& out, std::uint64_t fileSize, std::uint32_t pixelOffset)
{
    out.U8('B');
    out.U8('M');
    out.U32(static_cast<std::uint32_t>(fileSize));
    out.U32(0);
    out.U32(pixelOffset);
}

void WriteInfoHeader(TPictureByteWriter& out, std::uint32_t headerSize, const TPicture& picture,
                     std::int32_t height, unsigned bitCount, std::uint32_t compression,
                     std::uint32_t imageSize)
{
    out.U32(headerSize);
    out.I32(picture.Width());
    out.I32(height);
    out.U16(1);
    out.U16(static_cast<std::uint16_t>(bitCount));
    out.U32(compression);
    out.U32(imageSize);
    out.I32(2835);  // 72 dots an inch
    out.I32(2835);
    out.U32(0);
    out.U32(0);
}

// The rows bottom to top in blue, green, red (and alpha) order, each padded
// to 4 bytes.
void WritePixels(TPictureByteWriter& out, const TPicture& picture, unsigned bitCount)
{
    const std::size_t pad = (4 - picture.Width() * (bitCount / 8) % 4) % 4;
    for (int y = picture.Height() - 1; y >= 0; --y) {
        const std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 4) {
            out.U8(p[2]);
            out.U8(p[1]);
            out.U8(p[0]);
            if (bitCount == 32)
                out.U8(p[3]);
        }
        out.Zeros(pad);
    }
}

}  // namespace

TPicture TBmpCodec::DecodeDib(std::string_view dib, std::optional<std::uint64_t> pixelOffset,
                              bool iconMask, const char* format)
{
    const TPictureByteReader in(dib, format);
    TDibLayout layout;
    const std::uint64_t tableEnd = ReadHeader(in, iconMask, layout);
    CheckCompression(in, layout);
    layout.pixelOffset = pixelOffset.value_or(tableEnd);

    const bool runLength = layout.compression == BiRle8 || layout.compression == BiRle4;
    // Checked before the picture is made, so truncated data costs no memory.
    if (!runLength)
        in.Need(layout.pixelOffset, layout.Stride() * static_cast<std::uint64_t>(layout.height));

    TPicture picture(layout.width, layout.height, iconMask ? TPictureKind::Icon : TPictureKind::Bitmap);
    if (runLength) {
        ReadRunLength(in, layout, picture);
        return picture;
    }
    ReadUncompressed(in, layout, picture);
    // Plain 32-bit pixels often leave their fourth byte 0: then it is no alpha.
    const bool alphaUsed = layout.bitCount == 32 && (layout.compression == BiRgb || layout.alphaFromMask);
    const bool hasAlpha = alphaUsed && !AllAlphaZero(picture);
    if (alphaUsed && !hasAlpha)
        SetOpaque(picture);
    // An icon without alpha takes its transparency from the mask.
    if (iconMask && !hasAlpha)
        ApplyIconMask(in, layout, picture);
    return picture;
}

TPicture TBmpCodec::Decode(const std::string& bytes) const
{
    const TPictureByteReader in(bytes, "bitmap");
    if (in.U8(0) != 'B' || in.U8(1) != 'M')
        in.Fail("no bitmap file header");
    const std::uint32_t pixelOffset = in.U32(10);
    if (pixelOffset < FileHeaderSize || pixelOffset > bytes.size())
        in.Fail("the pixel offset lies outside the file");
    return DecodeDib(std::string_view(bytes).substr(FileHeaderSize), pixelOffset - FileHeaderSize, false,
                     "bitmap");
}

std::string TBmpCodec::Encode(const TPicture& picture) const
{
    if (picture.IsEmpty())
        throw ECriticalTolvexException("An empty picture cannot be written as a bitmap");
    const bool alpha = picture.HasTransparency();
    const unsigned bitCount = alpha ? 32 : 24;
    const std::uint32_t headerSize = alpha ? V4HeaderSize : InfoHeaderSize;
    const std::uint64_t stride = (static_cast<std::uint64_t>(picture.Width()) * bitCount / 8 + 3) / 4 * 4;
    const std::uint64_t imageSize = stride * static_cast<std::uint64_t>(picture.Height());
    const std::uint64_t pixelOffset = FileHeaderSize + headerSize;
    const std::uint64_t fileSize = pixelOffset + imageSize;
    if (fileSize > 0xFFFFFFFFu)
        throw ECriticalTolvexException("The picture is too large for a bitmap file");

    TPictureByteWriter out;
    out.Reserve(static_cast<std::size_t>(fileSize));
    WriteFileHeader(out, fileSize, static_cast<std::uint32_t>(pixelOffset));
    WriteInfoHeader(out, headerSize, picture, picture.Height(), bitCount,
                    alpha ? BiBitFields : BiRgb, static_cast<std::uint32_t>(imageSize));
    if (alpha) {
        out.U32(0x00FF0000);
        out.U32(0x0000FF00);
        out.U32(0x000000FF);
        out.U32(0xFF000000);
        out.U32(0x73524742);  // colour space "sRGB"
        out.Zeros(V4HeaderSize - 60);  // end points and gamma: unused for sRGB
    }
    WritePixels(out, picture, bitCount);
    return std::move(out.Bytes());
}

std::string TBmpCodec::EncodeIconDib(const TPicture& picture)
{
    const std::uint64_t maskStride = (static_cast<std::uint64_t>(picture.Width()) + 31) / 32 * 4;
    const std::uint64_t imageSize = (static_cast<std::uint64_t>(picture.Width()) * 4 + maskStride) * picture.Height();
    TPictureByteWriter out;
    WriteInfoHeader(out, InfoHeaderSize, picture, picture.Height() * 2, 32, BiRgb,
                    static_cast<std::uint32_t>(imageSize));
    WritePixels(out, picture, 32);
    for (int y = picture.Height() - 1; y >= 0; --y) {
        std::string row(maskStride, '\0');
        const std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x)
            if (p[x * 4 + 3] < 128)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        out.Append(row);
    }
    return std::move(out.Bytes());
}
