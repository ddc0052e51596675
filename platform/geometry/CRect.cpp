#include "platform/geometry/CRect.h"

#include <algorithm>
#include <utility>

namespace kelmora {

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

void CRect::InflateRect(int32_t l, int32_t t, int32_t r, int32_t b)
{
    left = CSize::Wrap(int64_t(left) - l);
    top = CSize::Wrap(int64_t(top) - t);
    right = CSize::Wrap(int64_t(right) + r);
    bottom = CSize::Wrap(int64_t(bottom) + b);
}

void CRect::DeflateRect(int32_t l, int32_t t, int32_t r, int32_t b)
{
    left = CSize::Wrap(int64_t(left) + l);
    top = CSize::Wrap(int64_t(top) + t);
    right = CSize::Wrap(int64_t(right) - r);
    bottom = CSize::Wrap(int64_t(bottom) - b);
}

void CRect::OffsetRect(int32_t dx, int32_t dy)
{
    left = CSize::Wrap(int64_t(left) + dx);
    right = CSize::Wrap(int64_t(right) + dx);
    top = CSize::Wrap(int64_t(top) + dy);
    bottom = CSize::Wrap(int64_t(bottom) + dy);
}

bool CRect::IntersectRect(const CRect& a, const CRect& b)
{
    if (a.IsRectEmpty() || b.IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    CRect overlap(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom));
    if (overlap.IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    *this = overlap;
    return true;
}

bool CRect::UnionRect(const CRect& a, const CRect& b)
{
    bool aEmpty = a.IsRectEmpty();
    bool bEmpty = b.IsRectEmpty();
    if (aEmpty && bEmpty) {
        SetRectEmpty();
        return false;
    }
    if (aEmpty) {
        *this = b;
        return true;
    }
    if (bEmpty) {
        *this = a;
        return true;
    }
    *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                  std::max(a.bottom, b.bottom));
    return true;
}

} // namespace kelmora
