#pragma once
// Conversions from float coordinates to the 32-bit integers of view points and rectangles.
// They saturate at the int32 range and map NaN to 0, so that a wild coordinate (a huge
// zoom, a corrupt file) gives a far-away point instead of undefined behaviour.

#include <cmath>
#include <cstdint>
#include <limits>

namespace kelmora {

namespace detail {

inline int32_t SaturateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double kMin = double(std::numeric_limits<int32_t>::min());
    constexpr double kMax = double(std::numeric_limits<int32_t>::max());
    if (value <= kMin)
        return std::numeric_limits<int32_t>::min();
    if (value >= kMax)
        return std::numeric_limits<int32_t>::max();
    return int32_t(value);
}

} // namespace detail

// Toward zero, as a C cast does.
inline int32_t TruncateToInt32(double value)
{
    return detail::SaturateToInt32(std::trunc(value));
}

// To the nearest integer, halves away from zero.
inline int32_t RoundToInt32(double value)
{
    return detail::SaturateToInt32(std::round(value));
}

} // namespace kelmora
