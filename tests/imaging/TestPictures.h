#pragma once
// Pictures and comparisons shared by the imaging tests.

#include "platform/imaging/Bitmap.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace kelmora::test {

// Smooth colour ramps with a band of every alpha value, so that codecs see both
// gradients and semi-transparent pixels.
inline Bitmap MakeRampPicture(int32_t width, int32_t height, bool withAlpha)
{
    Bitmap bitmap = Bitmap::Create(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t alpha = withAlpha ? uint8_t((x * 255 / std::max(1, width - 1) + y * 7 + 128) & 0xFF) : 0xFF;
            bitmap.Row(y)[x] = MakeArgb(alpha, uint8_t(x * 255 / std::max(1, width - 1)),
                uint8_t(y * 255 / std::max(1, height - 1)), uint8_t((x + y) * 255 / (width + height)));
        }
    }
    return bitmap;
}

// Few colours in blocks, with fully transparent pixels (stored as 0, as decoders give
// them back): what a palette format holds exactly.
inline Bitmap MakeBlockPicture(int32_t width, int32_t height, int colors)
{
    Bitmap bitmap = Bitmap::Create(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            int block = (x / 3 + y / 2 * 7) % (colors + 1);
            bitmap.Row(y)[x] = block == colors ? 0u : MakeArgb(0xFF, uint8_t(block * 37), uint8_t(255 - block * 11), uint8_t(block * 5));
        }
    }
    return bitmap;
}

inline bool SamePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    return std::equal(a.Pixels().begin(), a.Pixels().end(), b.Pixels().begin());
}

// Largest and mean difference of the colour channels (alpha ignored).
struct ColorError {
    int max = 0;
    double mean = 0;
};

inline ColorError CompareColors(const Bitmap& a, const Bitmap& b)
{
    ColorError error;
    double total = 0;
    size_t count = a.Pixels().size();
    for (size_t i = 0; i < count; ++i) {
        uint32_t p = a.Pixels()[i];
        uint32_t q = b.Pixels()[i];
        for (int shift : { 0, 8, 16 }) {
            int d = std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
            error.max = std::max(error.max, d);
            total += d;
        }
    }
    error.mean = count ? total / double(count * 3) : 0;
    return error;
}

} // namespace kelmora::test
