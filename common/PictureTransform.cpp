#include "common/PictureTransform.h"

#include <cstring>

TPicture TPictureTransform::Apply(const TPicture& source, TTransformMode mode)
{
    if (source.IsEmpty())
        return TPicture();
    const int w = source.Width();
    const int h = source.Height();
    const bool turn = mode == TTransformMode::RotateClockwise || mode == TTransformMode::RotateCounterClockwise;
    TPicture result(turn ? h : w, turn ? w : h);
    for (int y = 0; y < result.Height(); ++y) {
        std::uint8_t* out = result.Row(y);
        for (int x = 0; x < result.Width(); ++x, out += 4) {
            int sx = x, sy = y;
            switch (mode) {
            case TTransformMode::FlipTopToBottom: sy = h - 1 - y; break;
            case TTransformMode::FlipLeftToRight: sx = w - 1 - x; break;
            case TTransformMode::RotateClockwise: sx = y; sy = h - 1 - x; break;
            case TTransformMode::RotateCounterClockwise: sx = w - 1 - y; sy = x; break;
            }
            std::memcpy(out, source.Row(sy) + static_cast<std::size_t>(sx) * 4, 4);
        }
    }
    return result;
}
