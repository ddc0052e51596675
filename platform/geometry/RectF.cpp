#include "platform/geometry/RectF.h"

#include <algorithm>

namespace kelmora {

RectF RectF::FromCorners(PointF a, PointF b)
{
    float left = std::min(a.X, b.X);
    float top = std::min(a.Y, b.Y);
    return RectF(left, top, std::max(a.X, b.X) - left, std::max(a.Y, b.Y) - top);
}

bool RectF::Intersect(RectF& out, const RectF& a, const RectF& b)
{
    float right = std::min(a.GetRight(), b.GetRight());
    float bottom = std::min(a.GetBottom(), b.GetBottom());
    float left = std::max(a.GetLeft(), b.GetLeft());
    float top = std::max(a.GetTop(), b.GetTop());
    out = RectF(left, top, right - left, bottom - top);
    return !out.IsEmptyArea();
}

bool RectF::Union(RectF& out, const RectF& a, const RectF& b)
{
    float right = std::max(a.GetRight(), b.GetRight());
    float bottom = std::max(a.GetBottom(), b.GetBottom());
    float left = std::min(a.GetLeft(), b.GetLeft());
    float top = std::min(a.GetTop(), b.GetTop());
    out = RectF(left, top, right - left, bottom - top);
    return !out.IsEmptyArea();
}

RectF UnionOfPainted(const RectF& a, const RectF& b)
{
    if (a.IsEmptyArea())
        return b;
    if (b.IsEmptyArea())
        return a;
    RectF out;
    RectF::Union(out, a, b);
    return out;
}

} // namespace kelmora
