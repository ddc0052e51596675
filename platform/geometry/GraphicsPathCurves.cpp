// The curved builders of GraphicsPath: ellipses, arcs, pies and cardinal splines, all
// stored as cubic Béziers.

#include "platform/geometry/GraphicsPath.h"

#include "platform/geometry/Angles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelmora {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kQuarterTurn = kPi / 2;
// Arcs are cut into pieces of at most a quarter turn; a sweep this close above a multiple
// of 90° is rounding noise, not a reason for one more piece.
constexpr double kPieceRoundingSlack = 1e-9;

bool AllFinite(std::span<const PointF> points)
{
    return std::all_of(points.begin(), points.end(), [](PointF p) { return p.IsFinite(); });
}

// The ellipse inscribed in a rectangle: centre and (positive) radii.
struct Ellipse {
    double cx = 0;
    double cy = 0;
    double a = 0;
    double b = 0;

    PointF At(double t) const { return PointF(float(cx + a * std::cos(t)), float(cy + b * std::sin(t))); }
    // E(t) + k·E'(t), E'(t) = (−a·sin t, b·cos t).
    PointF AlongTangent(double t, double k) const
    {
        return PointF(float(cx + a * std::cos(t) - k * a * std::sin(t)), float(cy + b * std::sin(t) + k * b * std::cos(t)));
    }
};

std::optional<Ellipse> InscribedEllipse(const RectF& rect)
{
    if (!rect.IsFinite() || rect.Width == 0.0f || rect.Height == 0.0f)
        return std::nullopt;
    Ellipse e;
    e.a = std::fabs(double(rect.Width)) / 2;
    e.b = std::fabs(double(rect.Height)) / 2;
    e.cx = std::min(double(rect.X), double(rect.X) + rect.Width) + e.a;
    e.cy = std::min(double(rect.Y), double(rect.Y) + rect.Height) + e.b;
    return e;
}

// The ellipse parameter t of the point that the ray at `degrees` from the centre meets. t
// is kept within half a turn of the angle itself, so sweeps keep their direction and turns.
double ParametricAngle(double degrees, const Ellipse& e)
{
    double c = 1;
    double s = 0;
    CosSinDegrees(degrees, c, s);
    double theta = DegreesToRadians(degrees);
    double offset = std::atan2(e.a * s, e.b * c) - std::atan2(s, c);
    return theta + std::remainder(offset, 2 * kPi);
}

// The start point of the arc followed by three points per Bézier piece.
std::vector<PointF> ArcPoints(const Ellipse& e, double startAngle, double sweepAngle)
{
    double sweep = std::clamp(sweepAngle, -360.0, 360.0);
    double t0 = ParametricAngle(startAngle, e);
    double t1 = ParametricAngle(startAngle + sweep, e);
    double total = t1 - t0;
    int pieces = std::max(1, int(std::ceil(std::fabs(total) / kQuarterTurn - kPieceRoundingSlack)));
    std::vector<PointF> points;
    points.reserve(1 + 3 * size_t(pieces));
    points.push_back(e.At(t0));
    double step = total / pieces;
    double k = 4.0 / 3.0 * std::tan(step / 4);
    for (int i = 0; i < pieces; ++i) {
        double ta = t0 + step * i;
        double tb = i + 1 == pieces ? t1 : t0 + step * (i + 1);
        points.push_back(e.AlongTangent(ta, k));
        points.push_back(e.AlongTangent(tb, -k));
        points.push_back(e.At(tb));
    }
    return points;
}

// The first point followed by three points per Bézier segment of the cardinal spline.
std::vector<PointF> CardinalSplinePoints(std::span<const PointF> p, double tension, bool closed)
{
    long n = long(p.size());
    long segments = closed ? n : n - 1;
    auto at = [&](long i) -> PointF {
        if (closed)
            return p[size_t(((i % n) + n) % n)];
        return p[size_t(std::clamp(i, 0L, n - 1))];
    };
    double f = tension / 3.0;
    std::vector<PointF> points;
    points.reserve(1 + 3 * size_t(segments));
    points.push_back(p[0]);
    for (long i = 0; i < segments; ++i) {
        PointF before = at(i - 1);
        PointF from = at(i);
        PointF to = at(i + 1);
        PointF after = at(i + 2);
        points.emplace_back(float(from.X + f * (double(to.X) - before.X)), float(from.Y + f * (double(to.Y) - before.Y)));
        points.emplace_back(float(to.X - f * (double(after.X) - from.X)), float(to.Y - f * (double(after.Y) - from.Y)));
        points.push_back(to);
    }
    return points;
}

} // namespace

bool GraphicsPath::AddEllipse(const RectF& rect)
{
    auto e = InscribedEllipse(rect);
    if (!e)
        return false;
    double ka = kEllipseKappa * e->a;
    double kb = kEllipseKappa * e->b;
    double left = e->cx - e->a;
    double right = e->cx + e->a;
    double top = e->cy - e->b;
    double bottom = e->cy + e->b;
    auto P = [](double x, double y) { return PointF(float(x), float(y)); };
    PointF points[] = {
        P(right, e->cy),
        P(right, e->cy + kb), P(e->cx + ka, bottom), P(e->cx, bottom),
        P(e->cx - ka, bottom), P(left, e->cy + kb), P(left, e->cy),
        P(left, e->cy - kb), P(e->cx - ka, top), P(e->cx, top),
        P(e->cx + ka, top), P(right, e->cy - kb), P(right, e->cy),
    };
    if (!AllFinite(points))
        return false;
    Append(points[0], PathPointType::Start);
    AppendBeziers(std::span<const PointF>(points).subspan(1));
    EndClosedFigure();
    Changed();
    return true;
}

bool GraphicsPath::AddArc(const RectF& rect, float startAngle, float sweepAngle)
{
    auto e = InscribedEllipse(rect);
    if (!e || !std::isfinite(startAngle) || !std::isfinite(sweepAngle))
        return false;
    std::vector<PointF> points = ArcPoints(*e, startAngle, sweepAngle);
    if (!AllFinite(points))
        return false;
    BeginOpenRun(points[0]);
    AppendBeziers(std::span<const PointF>(points).subspan(1));
    Changed();
    return true;
}

bool GraphicsPath::AddPie(const RectF& rect, float startAngle, float sweepAngle)
{
    auto e = InscribedEllipse(rect);
    if (!e || !std::isfinite(startAngle) || !std::isfinite(sweepAngle))
        return false;
    std::vector<PointF> points = ArcPoints(*e, startAngle, sweepAngle);
    PointF centre(float(e->cx), float(e->cy));
    if (!AllFinite(points) || !centre.IsFinite())
        return false;
    Append(centre, PathPointType::Start);
    Append(points[0], PathPointType::Line);
    AppendBeziers(std::span<const PointF>(points).subspan(1));
    EndClosedFigure();
    Changed();
    return true;
}

bool GraphicsPath::AddCurve(std::span<const PointF> points, float tension)
{
    if (points.size() < 2 || !std::isfinite(tension) || !AllFinite(points))
        return false;
    std::vector<PointF> beziers = CardinalSplinePoints(points, tension, false);
    if (!AllFinite(beziers))
        return false;
    BeginOpenRun(beziers[0]);
    AppendBeziers(std::span<const PointF>(beziers).subspan(1));
    Changed();
    return true;
}

bool GraphicsPath::AddClosedCurve(std::span<const PointF> points, float tension)
{
    if (points.size() < 2 || !std::isfinite(tension) || !AllFinite(points))
        return false;
    std::vector<PointF> beziers = CardinalSplinePoints(points, tension, true);
    if (!AllFinite(beziers))
        return false;
    Append(beziers[0], PathPointType::Start);
    AppendBeziers(std::span<const PointF>(beziers).subspan(1));
    EndClosedFigure();
    Changed();
    return true;
}

} // namespace kelmora
