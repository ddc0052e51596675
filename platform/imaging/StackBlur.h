#pragma once
// Stack blur of the alpha channel of 32-bit ARGB pixels, in place.
//
// An approximation of a Gaussian blur by a tent-shaped kernel of radius r: one
// horizontal pass over every row, then one vertical pass over every column, each keeping
// running sums so that the work per pixel does not depend on the radius. Beyond the
// edges the first and last pixel of a line count as repeated.
//
// Pixels are 0xAARRGGBB words with straight (not premultiplied) alpha, rows one after
// the other without padding. Only the alpha is read and written; the colour of every
// pixel stays as it is, which is right for straight alpha only: premultiplied pixels must
// be unpremultiplied first.

#include <cstdint>

namespace kelmora {

// The largest radius the blur uses; a larger one blurs as this one does.
inline constexpr uint32_t kMaxStackBlurRadius = 254;

// Blurs the alpha of width x height pixels with radius min(radius, kMaxStackBlurRadius).
// Does nothing for null pixels or a zero width, height or radius.
void StackBlurAlpha(uint32_t* pixels, uint32_t width, uint32_t height, uint32_t radius);

// The divisor of radius r as a multiplier and a shift: (sum * mul) >> shift stands for
// sum / (r + 1)², never above it by 0.4 % or more. r must not exceed kMaxStackBlurRadius.
struct StackBlurDivisor {
    uint32_t mul;
    uint32_t shift;
};
StackBlurDivisor StackBlurDivisorFor(uint32_t radius);

} // namespace kelmora
