// The paths of the polyline family: how each shape type reads its points, the arc
// routines shared with the XPS import, and arrow heads.

#include "model/DrawPoly.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelmora {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// End points closer than this on both axes make no arc.
constexpr double kArcSamePoint = 0.000002;
// A radius below this makes no arc (and no straight line in its place).
constexpr double kArcMinRadius = 0.000117;

// Where the middle of a type-2 or type-6 head sits: 30 % of its length behind the end
// point, 70 % beyond it.
constexpr double kMidHeadBehind = 0.3;
constexpr double kMidHeadBeyond = 0.7;

// A head whose angle has a tangent this close to 0 would be endlessly long.
constexpr double kMinArrowTangent = 1e-6;

PointF ToPointF(double x, double y)
{
    return PointF(float(x), float(y));
}

double Length(double x, double y)
{
    return std::sqrt(x * x + y * y);
}

// The angle that turns u into v, in (−π, π].
double VectorAngle(double ux, double uy, double vx, double vy)
{
    return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
}

} // namespace

void ArcToPathPoints(std::vector<PointF>& out, PointF from, PointF to, double rx, double ry, double xAxisRotation,
                     bool largeArc, bool sweep)
{
    const double x1 = from.X;
    const double y1 = from.Y;
    const double x2 = to.X;
    const double y2 = to.Y;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) || !std::isfinite(rx)
        || !std::isfinite(ry) || !std::isfinite(xAxisRotation))
        return;
    if (std::abs(x1 - x2) < kArcSamePoint && std::abs(y1 - y2) < kArcSamePoint)
        return;
    rx = std::abs(rx);
    ry = std::abs(ry);
    if (rx < kArcMinRadius || ry < kArcMinRadius)
        return;

    const double phi = xAxisRotation * kPi / 180.0;
    const double cosPhi = std::cos(phi);
    const double sinPhi = std::sin(phi);

    // The start point relative to the chord's midpoint, in the ellipse's own axes.
    const double hx = (x1 - x2) / 2.0;
    const double hy = (y1 - y2) / 2.0;
    const double x1p = cosPhi * hx + sinPhi * hy;
    const double y1p = -sinPhi * hx + cosPhi * hy;

    // Radii too small to span the chord grow just enough.
    const double lambda = (x1p * x1p) / (rx * rx) + (y1p * y1p) / (ry * ry);
    if (lambda > 1.0) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }

    double cxp = 0.0;
    double cyp = 0.0;
    const double rx2 = rx * rx;
    const double ry2 = ry * ry;
    const double numerator = rx2 * ry2 - rx2 * y1p * y1p - ry2 * x1p * x1p;
    const double denominator = rx2 * y1p * y1p + ry2 * x1p * x1p;
    if (numerator < 0.0) {
        // Rounding after the growth above: the chord is a diameter.
        const double scale = std::sqrt(1.0 - numerator / (rx2 * ry2));
        rx *= scale;
        ry *= scale;
    } else if (denominator > 0.0) {
        double coefficient = std::sqrt(numerator / denominator);
        if (largeArc == sweep)
            coefficient = -coefficient;
        cxp = coefficient * rx * y1p / ry;
        cyp = -coefficient * ry * x1p / rx;
    }
    const double cx = cosPhi * cxp - sinPhi * cyp + (x1 + x2) / 2.0;
    const double cy = sinPhi * cxp + cosPhi * cyp + (y1 + y2) / 2.0;

    const double ux = (x1p - cxp) / rx;
    const double uy = (y1p - cyp) / ry;
    const double vx = (-x1p - cxp) / rx;
    const double vy = (-y1p - cyp) / ry;
    double t1 = VectorAngle(1.0, 0.0, ux, uy);
    if (t1 < 0.0)
        t1 += kTwoPi;
    double d = VectorAngle(ux, uy, vx, vy);
    if (!sweep && d > 0.0)
        d -= kTwoPi;
    else if (sweep && d < 0.0)
        d += kTwoPi;
    if (!std::isfinite(t1) || !std::isfinite(d) || d == 0.0)
        return;

    const int parts = int(std::abs(d) / (kPi / 2.0)) + 1;
    const double e = d / parts;
    const double k = 4.0 / 3.0 * (1.0 - std::cos(e / 2.0)) / std::sin(e / 2.0);

    auto pointAt = [&](double t, double& px, double& py) {
        const double c = std::cos(t);
        const double s = std::sin(t);
        px = cx + rx * c * cosPhi - ry * s * sinPhi;
        py = cy + rx * c * sinPhi + ry * s * cosPhi;
    };
    auto tangentAt = [&](double t, double& tx, double& ty) {
        const double c = std::cos(t);
        const double s = std::sin(t);
        tx = -rx * s * cosPhi - ry * c * sinPhi;
        ty = -rx * s * sinPhi + ry * c * cosPhi;
    };

    double t = t1;
    for (int i = 0; i < parts; ++i) {
        double ax, ay, adx, ady, bx, by, bdx, bdy;
        pointAt(t, ax, ay);
        tangentAt(t, adx, ady);
        pointAt(t + e, bx, by);
        tangentAt(t + e, bdx, bdy);
        out.push_back(ToPointF(ax + k * adx, ay + k * ady));
        out.push_back(ToPointF(bx - k * bdx, by - k * bdy));
        out.push_back(i + 1 == parts ? to : ToPointF(bx, by));
        t += e;
    }
}

void EllipseArcPoints(float rx, float ry, double a, double b, PointF centre, PointF& start, PointF& end)
{
    start = ToPointF(centre.X + rx * std::cos(a), centre.Y + ry * std::sin(a));
    end = ToPointF(centre.X + rx * std::cos(b), centre.Y + ry * std::sin(b));
}

bool CDrawPoly::ArcAnglesFromPoints(float rx, float ry, PointF c, PointF s, PointF e, double& a, double& b)
{
    if (!(rx > 0.0f) || !std::isfinite(rx) || !std::isfinite(ry))
        return false;
    // Scaling x by ry / rx turns the ellipse into a circle of radius ry.
    const double scale = double(ry) / rx;
    a = std::atan2(double(s.Y) - c.Y, (double(s.X) - c.X) * scale);
    b = std::atan2(double(e.Y) - c.Y, (double(e.X) - c.X) * scale);
    if (!std::isfinite(a) || !std::isfinite(b))
        return false;
    if (a < 0.0)
        a += kTwoPi;
    if (b < 0.0)
        b += kTwoPi;
    if (a > b)
        b += kTwoPi;
    return true;
}

// ---------------------------------------------------------------------------------------
// Arrow heads

void CDrawPoly::AddArrowHead(GraphicsPath& path, PointF from, PointF at, float size, float angle, uint32_t style)
{
    const double w = size;
    const double tangent = std::tan(double(angle));
    if (style < 1 || style > 7 || !(w > 0.0) || !std::isfinite(w) || !std::isfinite(tangent)
        || std::abs(tangent) < kMinArrowTangent) {
        path.AddLine(from, at);
        return;
    }
    const double dx = double(at.X) - from.X;
    const double dy = double(at.Y) - from.Y;
    const double L = std::max(Length(dx, dy), w / 2.0);
    const double m = w / (2.0 * L);
    const double k = w / (2.0 * tangent * L);

    double baseX, baseY, tipX, tipY;
    switch (style) {
    case 3:
    case 7:
        baseX = at.X;
        baseY = at.Y;
        tipX = at.X + k * dx;
        tipY = at.Y + k * dy;
        break;
    case 2:
    case 6:
        baseX = at.X - kMidHeadBehind * k * dx;
        baseY = at.Y - kMidHeadBehind * k * dy;
        tipX = at.X + kMidHeadBeyond * k * dx;
        tipY = at.Y + kMidHeadBeyond * k * dy;
        break;
    default:
        baseX = at.X - k * dx;
        baseY = at.Y - k * dy;
        tipX = at.X;
        tipY = at.Y;
        break;
    }
    const PointF base = ToPointF(baseX, baseY);
    const PointF tip = ToPointF(tipX, tipY);
    const PointF wing1 = ToPointF(baseX - m * dy, baseY + m * dx);
    const PointF wing2 = ToPointF(baseX + m * dy, baseY - m * dx);

    switch (style) {
    case 1:
    case 3: {
        const PointF pts[] = {from, base, wing1, tip, wing2, base};
        path.AddLines(pts);
        break;
    }
    case 5:
    case 7: {
        const PointF pts[] = {base, wing1, tip, wing2, base};
        path.AddLines(pts);
        break;
    }
    default: {
        const PointF pts[] = {from, tip, wing1, wing2, tip};
        path.AddLines(pts);
        break;
    }
    }
}

void CDrawPoly::AddSegmentWithArrows(GraphicsPath& path, PointF p, PointF q, uint32_t ends, uint32_t style,
                                     float size, float angle)
{
    switch (ends) {
    case 1:
        AddArrowHead(path, p, q, size, angle, style);
        break;
    case 2:
        AddArrowHead(path, q, p, size, angle, style);
        break;
    case 3:
        AddArrowHead(path, p, q, size, angle, style);
        AddArrowHead(path, q, p, size, angle, style);
        break;
    default:
        path.AddLine(p, q);
        break;
    }
}

void CDrawPoly::AddPathEndArrows(GraphicsPath& path, float size, float angle, uint32_t style)
{
    const std::vector<PointF> pts(path.Points().begin(), path.Points().end());
    if (pts.size() < 2)
        return;
    path.StartFigure();
    AddArrowHead(path, pts[pts.size() - 2], pts.back(), size, angle, style);
    path.StartFigure();
    AddArrowHead(path, pts[1], pts[0], size, angle, style);
}

// ---------------------------------------------------------------------------------------
// Paths

void CDrawPoly::BuildArc(GraphicsPath& path)
{
    if (m_nPoints == 2) {
        path.AddLine(m_points[0], m_points[1]);
        return;
    }
    if (m_nPoints < 3)
        return;
    const PointF c = m_points[0];
    const PointF s = m_points[1];
    const PointF e = m_points[2];
    m_fRadiusX = float(Length(double(s.X) - c.X, double(s.Y) - c.Y));
    m_fRadiusY = float(Length(double(e.X) - c.X, double(e.Y) - c.Y));
    double a = 0.0;
    double b = 0.0;
    if (ArcAnglesFromPoints(m_fRadiusX, m_fRadiusY, c, s, e, a, b)) {
        m_fStartAngle = float(a);
        double sweep = b - a;
        if (sweep < 0.0)
            sweep += kTwoPi;
        m_fSweepAngle = float(sweep);
    }

    // The ellipse the handles describe is axis-aligned: its x axis is not rotated.
    std::vector<PointF> chain{s};
    ArcToPathPoints(chain, s, e, m_fRadiusX, m_fRadiusY, 0.0, m_fSweepAngle > kPi, true);
    if (chain.size() > 2)
        path.AddBeziers(chain);
    if (m_nShapeType == ShapeType::Pie) {
        const PointF spokes[] = {e, c, s};
        path.AddLines(spokes);
    }
}

void CDrawPoly::BuildCustom(GraphicsPath& path)
{
    if (m_nPoints <= 0 || m_pointTypes.size() < size_t(m_nPoints))
        return;
    std::vector<uint8_t> types(m_pointTypes.begin(), m_pointTypes.begin() + m_nPoints);
    if (m_bClosed)
        types.back() |= PathPointType::CloseSubpath;
    std::optional<GraphicsPath> built = GraphicsPath::FromPathData(
        std::span<const PointF>(m_points.data(), size_t(m_nPoints)), types, FillMode::Alternate);
    if (built)
        path = std::move(*built);
}

void CDrawPoly::BuildShape(GraphicsPath& path)
{
    const std::span<const PointF> pts(m_points.data(), size_t(std::max(m_nPoints, 0)));
    switch (m_nShapeType) {
    case ShapeType::Custom:
        BuildCustom(path);
        break;
    case ShapeType::Bezier: {
        const int r = (m_nPoints - 1) % 3;
        if (m_nPoints >= 4)
            path.AddBeziers(pts.first(size_t(m_nPoints - r)));
        break;
    }
    case ShapeType::Arc:
    case ShapeType::Pie:
        BuildArc(path);
        break;
    case ShapeType::Curve: {
        const float tension = float(m_nTension / 100.0);
        if (m_bClosed)
            path.AddClosedCurve(pts, tension);
        else
            path.AddCurve(pts, tension);
        break;
    }
    case ShapeType::Line:
        if (m_nArrowEnds == 0) {
            path.AddLines(pts);
        } else {
            for (int i = 0; i + 1 < m_nPoints; ++i)
                AddSegmentWithArrows(path, pts[size_t(i)], pts[size_t(i + 1)], m_nArrowEnds, m_nArrowStyle,
                                     m_fArrowSize, m_fArrowAngle);
        }
        break;
    default:
        if (m_nPoints == 2)
            path.AddLines(pts);
        else
            path.AddPolygon(pts);
        break;
    }
}

std::unique_ptr<GraphicsPath> CDrawPoly::CreatePath(ViewServices* pView, const Matrix* extra)
{
    auto path = std::make_unique<GraphicsPath>(FillMode::Alternate);
    BuildShape(*path);
    PlacePath(*path, pView, extra);
    return path;
}

} // namespace kelmora
