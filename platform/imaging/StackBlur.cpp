// The blur itself lives in StackBlurPasses.h; this file picks the build that the
// processor runs best and keeps the divisor table.

#include "platform/imaging/StackBlur.h"
#include "platform/imaging/StackBlurPasses.h"

#include <algorithm>
#include <array>

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

bool HasAvx2()
{
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool s_avx2 = __builtin_cpu_supports("avx2");
    return s_avx2;
#else
    return false;
#endif
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
    if (HasAvx2())
        StackBlurAlphaAvx2(pixels, width, height, r, kDivisors[r]);
    else
        BlurPasses<PortableKernel>(pixels, width, height, r, kDivisors[r]);
}

} // namespace kelmora
