#include "common/GifCodec.h"

#include "common/ColorQuantizer.h"
#include "common/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>

namespace {

const char* const ReadFailure = "The GIF picture cannot be read: ";
const char* const WriteFailure = "The picture cannot be written as GIF: ";

[[noreturn]] void Fail(const char* what, int error)
{
    const char* text = GifErrorString(error);
    throw ECriticalTolvexException(std::string(what) + (text ? text : "unknown error"));
}

[[noreturn]] void Fail(const char* what, const char* reason)
{
    throw ECriticalTolvexException(std::string(what) + reason);
}

// ---- reading ----------------------------------------------------------------

struct TGifSource {
    const std::string* bytes;
    std::size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* source = static_cast<TGifSource*>(gif->UserData);
    const std::size_t left = source->bytes->size() - source->position;
    const std::size_t count = std::min(left, static_cast<std::size_t>(std::max(length, 0)));
    std::memcpy(buffer, source->bytes->data() + source->position, count);
    source->position += count;
    return static_cast<int>(count);
}

struct TGifReaderCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using TGifReader = std::unique_ptr<GifFileType, TGifReaderCloser>;

// Reads the extension blocks of one extension; returns the transparent
// index of a graphic control extension, or Transparent unchanged.
int ReadExtension(GifFileType* gif, int transparent)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        Fail(ReadFailure, gif->Error);
    if (code == GRAPHICS_EXT_FUNC_CODE && block) {
        GraphicsControlBlock control;
        if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
            transparent = control.TransparentColor;
    }
    while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            Fail(ReadFailure, gif->Error);
    }
    return transparent;
}

// Row Index of the image in file order, for interlaced images too.
int ImageRow(int index, int height, bool interlaced)
{
    if (!interlaced)
        return index;
    static const int start[] = {0, 4, 2, 1};
    static const int step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows = height > start[pass] ? (height - start[pass] + step[pass] - 1) / step[pass] : 0;
        if (index < rows)
            return start[pass] + index * step[pass];
        index -= rows;
    }
    return 0;
}

TPicture ReadFirstImage(GifFileType* gif, int transparent)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR)
        Fail(ReadFailure, gif->Error);
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* colors = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!colors)
        Fail(ReadFailure, "the image has no colour table");
    if (desc.Width <= 0 || desc.Height <= 0)
        Fail(ReadFailure, "the image has no width or no height");
    const std::int64_t width = std::max<std::int64_t>(gif->SWidth, std::int64_t{desc.Left} + desc.Width);
    const std::int64_t height = std::max<std::int64_t>(gif->SHeight, std::int64_t{desc.Top} + desc.Height);
    TPicture picture(width, height, TPictureKind::Gif);

    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    for (int i = 0; i < desc.Height; ++i) {
        if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR)
            Fail(ReadFailure, gif->Error);
        std::uint8_t* out = picture.Row(desc.Top + ImageRow(i, desc.Height, desc.Interlace)) +
                            static_cast<std::size_t>(desc.Left) * 4;
        for (int x = 0; x < desc.Width; ++x, out += 4) {
            const int index = line[x];
            if (index >= colors->ColorCount)
                continue;  // stays transparent
            // A transparent pixel keeps the colour of its entry, invisible.
            const GifColorType& c = colors->Colors[index];
            out[0] = c.Red;
            out[1] = c.Green;
            out[2] = c.Blue;
            out[3] = index == transparent ? 0 : 255;
        }
    }
    return picture;
}

// ---- writing ------------------------------------------------------------------

int WriteToString(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data),
                                                     static_cast<std::size_t>(length));
    return length;
}

struct TGifWriterCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};
using TGifWriter = std::unique_ptr<GifFileType, TGifWriterCloser>;

struct TColorMapFree {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using TColorMap = std::unique_ptr<ColorMapObject, TColorMapFree>;

// A colour table of a power of two entries (at least 2) holding the palette.
TColorMap MakeColorMap(const std::vector<TRgba>& palette, int& bits)
{
    bits = 1;
    while ((1u << bits) < palette.size())
        ++bits;
    std::vector<GifColorType> colors(1u << bits, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i)
        colors[i] = {palette[i].Red, palette[i].Green, palette[i].Blue};
    TColorMap map(GifMakeMapObject(1 << bits, colors.data()));
    if (!map)
        Fail(WriteFailure, "no colour table");
    return map;
}

void Check(GifFileType* gif, int result)
{
    if (result == GIF_ERROR)
        Fail(WriteFailure, gif->Error);
}

}  // namespace

TPicture TGifCodec::Decode(const std::string& bytes) const
{
    TGifSource source{&bytes, 0};
    int error = 0;
    TGifReader gif(DGifOpen(&source, ReadFromMemory, &error));
    if (!gif)
        Fail(ReadFailure, error);
    int transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
            Fail(ReadFailure, gif->Error);
        if (type == IMAGE_DESC_RECORD_TYPE)
            return ReadFirstImage(gif.get(), transparent);
        if (type == EXTENSION_RECORD_TYPE)
            transparent = ReadExtension(gif.get(), transparent);
        else if (type == TERMINATE_RECORD_TYPE)
            Fail(ReadFailure, "the file holds no image");
    }
}

std::string TGifCodec::Encode(const TPicture& picture) const
{
    if (picture.IsEmpty())
        Fail(WriteFailure, "the picture is empty");
    if (picture.Width() > MaxSide || picture.Height() > MaxSide)
        Fail(WriteFailure, "the picture is larger than 65535 pixels on a side");
    TQuantizedPicture quantized = TColorQuantizer::Quantize(picture);
    int bits = 1;
    const TColorMap colors = MakeColorMap(quantized.Palette, bits);

    std::string bytes;
    int error = 0;
    TGifWriter gif(EGifOpen(&bytes, WriteToString, &error));
    if (!gif)
        Fail(WriteFailure, error);
    EGifSetGifVersion(gif.get(), quantized.TransparentIndex >= 0);
    Check(gif.get(), EGifPutScreenDesc(gif.get(), picture.Width(), picture.Height(), bits, 0, colors.get()));
    if (quantized.TransparentIndex >= 0) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, quantized.TransparentIndex};
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        Check(gif.get(), EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
    }
    Check(gif.get(), EGifPutImageDesc(gif.get(), 0, 0, picture.Width(), picture.Height(), false, nullptr));
    for (int y = 0; y < picture.Height(); ++y)
        Check(gif.get(), EGifPutLine(gif.get(), quantized.Indices.data() + static_cast<std::size_t>(y) * picture.Width(),
                                     picture.Width()));
    // Closing writes the trailer; a failure there leaves the file incomplete.
    GifFileType* open = gif.release();
    if (EGifCloseFile(open, &error) == GIF_ERROR)
        Fail(WriteFailure, error);
    return bytes;
}
