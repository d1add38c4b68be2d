// Picture codecs: every format written and read back, the variants of the
// formats that other programs write, and what each format cannot hold.
#include "common/BmpCodec.h"
#include "common/ColorQuantizer.h"
#include "common/Exceptions.h"
#include "common/GifCodec.h"
#include "common/IcoCodec.h"
#include "common/JpegCodec.h"
#include "common/PictureBytes.h"
#include "common/PngCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>

namespace {

// A picture of many colours: red grows to the right, green downwards, blue
// along the diagonal.
TPicture Gradient(int width, int height)
{
    TPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, {static_cast<std::uint8_t>(x * 255 / (width - 1)),
                                    static_cast<std::uint8_t>(y * 255 / (height - 1)),
                                    static_cast<std::uint8_t>((x + y) * 255 / (width + height - 2)), 255});
    return picture;
}

// A picture of six colours whose top-left 3 x 3 corner is transparent.
TPicture FewColorsWithHole(int width, int height)
{
    static const TRgba colors[] = {{255, 0, 0, 255},   {0, 255, 0, 255},   {0, 0, 255, 255},
                                   {255, 255, 0, 255}, {0, 255, 255, 255}, {20, 30, 40, 255}};
    TPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, x < 3 && y < 3 ? TRgba{} : colors[(x / 4 + y / 3) % 6]);
    return picture;
}

bool StartsWith(const std::string& bytes, const std::string& magic)
{
    return bytes.compare(0, magic.size(), magic) == 0;
}

// The mean difference of the colour channels of two pictures of one size.
double MeanColorError(const TPicture& a, const TPicture& b)
{
    double sum = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const TRgba p = a.GetPixel(x, y), q = b.GetPixel(x, y);
            sum += std::abs(p.Red - q.Red) + std::abs(p.Green - q.Green) + std::abs(p.Blue - q.Blue);
        }
    return sum / (3.0 * a.Width() * a.Height());
}

bool SamePixels(const TPicture& a, const TPicture& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Pixels(), a.Pixels() + std::size_t(a.Width()) * a.Height() * 4, b.Pixels());
}

struct TFormat {
    const TPictureCodec& codec;
    std::string magic;
    bool lossless;
};

std::vector<TFormat> Formats()
{
    return {
        {TPictureCodec::ForKind(TPictureKind::Jpeg), "\xFF\xD8\xFF", false},
        {TPictureCodec::ForKind(TPictureKind::Png), "\x89PNG\r\n\x1A\n", true},
        {TPictureCodec::ForKind(TPictureKind::Gif), "GIF8", false},
        {TPictureCodec::ForKind(TPictureKind::Bitmap), "BM", true},
        {TPictureCodec::ForKind(TPictureKind::Icon), std::string("\0\0\1\0", 4), true},
    };
}

}  // namespace

// ---- round trips ----------------------------------------------------------------

TEST(ImageCodec, EveryFormatWritesItsOwnBytesAndReadsThemBack)
{
    const TPicture original = Gradient(37, 23);
    for (const TFormat& format : Formats()) {
        SCOPED_TRACE(PictureKindMimeType(format.codec.Kind()));
        const std::string bytes = format.codec.Encode(original);
        EXPECT_TRUE(StartsWith(bytes, format.magic));
        const TPicture back = format.codec.Decode(bytes);
        EXPECT_EQ(back.Kind(), format.codec.Kind());
        ASSERT_EQ(back.Width(), 37);
        ASSERT_EQ(back.Height(), 23);
        EXPECT_FALSE(back.HasTransparency());
        if (format.lossless)
            EXPECT_TRUE(SamePixels(back, original));
        else
            EXPECT_LT(MeanColorError(back, original), 4.0) << "lossy, but close";
    }
}

TEST(ImageCodec, TransparencySurvivesEveryFormatThatHasIt)
{
    const TPicture original = FewColorsWithHole(20, 12);
    for (const TFormat& format : Formats()) {
        SCOPED_TRACE(PictureKindMimeType(format.codec.Kind()));
        const TPicture back = format.codec.Decode(format.codec.Encode(original));
        if (format.codec.Kind() == TPictureKind::Jpeg) {
            EXPECT_EQ(back.GetPixel(0, 0).Alpha, 255) << "JPEG has no alpha";
            EXPECT_GT(back.GetPixel(1, 1).Red, 230) << "transparent pixels are laid over white";
            continue;
        }
        EXPECT_EQ(back.GetPixel(1, 1).Alpha, 0);
        EXPECT_EQ(back.GetPixel(10, 6), original.GetPixel(10, 6)) << "few colours are kept exactly, GIF too";
    }
}

TEST(ImageCodec, GifOfManyColoursUsesAtMost256WithOneTransparentEntry)
{
    TPicture original = Gradient(64, 64);
    original.SetPixel(5, 5, {9, 9, 9, 0});
    const TQuantizedPicture quantized = TColorQuantizer::Quantize(original);
    EXPECT_LE(quantized.Palette.size(), 256u);
    ASSERT_GE(quantized.TransparentIndex, 0);
    EXPECT_EQ(quantized.Indices[5 * 64 + 5], quantized.TransparentIndex);
    const long transparentUses = std::count(quantized.Indices.begin(), quantized.Indices.end(),
                                            static_cast<std::uint8_t>(quantized.TransparentIndex));
    EXPECT_EQ(transparentUses, 1) << "no opaque pixel is mapped to the transparent entry";

    const TPicture back = TGifCodec().Decode(TGifCodec().Encode(original));
    EXPECT_EQ(back.GetPixel(5, 5).Alpha, 0);
    original.SetPixel(5, 5, back.GetPixel(5, 5));
    EXPECT_LT(MeanColorError(back, original), 8.0) << "median cut and Stucki diffusion keep the picture close";
}

TEST(ImageCodec, FormatsRefusePicturesTheyCannotHold)
{
    struct Case { const TPictureCodec& codec; int width; int height; const char* why; };
    const Case cases[] = {
        {TPictureCodec::ForKind(TPictureKind::Icon), 257, 10, "icons hold at most 256 x 256"},
        {TPictureCodec::ForKind(TPictureKind::Gif), 65536, 1, "GIF sides are 16-bit"},
        {TPictureCodec::ForKind(TPictureKind::Jpeg), 65501, 1, "JPEG sides stop at 65500"},
    };
    for (const Case& c : cases) {
        TPicture picture(c.width, c.height);
        picture.Fill({1, 2, 3, 255});
        EXPECT_THROW(c.codec.Encode(picture), ECriticalTolvexException) << c.why;
    }
    EXPECT_EQ(TIcoCodec().Decode(TIcoCodec().Encode(TPicture(256, 256))).Width(), 256) << "256 itself fits";
}

// ---- bitmaps written by other programs --------------------------------------------

namespace {

// Builds a bitmap file: file header, an info (40), V4 (108) or core (12)
// header, optional bit masks after an info header, colour table, pixels.
std::string BitmapFile(std::uint32_t headerSize, std::int32_t width, std::int32_t height, int bits,
                       std::uint32_t compression, const std::vector<TRgba>& palette, const std::string& pixels,
                       const std::vector<std::uint32_t>& masks = {})
{
    TPictureByteWriter dib;
    dib.U32(headerSize);
    if (headerSize == 12) {
        dib.U16(static_cast<std::uint16_t>(width));
        dib.U16(static_cast<std::uint16_t>(height));
        dib.U16(1);
        dib.U16(static_cast<std::uint16_t>(bits));
    } else {
        dib.I32(width);
        dib.I32(height);
        dib.U16(1);
        dib.U16(static_cast<std::uint16_t>(bits));
        dib.U32(compression);
        dib.U32(static_cast<std::uint32_t>(pixels.size()));
        dib.U32(2835);
        dib.U32(2835);
        dib.U32(static_cast<std::uint32_t>(palette.size()));
        dib.U32(0);
        for (std::uint32_t mask : masks)
            dib.U32(mask);
        dib.Zeros(headerSize > 40 ? headerSize - 40 - 4 * masks.size() : 0);
    }
    for (const TRgba& c : palette) {
        dib.U8(c.Blue);
        dib.U8(c.Green);
        dib.U8(c.Red);
        if (headerSize != 12)
            dib.U8(0);
    }
    TPictureByteWriter file;
    file.U8('B');
    file.U8('M');
    file.U32(static_cast<std::uint32_t>(14 + dib.Size() + pixels.size()));
    file.U32(0);
    file.U32(static_cast<std::uint32_t>(14 + dib.Size()));
    file.Append(dib.Bytes());
    file.Append(pixels);
    return file.Bytes();
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int v : values)
        bytes.push_back(static_cast<char>(v));
    return bytes;
}

const TRgba Black{0, 0, 0, 255};
const TRgba White{255, 255, 255, 255};
const TRgba Red{255, 0, 0, 255};
const TRgba Blue{0, 0, 255, 255};

}  // namespace

TEST(ImageCodec, BitmapVariantsOfOtherProgramsAreRead)
{
    struct Case {
        const char* what;
        std::string file;
        int width, height;
        std::vector<std::pair<std::pair<int, int>, TRgba>> expected;  // (x, y) top-down -> colour
    };
    const Case cases[] = {
        {"1 bit, bottom-up: the first row in the file is the bottom row",
         BitmapFile(40, 3, 2, 1, 0, {Black, White}, Bytes({0xA0, 0, 0, 0, 0x40, 0, 0, 0})), 3, 2,
         {{{0, 1}, White}, {{1, 1}, Black}, {{2, 1}, White}, {{1, 0}, White}, {{0, 0}, Black}}},
        {"4 bits, core header with 3-byte colour entries",
         BitmapFile(12, 2, 1, 4, 0, std::vector<TRgba>(16, Black), Bytes({0x00, 0, 0, 0})), 2, 1,
         {{{0, 0}, Black}}},
        {"8 bits, top-down",
         BitmapFile(40, 2, -2, 8, 0, {Red, Blue}, Bytes({0, 1, 0, 0, 1, 0, 0, 0})), 2, 2,
         {{{0, 0}, Red}, {{1, 0}, Blue}, {{0, 1}, Blue}, {{1, 1}, Red}}},
        {"16 bits without masks are 5-5-5",
         BitmapFile(40, 1, 1, 16, 0, {}, Bytes({0x00, 0x7C, 0, 0})), 1, 1, {{{0, 0}, Red}}},
        {"16 bits with 5-6-5 bit fields after the info header",
         BitmapFile(40, 1, 1, 16, 3, {}, Bytes({0x1F, 0x00, 0, 0}), {0xF800, 0x07E0, 0x001F}), 1, 1,
         {{{0, 0}, Blue}}},
        {"24 bits, rows padded to 4 bytes",
         BitmapFile(40, 1, 2, 24, 0, {}, Bytes({0, 0, 255, 0, 255, 0, 0, 0})), 1, 2,
         {{{0, 0}, Blue}, {{0, 1}, Red}}},
        {"32 bits whose fourth byte is always 0: opaque, not invisible",
         BitmapFile(40, 1, 1, 32, 0, {}, Bytes({0, 0, 255, 0})), 1, 1, {{{0, 0}, Red}}},
        {"32 bits with an alpha mask in a V4 header",
         BitmapFile(108, 1, 1, 32, 3, {}, Bytes({0, 0, 255, 0x80}),
                    {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}), 1, 1, {{{0, 0}, {255, 0, 0, 0x80}}}},
        {"RLE8: a run, a delta that skips pixels (left transparent), end of bitmap",
         BitmapFile(40, 4, 2, 8, 1, {Red, Blue}, Bytes({2, 1, 0, 2, 1, 1, 1, 0, 0, 1})), 4, 2,
         {{{0, 1}, Blue}, {{1, 1}, Blue}, {{2, 1}, {}}, {{3, 0}, Red}, {{0, 0}, {}}}},
        {"RLE4: an absolute run of three pixels, padded to a word",
         BitmapFile(40, 3, 1, 4, 2, {Red, Blue}, Bytes({0, 3, 0x01, 0x00, 0, 1})), 3, 1,
         {{{0, 0}, Red}, {{1, 0}, Blue}, {{2, 0}, Red}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TPicture picture = TBmpCodec().Decode(c.file);
        ASSERT_EQ(picture.Width(), c.width);
        ASSERT_EQ(picture.Height(), c.height);
        for (const auto& [at, color] : c.expected)
            EXPECT_EQ(picture.GetPixel(at.first, at.second), color) << "pixel " << at.first << "," << at.second;
    }
}

// ---- icons ------------------------------------------------------------------------

namespace {

struct TIconImage {
    int side;
    int bits;
    std::string data;
};

std::string IconFile(const std::vector<TIconImage>& images)
{
    TPictureByteWriter out;
    out.U16(0);
    out.U16(1);
    out.U16(static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const TIconImage& image : images) {
        out.U8(static_cast<std::uint8_t>(image.side % 256));
        out.U8(static_cast<std::uint8_t>(image.side % 256));
        out.U16(0);
        out.U16(1);
        out.U16(static_cast<std::uint16_t>(image.bits));
        out.U32(static_cast<std::uint32_t>(image.data.size()));
        out.U32(offset);
        offset += static_cast<std::uint32_t>(image.data.size());
    }
    for (const TIconImage& image : images)
        out.Append(image.data);
    return out.Bytes();
}

// A 2 x 2, 8-bit icon image (red and blue) whose mask hides its top-left pixel.
std::string PalettedIconImage()
{
    TPictureByteWriter dib;
    dib.U32(40);
    dib.I32(2);
    dib.I32(4);  // pixels and mask
    dib.U16(1);
    dib.U16(8);
    dib.U32(0);
    dib.U32(0);
    dib.Zeros(16);
    dib.U8(0), dib.U8(0), dib.U8(255), dib.U8(0);  // red
    dib.U8(255), dib.U8(0), dib.U8(0), dib.U8(0);  // blue
    dib.Zeros(256 * 4 - 8);
    dib.Append(Bytes({1, 1, 0, 0, 0, 0, 0, 0}));   // bottom row blue, top row red
    dib.Append(Bytes({0, 0, 0, 0, 0x80, 0, 0, 0})); // mask: bottom row visible, top-left hidden
    return dib.Bytes();
}

}  // namespace

TEST(ImageCodec, IconsGiveTheirLargestImageWithItsMask)
{
    TPicture big(32, 32);
    big.Fill(Blue);
    const std::string png = TPngCodec().Encode(big);
    struct Case { const char* what; std::string file; int side; int topLeftAlpha; TRgba topRight; };
    const Case cases[] = {
        {"8-bit image with a mask", IconFile({{2, 8, PalettedIconImage()}}), 2, 0, Red},
        {"the larger PNG image wins over the small bitmap",
         IconFile({{2, 8, PalettedIconImage()}, {32, 32, png}}), 32, 255, Blue},
        {"an unreadable largest image gives way to the next",
         IconFile({{48, 32, std::string(40, '\x7F')}, {2, 8, PalettedIconImage()}}), 2, 0, Red},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TPicture picture = TIcoCodec().Decode(c.file);
        EXPECT_EQ(picture.Kind(), TPictureKind::Icon);
        ASSERT_EQ(picture.Width(), c.side);
        EXPECT_EQ(picture.GetPixel(0, 0).Alpha, c.topLeftAlpha);
        EXPECT_EQ(picture.GetPixel(picture.Width() - 1, 0), c.topRight);
    }
}

// ---- GIF and JPEG files of other programs -------------------------------------------

namespace {

int AppendToString(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

// A 6 x 4 logical screen with one interlaced 2 x 5 image at (3, 0) whose
// local colour table gives row r the colour r (0 red ... 4 transparent).
std::string InterlacedGifOnScreen()
{
    std::string bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendToString, &error);
    GifColorType global[2] = {{0, 0, 0}, {1, 1, 1}};
    ColorMapObject* screenMap = GifMakeMapObject(2, global);
    GifColorType local[8] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {9, 9, 9}};
    ColorMapObject* imageMap = GifMakeMapObject(8, local);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, 6, 4, 3, 0, screenMap);
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, 4};
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
    EGifPutImageDesc(gif, 3, 0, 2, 5, true, imageMap);
    // Interlaced order of 5 rows: 0, 4, 2, 1, 3.
    for (int row : {0, 4, 2, 1, 3}) {
        GifPixelType line[2] = {static_cast<GifPixelType>(row), static_cast<GifPixelType>(row)};
        EGifPutLine(gif, line, 2);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(screenMap);
    GifFreeMapObject(imageMap);
    return bytes;
}

struct TJpegTestError {
    jpeg_error_mgr manager;
};

// A 4 x 2 JPEG of one colour written in another colour space.
std::string JpegIn(J_COLOR_SPACE space, int components, const std::vector<std::uint8_t>& pixel, bool adobe)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = 4;
    cinfo.image_height = 2;
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    cinfo.write_Adobe_marker = adobe ? TRUE : FALSE;
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row;
    for (int x = 0; x < 4; ++x)
        row.insert(row.end(), pixel.begin(), pixel.end());
    while (cinfo.next_scanline < 2) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<char*>(out), size);
    std::free(out);
    return bytes;
}

bool Near(TRgba a, TRgba b)
{
    return std::abs(a.Red - b.Red) <= 3 && std::abs(a.Green - b.Green) <= 3 && std::abs(a.Blue - b.Blue) <= 3 &&
           a.Alpha == b.Alpha;
}

}  // namespace

TEST(ImageCodec, GifImageIsPlacedOnItsScreenWithLocalColoursAndInterlace)
{
    const TPicture picture = TGifCodec().Decode(InterlacedGifOnScreen());
    ASSERT_EQ(picture.Width(), 6);
    ASSERT_EQ(picture.Height(), 5) << "the screen grows to hold an image that overhangs it";
    EXPECT_EQ(picture.GetPixel(0, 0), TRgba{}) << "outside the image: transparent";
    const TRgba rows[] = {Red, {0, 255, 0, 255}, Blue, {255, 255, 0, 255}, {9, 9, 9, 0}};
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(picture.GetPixel(4, y), rows[y]) << "row " << y << " (row 4: the transparent entry, its colour kept)";
}

TEST(ImageCodec, JpegInGreyAndCmykIsReadAsColour)
{
    struct Case { const char* what; std::string file; TRgba expected; };
    const Case cases[] = {
        {"grey", JpegIn(JCS_GRAYSCALE, 1, {128}, false), {128, 128, 128, 255}},
        {"CMYK with inverted inks (Adobe)", JpegIn(JCS_CMYK, 4, {255, 0, 255, 255}, true), {255, 0, 255, 255}},
        {"CMYK with plain inks", JpegIn(JCS_CMYK, 4, {0, 255, 255, 0}, false), {255, 0, 0, 255}},
    };
    for (const Case& c : cases) {
        const TPicture picture = TJpegCodec().Decode(c.file);
        ASSERT_EQ(picture.Width(), 4) << c.what;
        EXPECT_TRUE(Near(picture.GetPixel(2, 1), c.expected)) << c.what;
    }
}
