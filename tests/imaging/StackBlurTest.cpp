// The stack blur of straight alpha: kernel shape, edges, limits and what it leaves alone.

#include "platform/imaging/StackBlur.h"
#include "platform/imaging/StackBlurPasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kelmora {

namespace {

uint32_t Alpha(const std::vector<uint32_t>& pixels, int width, int x, int y)
{
    return pixels[size_t(y) * width + x] >> 24;
}

uint64_t TotalAlpha(const std::vector<uint32_t>& pixels)
{
    uint64_t total = 0;
    for (uint32_t p : pixels)
        total += p >> 24;
    return total;
}

// The blur one line at a time, in place, with the window kept on a ring of 2r + 1 values:
// the plain form of the algorithm, whose output the library's must match byte for byte.
void BlurLineOnRing(uint32_t* line, size_t step, uint32_t count, uint32_t radius, std::vector<uint8_t>& ring)
{
    const StackBlurDivisor divisor = StackBlurDivisorFor(radius);
    const uint32_t div = 2 * radius + 1;
    const uint32_t last = count - 1;
    auto alphaAt = [&](uint32_t i) { return line[i * step] >> 24; };
    uint32_t sum = 0;
    uint32_t sumIn = 0;
    uint32_t sumOut = 0;
    for (uint32_t i = 0; i <= radius; ++i) {
        ring[i] = uint8_t(alphaAt(0));
        sum += ring[i] * (i + 1);
        sumOut += ring[i];
    }
    for (uint32_t i = 1; i <= radius; ++i) {
        ring[radius + i] = uint8_t(alphaAt(std::min(i, last)));
        sum += ring[radius + i] * (radius + 1 - i);
        sumIn += ring[radius + i];
    }
    uint32_t sp = radius;
    uint32_t xp = std::min(radius, last);
    for (uint32_t x = 0; x < count; ++x) {
        uint32_t& pixel = line[x * step];
        pixel = (pixel & 0x00FFFFFFu) | (((sum * divisor.mul) >> divisor.shift) << 24);
        sum -= sumOut;
        const uint32_t start = (sp + div - radius) % div;
        sumOut -= ring[start];
        if (xp < last)
            ++xp;
        ring[start] = uint8_t(alphaAt(xp));
        sumIn += ring[start];
        sum += sumIn;
        sp = (sp + 1) % div;
        sumOut += ring[sp];
        sumIn -= ring[sp];
    }
}

void BlurOnRings(std::vector<uint32_t>& pixels, uint32_t width, uint32_t height, uint32_t radius)
{
    radius = std::min(radius, kMaxStackBlurRadius);
    std::vector<uint8_t> ring(2 * radius + 1);
    for (uint32_t y = 0; y < height; ++y)
        BlurLineOnRing(pixels.data() + size_t(y) * width, 1, width, radius, ring);
    for (uint32_t x = 0; x < width; ++x)
        BlurLineOnRing(pixels.data() + x, width, height, radius, ring);
}

} // namespace

TEST(StackBlur, DivisorFollowsTheShiftRule)
{
    const struct {
        uint32_t r, mul, shift;
    } rows[] = {{0, 512, 9},  {1, 512, 11}, {2, 456, 12},  {3, 512, 13},  {4, 328, 13},  {5, 456, 14}, {6, 335, 14},
                {7, 512, 15}, {8, 405, 15}, {15, 512, 17}, {64, 497, 21}, {128, 505, 23}, {254, 259, 24}};
    for (const auto& row : rows) {
        const StackBlurDivisor d = StackBlurDivisorFor(row.r);
        EXPECT_EQ(d.mul, row.mul) << row.r;
        EXPECT_EQ(d.shift, row.shift) << row.r;
    }
    // The largest window sum times the multiplier fits 32 bits at every radius.
    for (uint32_t r = 0; r <= kMaxStackBlurRadius; ++r) {
        const StackBlurDivisor d = StackBlurDivisorFor(r);
        EXPECT_LT(uint64_t(255) * (r + 1) * (r + 1) * d.mul, uint64_t(1) << 32) << r;
        EXPECT_LE((uint64_t(255) * (r + 1) * (r + 1) * d.mul) >> d.shift, 255u) << r;
    }
}

TEST(StackBlur, SinglePixelSpreadsIntoASymmetricTent)
{
    const int size = 41;
    const int c = 20;
    const uint32_t r = 6;
    std::vector<uint32_t> pixels(size * size, 0x00123456u);
    pixels[c * size + c] = 0xFF123456u;
    StackBlurAlpha(pixels.data(), size, size, r);

    for (int d = 1; d <= int(r); ++d) {
        EXPECT_EQ(Alpha(pixels, size, c - d, c), Alpha(pixels, size, c + d, c)) << d;
        EXPECT_EQ(Alpha(pixels, size, c, c - d), Alpha(pixels, size, c, c + d)) << d;
        EXPECT_EQ(Alpha(pixels, size, c + d, c), Alpha(pixels, size, c, c + d)) << d;
        EXPECT_LE(Alpha(pixels, size, c + d, c), Alpha(pixels, size, c + d - 1, c)) << d;
    }
    EXPECT_GT(Alpha(pixels, size, c, c), 0u);
    EXPECT_EQ(Alpha(pixels, size, c + int(r) + 1, c), 0u);
    EXPECT_EQ(Alpha(pixels, size, c, c - int(r) - 1), 0u);
    // The kernel sums to one; truncation of each of the (2r+1)² outputs loses less than
    // one unit each, after the horizontal pass's own truncation.
    EXPECT_LE(TotalAlpha(pixels), 255u);
    EXPECT_GE(TotalAlpha(pixels), 255u * 2 / 3);
    for (uint32_t p : pixels)
        EXPECT_EQ(p & 0x00FFFFFFu, 0x00123456u);
}

TEST(StackBlur, EdgesRepeatTheFirstAndLastPixel)
{
    // A pixel next to the left edge spreads as evenly as one in the middle: the window
    // beyond the edge holds copies of the first pixel, not its neighbours.
    std::vector<uint32_t> row(12, 0);
    row[1] = 0xFF000000u;
    StackBlurAlpha(row.data(), 12, 1, 3);
    EXPECT_EQ(row[0] >> 24, row[2] >> 24);
    EXPECT_GT(row[1] >> 24, row[2] >> 24);

    // A row shorter than the radius: an opaque last pixel fills the right end.
    std::vector<uint32_t> shortRow = {0, 0, 0xFF000000u};
    StackBlurAlpha(shortRow.data(), 3, 1, 10);
    EXPECT_LT(shortRow[0] >> 24, shortRow[1] >> 24);
    EXPECT_LT(shortRow[1] >> 24, shortRow[2] >> 24);
}

TEST(StackBlur, LimitsAndIdentities)
{
    std::vector<uint32_t> noise(30 * 20);
    uint32_t seed = 7;
    for (uint32_t& p : noise) {
        seed = seed * 1103515245u + 12345u;
        p = seed;
    }
    std::vector<uint32_t> copy = noise;
    StackBlurAlpha(copy.data(), 30, 20, 0);
    EXPECT_EQ(copy, noise);
    StackBlurAlpha(copy.data(), 0, 20, 5);
    StackBlurAlpha(copy.data(), 30, 0, 5);
    StackBlurAlpha(nullptr, 30, 20, 5);
    EXPECT_EQ(copy, noise);

    std::vector<uint32_t> capped = noise;
    StackBlurAlpha(copy.data(), 30, 20, 1000);
    StackBlurAlpha(capped.data(), 30, 20, kMaxStackBlurRadius);
    EXPECT_EQ(copy, capped);
    for (size_t i = 0; i < noise.size(); ++i)
        EXPECT_EQ(copy[i] & 0x00FFFFFFu, noise[i] & 0x00FFFFFFu);

    std::vector<uint32_t> opaque(17 * 9, 0xFF808080u);
    StackBlurAlpha(opaque.data(), 17, 9, 4);
    for (uint32_t p : opaque)
        EXPECT_EQ(p, 0xFF808080u);
    std::vector<uint32_t> clear(17 * 9, 0x00808080u);
    StackBlurAlpha(clear.data(), 17, 9, 254);
    for (uint32_t p : clear)
        EXPECT_EQ(p, 0x00808080u);
}

TEST(StackBlur, MatchesTheLineByLineBlurByteForByte)
{
    // Sizes around the band height and the vector widths, lines shorter than the radius,
    // and layers of one row or one column; alpha from noise with solid patches.
    const struct {
        uint32_t width, height;
    } sizes[] = {{1, 1}, {1, 37}, {53, 1}, {2, 3}, {15, 17}, {16, 16}, {17, 33}, {64, 31}, {131, 70}, {300, 9}};
    uint32_t seed = 99;
    for (const auto& size : sizes) {
        std::vector<uint32_t> pixels(size_t(size.width) * size.height);
        for (size_t i = 0; i < pixels.size(); ++i) {
            seed = seed * 1103515245u + 12345u;
            pixels[i] = (i / 7) % 3 == 0 ? (seed | 0xFF000000u) : seed;
        }
        for (uint32_t radius : {1u, 2u, 5u, 16u, 40u, 254u, 600u}) {
            std::vector<uint32_t> expected = pixels;
            BlurOnRings(expected, size.width, size.height, radius);
            std::vector<uint32_t> actual = pixels;
            StackBlurAlpha(actual.data(), size.width, size.height, radius);
            ASSERT_EQ(actual, expected) << size.width << " x " << size.height << " radius " << radius;
            // The portable build, which processors without AVX2 run.
            const uint32_t r = std::min(radius, kMaxStackBlurRadius);
            std::vector<uint32_t> portable = pixels;
            BlurPasses<PortableKernel>(portable.data(), size.width, size.height, r, StackBlurDivisorFor(r));
            ASSERT_EQ(portable, expected) << size.width << " x " << size.height << " radius " << radius;
        }
    }
}

} // namespace kelmora
