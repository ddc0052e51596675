#pragma once
// An integer rectangle as the class library keeps it: left, top, right, bottom in 32 bits,
// y growing downward. Right and bottom lie outside the rectangle: a point on them is not in
// it, and the width is right − left. Nothing is normalised behind the caller's back; a
// rectangle with right < left or bottom < top is empty until NormalizeRect() swaps the sides.
// Arithmetic wraps at 32 bits as the class library's does, never with undefined overflow.

#include "platform/geometry/CPoint.h"
#include "platform/geometry/CSize.h"

#include <cstdint>

namespace kelmora {

struct CRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) { }
    constexpr CRect(CPoint topLeft, CSize size)
        : left(topLeft.x), top(topLeft.y), right(CSize::Wrap(int64_t(topLeft.x) + size.cx)),
          bottom(CSize::Wrap(int64_t(topLeft.y) + size.cy)) { }
    constexpr CRect(CPoint topLeft, CPoint bottomRight)
        : left(topLeft.x), top(topLeft.y), right(bottomRight.x), bottom(bottomRight.y) { }

    friend constexpr bool operator==(const CRect&, const CRect&) = default;
    constexpr bool EqualRect(const CRect& other) const { return *this == other; }

    constexpr int32_t Width() const { return CSize::Wrap(int64_t(right) - left); }
    constexpr int32_t Height() const { return CSize::Wrap(int64_t(bottom) - top); }
    constexpr CSize Size() const { return CSize(Width(), Height()); }
    constexpr CPoint TopLeft() const { return CPoint(left, top); }
    constexpr CPoint BottomRight() const { return CPoint(right, bottom); }
    // The midpoint, rounded toward zero as the class library's integer division does.
    constexpr CPoint CenterPoint() const
    {
        return CPoint(int32_t((int64_t(left) + right) / 2), int32_t((int64_t(top) + bottom) / 2));
    }

    // Empty: no area (width or height ≤ 0). Null: all four values 0.
    constexpr bool IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }

    // Left and top edges are inside, right and bottom edges outside.
    constexpr bool PtInRect(CPoint point) const
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }

    constexpr void SetRect(int32_t l, int32_t t, int32_t r, int32_t b) { *this = CRect(l, t, r, b); }
    constexpr void SetRectEmpty() { *this = CRect(); }

    // Swaps left/right and top/bottom where they are the wrong way round.
    void NormalizeRect();

    // Inflate moves every side outward by the amounts (inward for negative ones); Deflate
    // the opposite.
    void InflateRect(int32_t dx, int32_t dy) { InflateRect(dx, dy, dx, dy); }
    void InflateRect(CSize size) { InflateRect(size.cx, size.cy, size.cx, size.cy); }
    void InflateRect(int32_t l, int32_t t, int32_t r, int32_t b);
    void DeflateRect(int32_t dx, int32_t dy) { DeflateRect(dx, dy, dx, dy); }
    void DeflateRect(CSize size) { DeflateRect(size.cx, size.cy, size.cx, size.cy); }
    void DeflateRect(int32_t l, int32_t t, int32_t r, int32_t b);

    void OffsetRect(int32_t dx, int32_t dy);
    void OffsetRect(CPoint point) { OffsetRect(point.x, point.y); }
    void OffsetRect(CSize size) { OffsetRect(size.cx, size.cy); }

    // The overlap of a and b. When they do not overlap (or either is empty) the result is
    // the null rectangle and the answer false.
    bool IntersectRect(const CRect& a, const CRect& b);
    // The smallest rectangle holding a and b; an empty operand is ignored. False (and the
    // null rectangle) when both are empty.
    bool UnionRect(const CRect& a, const CRect& b);

    CRect& operator+=(CPoint point) { OffsetRect(point.x, point.y); return *this; }
    CRect& operator+=(CSize size) { OffsetRect(size.cx, size.cy); return *this; }
    CRect& operator-=(CPoint point) { OffsetRect(CSize::Wrap(-int64_t(point.x)), CSize::Wrap(-int64_t(point.y))); return *this; }
    CRect& operator-=(CSize size) { OffsetRect(CSize::Wrap(-int64_t(size.cx)), CSize::Wrap(-int64_t(size.cy))); return *this; }
    CRect& operator&=(const CRect& other) { IntersectRect(*this, other); return *this; }
    CRect& operator|=(const CRect& other) { UnionRect(*this, other); return *this; }

    CRect operator+(CPoint point) const { CRect r = *this; r += point; return r; }
    CRect operator+(CSize size) const { CRect r = *this; r += size; return r; }
    CRect operator-(CPoint point) const { CRect r = *this; r -= point; return r; }
    CRect operator-(CSize size) const { CRect r = *this; r -= size; return r; }
    CRect operator&(const CRect& other) const { CRect r; r.IntersectRect(*this, other); return r; }
    CRect operator|(const CRect& other) const { CRect r; r.UnionRect(*this, other); return r; }
};

} // namespace kelmora
