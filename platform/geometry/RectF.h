#pragma once
// A floating-point rectangle (GDI+ RectF): X, Y of the top-left corner, Width, Height.
// As in GDI+, Contains() takes the left and top edges as inside and the right and bottom
// edges as outside, and nothing normalises a negative width or height.

#include "platform/geometry/PointF.h"
#include "platform/geometry/SizeF.h"

#include <cmath>

namespace kelmora {

struct RectF {
    float X = 0.0f;
    float Y = 0.0f;
    float Width = 0.0f;
    float Height = 0.0f;

    constexpr RectF() = default;
    constexpr RectF(float x, float y, float width, float height) : X(x), Y(y), Width(width), Height(height) { }
    constexpr RectF(PointF location, SizeF size) : X(location.X), Y(location.Y), Width(size.Width), Height(size.Height) { }

    // The rectangle from the smaller to the larger coordinate of two corners.
    static RectF FromCorners(PointF a, PointF b);

    friend constexpr bool operator==(const RectF&, const RectF&) = default;
    constexpr bool Equals(const RectF& other) const { return *this == other; }

    constexpr PointF GetLocation() const { return PointF(X, Y); }
    constexpr SizeF GetSize() const { return SizeF(Width, Height); }
    constexpr float GetLeft() const { return X; }
    constexpr float GetTop() const { return Y; }
    constexpr float GetRight() const { return X + Width; }
    constexpr float GetBottom() const { return Y + Height; }
    constexpr PointF Center() const { return PointF(X + Width / 2.0f, Y + Height / 2.0f); }

    // No area: width or height ≤ 0 (or NaN).
    constexpr bool IsEmptyArea() const { return !(Width > 0.0f) || !(Height > 0.0f); }
    bool IsFinite() const { return std::isfinite(X) && std::isfinite(Y) && std::isfinite(Width) && std::isfinite(Height); }

    constexpr bool Contains(float x, float y) const { return x >= X && x < X + Width && y >= Y && y < Y + Height; }
    constexpr bool Contains(PointF point) const { return Contains(point.X, point.Y); }
    constexpr bool Contains(const RectF& rect) const
    {
        return X <= rect.X && rect.GetRight() <= GetRight() && Y <= rect.Y && rect.GetBottom() <= GetBottom();
    }

    // Each side moves outward by dx (left and right) and dy (top and bottom).
    constexpr void Inflate(float dx, float dy) { X -= dx; Y -= dy; Width += 2 * dx; Height += 2 * dy; }
    constexpr void Inflate(PointF amount) { Inflate(amount.X, amount.Y); }
    constexpr void Offset(float dx, float dy) { X += dx; Y += dy; }
    constexpr void Offset(PointF delta) { Offset(delta.X, delta.Y); }

    // True when the two share area (touching edges do not count).
    constexpr bool IntersectsWith(const RectF& rect) const
    {
        return GetLeft() < rect.GetRight() && GetTop() < rect.GetBottom() && GetRight() > rect.GetLeft()
            && GetBottom() > rect.GetTop();
    }
    // This rectangle becomes its overlap with rect; true when that has area.
    bool Intersect(const RectF& rect) { return Intersect(*this, *this, rect); }
    // out = overlap of a and b (a negative size when they miss); true when it has area.
    static bool Intersect(RectF& out, const RectF& a, const RectF& b);
    // out = the smallest rectangle holding both a and b (empty ones included, as GDI+ does);
    // true when it has area.
    static bool Union(RectF& out, const RectF& a, const RectF& b);
};

// The smallest rectangle holding both, where an operand without area does not count: the
// union of what several drawing steps painted, some of which painted nothing.
RectF UnionOfPainted(const RectF& a, const RectF& b);

} // namespace kelmora
