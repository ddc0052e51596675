#include "platform/imaging/StackBlur.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace kelmora {

namespace {

// The shift is the largest s for which ⌈2^s / (r + 1)²⌉ stays at or below 512, and the
// multiplier is that quotient: 512 keeps sum * mul below 2^32 for any sum of a window of
// 255-valued pixels.
constexpr StackBlurDivisor ComputeDivisor(uint32_t radius)
{
    const uint64_t square = uint64_t(radius + 1) * (radius + 1);
    uint32_t shift = 0;
    while ((((uint64_t(1) << (shift + 1)) + square - 1) / square) <= 512)
        ++shift;
    const uint32_t mul = uint32_t(((uint64_t(1) << shift) + square - 1) / square);
    return StackBlurDivisor{mul, shift};
}

constexpr std::array<StackBlurDivisor, kMaxStackBlurRadius + 1> MakeDivisors()
{
    std::array<StackBlurDivisor, kMaxStackBlurRadius + 1> table{};
    for (uint32_t r = 0; r <= kMaxStackBlurRadius; ++r)
        table[r] = ComputeDivisor(r);
    return table;
}

constexpr std::array<StackBlurDivisor, kMaxStackBlurRadius + 1> kDivisors = MakeDivisors();

uint32_t AlphaAt(const uint32_t* line, size_t step, uint32_t index)
{
    return line[index * step] >> 24;
}

// Blurs the alpha of `count` pixels that lie `step` words apart, starting at `line`. The
// stack holds the 2r + 1 source values of the window, so that the line can be written
// in place: the pixel read next always lies ahead of the one written.
void BlurLine(uint32_t* line, size_t step, uint32_t count, uint32_t radius, StackBlurDivisor divisor,
              std::vector<uint8_t>& stack)
{
    const uint32_t div = 2 * radius + 1;
    const uint32_t last = count - 1;
    uint32_t sum = 0;
    uint32_t sumIn = 0;
    uint32_t sumOut = 0;

    // The left half of the window (centre included) is the first pixel repeated, the
    // right half the next r pixels, the last one repeated where the line is shorter.
    const uint32_t first = AlphaAt(line, step, 0);
    for (uint32_t i = 0; i <= radius; ++i) {
        stack[i] = uint8_t(first);
        sum += first * (i + 1);
        sumOut += first;
    }
    for (uint32_t i = 1; i <= radius; ++i) {
        const uint32_t a = AlphaAt(line, step, std::min(i, last));
        stack[radius + i] = uint8_t(a);
        sum += a * (radius + 1 - i);
        sumIn += a;
    }

    uint32_t sp = radius;
    uint32_t xp = std::min(radius, last);
    for (uint32_t x = 0; x < count; ++x) {
        uint32_t& pixel = line[x * step];
        pixel = (pixel & 0x00FFFFFFu) | (((sum * divisor.mul) >> divisor.shift) << 24);

        sum -= sumOut;
        uint32_t start = sp + div - radius;
        if (start >= div)
            start -= div;
        sumOut -= stack[start];
        if (xp < last)
            ++xp;
        stack[start] = uint8_t(AlphaAt(line, step, xp));
        sumIn += stack[start];
        sum += sumIn;

        if (++sp >= div)
            sp = 0;
        sumOut += stack[sp];
        sumIn -= stack[sp];
    }
}

} // namespace

StackBlurDivisor StackBlurDivisorFor(uint32_t radius)
{
    return kDivisors[std::min(radius, kMaxStackBlurRadius)];
}

void StackBlurAlpha(uint32_t* pixels, uint32_t width, uint32_t height, uint32_t radius)
{
    if (!pixels || width == 0 || height == 0 || radius == 0)
        return;
    const uint32_t r = std::min(radius, kMaxStackBlurRadius);
    const StackBlurDivisor divisor = kDivisors[r];
    std::vector<uint8_t> stack(2 * r + 1);

    for (uint32_t y = 0; y < height; ++y)
        BlurLine(pixels + size_t(y) * width, 1, width, r, divisor, stack);
    for (uint32_t x = 0; x < width; ++x)
        BlurLine(pixels + x, width, height, r, divisor, stack);
}

} // namespace kelmora
