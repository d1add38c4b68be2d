#include "common/ColorQuantizer.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace {

constexpr int CellBits = 5;  // the histogram keeps 5 bits of each channel
constexpr int CellSide = 1 << CellBits;
constexpr int CellCount = CellSide * CellSide * CellSide;

bool IsTransparent(const std::uint8_t* p)
{
    return p[3] < 128;
}

std::uint32_t Key(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
}

std::size_t PixelCount(const TPicture& picture)
{
    return static_cast<std::size_t>(picture.Width()) * picture.Height();
}

bool AnyTransparent(const TPicture& picture)
{
    const std::uint8_t* p = picture.Pixels();
    for (std::size_t i = 0; i < PixelCount(picture); ++i)
        if (IsTransparent(p + i * 4))
            return true;
    return false;
}

void AddTransparentEntry(TQuantizedPicture& result)
{
    result.TransparentIndex = static_cast<int>(result.Palette.size());
    result.Palette.push_back({0, 0, 0, 0});
}

// Maps every pixel to its own colour when there are at most Limit of them.
bool TryExactColors(const TPicture& picture, std::size_t limit, bool transparent, TQuantizedPicture& result)
{
    std::unordered_map<std::uint32_t, std::uint8_t> index;
    const std::uint8_t* p = picture.Pixels();
    const std::size_t count = PixelCount(picture);
    for (std::size_t i = 0; i < count; ++i) {
        if (IsTransparent(p + i * 4) || index.count(Key(p + i * 4)))
            continue;
        if (index.size() == limit)
            return false;
        index.emplace(Key(p + i * 4), static_cast<std::uint8_t>(result.Palette.size()));
        result.Palette.push_back({p[i * 4], p[i * 4 + 1], p[i * 4 + 2], 255});
    }
    if (transparent)
        AddTransparentEntry(result);
    result.Indices.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        result.Indices[i] = IsTransparent(p + i * 4) ? static_cast<std::uint8_t>(result.TransparentIndex)
                                                     : index.at(Key(p + i * 4));
    return true;
}

// ---- median cut ---------------------------------------------------------------

struct TCell {
    std::uint64_t count = 0;
    std::uint64_t sum[3] = {0, 0, 0};
};

using THistogram = std::vector<TCell>;

int CellIndex(int r, int g, int b)
{
    return (r << (2 * CellBits)) | (g << CellBits) | b;
}

THistogram BuildHistogram(const TPicture& picture)
{
    THistogram cells(CellCount);
    const std::uint8_t* p = picture.Pixels();
    for (std::size_t i = 0; i < PixelCount(picture); ++i, p += 4) {
        if (IsTransparent(p))
            continue;
        TCell& cell = cells[CellIndex(p[0] >> 3, p[1] >> 3, p[2] >> 3)];
        ++cell.count;
        for (int c = 0; c < 3; ++c)
            cell.sum[c] += p[c];
    }
    return cells;
}

struct TBox {
    std::array<int, 3> lo{0, 0, 0};
    std::array<int, 3> hi{CellSide - 1, CellSide - 1, CellSide - 1};
    std::uint64_t count = 0;

    std::uint64_t Volume() const
    {
        return static_cast<std::uint64_t>(hi[0] - lo[0] + 1) * (hi[1] - lo[1] + 1) * (hi[2] - lo[2] + 1);
    }
    bool CanSplit() const { return lo != hi; }
    int LongestAxis() const
    {
        int axis = 0;
        for (int c = 1; c < 3; ++c)
            if (hi[c] - lo[c] > hi[axis] - lo[axis])
                axis = c;
        return axis;
    }
};

template <typename F>
void ForEachCell(const TBox& box, F f)
{
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
        for (int g = box.lo[1]; g <= box.hi[1]; ++g)
            for (int b = box.lo[2]; b <= box.hi[2]; ++b)
                f(std::array<int, 3>{r, g, b}, CellIndex(r, g, b));
}

// Narrows the box to the cells that hold pixels and counts them.
void Shrink(TBox& box, const THistogram& cells)
{
    std::array<int, 3> lo{CellSide, CellSide, CellSide};
    std::array<int, 3> hi{-1, -1, -1};
    box.count = 0;
    ForEachCell(box, [&](const std::array<int, 3>& at, int index) {
        if (cells[index].count == 0)
            return;
        box.count += cells[index].count;
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], at[c]);
            hi[c] = std::max(hi[c], at[c]);
        }
    });
    if (box.count > 0) {
        box.lo = lo;
        box.hi = hi;
    }
}

// Splits Box at the median of its pixels along its longest side.
TBox Split(TBox& box, const THistogram& cells)
{
    const int axis = box.LongestAxis();
    std::vector<std::uint64_t> slices(CellSide, 0);
    ForEachCell(box, [&](const std::array<int, 3>& at, int index) { slices[at[axis]] += cells[index].count; });
    std::uint64_t below = 0;
    int cut = box.lo[axis];
    for (; cut < box.hi[axis] - 1; ++cut) {
        below += slices[cut];
        if (below * 2 >= box.count)
            break;
    }
    TBox upper = box;
    box.hi[axis] = cut;
    upper.lo[axis] = cut + 1;
    Shrink(box, cells);
    Shrink(upper, cells);
    return upper;
}

// Splits by population first, then by population times volume, so that
// both crowded and spread-out regions of colour get entries.
std::vector<TBox> MedianCut(const THistogram& cells, std::size_t limit)
{
    std::vector<TBox> boxes(1);
    Shrink(boxes[0], cells);
    while (boxes.size() < limit) {
        const bool byCount = boxes.size() < limit * 3 / 4;
        auto weight = [byCount](const TBox& b) { return byCount ? b.count : b.count * b.Volume(); };
        auto best = boxes.end();
        for (auto it = boxes.begin(); it != boxes.end(); ++it)
            if (it->CanSplit() && it->count > 0 && (best == boxes.end() || weight(*it) > weight(*best)))
                best = it;
        if (best == boxes.end())
            break;
        TBox upper = Split(*best, cells);
        if (upper.count > 0)
            boxes.push_back(upper);
    }
    return boxes;
}

TRgba MeanColor(const TBox& box, const THistogram& cells)
{
    std::uint64_t sum[3] = {0, 0, 0};
    ForEachCell(box, [&](const std::array<int, 3>&, int index) {
        for (int c = 0; c < 3; ++c)
            sum[c] += cells[index].sum[c];
    });
    auto mean = [&](int c) { return static_cast<std::uint8_t>((sum[c] + box.count / 2) / box.count); };
    return {mean(0), mean(1), mean(2), 255};
}

// ---- mapping with Stucki diffusion ------------------------------------------------

// The nearest palette entry of a colour, remembered for colours that agree
// in their upper 6 bits.
class TNearestColor {
public:
    explicit TNearestColor(const std::vector<TRgba>& palette, int count)
        : palette_(palette), count_(count), cache_(1 << 18, -1)
    {
    }

    std::uint8_t Find(int r, int g, int b)
    {
        const int key = (r >> 2) << 12 | (g >> 2) << 6 | (b >> 2);
        if (cache_[key] < 0)
            cache_[key] = Search(r, g, b);
        return static_cast<std::uint8_t>(cache_[key]);
    }

private:
    int Search(int r, int g, int b) const
    {
        int best = 0;
        int bestDistance = 1 << 30;
        for (int i = 0; i < count_; ++i) {
            const int dr = r - palette_[i].Red, dg = g - palette_[i].Green, db = b - palette_[i].Blue;
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        return best;
    }

    const std::vector<TRgba>& palette_;
    int count_;
    std::vector<int> cache_;
};

struct TStuckiWeight {
    int dx, dy, weight;
};
constexpr TStuckiWeight StuckiWeights[] = {
    {1, 0, 8}, {2, 0, 4},
    {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2},
    {-2, 2, 1}, {-1, 2, 2}, {0, 2, 4}, {1, 2, 2}, {2, 2, 1},
};
constexpr int StuckiDivisor = 42;

void Dither(const TPicture& picture, int opaqueColors, TQuantizedPicture& result)
{
    const int width = picture.Width();
    const std::size_t rowSize = static_cast<std::size_t>(width + 4) * 3;
    // Error sums (times 42) for the current row and the two below it, with
    // two cells of margin on either side.
    std::array<std::vector<int>, 3> errors;
    for (auto& row : errors)
        row.assign(rowSize, 0);
    TNearestColor nearest(result.Palette, opaqueColors);
    result.Indices.resize(PixelCount(picture));

    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < width; ++x, p += 4) {
            std::uint8_t& index = result.Indices[static_cast<std::size_t>(y) * width + x];
            if (IsTransparent(p)) {
                index = static_cast<std::uint8_t>(result.TransparentIndex);
                continue;
            }
            int value[3];
            for (int c = 0; c < 3; ++c) {
                const int* e = &errors[0][(x + 2) * 3 + c];
                value[c] = std::clamp(p[c] + *e / StuckiDivisor, 0, 255);
            }
            index = nearest.Find(value[0], value[1], value[2]);
            const TRgba& chosen = result.Palette[index];
            const int error[3] = {value[0] - chosen.Red, value[1] - chosen.Green, value[2] - chosen.Blue};
            for (const TStuckiWeight& w : StuckiWeights)
                for (int c = 0; c < 3; ++c)
                    errors[w.dy][(x + 2 + w.dx) * 3 + c] += error[c] * w.weight;
        }
        std::rotate(errors.begin(), errors.begin() + 1, errors.end());
        std::fill(errors[2].begin(), errors[2].end(), 0);
    }
}

}  // namespace

TQuantizedPicture TColorQuantizer::Quantize(const TPicture& picture, int maxColors)
{
    TQuantizedPicture result;
    if (picture.IsEmpty())
        return result;
    const bool transparent = AnyTransparent(picture);
    const std::size_t limit = static_cast<std::size_t>(std::clamp(maxColors, 2, 256) - (transparent ? 1 : 0));
    if (TryExactColors(picture, limit, transparent, result))
        return result;

    result = TQuantizedPicture();
    const THistogram cells = BuildHistogram(picture);
    for (const TBox& box : MedianCut(cells, limit))
        result.Palette.push_back(MeanColor(box, cells));
    const int opaqueColors = static_cast<int>(result.Palette.size());
    if (transparent)
        AddTransparentEntry(result);
    Dither(picture, opaqueColors, result);
    return result;
}
