// The picture operations of the image helpers: loading by MIME type,
// encoding with scaling, flips and turns, and the image type tests.
#include "common/CommonImages.h"
#include "common/CommonProcedures.h"
#include "common/Exceptions.h"
#include "common/PictureCodec.h"
#include "common/PictureScaler.h"
#include "support/ScriptedGui.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Pixel (x, y) of the picture has red x and green y: each pixel is told
// apart and tells where it came from.
TPicture Numbered(int width, int height)
{
    TPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7, 255});
    return picture;
}

TPicture Solid(int width, int height, TRgba color)
{
    TPicture picture(width, height);
    picture.Fill(color);
    return picture;
}

std::string Encoded(TPictureKind kind, const TPicture& picture)
{
    return TPictureCodec::ForKind(kind).Encode(picture);
}

struct TSaved {
    bool ok = false;
    std::string bytes;
    int width = -1;
    int height = -1;
    std::int64_t size = -1;
    std::string mimeType = "unchanged";
};

TSaved Save(TPicture& picture, const std::string& mimeType, bool scale = false, int maxSize = 0,
            TImageScaleType type = TImageScaleType::Maximal)
{
    TSaved saved;
    std::ostringstream stream;
    saved.ok = TCommonImages::SavePictureToStream(picture, mimeType, scale, maxSize, type, stream, saved.width,
                                                  saved.height, saved.size, saved.mimeType);
    saved.bytes = stream.str();
    return saved;
}

}  // namespace

// ---- loading ---------------------------------------------------------------------------

TEST(ImageHelpers, MimeTypeChoosesTheDecoder)
{
    const std::string jpeg = Encoded(TPictureKind::Jpeg, Numbered(4, 3));
    const std::string png = Encoded(TPictureKind::Png, Numbered(4, 3));
    struct Case { std::string mimeType; std::string bytes; bool loads; const char* why; };
    const Case cases[] = {
        {"image/jpeg", jpeg, true, "jpeg"},
        {"IMAGE/JPEG", jpeg, true, "MIME types compare without case"},
        {"image/jpg", jpeg, false, "extension jpg has no decoder, although it is an image type"},
        {"image/pjpeg", jpeg, false, "no decoder"},
        {"image/png", png, true, "png"},
        {"application/x-ico", Encoded(TPictureKind::Icon, Numbered(4, 3)), true, "icon"},
        {"image/bmp", Encoded(TPictureKind::Bitmap, Numbered(4, 3)), true, "bitmap"},
        {"image/gif", Encoded(TPictureKind::Gif, Numbered(4, 3)), true, "gif"},
        {"image/jpeg", "", false, "an empty stream gives no picture"},
    };
    for (const Case& c : cases) {
        std::istringstream stream(c.bytes);
        stream.seekg(0, std::ios::end);  // read from the start whatever the position
        const std::unique_ptr<TPicture> picture = TCommonImages::LoadGraphicFromStream(c.mimeType, stream);
        EXPECT_EQ(picture != nullptr, c.loads) << c.mimeType << ": " << c.why;
        if (picture) {
            EXPECT_EQ(picture->Width(), 4) << c.mimeType;
        }
    }
    EXPECT_THROW(TCommonImages::LoadGraphicFromBytes("image/png", jpeg), ECriticalTolvexException)
        << "JPEG bytes under a PNG type do not decode";
}

TEST(ImageHelpers, FieldOfNullGivesNoPictureAndBlobGivesOne)
{
    EXPECT_EQ(TCommonImages::LoadGraphicFromField("image/bmp", TVariant()), nullptr);
    const TVariant blob(TBytes{Encoded(TPictureKind::Bitmap, Numbered(5, 2))});
    const std::unique_ptr<TPicture> picture = TCommonImages::LoadGraphicFromField("image/bmp", blob);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Kind(), TPictureKind::Bitmap);
    EXPECT_EQ(picture->GetPixel(4, 1), (TRgba{4, 1, 7, 255}));
}

TEST(ImageHelpers, ImageExtensionsAndMimeTypes)
{
    for (const char* ext : {"gif", "jpeg", "jpg", "bmp", "png", "GIF", "Jpg"})
        EXPECT_TRUE(TCommonImages::IsImageExtension(ext)) << ext;
    for (const char* ext : {"ico", "tiff", "", ".gif", "gifx"})
        EXPECT_FALSE(TCommonImages::IsImageExtension(ext)) << ext;
    for (const char* type : {"image/gif", "IMAGE/JPEG", "image/jpg", "Image/Png", "image/bmp"})
        EXPECT_TRUE(TCommonImages::IsImageMimeType(type)) << type;
    for (const char* type : {"application/x-ico", "image/x-icon", "text/gif", "image/", "imagegif", "image/tiff"})
        EXPECT_FALSE(TCommonImages::IsImageMimeType(type)) << type;
}

// ---- encoding ----------------------------------------------------------------------------

TEST(ImageHelpers, EncodedBytesAndTheirMimeTypeAlwaysAgree)
{
    struct Case { const char* requested; const char* written; std::string magic; };
    const Case cases[] = {
        {"image/gif", "image/gif", "GIF8"},
        {"image/bmp", "image/bmp", "BM"},
        {"application/x-ico", "application/x-ico", std::string("\0\0\1\0", 4)},
        {"image/png", "image/png", "\x89PNG"},
        {"image/jpeg", "image/jpeg", "\xFF\xD8\xFF"},
        {"image/jpg", "image/jpeg", "\xFF\xD8\xFF"},
        {"application/octet-stream", "image/jpeg", "\xFF\xD8\xFF"},
    };
    for (const Case& c : cases) {
        TPicture picture = Numbered(30, 20);
        const TSaved saved = Save(picture, c.requested);
        ASSERT_TRUE(saved.ok) << c.requested;
        EXPECT_EQ(saved.mimeType, c.written) << c.requested;
        EXPECT_EQ(saved.bytes.compare(0, c.magic.size(), c.magic), 0) << c.requested;
        EXPECT_EQ(saved.size, static_cast<std::int64_t>(saved.bytes.size()));
        EXPECT_EQ(saved.width, 30);
        EXPECT_EQ(saved.height, 20);
        EXPECT_NE(TCommonImages::LoadGraphicFromBytes(saved.mimeType, saved.bytes), nullptr)
            << "what was written reads back under the type it was written as";
    }
}

TEST(ImageHelpers, FormatThatCannotHoldThePictureWritesNothingOfAnotherFormat)
{
    TPicture large = Solid(300, 300, {1, 2, 3, 255});
    const TSaved saved = Save(large, "application/x-ico");
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.bytes.empty());
    EXPECT_EQ(saved.mimeType, "unchanged");
    EXPECT_EQ(saved.size, -1);

    TPicture empty;
    EXPECT_FALSE(Save(empty, "image/jpeg").ok) << "a picture without width or height";
}

TEST(ImageHelpers, ScalingShrinksTheChosenSidesKeepingTheAspect)
{
    struct Case {
        int height, width, max;
        TImageScaleType type;
        bool scale;
        int expectedHeight, expectedWidth;
        const char* why;
    };
    using T = TImageScaleType;
    const Case cases[] = {
        {400, 200, 100, T::Vertical, true, 100, 50, "height only: 400 x 200 becomes 100 x 50"},
        {50, 400, 100, T::Vertical, true, 50, 400, "height only leaves a low, wide picture alone"},
        {50, 400, 100, T::Horizontal, true, 12, 100, "width only: 50 x 400 becomes 12 x 100 (12.5 cut)"},
        {400, 200, 100, T::Maximal, true, 100, 50, "both: fits a 100-pixel square"},
        {200, 400, 100, T::Maximal, true, 50, 100, "both, the width decides"},
        {80, 90, 100, T::Maximal, true, 80, 90, "a picture that fits is never enlarged"},
        {400, 200, 100, T::Maximal, false, 400, 200, "scaling off"},
        {400, 200, 0, T::Maximal, true, 400, 200, "no maximum"},
        {1000, 3, 100, T::Vertical, true, 100, 1, "a side that would become 0 keeps 1 pixel"},
    };
    for (const Case& c : cases) {
        TPicture picture = Solid(c.width, c.height, {10, 200, 30, 255});
        const TSaved saved = Save(picture, "image/bmp", c.scale, c.max, c.type);
        ASSERT_TRUE(saved.ok) << c.why;
        EXPECT_EQ(saved.height, c.expectedHeight) << c.why;
        EXPECT_EQ(saved.width, c.expectedWidth) << c.why;
        EXPECT_EQ(picture.Height(), c.expectedHeight) << c.why << ": the scaled picture replaces the original";
        const std::unique_ptr<TPicture> back = TCommonImages::LoadGraphicFromBytes("image/bmp", saved.bytes);
        EXPECT_EQ(back->Width(), c.expectedWidth) << c.why;
        EXPECT_EQ(back->GetPixel(0, 0), (TRgba{10, 200, 30, 255})) << c.why << ": one colour stays that colour";
    }
}

TEST(ImageHelpers, ShrinkingAveragesAreasAndKeepsTransparentColoursOut)
{
    // One-pixel stripes of black and white become even grey at half the size.
    TPicture stripes(8, 2);
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 2; ++y)
            stripes.SetPixel(x, y, x % 2 ? TRgba{255, 255, 255, 255} : TRgba{0, 0, 0, 255});
    const TPicture grey = TPictureScaler::Scale(stripes, 4, 1);
    for (int x = 0; x < 4; ++x)
        EXPECT_NEAR(grey.GetPixel(x, 0).Red, 128, 1);

    // A red pixel beside transparent green ones: the mix is red, half covered.
    TPicture edge(2, 1);
    edge.SetPixel(0, 0, {255, 0, 0, 255});
    edge.SetPixel(1, 0, {0, 255, 0, 0});
    const TRgba mixed = TPictureScaler::Scale(edge, 1, 1).GetPixel(0, 0);
    EXPECT_EQ(mixed.Red, 255);
    EXPECT_EQ(mixed.Green, 0) << "the colour of invisible pixels does not bleed in";
    EXPECT_NEAR(mixed.Alpha, 128, 1);

    // Enlarging interpolates between neighbours.
    TPicture two(2, 1);
    two.SetPixel(0, 0, {0, 0, 0, 255});
    two.SetPixel(1, 0, {200, 200, 200, 255});
    const TPicture four = TPictureScaler::Scale(two, 4, 1);
    EXPECT_EQ(four.GetPixel(0, 0).Red, 0);
    EXPECT_NEAR(four.GetPixel(1, 0).Red, 50, 1);
    EXPECT_NEAR(four.GetPixel(2, 0).Red, 150, 1);
    EXPECT_EQ(four.GetPixel(3, 0).Red, 200);
}

// ---- flips and turns -----------------------------------------------------------------------

namespace {

class TCountingGui : public TScriptedGui {
public:
    void BeginWait() override
    {
        ++waits;
        TScriptedGui::BeginWait();
    }
    int waits = 0;
};

}  // namespace

TEST(ImageHelpers, FlipsAndTurnsMovePixelsAsTheTableSays)
{
    const int w = 3, h = 2;
    const TPicture source = Numbered(w, h);
    TCommonProcedures procedures;
    TCountingGui gui;
    procedures.SetGui(&gui);
    TCommonImages& images = procedures.Images();

    struct Case {
        const char* what;
        void (TCommonImages::*operation)(TPicture&) const;
        int width, height;
        int (*sourceX)(int x, int y);
        int (*sourceY)(int x, int y);
    };
    const Case cases[] = {
        {"flip top to bottom", &TCommonImages::FlipVertical, w, h,
         [](int x, int) { return x; }, [](int, int y) { return h - 1 - y; }},
        {"flip left to right", &TCommonImages::FlipHorizontal, w, h,
         [](int x, int) { return w - 1 - x; }, [](int, int y) { return y; }},
        {"turn clockwise", &TCommonImages::RotateRight, h, w,
         [](int, int y) { return y; }, [](int x, int) { return h - 1 - x; }},
        {"turn counter-clockwise", &TCommonImages::RotateLeft, h, w,
         [](int, int y) { return w - 1 - y; }, [](int x, int) { return x; }},
    };
    for (const Case& c : cases) {
        TPicture picture = source;
        picture.SetKind(TPictureKind::Jpeg);
        (images.*c.operation)(picture);
        ASSERT_EQ(picture.Width(), c.width) << c.what;
        ASSERT_EQ(picture.Height(), c.height) << c.what;
        EXPECT_EQ(picture.Kind(), TPictureKind::Bitmap) << c.what;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                EXPECT_EQ(picture.GetPixel(x, y), source.GetPixel(c.sourceX(x, y), c.sourceY(x, y)))
                    << c.what << " at " << x << "," << y;
    }
    EXPECT_EQ(gui.waits, 4) << "the hourglass shows for each";
    EXPECT_EQ(gui.WaitDepth(), 0);

    TPicture turned = source;
    images.RotateRight(turned);
    images.RotateLeft(turned);
    EXPECT_EQ(turned, source) << "a turn and its opposite give the picture back";
}
