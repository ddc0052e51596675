// The area a stroke covers, as a union of convex pieces: one quadrilateral per segment,
// one piece per join and one per cap. Widen turns the pieces into a path; the outline hit
// test checks the point against them directly.

#include "platform/geometry/GraphicsPath.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace kelmora {

namespace {

struct Vec {
    double x = 0;
    double y = 0;

    Vec() = default;
    Vec(double px, double py) : x(px), y(py) { }
    explicit Vec(PointF p) : x(p.X), y(p.Y) { }

    Vec operator+(Vec o) const { return Vec(x + o.x, y + o.y); }
    Vec operator-(Vec o) const { return Vec(x - o.x, y - o.y); }
    Vec operator*(double s) const { return Vec(x * s, y * s); }
    bool operator==(const Vec&) const = default;
    double Dot(Vec o) const { return x * o.x + y * o.y; }
    double Cross(Vec o) const { return x * o.y - y * o.x; }
    double Length() const { return std::hypot(x, y); }
    Vec Normalized() const { double l = Length(); return l > 0 ? Vec(x / l, y / l) : Vec(); }
    // A quarter turn: (x, y) → (−y, x).
    Vec Perpendicular() const { return Vec(-y, x); }
};

// Round joins and caps are polygons with enough corners to stay within the flatness of the
// circle, and at least this many so that small ones still look round to a hit test.
constexpr int kMinCircleCorners = 8;
// Beyond this the polygon differs from the circle by far less than any flatness in use.
constexpr int kMaxCircleCorners = 256;

using PieceSink = std::function<void(std::vector<Vec>&)>;

class StrokePieces {
public:
    StrokePieces(const PenGeometry& pen, double flatness, const PieceSink& sink)
        : m_pen(pen), m_half(pen.width / 2.0), m_flatness(flatness), m_sink(sink) { }

    void AddFigure(const FlattenedFigure& figure)
    {
        std::vector<Vec> pts;
        for (PointF p : figure.points) {
            Vec v(p);
            if (pts.empty() || !(pts.back() == v))
                pts.push_back(v);
        }
        bool closed = figure.closed;
        if (closed && pts.size() > 1 && pts.front() == pts.back())
            pts.pop_back();
        if (pts.size() < 2 || m_half <= 0)
            return;
        size_t n = pts.size();
        size_t segments = closed ? n : n - 1;
        for (size_t i = 0; i < segments; ++i)
            Segment(pts[i], pts[(i + 1) % n]);
        for (size_t i = closed ? 0 : 1; i < (closed ? n : n - 1); ++i)
            Join(pts[(i + n - 1) % n], pts[i], pts[(i + 1) % n]);
        if (!closed) {
            Cap(pts[0], (pts[0] - pts[1]).Normalized(), m_pen.startCap);
            Cap(pts[n - 1], (pts[n - 1] - pts[n - 2]).Normalized(), m_pen.endCap);
        }
    }

private:
    void Emit(std::vector<Vec> polygon)
    {
        double area = 0;
        for (size_t i = 0; i < polygon.size(); ++i)
            area += polygon[i].Cross(polygon[(i + 1) % polygon.size()]);
        if (!(area != 0))
            return; // no area (or not a number): nothing a fill or a hit test could find
        if (area < 0)
            std::reverse(polygon.begin(), polygon.end());
        m_sink(polygon);
    }

    void Segment(Vec a, Vec b)
    {
        Vec n = (b - a).Normalized().Perpendicular() * m_half;
        Emit({a + n, b + n, b - n, a - n});
    }

    void Circle(Vec centre)
    {
        int corners = kMinCircleCorners;
        if (m_flatness < m_half) {
            double step = 2.0 * std::acos(1.0 - m_flatness / m_half);
            corners = std::clamp(int(std::ceil(2.0 * std::numbers::pi / step)), kMinCircleCorners, kMaxCircleCorners);
        }
        std::vector<Vec> polygon;
        polygon.reserve(size_t(corners));
        for (int i = 0; i < corners; ++i) {
            double angle = 2.0 * std::numbers::pi * i / corners;
            polygon.emplace_back(centre.x + m_half * std::cos(angle), centre.y + m_half * std::sin(angle));
        }
        Emit(std::move(polygon));
    }

    void Join(Vec before, Vec vertex, Vec after)
    {
        Vec d0 = (vertex - before).Normalized();
        Vec d1 = (after - vertex).Normalized();
        double cross = d0.Cross(d1);
        double dot = d0.Dot(d1);
        if (std::fabs(cross) < 1e-12 && dot > 0)
            return; // straight on: the two segment pieces already meet
        if (m_pen.join == LineJoin::Round) {
            Circle(vertex);
            return;
        }
        // The outer side is the one the path turns away from.
        double side = cross > 0 ? -1.0 : 1.0;
        Vec o0 = vertex + d0.Perpendicular() * (side * m_half);
        Vec o1 = vertex + d1.Perpendicular() * (side * m_half);
        if (m_pen.join == LineJoin::Bevel) {
            Emit({vertex, o0, o1});
            return;
        }
        // Miter length over stroke width: 1 / sin(φ/2) for the angle φ between the
        // segments, = 1 / √((1 + d0·d1) / 2).
        double limit = m_pen.EffectiveMiterLimit();
        double halfCos = (1.0 + dot) / 2.0;
        Vec bisector = (o0 - vertex) + (o1 - vertex);
        bisector = bisector.Length() > 0 ? bisector.Normalized() : d0;
        if (halfCos > 0 && 1.0 / std::sqrt(halfCos) <= limit) {
            Vec tip = vertex + bisector * (m_half / std::sqrt(halfCos));
            Emit({vertex, o0, tip, o1});
            return;
        }
        if (m_pen.join == LineJoin::MiterClipped) {
            Emit({vertex, o0, o1});
            return;
        }
        // Miter past its limit: cut square to the bisector at limit × half width from the
        // vertex; the cut meets the outer edges of both segments, extended.
        double reach = limit * m_half;
        double along0 = d0.Dot(bisector);
        double along1 = -d1.Dot(bisector);
        if (along0 <= 0 || along1 <= 0) {
            Emit({vertex, o0, o1});
            return;
        }
        Vec c0 = o0 + d0 * ((reach - (o0 - vertex).Dot(bisector)) / along0);
        Vec c1 = o1 - d1 * ((reach - (o1 - vertex).Dot(bisector)) / along1);
        Emit({vertex, o0, c0, c1, o1});
    }

    // direction points outward, away from the figure.
    void Cap(Vec end, Vec direction, LineCap cap)
    {
        Vec n = direction.Perpendicular() * m_half;
        Vec reach = direction * m_half;
        switch (cap) {
        case LineCap::Square:
            Emit({end + n, end + n + reach, end - n + reach, end - n});
            break;
        case LineCap::Round:
            Circle(end);
            break;
        case LineCap::Triangle:
            Emit({end + n, end + reach, end - n});
            break;
        default:
            break; // flat; anchor and custom caps belong to the full pen
        }
    }

    const PenGeometry& m_pen;
    double m_half;
    double m_flatness;
    const PieceSink& m_sink;
};

bool ConvexContains(const std::vector<Vec>& polygon, Vec p)
{
    for (size_t i = 0; i < polygon.size(); ++i) {
        Vec a = polygon[i];
        Vec b = polygon[(i + 1) % polygon.size()];
        if ((b - a).Cross(p - a) < 0)
            return false;
    }
    return true;
}

} // namespace

bool GraphicsPath::Widen(const PenGeometry& pen, const Matrix* matrix, float flatness)
{
    if (!pen.IsValid() || (matrix && !matrix->IsFinite()))
        return false;
    double tolerance = std::isfinite(flatness) && flatness > 0 ? flatness : kFlatnessDefault;
    std::vector<FlattenedFigure> figures = GetFlattenedFigures(matrix, flatness);
    GraphicsPath widened(FillMode::Winding);
    PieceSink sink = [&](std::vector<Vec>& polygon) {
        std::vector<PointF> points;
        points.reserve(polygon.size());
        for (Vec v : polygon)
            points.emplace_back(float(v.x), float(v.y));
        widened.AddPolygon(points);
    };
    StrokePieces pieces(pen, tolerance, sink);
    for (const FlattenedFigure& figure : figures)
        pieces.AddFigure(figure);
    *this = std::move(widened);
    Changed();
    return true;
}

bool GraphicsPath::IsOutlineVisible(PointF point, const PenGeometry& pen) const
{
    if (!pen.IsValid() || !point.IsFinite())
        return false;
    Vec p(point);
    bool hit = false;
    PieceSink sink = [&](std::vector<Vec>& polygon) { hit = hit || ConvexContains(polygon, p); };
    StrokePieces pieces(pen, kFlatnessDefault, sink);
    for (const FlattenedFigure& figure : CachedFlattenedFigures()) {
        pieces.AddFigure(figure);
        if (hit)
            return true;
    }
    return hit;
}

} // namespace kelmora
