// CDrawPoly: construction, the point arrays, drawing point by point, the arc edits of the
// properties pane, the point handles and their drags, bounds and copies. Paths and arrow
// heads are built in DrawPolyPath.cpp, the record in DrawPolyRecord.cpp.

#include "model/DrawPoly.h"

#include "model/Coordinates.h"
#include "model/DocumentServices.h"
#include "model/HandleKind.h"
#include "model/ViewServices.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

KELMORA_IMPLEMENT_SERIAL(CDrawPoly, CDrawObj, 0)

namespace {

// The made-up control point of a Bézier drawn point by point sits this far from the point.
constexpr float kNewControlOffset = 10.0f;

bool IsBezierType(uint8_t type)
{
    return PathTypeKind(type) == PathPointType::Bezier;
}

// The point mirrored through `anchor`: a turn by 180 degrees about it.
PointF MirrorThrough(PointF anchor, PointF p)
{
    return PointF(anchor.X - (p.X - anchor.X), anchor.Y - (p.Y - anchor.Y));
}

} // namespace

CDrawPoly::CDrawPoly()
{
    InitDefaults();
}

CDrawPoly::CDrawPoly(const RectF& rc, ViewServices* pView) : CDrawObj(rc, pView)
{
    InitDefaults();
}

CDrawPoly::~CDrawPoly() = default;

void CDrawPoly::InitDefaults()
{
    m_nPoints = 0;
    m_nMaxPoints = 0;
    m_points.clear();
    m_pointTypes.clear();
    m_nTension = 100;
    m_nArrowStyle = 0;
    m_nArrowEnds = 0;
    m_fArrowSize = kDefaultArrowSize;
    m_fArrowAngle = kDefaultArrowAngle;
    m_fStartAngle = 0.0f;
    m_fSweepAngle = 0.0f;
    m_fRadiusX = 0.0f;
    m_fRadiusY = 0.0f;
    m_nReserved = 0;
}

// ---------------------------------------------------------------------------------------
// Points

void CDrawPoly::ReservePoints(int n)
{
    if (n <= m_nMaxPoints) {
        if (m_nShapeType == ShapeType::Custom && m_pointTypes.empty())
            m_pointTypes.assign(size_t(m_nMaxPoints), 0);
        return;
    }
    m_points.resize(size_t(n));   // new entries are zero; the points in use stay
    if (m_nShapeType == ShapeType::Custom || !m_pointTypes.empty())
        m_pointTypes.resize(size_t(n), 0);
    m_nMaxPoints = n;
}

void CDrawPoly::EnsureRoom(int extra)
{
    if (m_nPoints + extra >= m_nMaxPoints)
        ReservePoints(std::max(m_nPoints + extra, m_nMaxPoints + kGrowPoints));
}

void CDrawPoly::SetPoints(std::vector<PointF> points, std::vector<uint8_t> types)
{
    m_nPoints = int32_t(points.size());
    m_nMaxPoints = m_nPoints;
    m_points = std::move(points);
    if (types.size() == m_points.size() && !types.empty())
        m_pointTypes = std::move(types);
    else if (m_nShapeType == ShapeType::Custom)
        m_pointTypes.assign(m_points.size(), 0);
    else
        m_pointTypes.clear();
}

void CDrawPoly::AddPoint(CPoint point, ViewServices* pView)
{
    const bool twoAtOnce = m_nShapeType == ShapeType::Bezier || m_nShapeType == ShapeType::Curve;
    EnsureRoom(twoAtOnce ? 2 : 1);

    std::optional<PointF> mapped = ViewToObjectPoint(point, pView);
    if (!mapped)
        return;
    const PointF p = *mapped;
    if (m_nPoints > 0 && m_points[size_t(m_nPoints - 1)] == p)
        return;

    if (m_nShapeType == ShapeType::Bezier && m_nPoints >= 2) {
        const PointF c(p.X + kNewControlOffset, p.Y + kNewControlOffset);
        switch ((m_nPoints - 1) % 3) {
        case 1:   // anchor, control: finish the segment
            m_points[size_t(m_nPoints - 1)] = c;
            m_points[size_t(m_nPoints++)] = c;
            m_points[size_t(m_nPoints++)] = p;
            break;
        case 0:   // the segment is complete: the last anchor moves, a control follows
            m_points[size_t(m_nPoints - 1)] = p;
            m_points[size_t(m_nPoints++)] = c;
            break;
        default:
            break;
        }
    } else {
        m_points[size_t(m_nPoints++)] = p;
    }

    m_rcBounds = GetPathBounds(nullptr, nullptr);
    m_rcRefBounds = m_rcBounds;
    if (!pView) {
        RecalcBounds(nullptr);
        if (m_pDocument)
            m_pDocument->UpdateAllViews(nullptr, kUpdateObject, this);
    } else {
        pView->Invalidate(true);
    }
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(true);
}

// ---------------------------------------------------------------------------------------
// Arc edits

void CDrawPoly::UpdateArcFromStartAngle()
{
    if (m_nPoints < 3)
        return;
    EllipseArcPoints(m_fRadiusX, m_fRadiusY, m_fStartAngle, double(m_fStartAngle) + m_fSweepAngle, m_points[0],
                     m_points[1], m_points[2]);
}

void CDrawPoly::UpdateArcFromSweepAngle()
{
    UpdateArcFromStartAngle();
}

namespace {

// `moved` placed at `distance` from `centre`, in the direction it has now (along +x when
// it sits on the centre).
void PlaceAtDistance(PointF centre, PointF& moved, float distance)
{
    const double dx = double(moved.X) - centre.X;
    const double dy = double(moved.Y) - centre.Y;
    const double angle = (dx == 0.0 && dy == 0.0) ? 0.0 : std::atan2(dy, dx);
    moved = PointF(float(centre.X + distance * std::cos(angle)), float(centre.Y + distance * std::sin(angle)));
}

} // namespace

void CDrawPoly::UpdateArcRadiusX()
{
    if (m_nPoints >= 2)
        PlaceAtDistance(m_points[0], m_points[1], m_fRadiusX);
}

void CDrawPoly::UpdateArcRadiusY()
{
    if (m_nPoints >= 3)
        PlaceAtDistance(m_points[0], m_points[2], m_fRadiusY);
}

// ---------------------------------------------------------------------------------------
// Handles

int CDrawPoly::GetHandleCount()
{
    return m_nPoints + kBaseHandleCount;
}

bool CDrawPoly::IsBezierPoint(int i) const
{
    return i >= 0 && size_t(i) < m_pointTypes.size() && i < m_nPoints && IsBezierType(m_pointTypes[size_t(i)]);
}

int CDrawPoly::BezierOffset(int i) const
{
    int start = i;
    while (start > 0 && IsBezierPoint(start))
        --start;
    return i - start;
}

int CDrawPoly::PointHandleKind(int i) const
{
    auto byOffset = [](int offset) {
        switch (offset % 3) {
        case 1: return kHandleControlAfter;
        case 2: return kHandleControlBefore;
        default: return int(HANDLE_POINT);
        }
    };
    switch (m_nShapeType) {
    case ShapeType::Bezier:
        return byOffset(i);
    case ShapeType::Custom:
        return IsBezierPoint(i) ? byOffset(BezierOffset(i)) : int(HANDLE_POINT);
    case ShapeType::Arc:
    case ShapeType::Pie:
        switch (i) {
        case 0: return kHandleArcCentre;
        case 1: return kHandleArcStart;
        case 2: return kHandleArcEnd;
        default: return int(HANDLE_POINT);
        }
    default:
        return HANDLE_POINT;
    }
}

CPoint CDrawPoly::GetHandle(int n, int* kind, ViewServices* pView)
{
    const int i = n - kFirstPointHandle;
    if (i < 0 || i >= m_nPoints)
        return CDrawObj::GetHandle(n, kind, pView);
    if (kind)
        *kind = PointHandleKind(i);
    return ObjectToViewPoint(m_points[size_t(i)], pView);
}

HandleCursor CDrawPoly::GetHandleCursor(int n)
{
    if (n >= kFirstPointHandle)
        return HandleCursor::ShapePoint;
    return CDrawObj::GetHandleCursor(n);
}

CPoint CDrawPoly::GetAnchorPoint(ViewServices* pView)
{
    if ((m_nShapeType == ShapeType::Arc || m_nShapeType == ShapeType::Pie) && m_nPoints > 0)
        return GetHandle(kFirstPointHandle, nullptr, pView);
    return GetHandle(kCentreHandle, nullptr, pView);
}

bool CDrawPoly::IsEndPointHandle(int n) const
{
    return n > kBaseHandleCount && !m_bClosed && (n == kFirstPointHandle || n == m_nPoints + kBaseHandleCount);
}

void CDrawPoly::MoveBezierPoint(int i, PointF p, uint32_t keyFlags)
{
    std::vector<PointF>& pts = m_points;
    const int n = m_nPoints;
    if (i % 3 == 0) {
        const PointF delta = p - pts[size_t(i)];
        if (i > 1)
            pts[size_t(i - 1)] = pts[size_t(i - 1)] + delta;
        if (i + 1 < n)
            pts[size_t(i + 1)] = pts[size_t(i + 1)] + delta;
    } else if (i >= 2 && (keyFlags & kKeyControl) == 0) {
        const int anchor = i % 3 == 1 ? i - 1 : i + 1;
        const int partner = i % 3 == 1 ? i - 2 : i + 2;
        if (anchor < n && partner >= 1 && partner < n)
            pts[size_t(partner)] = MirrorThrough(pts[size_t(anchor)], p);
    }
    pts[size_t(i)] = p;
}

void CDrawPoly::MoveCustomPoint(int i, PointF p, uint32_t keyFlags)
{
    std::vector<PointF>& pts = m_points;
    const int n = m_nPoints;
    const bool mirror = (keyFlags & kKeyControl) == 0;
    if (IsBezierPoint(i)) {
        const int j = BezierOffset(i);
        if (j % 3 == 0) {
            const PointF delta = p - pts[size_t(i)];
            if (j > 1)
                pts[size_t(i - 1)] = pts[size_t(i - 1)] + delta;
            if (i + 1 < n)
                pts[size_t(i + 1)] = pts[size_t(i + 1)] + delta;
        } else if (j % 3 == 1 && mirror) {
            if (j > 1)
                pts[size_t(i - 2)] = MirrorThrough(pts[size_t(i - 1)], p);
        } else if (j % 3 == 2 && mirror) {
            if (IsBezierPoint(i + 1) && IsBezierPoint(i + 2))
                pts[size_t(i + 2)] = MirrorThrough(pts[size_t(i + 1)], p);
        }
    } else if (size_t(i) < m_pointTypes.size() && PathTypeKind(m_pointTypes[size_t(i)]) == PathPointType::Start
               && IsBezierPoint(i + 1)) {
        pts[size_t(i + 1)] = pts[size_t(i + 1)] + (p - pts[size_t(i)]);
    }
    pts[size_t(i)] = p;
}

void CDrawPoly::MoveHandleTo(int n, CPoint point, uint32_t keyFlags, ViewServices* pView)
{
    if (m_bLocked)
        return;
    if (n < kFirstPointHandle) {
        CDrawObj::MoveHandleTo(n, point, keyFlags, pView);
        RefreshAfterPointChange(false, pView);
        return;
    }
    const int i = n - kFirstPointHandle;
    if (i >= m_nPoints)
        return;
    std::optional<PointF> mapped = ViewToObjectPoint(point, pView);
    if (!mapped || !mapped->IsFinite() || *mapped == m_points[size_t(i)])
        return;

    switch (m_nShapeType) {
    case ShapeType::Bezier:
        MoveBezierPoint(i, *mapped, keyFlags);
        break;
    case ShapeType::Custom:
        MoveCustomPoint(i, *mapped, keyFlags);
        break;
    default:
        m_points[size_t(i)] = *mapped;
        break;
    }
    RefreshAfterPointChange(true, pView);
}

void CDrawPoly::RefreshAfterPointChange(bool pointHandle, ViewServices* pView)
{
    m_rcBounds = GetPathBounds(nullptr, nullptr);
    if (pointHandle)
        m_rcRefBounds = m_rcBounds;
    if (!pView) {
        if (pointHandle)
            RecalcBounds(nullptr);
        if (m_pDocument)
            m_pDocument->UpdateAllViews(nullptr, kUpdateObject, this);
    } else {
        pView->Invalidate(true);
    }
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(true);
}

// ---------------------------------------------------------------------------------------
// Bounds

bool CDrawPoly::CanFill() const
{
    return m_nShapeType != ShapeType::Line;
}

RectF CDrawPoly::GetPathBounds(ViewServices* pView, const PenGeometry* pen)
{
    std::unique_ptr<GraphicsPath> path = CreatePath(pView, nullptr);
    return path->GetBounds(nullptr, pen && pen->IsValid() ? pen : nullptr);
}

bool CDrawPoly::GetBounds(const CRect& rect, ViewServices* pView)
{
    std::unique_ptr<GraphicsPath> path = CreatePath(pView, nullptr);
    if (path->IsEmpty())
        return false;
    const RectF b = path->GetBounds();
    CRect bounds(TruncateToInt32(std::floor(b.X)), TruncateToInt32(std::floor(b.Y)),
                 TruncateToInt32(std::ceil(double(b.X) + b.Width)), TruncateToInt32(std::ceil(double(b.Y) + b.Height)));
    if (m_nShapeType == ShapeType::Line) {
        if (bounds.Width() < kLineHitSize)
            bounds.InflateRect(kLineHitSize / 2, 0);
        if (bounds.Height() < kLineHitSize)
            bounds.InflateRect(0, kLineHitSize / 2);
    }
    CRect overlap;
    return overlap.IntersectRect(bounds, rect);
}

// ---------------------------------------------------------------------------------------
// Copies

CDrawObj* CDrawPoly::Clone(DocumentServices* pDoc) const
{
    auto copy = std::make_unique<CDrawPoly>();
    CopyTo(copy.get(), pDoc);
    // Owned by the document when one was given, else by the caller.
    return copy.release();
}

void CDrawPoly::CopyTo(CDrawPoly* target, DocumentServices* pDoc) const
{
    if (!target || target == this)
        return;
    CDrawObj::CopyTo(target, nullptr);
    target->m_nPoints = m_nPoints;
    target->m_nMaxPoints = m_nPoints;
    target->m_points.assign(m_points.begin(), m_points.begin() + m_nPoints);
    if (m_pointTypes.empty())
        target->m_pointTypes.clear();
    else
        target->m_pointTypes.assign(m_pointTypes.begin(), m_pointTypes.begin() + m_nPoints);
    target->m_nTension = m_nTension;
    target->m_nArrowStyle = m_nArrowStyle;
    target->m_nArrowEnds = m_nArrowEnds;
    target->m_fArrowSize = m_fArrowSize;
    target->m_fArrowAngle = m_fArrowAngle;
    target->m_fStartAngle = m_fStartAngle;
    target->m_fSweepAngle = m_fSweepAngle;
    target->m_fRadiusX = m_fRadiusX;
    target->m_fRadiusY = m_fRadiusY;
    target->m_nReserved = m_nReserved;
    if (pDoc)
        pDoc->Add(target);
}

} // namespace kelmora
