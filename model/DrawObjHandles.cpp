// Grip handles and hit testing: where the 18 base handles sit, which cursor each shows,
// how points and rectangles are tested against an object, and what dragging a handle does
// to the object's transform.

#include "model/Coordinates.h"
#include "model/DrawObj.h"
#include "model/HandleKind.h"
#include "model/ViewServices.h"

#include <cmath>
#include <numbers>

namespace kelmora {

namespace {

// Handles sit this far outside the bounds: size handles at kSizeHandleGap, rotation and
// skew handles at kOuterHandleGap (two rotation handles at kOuterHandleGapShort on one
// axis). Document units without a view, view pixels with one.
constexpr float kSizeHandleGap = 36.0f;
constexpr float kOuterHandleGap = 90.0f;
constexpr float kOuterHandleGapShort = 72.0f;
// Half the side of a handle's box.
constexpr int32_t kHandleHalfSize = 9;
// Rotation handles measure the angle from the corner of the reference bounds moved this
// far outward on both axes.
constexpr float kRotateReferenceGap = 10.0f;
// A click counts as on the outline this much beyond the outline's width (in all, half of
// it on either side), so that hairlines can still be hit.
constexpr double kOutlineHitAllowance = 6.0;

// The smallest integer rectangle that covers a float one.
CRect CoveringRect(const RectF& r)
{
    return CRect(TruncateToInt32(std::floor(r.X)), TruncateToInt32(std::floor(r.Y)),
                 TruncateToInt32(std::ceil(double(r.X) + r.Width)), TruncateToInt32(std::ceil(double(r.Y) + r.Height)));
}

} // namespace

int CDrawObj::GetHandleCount()
{
    return kBaseHandleCount;
}

CPoint CDrawObj::GetHandle(int n, int* kind, ViewServices* pView)
{
    RectF r = m_rcBounds;
    if (pView)
        pView->ZoomRectF(&r);
    const float x = r.X;
    const float y = r.Y;
    const float right = r.X + r.Width;
    const float bottom = r.Y + r.Height;
    const float cx = r.X + r.Width / 2.0f;
    const float cy = r.Y + r.Height / 2.0f;

    PointF p;
    int k = HANDLE_SIZE;
    switch (n) {
    default:
    case 1: p = PointF(x - kSizeHandleGap, y - kSizeHandleGap); break;
    case 2: p = PointF(cx, y - kSizeHandleGap); break;
    case 3: p = PointF(right + kSizeHandleGap, y - kSizeHandleGap); break;
    case 4: p = PointF(right + kSizeHandleGap, cy); break;
    case 5: p = PointF(right + kSizeHandleGap, bottom + kSizeHandleGap); break;
    case 6: p = PointF(cx, bottom + kSizeHandleGap); break;
    case 7: p = PointF(x - kSizeHandleGap, bottom + kSizeHandleGap); break;
    case 8: p = PointF(x - kSizeHandleGap, cy); break;
    case 9:
        k = HANDLE_ROTATE_CENTRE;
        p = PointF(cx, cy);
        if (m_bCustomRotateCentre) {
            p = m_ptRotateCentre;
            if (pView)
                pView->ZoomPointsF(std::span(&p, 1));
        }
        break;
    case 10: k = HANDLE_MOVE; p = PointF(cx, cy); break;
    case 11: k = HANDLE_ROTATE; p = PointF(x - kOuterHandleGap, y - kOuterHandleGap); break;
    case 12: k = HANDLE_SKEW; p = PointF(cx, y - kOuterHandleGap); break;
    case 13: k = HANDLE_ROTATE; p = PointF(right + kOuterHandleGap, y - kOuterHandleGapShort); break;
    case 14: k = HANDLE_SKEW; p = PointF(right + kOuterHandleGap, cy); break;
    case 15: k = HANDLE_ROTATE; p = PointF(right + kOuterHandleGap, bottom + kOuterHandleGap); break;
    case 16: k = HANDLE_SKEW; p = PointF(cx, bottom + kOuterHandleGap); break;
    case 17: k = HANDLE_ROTATE; p = PointF(x - kOuterHandleGapShort, bottom + kOuterHandleGap); break;
    case 18: k = HANDLE_SKEW; p = PointF(x - kOuterHandleGap, cy); break;
    }
    if (kind)
        *kind = k;
    return CPoint(TruncateToInt32(p.X), TruncateToInt32(p.Y));
}

CRect CDrawObj::GetHandleRect(int n, int* kind, ViewServices* pView)
{
    CPoint p = GetHandle(n, kind, pView);
    return CRect(p.x - kHandleHalfSize, p.y - kHandleHalfSize, p.x + kHandleHalfSize, p.y + kHandleHalfSize);
}

HandleCursor CDrawObj::GetHandleCursor(int n)
{
    switch (n) {
    case 2:
    case 6: return HandleCursor::SizeNorthSouth;
    case 3:
    case 7: return HandleCursor::SizeNorthEastSouthWest;
    case 4:
    case 8: return HandleCursor::SizeWestEast;
    case 9: return HandleCursor::RotateCentre;
    case 10: return HandleCursor::Arrow;
    case 11:
    case 13:
    case 15:
    case 17: return HandleCursor::Rotate;
    case 12:
    case 16: return HandleCursor::SkewHorizontal;
    case 14:
    case 18: return HandleCursor::SkewVertical;
    default: return HandleCursor::SizeNorthWestSouthEast;
    }
}

// Whether a corner of the flattened outline lies inside the rectangle. The tolerance plays
// no part: the rubber band selects what its rectangle reaches.
bool CDrawObj::Intersects(const CRect& rect, int, ViewServices* pView)
{
    if (!GetBounds(rect, pView))
        return false;
    GraphicsPath area;
    if (!area.AddRectangle(RectF(float(rect.left), float(rect.top), float(rect.Width()), float(rect.Height()))))
        return false;
    const std::unique_ptr<GraphicsPath> path = CreatePath(pView, nullptr);
    for (const FlattenedFigure& figure : path->GetFlattenedFigures()) {
        for (PointF point : figure.points) {
            if (area.IsVisible(point))
                return true;
        }
    }
    return false;
}

bool CDrawObj::HitTestOutline(int x, int y, int tolerance, ViewServices* pView)
{
    const std::unique_ptr<GraphicsPath> path = CreatePath(pView, nullptr);
    if (tolerance == -1)
        tolerance = TruncateToInt32(double(m_pen.m_fWidth) + kOutlineHitAllowance);
    if (pView)
        tolerance = TruncateToInt32(pView->ZoomMatrix().TransformPoint(PointF(0.0f, float(tolerance))).Y);
    PenGeometry pen;
    pen.width = float(tolerance);
    return pen.IsValid() && path->IsOutlineVisible(PointF(float(x), float(y)), pen);
}

int CDrawObj::HitTest(CPoint point, ViewServices* pView, bool selected, int kind)
{
    if (!selected) {
        const RectF& r = m_rcBounds;
        bool inside = point.x >= r.X && point.x <= r.X + r.Width && point.y >= r.Y && point.y <= r.Y + r.Height;
        return inside ? 1 : 0;
    }
    const int count = GetHandleCount();
    for (int n = 1; n <= count; ++n) {
        int handleKind = HANDLE_NONE;
        CRect box = GetHandleRect(n, &handleKind, pView);
        box.InflateRect(1, 1);
        bool passes = kind == 0 ? handleKind != HANDLE_MOVE : handleKind == kind;
        if (passes && box.PtInRect(point))
            return n;
    }
    return 0;
}

bool CDrawObj::GetBounds(const CRect& rect, ViewServices* pView)
{
    std::unique_ptr<GraphicsPath> path = CreatePath(pView, nullptr);
    if (path->IsEmpty())
        return false;
    CRect overlap;
    return overlap.IntersectRect(CoveringRect(path->GetBounds()), rect);
}

CPoint CDrawObj::GetAnchorPoint(ViewServices* pView)
{
    return GetHandle(kCentreHandle, nullptr, pView);
}

// Rebuilds the pending matrix from the committed one and the reference bounds R (the
// bounds when the drag began) for handle n dragged to `point`. Size handles scale about the
// opposite side or corner, rotation handles turn about the rotation centre, skew handles
// shear along their edge: 12 and 16 horizontally, 14 and 18 vertically, the side across
// staying put. A handle that would divide by a side of length 0 does nothing.
void CDrawObj::MoveHandleTo(int n, CPoint point, uint32_t, ViewServices* pView)
{
    if (m_bLocked)
        return;
    PointF p(float(point.x), float(point.y));
    if (pView && !pView->UnzoomPointsF(std::span(&p, 1)))
        return;
    m_rcBounds = GetPathBounds(nullptr, nullptr);

    const RectF& r = m_rcRefBounds;
    const float w = r.Width;
    const float h = r.Height;
    const float right = r.X + w;
    const float bottom = r.Y + h;
    auto startPending = [this] { m_pPendingMatrix = std::make_unique<Matrix>(*m_pMatrix); };
    auto scaleAbout = [&](float sx, float sy, PointF q) {
        startPending();
        *m_pPendingMatrix = *m_pPendingMatrix * Matrix::Translation(-q.X, -q.Y) * Matrix::Scaling(sx, sy)
            * Matrix::Translation(q.X, q.Y);
    };
    auto shearAbout = [&](float shx, float shy, PointF q) {
        startPending();
        *m_pPendingMatrix = *m_pPendingMatrix * Matrix::Translation(-q.X, -q.Y) * Matrix::Shearing(shx, shy)
            * Matrix::Translation(q.X, q.Y);
    };
    auto rotateFrom = [&](PointF reference) {
        const PointF c = m_bCustomRotateCentre ? m_ptRotateCentre : r.Center();
        const double degrees = AngleAtCentre(c, reference, p) * -180.0 / std::numbers::pi;
        startPending();
        m_pPendingMatrix->RotateAt(float(degrees), c, MatrixOrder::Append);
    };

    switch (n) {
    case 1:
        if (w != 0 && h != 0)
            scaleAbout((right - p.X) / w, (bottom - p.Y) / h, PointF(right, bottom));
        break;
    case 2:
        if (h != 0)
            scaleAbout(1, (bottom - p.Y) / h, PointF(0, bottom));
        break;
    case 3:
        if (w != 0 && h != 0)
            scaleAbout((p.X - r.X) / w, (bottom - p.Y) / h, PointF(r.X, bottom));
        break;
    case 4:
        if (w != 0)
            scaleAbout((p.X - r.X) / w, 1, PointF(r.X, 0));
        break;
    case 5:
        if (w != 0 && h != 0)
            scaleAbout((p.X - r.X) / w, (p.Y - r.Y) / h, PointF(r.X, r.Y));
        break;
    case 6:
        if (h != 0)
            scaleAbout(1, (p.Y - r.Y) / h, PointF(0, r.Y));
        break;
    case 7:
        if (w != 0 && h != 0)
            scaleAbout((right - p.X) / w, (p.Y - r.Y) / h, PointF(right, r.Y));
        break;
    case 8:
        if (w != 0)
            scaleAbout((right - p.X) / w, 1, PointF(right, 0));
        break;
    case 9:
        m_bCustomRotateCentre = true;
        m_ptRotateCentre = p;
        break;
    case 11: rotateFrom(PointF(r.X - kRotateReferenceGap, r.Y - kRotateReferenceGap)); break;
    case 13: rotateFrom(PointF(right + kRotateReferenceGap, r.Y - kRotateReferenceGap)); break;
    case 15: rotateFrom(PointF(right + kRotateReferenceGap, bottom + kRotateReferenceGap)); break;
    case 17: rotateFrom(PointF(r.X - kRotateReferenceGap, bottom + kRotateReferenceGap)); break;
    case 12:
        if (h != 0)
            shearAbout((r.X + w / 2 - p.X) / h, 0, PointF(r.X, bottom));
        break;
    case 16:
        if (h != 0)
            shearAbout((p.X - (r.X + w / 2)) / h, 0, PointF(r.X, r.Y));
        break;
    case 14:
        if (w != 0)
            shearAbout(0, (p.Y - (r.Y + h / 2)) / w, PointF(r.X, r.Y));
        break;
    case 18:
        if (w != 0)
            shearAbout(0, (r.Y + h / 2 - p.Y) / w, PointF(right, r.Y));
        break;
    default:
        // 10, the centre: the select tool moves the whole object instead.
        break;
    }
}

} // namespace kelmora
