// The outline paths of the rectangle family, built in object space from the frame and the
// shape parameters and then placed by the object's transform.

#include "model/DrawRect.h"
#include "model/ShapePathBuilders.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace kelmora {

namespace {

// A radius from a file may be negative or not a number; both count as 0.
float NonNegative(float radius)
{
    return radius > 0.0f ? radius : 0.0f;
}

// The diameter at which round corners use boxes one unit larger and sit one unit further
// inside on the right and bottom: kept so that stored drawings look as they always did.
constexpr float kEnlargedCornerDiameter = 20.0f;

void AddRoundCorners(GraphicsPath& path, float r, const RectF& rect)
{
    const float x = rect.X;
    const float y = rect.Y;
    float w = rect.Width;
    float h = rect.Height;
    float d = 2.0f * r;
    path.AddArc(x, y, d, d, 180.0f, 90.0f);
    if (d == kEnlargedCornerDiameter) {
        d += 1.0f;
        w -= 1.0f;
        h -= 1.0f;
    }
    path.AddArc(x + w - d - 1.0f, y, d, d, 270.0f, 90.0f);
    path.AddArc(x + w - d - 1.0f, y + h - d - 1.0f, d, d, 0.0f, 90.0f);
    path.AddArc(x, y + h - d - 1.0f, d, d, 90.0f, 90.0f);
}

void AddScallopedCorners(GraphicsPath& path, float r, const RectF& rect)
{
    const float d = 2.0f * r;
    const float right = rect.X + rect.Width;
    const float bottom = rect.Y + rect.Height;
    path.AddArc(rect.X - r, rect.Y - r, d, d, 0.0f, 90.0f);
    path.AddArc(rect.X - r, bottom - r, d, d, 270.0f, 90.0f);
    path.AddArc(right - r, bottom - r, d, d, 180.0f, 90.0f);
    path.AddArc(right - r, rect.Y - r, d, d, 90.0f, 90.0f);
}

void AddChamferedCorners(GraphicsPath& path, float r, const RectF& rect)
{
    const float x = rect.X;
    const float y = rect.Y;
    const float right = rect.X + rect.Width;
    const float bottom = rect.Y + rect.Height;
    const PointF corners[8] = {
        PointF(x + r, y),          PointF(x, y + r),
        PointF(x, bottom - r),     PointF(x + r, bottom),
        PointF(right - r, bottom), PointF(right, bottom - r),
        PointF(right, y + r),      PointF(right - r, y),
    };
    path.AddLines(corners);
}

} // namespace

void BuildRoundRectPath(GraphicsPath& path, float radius, int32_t cornerType, const RectF& rect)
{
    float r = NonNegative(radius);
    r = std::min(r, rect.Width / 2.0f);
    r = std::min(r, rect.Height / 2.0f);
    if (!(r > 0.0f)) {
        // No corner to cut (or a frame without size): the arcs would have no box.
        if (cornerType >= CORNER_ROUND && cornerType <= CORNER_CHAMFERED)
            path.AddRectangle(rect);
        return;
    }
    path.StartFigure();
    switch (cornerType) {
    case CORNER_ROUND: AddRoundCorners(path, r, rect); break;
    case CORNER_SCALLOPED: AddScallopedCorners(path, r, rect); break;
    case CORNER_CHAMFERED: AddChamferedCorners(path, r, rect); break;
    default: break;
    }
    path.CloseFigure();
}

int CDrawRect::UsableSides() const
{
    return std::min(m_nSides, kMaxShapeSides);
}

// Points around the frame's centre, turning (step + 90) / 2 degrees and growing by the
// delta from one to the next, the first straight below the centre at the start radius.
// Generation ends with the first point left or right of the frame (which is kept), or at
// kMaxSpiralPoints.
void CDrawRect::BuildSpiral(GraphicsPath& path) const
{
    const RectF& f = m_rcFrame;
    const double cx = double(f.X) + f.Width / 2.0;
    const double cy = double(f.Y) + f.Height / 2.0;
    const double startRadius = NonNegative(m_fInnerRadius);
    const double angleStep = (double(m_nSpiralStep) + 90.0) * std::numbers::pi / 360.0;
    std::vector<PointF> points;
    points.reserve(kMaxSpiralPoints);
    for (int i = 0; i < kMaxSpiralPoints; ++i) {
        const double a = i * angleStep;
        const double rho = i * double(m_fSpiralDelta) + startRadius;
        const PointF p(float(cx + rho * std::sin(a)), float(cy + rho * std::cos(a)));
        points.push_back(p);
        if (!(p.X >= f.X && p.X <= f.X + f.Width))
            break;
    }
    path.StartFigure();
    if (m_nSpiralStyle == 0)
        path.AddCurve(points);
    else
        path.AddLines(points);
    if (m_bClosed && points.size() > 1)
        path.AddLine(points.back(), points.front());
}

void CDrawRect::BuildShape(GraphicsPath& path)
{
    const RectF& f = m_rcFrame;
    const PointF topLeft(f.X, f.Y);
    switch (m_nShapeType) {
    case ShapeType::Rectangle:
    case ShapeType::Image:
        path.AddRectangle(f);
        break;
    case ShapeType::RoundRectangle:
        BuildRoundRectPath(path, m_fInnerRadius, m_nCornerType, f);
        break;
    case ShapeType::Ellipse:
        path.AddEllipse(f);
        break;
    case ShapeType::Circle: {
        const float side = std::min(f.Width, f.Height);
        path.AddEllipse(f.X, f.Y, side, side);
        break;
    }
    case ShapeType::Star:
        BuildStar(path, topLeft, UsableSides(), NonNegative(m_fRadius), NonNegative(m_fInnerRadius));
        break;
    case ShapeType::Pentagon:
        BuildRegularPolygon(path, topLeft, UsableSides(), NonNegative(m_fRadius));
        break;
    case ShapeType::ComplexStar:
        BuildComplexStar(path, topLeft, UsableSides(), NonNegative(m_fRadius));
        break;
    case ShapeType::Spiral:
        BuildSpiral(path);
        break;
    case ShapeType::Text:
        BuildTextPath(path, m_strText, f, m_strFontName, m_nFontStyle, m_fFontSize);
        break;
    default:
        // Arcs, pies, polylines and the rest have no outline of this class.
        break;
    }
}

std::unique_ptr<GraphicsPath> CDrawRect::CreatePath(ViewServices* pView, const Matrix* extra)
{
    auto path = std::make_unique<GraphicsPath>(FillMode::Alternate);
    BuildShape(*path);
    PlacePath(*path, pView, extra);
    return path;
}

RectF CDrawRect::GetPathBounds(ViewServices* pView, const PenGeometry* pen)
{
    std::unique_ptr<GraphicsPath> path = CreatePath(pView, nullptr);
    return path->GetBounds(nullptr, pen && pen->IsValid() ? pen : nullptr);
}

} // namespace kelmora
