// Grip handles and hit testing: where the 18 base handles sit, which cursor each shows,
// how points and rectangles are tested against an object, and what dragging a handle does
// to the object's transform.
//
// A handle drag rebuilds the pending matrix on every mouse move from the committed matrix
// and the reference bounds m_rcRefBounds (fixed while the drag lasts), so each step is a
// fresh transform of the object as it was when the drag began, never an accumulation.

#include "model/Coordinates.h"
#include "model/DrawObj.h"
#include "model/HandleKind.h"
#include "model/ViewServices.h"

#include <algorithm>
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


// A scale step whose factor falls below this (a size handle dragged onto the opposite
// side) would flatten the object into a line: a matrix without an inverse, which neither
// drawing nor point conversion can use. Such a step is skipped and the object keeps the
// pending matrix of the previous step.
constexpr float kMinHandleScale = 1e-4f;

// A flattened path is close enough to the drawn outline for a rubber band.
constexpr float kIntersectFlatness = 0.25f;

// Liang–Barsky: whether the segment a–b has a point inside the rectangle (edges included).
bool SegmentMeetsRect(PointF a, PointF b, const CRect& rect)
{
    const double dx = double(b.X) - a.X;
    const double dy = double(b.Y) - a.Y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {double(a.X) - rect.left, double(rect.right) - a.X, double(a.Y) - rect.top,
                         double(rect.bottom) - a.Y};
    double t0 = 0.0;
    double t1 = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;   // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

// translate(−q) × m × translate(q): m acting about the point q.
Matrix About(const Matrix& m, PointF q)
{
    return Matrix::Translation(-q.X, -q.Y) * m * Matrix::Translation(q.X, q.Y);
}

bool UsableScale(float sx, float sy)
{
    return std::isfinite(sx) && std::isfinite(sy) && std::abs(sx) >= kMinHandleScale
        && std::abs(sy) >= kMinHandleScale;
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

// With tolerance −1 the outline width plus 6 units; with a view the tolerance is mapped
// through the zoom, as the path is.
bool CDrawObj::HitTestOutline(int x, int y, int tolerance, ViewServices* pView)
{
    std::unique_ptr<GraphicsPath> path = CreatePath(pView, nullptr);
    float width = float(tolerance);
    if (tolerance == -1)
        width = float(TruncateToInt32(double(m_pen.m_fWidth) + kOutlineHitAllowance));
    if (pView && pView->m_pZoomMatrix)
        width = float(TruncateToInt32(pView->m_pZoomMatrix->TransformPoint(PointF(0.0f, width)).Y));
    PenGeometry pen;
    pen.width = width;
    if (!pen.IsValid() || width <= 0.0f)
        return false;
    return path->IsOutlineVisible(PointF(float(x), float(y)), pen);
}

// Whether any segment of the flattened outline (closing edges included) passes through
// the rectangle; testing only the vertices would miss a long edge that crosses the
// rectangle with both ends outside it. The tolerance takes no part.
bool CDrawObj::Intersects(const CRect& rect, int, ViewServices* pView)
{
    if (!GetBounds(rect, pView))
        return false;
    std::unique_ptr<GraphicsPath> path = CreatePath(pView, nullptr);
    for (const FlattenedFigure& figure : path->GetFlattenedFigures(nullptr, kIntersectFlatness)) {
        const std::vector<PointF>& pts = figure.points;
        if (pts.size() == 1 && SegmentMeetsRect(pts[0], pts[0], rect))
            return true;
        for (size_t i = 1; i < pts.size(); ++i) {
            if (SegmentMeetsRect(pts[i - 1], pts[i], rect))
                return true;
        }
        if (figure.closed && pts.size() > 2 && SegmentMeetsRect(pts.back(), pts.front(), rect))
            return true;
    }
    return false;
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

// Handles 1–8 scale about the opposite side or corner, 12 and 16 shear horizontally about
// the opposite edge, 14 and 18 shear vertically about the opposite edge (their mirror
// images), the four corner handles beyond rotate about the rotation centre, and handle 9
// places the rotation centre. A handle whose step would divide by a zero width or height
// does nothing; the flag is not used.
void CDrawObj::MoveHandleTo(int n, CPoint point, uint32_t, ViewServices* pView)
{
    if (m_bLocked)
        return;
    PointF p(float(point.x), float(point.y));
    if (pView && !pView->UnzoomPointsF(std::span(&p, 1)))
        return;
    if (!p.IsFinite())
        return;
    m_rcBounds = GetPathBounds(nullptr, nullptr);

    const RectF& R = m_rcRefBounds;
    const float W = R.Width;
    const float H = R.Height;
    const float right = R.X + W;
    const float bottom = R.Y + H;

    std::optional<Matrix> step;
    auto scaleAbout = [&](float sx, float sy, PointF q) {
        if (UsableScale(sx, sy))
            step = About(Matrix::Scaling(sx, sy), q);
    };
    auto shearAbout = [&](float shx, float shy, PointF q) {
        if (std::isfinite(shx) && std::isfinite(shy))
            step = About(Matrix::Shearing(shx, shy), q);
    };

    switch (n) {
    case 1:
        if (W != 0 && H != 0)
            scaleAbout((right - p.X) / W, (bottom - p.Y) / H, PointF(right, bottom));
        break;
    case 2:
        if (H != 0)
            scaleAbout(1.0f, (bottom - p.Y) / H, PointF(0.0f, bottom));
        break;
    case 3:
        if (W != 0 && H != 0)
            scaleAbout((p.X - R.X) / W, (bottom - p.Y) / H, PointF(R.X, bottom));
        break;
    case 4:
        if (W != 0)
            scaleAbout((p.X - R.X) / W, 1.0f, PointF(R.X, 0.0f));
        break;
    case 5:
        if (W != 0 && H != 0)
            scaleAbout((p.X - R.X) / W, (p.Y - R.Y) / H, PointF(R.X, R.Y));
        break;
    case 6:
        if (H != 0)
            scaleAbout(1.0f, (p.Y - R.Y) / H, PointF(0.0f, R.Y));
        break;
    case 7:
        if (W != 0 && H != 0)
            scaleAbout((right - p.X) / W, (p.Y - R.Y) / H, PointF(right, R.Y));
        break;
    case 8:
        if (W != 0)
            scaleAbout((right - p.X) / W, 1.0f, PointF(right, 0.0f));
        break;
    case 9:
        m_bCustomRotateCentre = true;
        m_ptRotateCentre = p;
        return;
    case 11:
    case 13:
    case 15:
    case 17: {
        const PointF c = m_bCustomRotateCentre ? m_ptRotateCentre : R.Center();
        PointF reference;
        switch (n) {
        case 11: reference = PointF(R.X - kRotateReferenceGap, R.Y - kRotateReferenceGap); break;
        case 13: reference = PointF(right + kRotateReferenceGap, R.Y - kRotateReferenceGap); break;
        case 15: reference = PointF(right + kRotateReferenceGap, bottom + kRotateReferenceGap); break;
        default: reference = PointF(R.X - kRotateReferenceGap, bottom + kRotateReferenceGap); break;
        }
        // Counter-clockwise on screen is positive for the angle, clockwise for GDI+.
        const double degrees = AngleAtCentre(c, reference, p) * -180.0 / std::numbers::pi;
        Matrix rotation;
        rotation.RotateAt(float(degrees), c, MatrixOrder::Append);
        step = rotation;
        break;
    }
    case 12:
        if (H != 0)
            shearAbout((R.X + W / 2.0f - p.X) / H, 0.0f, PointF(R.X, bottom));
        break;
    case 16:
        if (H != 0)
            shearAbout((p.X - (R.X + W / 2.0f)) / H, 0.0f, PointF(R.X, R.Y));
        break;
    case 14:
        // The right edge follows the pointer up and down; the left edge stays.
        if (W != 0)
            shearAbout(0.0f, (p.Y - (R.Y + H / 2.0f)) / W, PointF(R.X, R.Y));
        break;
    case 18:
        // The left edge follows the pointer; the right edge stays.
        if (W != 0)
            shearAbout(0.0f, (R.Y + H / 2.0f - p.Y) / W, PointF(right, R.Y));
        break;
    default:
        // 10 (the select tool moves the object instead) and unknown numbers.
        return;
    }

    if (!step)
        return;
    const Matrix pending = *m_pMatrix * *step;
    if (!pending.IsInvertible())
        return;
    m_pPendingMatrix = std::make_unique<Matrix>(pending);
}

} // namespace kelmora
