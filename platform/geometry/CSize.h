#pragma once
// An integer extent as the class library keeps it: cx, cy in 32 bits.

#include <cstdint>

namespace kelmora {

struct CSize {
    int32_t cx = 0;
    int32_t cy = 0;

    constexpr CSize() = default;
    constexpr CSize(int32_t width, int32_t height) : cx(width), cy(height) { }

    friend constexpr bool operator==(const CSize&, const CSize&) = default;

    // Arithmetic wraps at 32 bits like the class library's does, without undefined overflow.
    constexpr CSize operator+(CSize other) const { return CSize(Wrap(int64_t(cx) + other.cx), Wrap(int64_t(cy) + other.cy)); }
    constexpr CSize operator-(CSize other) const { return CSize(Wrap(int64_t(cx) - other.cx), Wrap(int64_t(cy) - other.cy)); }
    constexpr CSize operator-() const { return CSize(Wrap(-int64_t(cx)), Wrap(-int64_t(cy))); }
    constexpr CSize& operator+=(CSize other) { return *this = *this + other; }
    constexpr CSize& operator-=(CSize other) { return *this = *this - other; }

    static constexpr int32_t Wrap(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }
};

} // namespace kelmora
