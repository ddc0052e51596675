#pragma once
// A floating-point point (GDI+ PointF): X, Y with y growing downward.

#include "platform/geometry/SizeF.h"

#include <cmath>

namespace kelmora {

struct PointF {
    float X = 0.0f;
    float Y = 0.0f;

    constexpr PointF() = default;
    constexpr PointF(float x, float y) : X(x), Y(y) { }
    constexpr explicit PointF(SizeF size) : X(size.Width), Y(size.Height) { }

    friend constexpr bool operator==(const PointF&, const PointF&) = default;
    constexpr bool Equals(const PointF& other) const { return *this == other; }
    bool IsFinite() const { return std::isfinite(X) && std::isfinite(Y); }

    constexpr PointF operator+(PointF other) const { return PointF(X + other.X, Y + other.Y); }
    constexpr PointF operator-(PointF other) const { return PointF(X - other.X, Y - other.Y); }
};

} // namespace kelmora
