#pragma once
// An integer point as the class library keeps it: x, y in 32 bits, y growing downward.

#include "platform/geometry/CSize.h"

#include <cstdint>

namespace kelmora {

struct CPoint {
    int32_t x = 0;
    int32_t y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int32_t px, int32_t py) : x(px), y(py) { }

    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;

    constexpr void Offset(int32_t dx, int32_t dy) { *this += CSize(dx, dy); }
    constexpr void Offset(CSize size) { *this += size; }

    // Arithmetic wraps at 32 bits like the class library's does, without undefined overflow.
    constexpr CPoint operator+(CSize size) const { return CPoint(CSize::Wrap(int64_t(x) + size.cx), CSize::Wrap(int64_t(y) + size.cy)); }
    constexpr CPoint operator-(CSize size) const { return CPoint(CSize::Wrap(int64_t(x) - size.cx), CSize::Wrap(int64_t(y) - size.cy)); }
    constexpr CSize operator-(CPoint other) const { return CSize(CSize::Wrap(int64_t(x) - other.x), CSize::Wrap(int64_t(y) - other.y)); }
    constexpr CPoint operator-() const { return CPoint(CSize::Wrap(-int64_t(x)), CSize::Wrap(-int64_t(y))); }
    constexpr CPoint& operator+=(CSize size) { return *this = *this + size; }
    constexpr CPoint& operator-=(CSize size) { return *this = *this - size; }
    constexpr CPoint& operator+=(CPoint point) { return *this = *this + CSize(point.x, point.y); }
    constexpr CPoint& operator-=(CPoint point) { return *this = *this - CSize(point.x, point.y); }
};

} // namespace kelmora
