// The image editor's pixel effects: the split blur against a plain reading
// of its rule (in place, tiny pictures included), and the channel maps at
// the amounts whose result is known.
#include "common/PictureEffects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

TPicture Pattern(int width, int height)
{
    TPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, {static_cast<std::uint8_t>(x * 41 + y * 13), static_cast<std::uint8_t>(y * 67 + 5),
                                    static_cast<std::uint8_t>((x ^ y) * 31), 200});
    return picture;
}

TPicture Filled(int width, int height, TRgba color)
{
    TPicture picture(width, height);
    picture.Fill(color);
    return picture;
}

// The split blur as its rule reads, pixel by pixel through GetPixel, in
// place; a partner row or column past the end is the last one.
void ReferenceSplitBlur(TPicture& picture, int d)
{
    const int w = picture.Width();
    const int h = picture.Height();
    for (int y = 0; y < h; ++y) {
        const int up = y - d >= 0 ? y - d : y;
        const int down = y + d < h ? y + d : std::min(h - y, h - 1);
        for (int x = 0; x < w; ++x) {
            const int left = x - d >= 0 ? x - d : x;
            const int right = x + d < w ? x + d : std::min(w - x, w - 1);
            const TRgba a = picture.GetPixel(left, up), b = picture.GetPixel(left, down);
            const TRgba c = picture.GetPixel(right, up), e = picture.GetPixel(right, down);
            TRgba out = picture.GetPixel(x, y);
            out.Red = static_cast<std::uint8_t>((a.Red + b.Red + c.Red + e.Red) / 4);
            out.Green = static_cast<std::uint8_t>((a.Green + b.Green + c.Green + e.Green) / 4);
            out.Blue = static_cast<std::uint8_t>((a.Blue + b.Blue + c.Blue + e.Blue) / 4);
            picture.SetPixel(x, y, out);
        }
    }
}

}  // namespace

// Pictures of 3 pixels or fewer on a side put the lower row or right column
// of the first row or column past the end: it must stay inside the picture.
TEST(PictureEffectsTest, SplitBlurFollowsItsRuleOnLargeAndTinyPictures)
{
    const std::vector<std::pair<int, int>> sizes = {{1, 1}, {1, 3}, {3, 1}, {2, 2}, {3, 3}, {2, 7}, {9, 6}, {40, 31}};
    for (const auto& [width, height] : sizes)
        for (int d : {1, 3, 5}) {
            TPicture picture = Pattern(width, height);
            TPicture expected = picture;
            ReferenceSplitBlur(expected, d);
            TPictureEffects::SplitBlur(picture, d);
            EXPECT_EQ(picture, expected) << width << "x" << height << " d " << d;
        }
    TPicture one = Filled(1, 1, {10, 20, 30, 255});
    TPictureEffects::GaussianBlur(one, 4);
    EXPECT_EQ(one.GetPixel(0, 0), (TRgba{10, 20, 30, 255}));
}

TEST(PictureEffectsTest, BlurOfZeroDistanceAndOneColourChangesNothing)
{
    TPicture picture = Pattern(12, 9);
    const TPicture before = picture;
    TPictureEffects::SplitBlur(picture, 0);
    EXPECT_EQ(picture, before);
    TPicture plain = Filled(20, 10, {90, 120, 250, 77});
    const TPicture plainBefore = plain;
    TPictureEffects::GaussianBlur(plain, 3);
    EXPECT_EQ(plain, plainBefore);
}

// Channel maps at known amounts: each row one effect, input channel value,
// expected output.
TEST(PictureEffectsTest, ChannelMapsGiveTheirKnownValues)
{
    struct TCase {
        const char* name;
        void (*effect)(TPicture&, int);
        int amount;
        std::uint8_t in;
        std::uint8_t out;
    };
    const std::vector<TCase> cases = {
        {"lightness 0", TPictureEffects::Lightness, 0, 77, 77},
        {"lightness 255", TPictureEffects::Lightness, 255, 77, 255},
        {"lightness 100", TPictureEffects::Lightness, 100, 55, 133},  // 55 + 100*200/255
        {"darkness 0", TPictureEffects::Darkness, 0, 77, 77},
        {"darkness 255", TPictureEffects::Darkness, 255, 77, 0},
        {"contrast 0", TPictureEffects::Contrast, 0, 200, 200},
        {"contrast 255 up", TPictureEffects::Contrast, 255, 200, 255},
        {"contrast 255 down", TPictureEffects::Contrast, 255, 20, 0},
        {"contrast 100", TPictureEffects::Contrast, 100, 100, 90},  // 100 - 27*100/255
        {"split light 0", TPictureEffects::SplitLight, 0, 128, 128},
        {"split light 1 mid", TPictureEffects::SplitLight, 1, 128, 181},
        {"split light 1 ends", TPictureEffects::SplitLight, 1, 255, 255},
        {"split light 1 zero", TPictureEffects::SplitLight, 1, 0, 0},
    };
    for (const TCase& c : cases) {
        TPicture picture = Filled(3, 2, {c.in, c.in, c.in, 99});
        c.effect(picture, c.amount);
        EXPECT_EQ(picture.GetPixel(2, 1), (TRgba{c.out, c.out, c.out, 99})) << c.name;
    }
}

TEST(PictureEffectsTest, SaturationKeepsAtFullAndGreysAtZero)
{
    TPicture picture = Pattern(5, 4);
    const TPicture before = picture;
    TPictureEffects::Saturation(picture, 255);
    EXPECT_EQ(picture, before);
    TPictureEffects::Saturation(picture, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const TRgba p = picture.GetPixel(x, y), b = before.GetPixel(x, y);
            const auto grey = static_cast<std::uint8_t>((b.Red + b.Green + b.Blue) / 3);
            EXPECT_EQ(p, (TRgba{grey, grey, grey, b.Alpha}));
        }
}

// Amount 3 moves a channel by -1, 0 or +1; colour noise draws each channel
// on its own, mono noise one number a pixel.
TEST(PictureEffectsTest, NoiseStaysWithinItsAmount)
{
    std::mt19937 random(7);
    TPicture colour = Filled(30, 30, {100, 100, 100, 255});
    TPictureEffects::AddColorNoise(colour, 3, random);
    std::set<int> seen;
    bool channelsDiffer = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const TRgba p = colour.GetPixel(x, y);
            seen.insert({p.Red, p.Green, p.Blue});
            channelsDiffer = channelsDiffer || p.Red != p.Green || p.Green != p.Blue;
        }
    EXPECT_EQ(seen, (std::set<int>{99, 100, 101}));
    EXPECT_TRUE(channelsDiffer);

    TPicture mono = Filled(30, 30, {100, 150, 255, 255});
    TPictureEffects::AddMonoNoise(mono, 3, random);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const TRgba p = mono.GetPixel(x, y);
            const int r = p.Red - 100;
            EXPECT_TRUE(r >= -1 && r <= 1);
            EXPECT_EQ(p.Green, 150 + r);
            EXPECT_EQ(p.Blue, std::min(255, 255 + r));  // clamped at the top
        }
}

TEST(PictureEffectsTest, MonochromeMapsLuminanceOntoTheColourLine)
{
    TPicture picture(3, 1);
    picture.SetPixel(0, 0, {0, 0, 0, 255});
    picture.SetPixel(1, 0, {255, 255, 255, 255});
    picture.SetPixel(2, 0, {200, 100, 50, 255});  // luminance trunc(124.1) = 124
    TPicture grey = picture;
    TPictureEffects::Monochrome(grey, {0, 0, 0}, {255, 255, 255});
    EXPECT_EQ(grey.GetPixel(0, 0), (TRgba{0, 0, 0, 255}));
    EXPECT_EQ(grey.GetPixel(1, 0), (TRgba{255, 255, 255, 255}));
    EXPECT_EQ(grey.GetPixel(2, 0), (TRgba{124, 124, 124, 255}));
    TPictureEffects::Monochrome(picture, {0, 0, 128}, {255, 255, 0});
    EXPECT_EQ(picture.GetPixel(0, 0), (TRgba{0, 0, 128, 255}));
    EXPECT_EQ(picture.GetPixel(1, 0), (TRgba{255, 255, 0, 255}));
    // blue: trunc(124 * -128 / 255 + 128) = trunc(65.75) = 65
    EXPECT_EQ(picture.GetPixel(2, 0), (TRgba{124, 124, 65, 255}));
}

// The frame line at offset 1 of a 6 x 5 picture: exactly the ring one
// pixel inside the edge; transparency 100 draws nothing, 50 blends.
TEST(PictureEffectsTest, BorderDrawsTheRingAtItsOffset)
{
    const TRgba white{255, 255, 255, 255};
    TPicture picture = Filled(6, 5, white);
    TPictureEffects::Border(picture, 1, {0, 0, 0}, 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool ring = ((x == 1 || x == 4) && y >= 1 && y <= 3) || ((y == 1 || y == 3) && x >= 1 && x <= 4);
            const TRgba expected = ring ? TRgba{0, 0, 0, 255} : white;
            EXPECT_EQ(picture.GetPixel(x, y), expected) << x << "," << y;
        }
    TPicture clear = Filled(6, 5, white);
    TPictureEffects::Border(clear, 0, {0, 0, 0}, 100);
    EXPECT_EQ(clear, Filled(6, 5, white));
    TPictureEffects::Border(clear, 0, {0, 0, 0}, 50);
    EXPECT_EQ(clear.GetPixel(0, 0), (TRgba{127, 127, 127, 255}));
    EXPECT_EQ(clear.GetPixel(5, 4), (TRgba{127, 127, 127, 255}));
    EXPECT_EQ(clear.GetPixel(2, 2), white);
    TPicture tiny = Filled(2, 2, white);
    TPictureEffects::Border(tiny, 5, {0, 0, 0}, 0);  // offset beyond the picture: nothing, no stray write
    EXPECT_EQ(tiny, Filled(2, 2, white));
}
