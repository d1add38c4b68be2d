// Encoding pictures for storing: the original is never changed (every copy
// is scaled from it), shrinking averages exactly the areas it should, and a
// JPEG that ends early is refused instead of being filled with grey.
#include "common/Exceptions.h"
#include "common/PictureCodec.h"
#include "common/PictureEncoding.h"
#include "common/PictureScaler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Every pixel different, some of them half transparent.
TPicture Pattern(int width, int height)
{
    TPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, {static_cast<std::uint8_t>(x * 37 + y * 11), static_cast<std::uint8_t>(y * 53),
                                    static_cast<std::uint8_t>((x ^ y) * 29),
                                    static_cast<std::uint8_t>((x + y) % 3 ? 255 : 128)});
    return picture;
}

// The area average of the source over target pixel (tx, ty), in double
// precision, colours weighted by alpha: what the scaler must give.
TRgba AreaAverage(const TPicture& source, int width, int height, int tx, int ty)
{
    const double sx = static_cast<double>(source.Width()) / width;
    const double sy = static_cast<double>(source.Height()) / height;
    double sum[4] = {0, 0, 0, 0};
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x) {
            const double coverX = std::max(0.0, std::min(x + 1.0, (tx + 1) * sx) - std::max<double>(x, tx * sx));
            const double coverY = std::max(0.0, std::min(y + 1.0, (ty + 1) * sy) - std::max<double>(y, ty * sy));
            const double weight = coverX * coverY / (sx * sy);
            if (weight <= 0)
                continue;
            const TRgba p = source.GetPixel(x, y);
            sum[0] += p.Red * p.Alpha * weight;
            sum[1] += p.Green * p.Alpha * weight;
            sum[2] += p.Blue * p.Alpha * weight;
            sum[3] += p.Alpha * weight;
        }
    auto channel = [&](int c) { return static_cast<std::uint8_t>(std::lround(sum[3] > 0 ? sum[c] / sum[3] : 0)); };
    return {channel(0), channel(1), channel(2), static_cast<std::uint8_t>(std::lround(sum[3]))};
}

}  // namespace

TEST(PictureEncoding, TheOriginalStaysAsItWasForEveryCopy)
{
    const TPicture original = Pattern(90, 60);
    const TPicture before = original;
    struct Case { const char* mimeType; int maxSize; int width, height; const char* written; };
    const Case cases[] = {
        {"image/jpeg", 40, 40, 26, "image/jpeg"},
        {"image/gif", 20, 20, 13, "image/gif"},
        {"application/octet-stream", 30, 30, 20, "image/jpeg"},  // what the bytes are, never the type asked for
        {"image/png", 0, 90, 60, "image/png"},
    };
    for (const Case& c : cases) {
        const auto encoded = TPictureEncoding::Encode(original, c.mimeType, {true, c.maxSize, TImageScaleType::Maximal});
        ASSERT_TRUE(encoded) << c.mimeType;
        EXPECT_EQ(encoded->Width, c.width) << c.mimeType;
        EXPECT_EQ(encoded->Height, c.height) << c.mimeType;
        EXPECT_EQ(encoded->MimeType, c.written) << c.mimeType;
        const TPicture back = TPictureCodec::ForKind(TPictureEncoding::KindForMimeType(c.written)).Decode(encoded->Bytes);
        EXPECT_EQ(back.Width(), c.width) << c.mimeType;
    }
    EXPECT_TRUE(original == before) << "no copy was made from another copy";
    EXPECT_FALSE(TPictureEncoding::Encode(TPicture(), "image/jpeg", {}));
    EXPECT_FALSE(TPictureEncoding::Encode(Pattern(300, 300), "application/x-ico", {}))
        << "a format that cannot hold the picture gives nothing";
}

TEST(PictureEncoding, ShrinkingAveragesExactlyTheCoveredAreas)
{
    const TPicture source = Pattern(37, 23);
    struct Case { int width, height; };
    // Uneven ratios put target edges inside source pixels on both axes; the
    // last two keep one axis as it is.
    for (const Case c : {Case{10, 7}, Case{19, 12}, Case{36, 22}, Case{37, 5}, Case{6, 23}, Case{1, 1}}) {
        const TPicture scaled = TPictureScaler::Scale(source, c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const TRgba want = AreaAverage(source, c.width, c.height, x, y);
                const TRgba got = scaled.GetPixel(x, y);
                ASSERT_NEAR(got.Red, want.Red, 1) << c.width << "x" << c.height << " at " << x << "," << y;
                ASSERT_NEAR(got.Green, want.Green, 1) << c.width << "x" << c.height << " at " << x << "," << y;
                ASSERT_NEAR(got.Blue, want.Blue, 1) << c.width << "x" << c.height << " at " << x << "," << y;
                ASSERT_NEAR(got.Alpha, want.Alpha, 1) << c.width << "x" << c.height << " at " << x << "," << y;
            }
    }
}

TEST(PictureEncoding, AJpegThatEndsEarlyIsRefused)
{
    const std::string whole = TPictureCodec::ForKind(TPictureKind::Jpeg).Encode(Pattern(64, 64));
    EXPECT_NO_THROW(TPictureCodec::ForKind(TPictureKind::Jpeg).Decode(whole));
    for (const std::size_t kept : {whole.size() - 2, whole.size() * 2 / 3, whole.size() / 3})
        EXPECT_THROW(TPictureCodec::ForKind(TPictureKind::Jpeg).Decode(whole.substr(0, kept)),
                     ECriticalTolvexException)
            << "cut to " << kept << " of " << whole.size() << " bytes";
}
