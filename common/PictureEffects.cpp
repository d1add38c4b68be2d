#include "common/PictureEffects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace {

std::uint8_t Clamp(int value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// Function(p) for each pixel of the picture, P pointing at its four bytes.
template <class TFunction>
void ForEachPixel(TPicture& picture, TFunction function)
{
    std::uint8_t* p = picture.Pixels();
    const std::size_t count = static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height());
    for (std::size_t i = 0; i < count; ++i, p += 4)
        function(p);
}

// Every red, green and blue byte of the picture through Table.
void MapChannels(TPicture& picture, const std::array<std::uint8_t, 256>& table)
{
    ForEachPixel(picture, [&](std::uint8_t* p) {
        p[0] = table[p[0]];
        p[1] = table[p[1]];
        p[2] = table[p[2]];
    });
}

template <class TFunction>
std::array<std::uint8_t, 256> TableOf(TFunction function)
{
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[static_cast<std::size_t>(v)] = Clamp(function(v));
    return table;
}

// The row or column paired with Position at Distance: Position - Distance
// (or Position itself before the start) and Position + Distance (or
// Count - Position after the end, kept below Count: with a distance as
// large as the picture Count - 0 would lie outside it).
int Before(int position, int distance)
{
    return position - distance >= 0 ? position - distance : position;
}
int After(int position, int distance, int count)
{
    return position + distance < count ? position + distance : std::min(count - position, count - 1);
}

}  // namespace

void TPictureEffects::SplitBlur(TPicture& picture, int distance)
{
    if (distance <= 0 || picture.IsEmpty())
        return;
    const int width = picture.Width();
    const int height = picture.Height();
    // Byte offsets of each pixel's left and right partner within a row.
    std::vector<std::size_t> left(static_cast<std::size_t>(width));
    std::vector<std::size_t> right(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        left[static_cast<std::size_t>(x)] = static_cast<std::size_t>(Before(x, distance)) * 4;
        right[static_cast<std::size_t>(x)] = static_cast<std::size_t>(After(x, distance, width)) * 4;
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.Row(y);
        const std::uint8_t* upper = picture.Row(Before(y, distance));
        const std::uint8_t* lower = picture.Row(After(y, distance, height));
        for (int x = 0; x < width; ++x) {
            const std::size_t l = left[static_cast<std::size_t>(x)];
            const std::size_t r = right[static_cast<std::size_t>(x)];
            std::uint8_t* p = row + static_cast<std::size_t>(x) * 4;
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<std::uint8_t>((upper[l + c] + lower[l + c] + upper[r + c] + lower[r + c]) >> 2);
        }
    }
}

void TPictureEffects::GaussianBlur(TPicture& picture, int passes)
{
    for (int i = 0; i <= passes; ++i)
        SplitBlur(picture, 3);
}

void TPictureEffects::AddColorNoise(TPicture& picture, int amount, std::mt19937& random)
{
    if (amount <= 0)
        return;
    std::uniform_int_distribution<int> noise(0, amount - 1);
    const int half = amount / 2;
    ForEachPixel(picture, [&](std::uint8_t* p) {
        for (int c = 0; c < 3; ++c)
            p[c] = Clamp(p[c] + noise(random) - half);
    });
}

void TPictureEffects::AddMonoNoise(TPicture& picture, int amount, std::mt19937& random)
{
    if (amount <= 0)
        return;
    std::uniform_int_distribution<int> noise(0, amount - 1);
    const int half = amount / 2;
    ForEachPixel(picture, [&](std::uint8_t* p) {
        const int r = noise(random) - half;
        for (int c = 0; c < 3; ++c)
            p[c] = Clamp(p[c] + r);
    });
}

void TPictureEffects::Contrast(TPicture& picture, int amount)
{
    MapChannels(picture, TableOf([amount](int v) {
                    const int d = std::abs(127 - v) * amount / 255;
                    return v > 127 ? v + d : v - d;
                }));
}

void TPictureEffects::Lightness(TPicture& picture, int amount)
{
    MapChannels(picture, TableOf([amount](int v) { return v + amount * (255 - v) / 255; }));
}

void TPictureEffects::Darkness(TPicture& picture, int amount)
{
    MapChannels(picture, TableOf([amount](int v) { return v - amount * v / 255; }));
}

void TPictureEffects::Saturation(TPicture& picture, int amount)
{
    ForEachPixel(picture, [amount](std::uint8_t* p) {
        const int grey = (p[0] + p[1] + p[2]) / 3;
        for (int c = 0; c < 3; ++c)
            p[c] = Clamp(grey + amount * (p[c] - grey) / 255);
    });
}

void TPictureEffects::SplitLight(TPicture& picture, int passes)
{
    if (passes <= 0)
        return;
    MapChannels(picture, TableOf([passes](int v) {
                    for (int i = 0; i < passes; ++i)
                        v = static_cast<int>(std::lround(255.0 * std::sin(v / 255.0 * std::numbers::pi / 2)));
                    return v;
                }));
}

void TPictureEffects::Monochrome(TPicture& picture, TRgb dark, TRgb light)
{
    const auto channel = [](int y, int darkValue, int lightValue) {
        return Clamp(static_cast<int>(std::trunc(y * (lightValue - darkValue) / 255.0 + darkValue)));
    };
    ForEachPixel(picture, [&](std::uint8_t* p) {
        const int y = static_cast<int>(0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]) & 0xFF;
        p[0] = channel(y, dark.Red, light.Red);
        p[1] = channel(y, dark.Green, light.Green);
        p[2] = channel(y, dark.Blue, light.Blue);
    });
}

void TPictureEffects::Border(TPicture& picture, int offset, TRgb color, int transparency)
{
    const int t = std::clamp(transparency, 0, 100);
    if (t == 100 || picture.IsEmpty())
        return;
    const int w = picture.Width();
    const int h = picture.Height();
    const int o = std::max(offset, 0);
    const auto blend = [t](int old, int colour) { return Clamp(old * t / 100 + colour * (100 - t) / 100); };
    // A line from (x, y) Steps pixels long in direction (dx, dy), its end
    // point not drawn; pixels outside the picture are skipped.
    const auto line = [&](int x, int y, int dx, int dy, int steps) {
        for (int i = 0; i < steps; ++i, x += dx, y += dy) {
            if (x < 0 || y < 0 || x >= w || y >= h)
                continue;
            std::uint8_t* p = picture.Row(y) + static_cast<std::size_t>(x) * 4;
            p[0] = blend(p[0], color.Red);
            p[1] = blend(p[1], color.Green);
            p[2] = blend(p[2], color.Blue);
        }
    };
    line(o, o, 0, 1, h - 2 * o);                     // left, downwards
    line(o + 1, h - o - 1, 1, 0, w - 2 * o - 1);     // bottom, to the right
    line(w - o - 1, h - o - 2, 0, -1, h - 2 * o - 2); // right, upwards
    line(o + 1, o, 1, 0, w - 2 * o - 1);             // top, to the right
}
