#pragma once
// Pixel effects of the image editor, worked in place on a picture. Each
// works on the red, green and blue channels alike with integer arithmetic
// and keeps alpha and size; "clamp" limits a value to 0..255.
//
//   std::mt19937 random(seed);
//   TPictureEffects::GaussianBlur(picture, 3);
//   TPictureEffects::AddMonoNoise(picture, 30, random);
#include "common/Picture.h"

#include <random>

// The colour of a frame line or of the two ends of a monochrome picture.
struct TRgb {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
};

class TPictureEffects {
public:
    // Each channel of pixel (x, y) becomes the mean of the four pixels at
    // distance d on both axes, read from the picture as it stands at that
    // moment (rows above already blurred). Near the top and left the pixel's
    // own row or column stands in for the missing one; near the bottom and
    // right row height - y and column width - x do, kept inside the picture.
    // d 0 changes nothing.
    static void SplitBlur(TPicture& picture, int distance);
    // n + 1 split blurs at distance 3.
    static void GaussianBlur(TPicture& picture, int passes);
    // clamp(v + Random(a) - a / 2), a new number for each channel.
    static void AddColorNoise(TPicture& picture, int amount, std::mt19937& random);
    // One r = Random(a) - a / 2 a pixel, each channel clamp(v + r).
    static void AddMonoNoise(TPicture& picture, int amount, std::mt19937& random);
    // Values pushed away from 127 by |127 - v| * a / 255.
    static void Contrast(TPicture& picture, int amount);
    // clamp(v + a * (255 - v) / 255): 0 keeps the picture, 255 makes it white.
    static void Lightness(TPicture& picture, int amount);
    // clamp(v - a * v / 255): 0 keeps the picture, 255 makes it black.
    static void Darkness(TPicture& picture, int amount);
    // Channels moved towards their mean: a 255 keeps the picture, 0 makes it grey.
    static void Saturation(TPicture& picture, int amount);
    // n passes of v := round(255 * sin(v / 255 * pi / 2)).
    static void SplitLight(TPicture& picture, int passes);

    // Each pixel mapped from its luminance y = 0.299 r + 0.587 g + 0.114 b
    // (low byte of its whole part) onto the line from Dark to Light:
    // trunc(y * (light - dark) / 255 + dark) per channel.
    static void Monochrome(TPicture& picture, TRgb dark, TRgb light);
    // A one-pixel frame line Offset pixels inside the edges, blended with
    // the picture: Transparency 0 draws the colour, 100 draws nothing, in
    // between each channel becomes old * t / 100 + colour * (100 - t) / 100.
    static void Border(TPicture& picture, int offset, TRgb color, int transparency);
};
