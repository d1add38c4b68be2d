#include "common/PictureScaler.h"

#include "common/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The source pixels that make up one target pixel along an axis, with their weights.
struct TTap {
    int first = 0;
    std::vector<float> weights;
};

std::vector<TTap> AreaTaps(int sourceSize, int targetSize)
{
    const double scale = static_cast<double>(sourceSize) / targetSize;
    std::vector<TTap> taps(static_cast<std::size_t>(targetSize));
    for (int i = 0; i < targetSize; ++i) {
        const double begin = i * scale;
        const double end = std::min<double>((i + 1) * scale, sourceSize);
        const int first = static_cast<int>(std::floor(begin));
        const int last = std::min(static_cast<int>(std::ceil(end)), sourceSize) - 1;
        taps[i].first = first;
        for (int s = first; s <= last; ++s) {
            const double covered = std::min<double>(s + 1, end) - std::max<double>(s, begin);
            taps[i].weights.push_back(static_cast<float>(covered / scale));
        }
    }
    return taps;
}

std::vector<TTap> BilinearTaps(int sourceSize, int targetSize)
{
    const double scale = static_cast<double>(sourceSize) / targetSize;
    std::vector<TTap> taps(static_cast<std::size_t>(targetSize));
    for (int i = 0; i < targetSize; ++i) {
        const double centre = std::clamp((i + 0.5) * scale - 0.5, 0.0, sourceSize - 1.0);
        const int first = std::min(static_cast<int>(centre), sourceSize - 1);
        const float fraction = static_cast<float>(centre - first);
        taps[i].first = first;
        taps[i].weights.push_back(1.0f - fraction);
        if (first + 1 < sourceSize)
            taps[i].weights.push_back(fraction);
    }
    return taps;
}

std::vector<TTap> Taps(int sourceSize, int targetSize)
{
    return targetSize < sourceSize ? AreaTaps(sourceSize, targetSize) : BilinearTaps(sourceSize, targetSize);
}

// Premultiplied floating-point RGBA pixels of the picture between the passes.
struct TFloatImage {
    int width = 0;
    int height = 0;
    std::vector<float> values;

    TFloatImage(int w, int h) : width(w), height(h), values(static_cast<std::size_t>(w) * h * 4, 0.0f) {}
    float* Row(int y) { return values.data() + static_cast<std::size_t>(y) * width * 4; }
    void Get(int x, int y, float out[4]) const
    {
        const float* in = values.data() + (static_cast<std::size_t>(y) * width + x) * 4;
        std::copy(in, in + 4, out);
    }
    int Width() const { return width; }
    int Height() const { return height; }
};

// The source picture read as premultiplied floating point, pixel by pixel,
// so that no floating-point copy of a large source is made.
struct TPictureSource {
    const TPicture& picture;

    void Get(int x, int y, float out[4]) const
    {
        const std::uint8_t* in = picture.Row(y) + static_cast<std::size_t>(x) * 4;
        const float alpha = in[3] / 255.0f;
        for (int c = 0; c < 3; ++c)
            out[c] = in[c] * alpha;
        out[3] = in[3];
    }
    int Width() const { return picture.Width(); }
    int Height() const { return picture.Height(); }
};

// Stores rows into the picture between the passes.
struct TFloatSink {
    TFloatImage& image;
    void operator()(int y, const std::vector<float>& row) { std::copy(row.begin(), row.end(), image.Row(y)); }
};

// Stores finished rows into the result, alpha taken out of the colours again.
struct TPictureSink {
    TPicture& picture;
    void operator()(int y, const std::vector<float>& row)
    {
        std::uint8_t* p = picture.Row(y);
        for (std::size_t i = 0; i < row.size(); i += 4) {
            const float alpha = row[i + 3];
            const float unmultiply = alpha > 0.0f ? 255.0f / alpha : 0.0f;
            for (int c = 0; c < 3; ++c)
                p[i + c] = static_cast<std::uint8_t>(std::clamp(std::lround(row[i + c] * unmultiply), 0L, 255L));
            p[i + 3] = static_cast<std::uint8_t>(std::clamp(std::lround(alpha), 0L, 255L));
        }
    }
};

// Resamples every row to Width pixels.
template <typename Source, typename Sink>
void ResampleRows(const Source& source, int width, Sink sink)
{
    const std::vector<TTap> taps = Taps(source.Width(), width);
    std::vector<float> row(static_cast<std::size_t>(width) * 4);
    float in[4];
    for (int y = 0; y < source.Height(); ++y) {
        std::fill(row.begin(), row.end(), 0.0f);
        for (int x = 0; x < width; ++x) {
            const TTap& tap = taps[x];
            for (std::size_t k = 0; k < tap.weights.size(); ++k) {
                source.Get(tap.first + static_cast<int>(k), y, in);
                for (int c = 0; c < 4; ++c)
                    row[x * 4 + c] += in[c] * tap.weights[k];
            }
        }
        sink(y, row);
    }
}

// Resamples every column to Height pixels.
template <typename Source, typename Sink>
void ResampleColumns(const Source& source, int height, Sink sink)
{
    const std::vector<TTap> taps = Taps(source.Height(), height);
    std::vector<float> row(static_cast<std::size_t>(source.Width()) * 4);
    float in[4];
    for (int y = 0; y < height; ++y) {
        std::fill(row.begin(), row.end(), 0.0f);
        const TTap& tap = taps[y];
        for (std::size_t k = 0; k < tap.weights.size(); ++k)
            for (int x = 0; x < source.Width(); ++x) {
                source.Get(x, tap.first + static_cast<int>(k), in);
                for (int c = 0; c < 4; ++c)
                    row[x * 4 + c] += in[c] * tap.weights[k];
            }
        sink(y, row);
    }
}

// Premultiplied floating-point values of one source row: 4 a pixel.
void ReadRow(const TPicture& picture, int y, std::vector<float>& out)
{
    const std::uint8_t* in = picture.Row(y);
    const std::size_t count = static_cast<std::size_t>(picture.Width());
    for (std::size_t x = 0; x < count; ++x, in += 4) {
        const float alpha = in[3];
        const float factor = alpha * (1.0f / 255.0f);
        float* p = out.data() + x * 4;
        p[0] = in[0] * factor;
        p[1] = in[1] * factor;
        p[2] = in[2] * factor;
        p[3] = alpha;
    }
}

// One row resampled along its length with the taps (target width x 4 values).
void ResampleRow(const std::vector<float>& in, const std::vector<TTap>& taps, std::vector<float>& out)
{
    for (std::size_t x = 0; x < taps.size(); ++x) {
        const TTap& tap = taps[x];
        const float* p = in.data() + static_cast<std::size_t>(tap.first) * 4;
        float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
        for (const float weight : tap.weights) {
            r += p[0] * weight;
            g += p[1] * weight;
            b += p[2] * weight;
            a += p[3] * weight;
            p += 4;
        }
        float* o = out.data() + x * 4;
        o[0] = r;
        o[1] = g;
        o[2] = b;
        o[3] = a;
    }
}

// A picture that shrinks (or keeps its size) along both axes, read once from
// top to bottom: each source row is resampled along its length and added,
// with its share, into the one or two target rows it falls into; a target
// row is written as soon as its last source row is in. Besides the result
// it keeps a few rows only, however large the source is.
TPicture ShrinkByRows(const TPicture& source, int width, int height)
{
    TPicture result(width, height);
    TPictureSink sink{result};
    const std::vector<TTap> columns = AreaTaps(source.Width(), width);
    const std::vector<TTap> rows = AreaTaps(source.Height(), height);
    std::vector<float> in(static_cast<std::size_t>(source.Width()) * 4);
    std::vector<float> resampled(static_cast<std::size_t>(width) * 4);
    // The target rows still open, from row Next on.
    std::vector<std::vector<float>> open;
    int next = 0;
    for (int y = 0; y < source.Height() && next < height; ++y) {
        ReadRow(source, y, in);
        ResampleRow(in, columns, resampled);
        for (int t = next; t < height && rows[t].first <= y; ++t) {
            const std::size_t k = static_cast<std::size_t>(y - rows[t].first);
            if (k >= rows[t].weights.size())
                continue;
            const std::size_t slot = static_cast<std::size_t>(t - next);
            if (slot == open.size())
                open.emplace_back(resampled.size(), 0.0f);
            const float weight = rows[t].weights[k];
            std::vector<float>& target = open[slot];
            for (std::size_t i = 0; i < resampled.size(); ++i)
                target[i] += resampled[i] * weight;
        }
        while (next < height && !open.empty() &&
               rows[next].first + static_cast<int>(rows[next].weights.size()) - 1 <= y) {
            sink(next, open.front());
            open.erase(open.begin());
            ++next;
        }
    }
    return result;
}

}  // namespace

TPicture TPictureScaler::Scale(const TPicture& source, int width, int height)
{
    TPicture::CheckSize(width, height);
    if (source.IsEmpty())
        throw ECriticalTolvexException("An empty picture cannot be scaled");
    if (width <= source.Width() && height <= source.Height())
        return ShrinkByRows(source, width, height);
    TPicture result(width, height);
    const TPictureSource input{source};
    // The axis that leaves the smaller intermediate picture goes first.
    const std::int64_t rowsFirst = std::int64_t{width} * source.Height();
    const std::int64_t columnsFirst = std::int64_t{source.Width()} * height;
    if (rowsFirst <= columnsFirst) {
        TFloatImage between(width, source.Height());
        ResampleRows(input, width, TFloatSink{between});
        ResampleColumns(between, height, TPictureSink{result});
    } else {
        TFloatImage between(source.Width(), height);
        ResampleColumns(input, height, TFloatSink{between});
        ResampleRows(between, width, TPictureSink{result});
    }
    return result;
}
