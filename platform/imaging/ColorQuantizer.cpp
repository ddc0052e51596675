#include "platform/imaging/ColorQuantizer.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <unordered_map>

namespace kelmora {

namespace {

constexpr int kHistogramBits = 5;
constexpr int kHistogramSide = 1 << kHistogramBits;
constexpr int kHistogramSize = kHistogramSide * kHistogramSide * kHistogramSide;
// The nearest-entry cache is keyed by 6 bits a channel: finer than the histogram, so
// neighbouring shades that median cut put in different boxes still map apart.
constexpr int kCacheBits = 6;

int HistogramIndex(int r, int g, int b)
{
    return (r << (2 * kHistogramBits)) | (g << kHistogramBits) | b;
}

struct Bin {
    uint64_t count = 0;
    uint64_t sum[3] = { 0, 0, 0 };
};

struct Box {
    int lo[3];
    int hi[3]; // inclusive
    uint64_t count = 0;

    int Extent(int axis) const { return hi[axis] - lo[axis]; }
    int LongestAxis() const
    {
        int axis = 0;
        for (int a = 1; a < 3; ++a) {
            if (Extent(a) > Extent(axis))
                axis = a;
        }
        return axis;
    }
};

const Bin& BinAt(const std::vector<Bin>& bins, const int c[3])
{
    return bins[size_t(HistogramIndex(c[0], c[1], c[2]))];
}

// Shrinks the box to the bins that hold pixels and recounts it.
void Tighten(Box& box, const std::vector<Bin>& bins)
{
    int lo[3] = { kHistogramSide, kHistogramSide, kHistogramSide };
    int hi[3] = { -1, -1, -1 };
    uint64_t count = 0;
    int c[3];
    for (c[0] = box.lo[0]; c[0] <= box.hi[0]; ++c[0]) {
        for (c[1] = box.lo[1]; c[1] <= box.hi[1]; ++c[1]) {
            for (c[2] = box.lo[2]; c[2] <= box.hi[2]; ++c[2]) {
                uint64_t n = BinAt(bins, c).count;
                if (!n)
                    continue;
                count += n;
                for (int a = 0; a < 3; ++a) {
                    lo[a] = std::min(lo[a], c[a]);
                    hi[a] = std::max(hi[a], c[a]);
                }
            }
        }
    }
    box.count = count;
    if (count) {
        std::copy(lo, lo + 3, box.lo);
        std::copy(hi, hi + 3, box.hi);
    }
}

// Population of the box's slice at `value` along `axis`.
uint64_t SliceCount(const Box& box, int axis, int value, const std::vector<Bin>& bins)
{
    uint64_t count = 0;
    int c[3];
    c[axis] = value;
    int u = (axis + 1) % 3;
    int v = (axis + 2) % 3;
    for (c[u] = box.lo[u]; c[u] <= box.hi[u]; ++c[u]) {
        for (c[v] = box.lo[v]; c[v] <= box.hi[v]; ++c[v])
            count += BinAt(bins, c).count;
    }
    return count;
}

std::vector<uint32_t> MedianCut(const std::vector<Bin>& bins, int colors)
{
    std::vector<Box> boxes;
    Box all { { 0, 0, 0 }, { kHistogramSide - 1, kHistogramSide - 1, kHistogramSide - 1 } };
    Tighten(all, bins);
    boxes.push_back(all);
    while (int(boxes.size()) < colors) {
        // Split where it helps most: many pixels spread over a long side.
        int best = -1;
        uint64_t bestScore = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            const Box& box = boxes[i];
            uint64_t score = box.count * uint64_t(box.Extent(box.LongestAxis()));
            if (score > bestScore) {
                bestScore = score;
                best = int(i);
            }
        }
        if (best < 0)
            break; // every box is a single bin
        Box& box = boxes[size_t(best)];
        int axis = box.LongestAxis();
        uint64_t half = box.count / 2;
        uint64_t running = 0;
        int cut = box.lo[axis];
        for (int value = box.lo[axis]; value < box.hi[axis]; ++value) {
            running += SliceCount(box, axis, value, bins);
            cut = value;
            if (running >= half)
                break;
        }
        Box upper = box;
        upper.lo[axis] = cut + 1;
        box.hi[axis] = cut;
        Tighten(box, bins);
        Tighten(upper, bins);
        boxes.push_back(upper);
    }

    std::vector<uint32_t> palette;
    for (const Box& box : boxes) {
        uint64_t sum[3] = { 0, 0, 0 };
        uint64_t count = 0;
        int c[3];
        for (c[0] = box.lo[0]; c[0] <= box.hi[0]; ++c[0]) {
            for (c[1] = box.lo[1]; c[1] <= box.hi[1]; ++c[1]) {
                for (c[2] = box.lo[2]; c[2] <= box.hi[2]; ++c[2]) {
                    const Bin& bin = BinAt(bins, c);
                    count += bin.count;
                    for (int a = 0; a < 3; ++a)
                        sum[a] += bin.sum[a];
                }
            }
        }
        if (!count)
            continue;
        auto mean = [count](uint64_t s) { return uint8_t((s + count / 2) / count); };
        palette.push_back(MakeArgb(0xFF, mean(sum[0]), mean(sum[1]), mean(sum[2])));
    }
    return palette;
}

int Nearest(const std::vector<uint32_t>& palette, size_t colors, uint32_t argb)
{
    int best = 0;
    int bestDistance = INT32_MAX;
    for (size_t i = 0; i < colors; ++i) {
        int dr = int(RedOf(palette[i])) - int(RedOf(argb));
        int dg = int(GreenOf(palette[i])) - int(GreenOf(argb));
        int db = int(BlueOf(palette[i])) - int(BlueOf(argb));
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
        }
    }
    return best;
}

bool IsTransparent(uint32_t argb)
{
    return AlphaOf(argb) < kOpaqueAlphaThreshold;
}

} // namespace

IndexedImage QuantizeColors(const Bitmap& bitmap, int32_t maxColors)
{
    assert(bitmap.IsOk());
    maxColors = std::clamp(maxColors, 2, 256);
    IndexedImage image;
    image.width = bitmap.Width();
    image.height = bitmap.Height();
    image.indices.resize(size_t(image.width) * size_t(image.height));
    std::span<const uint32_t> pixels = bitmap.Pixels();

    bool anyTransparent = std::any_of(pixels.begin(), pixels.end(), IsTransparent);
    size_t available = size_t(maxColors) - (anyTransparent ? 1 : 0);

    // Few colours: keep each exactly, in order of first appearance.
    std::unordered_map<uint32_t, uint8_t> exact;
    bool fits = true;
    for (uint32_t pixel : pixels) {
        if (IsTransparent(pixel))
            continue;
        uint32_t rgb = pixel | 0xFF000000u;
        if (exact.count(rgb))
            continue;
        if (exact.size() == available) {
            fits = false;
            break;
        }
        exact.emplace(rgb, uint8_t(image.palette.size()));
        image.palette.push_back(rgb);
    }
    if (fits) {
        if (anyTransparent) {
            image.transparentIndex = int32_t(image.palette.size());
            image.palette.push_back(0);
        }
        for (size_t i = 0; i < pixels.size(); ++i) {
            image.indices[i] = IsTransparent(pixels[i]) ? uint8_t(image.transparentIndex)
                                                        : exact.at(pixels[i] | 0xFF000000u);
        }
        return image;
    }

    std::vector<Bin> bins(kHistogramSize);
    for (uint32_t pixel : pixels) {
        if (IsTransparent(pixel))
            continue;
        int shift = 8 - kHistogramBits;
        Bin& bin = bins[size_t(HistogramIndex(RedOf(pixel) >> shift, GreenOf(pixel) >> shift, BlueOf(pixel) >> shift))];
        ++bin.count;
        bin.sum[0] += RedOf(pixel);
        bin.sum[1] += GreenOf(pixel);
        bin.sum[2] += BlueOf(pixel);
    }
    image.palette = MedianCut(bins, int(available));
    size_t colors = image.palette.size();
    if (anyTransparent) {
        image.transparentIndex = int32_t(colors);
        image.palette.push_back(0);
    }

    std::vector<int16_t> cache(size_t(1) << (3 * kCacheBits), -1);
    int shift = 8 - kCacheBits;
    for (size_t i = 0; i < pixels.size(); ++i) {
        uint32_t pixel = pixels[i];
        if (IsTransparent(pixel)) {
            image.indices[i] = uint8_t(image.transparentIndex);
            continue;
        }
        size_t key = size_t(RedOf(pixel) >> shift) << (2 * kCacheBits) | size_t(GreenOf(pixel) >> shift) << kCacheBits
            | size_t(BlueOf(pixel) >> shift);
        if (cache[key] < 0)
            cache[key] = int16_t(Nearest(image.palette, colors, pixel));
        image.indices[i] = uint8_t(cache[key]);
    }
    return image;
}

} // namespace kelmora
