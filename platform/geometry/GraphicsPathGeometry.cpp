// What GraphicsPath derives from its points: the flattened form, bounds, and the
// point-in-fill test.

#include "platform/geometry/GraphicsPath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelmora {

namespace {

// A cubic spanning a second difference of 350,000 units still meets the default flatness
// with this many pieces; the cap keeps a hostile control point from producing millions of
// points.
constexpr int kMaxPiecesPerBezier = 1024;

float EffectiveFlatness(float flatness)
{
    return std::isfinite(flatness) && flatness > 0.0f ? flatness : kFlatnessDefault;
}

// Pieces of equal parameter length that keep every piece within flatness of the cubic. With
// M the larger second difference of the control points, |B''| ≤ 6M, and a chord over a
// parameter step h strays at most |B''|·h²/8 from the curve: n ≥ √(3M / (4·flatness)).
int BezierPieces(PointF p0, PointF p1, PointF p2, PointF p3, double flatness)
{
    // The plain square root: float coordinates are far from where hypot's care against
    // overflow matters, and every curve of every stroke comes through here.
    const double ax = double(p0.X) - 2.0 * p1.X + p2.X, ay = double(p0.Y) - 2.0 * p1.Y + p2.Y;
    const double bx = double(p1.X) - 2.0 * p2.X + p3.X, by = double(p1.Y) - 2.0 * p2.Y + p3.Y;
    double m1 = std::sqrt(ax * ax + ay * ay);
    double m2 = std::sqrt(bx * bx + by * by);
    double pieces = std::ceil(std::sqrt(3.0 * std::max(m1, m2) / (4.0 * flatness)));
    if (!(pieces >= 1.0))
        return 1;
    return int(std::min(pieces, double(kMaxPiecesPerBezier)));
}

PointF BezierAt(PointF p0, PointF p1, PointF p2, PointF p3, double t)
{
    double u = 1.0 - t;
    double b0 = u * u * u;
    double b1 = 3.0 * u * u * t;
    double b2 = 3.0 * u * t * t;
    double b3 = t * t * t;
    return PointF(float(b0 * p0.X + b1 * p1.X + b2 * p2.X + b3 * p3.X),
                  float(b0 * p0.Y + b1 * p1.Y + b2 * p2.Y + b3 * p3.Y));
}

struct Box {
    double left = INFINITY;
    double top = INFINITY;
    double right = -INFINITY;
    double bottom = -INFINITY;

    void Add(double x, double y)
    {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
};

} // namespace

// Hands `emit(point, type)` every point of the path flattened, after mapping by the matrix
// when one is given. Paths are flattened at every stroke: nothing is copied on the way.
template <class Emit>
void GraphicsPath::ForEachFlattenedPoint(const Matrix* matrix, float flatness, const Emit& emit) const
{
    auto at = [&](size_t i) { return matrix ? matrix->TransformPoint(m_points[i]) : m_points[i]; };
    const double tolerance = EffectiveFlatness(flatness);
    PointF previous;
    for (size_t i = 0; i < m_points.size();) {
        const uint8_t type = m_types[i];
        if (PathTypeKind(type) != PathPointType::Bezier) {
            previous = at(i);
            emit(previous, type);
            ++i;
            continue;
        }
        // Well-formed by construction: a Bézier follows a point and comes as a full triple.
        const PointF p0 = previous;
        const PointF p1 = at(i);
        const PointF p2 = at(i + 1);
        const PointF p3 = at(i + 2);
        const int pieces = BezierPieces(p0, p1, p2, p3, tolerance);
        for (int k = 1; k < pieces; ++k)
            emit(BezierAt(p0, p1, p2, p3, double(k) / pieces), uint8_t(PathPointType::Line));
        emit(p3, uint8_t(PathPointType::Line | (m_types[i + 2] & PathPointType::FlagMask)));
        previous = p3;
        i += 3;
    }
}

void GraphicsPath::FlattenInto(const Matrix* matrix, float flatness, std::vector<PointF>& points,
                               std::vector<uint8_t>& types) const
{
    points.clear();
    types.clear();
    points.reserve(m_points.size());
    types.reserve(m_points.size());
    ForEachFlattenedPoint(matrix, flatness, [&](PointF point, uint8_t type) {
        points.push_back(point);
        types.push_back(type);
    });
}

bool GraphicsPath::Flatten(const Matrix& matrix, float flatness)
{
    if (!matrix.IsFinite())
        return false;
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    FlattenInto(&matrix, flatness, points, types);
    if (!std::all_of(points.begin(), points.end(), [](PointF p) { return p.IsFinite(); }))
        return false;
    m_points = std::move(points);
    m_types = std::move(types);
    Changed();
    return true;
}

std::vector<FlattenedFigure> GraphicsPath::GetFlattenedFigures(const Matrix* matrix, float flatness) const
{
    bool plain = (!matrix || matrix->IsIdentity()) && EffectiveFlatness(flatness) == kFlatnessDefault;
    if (plain)
        return CachedFlattenedFigures();
    return FlattenFigures(matrix, flatness);
}

std::vector<FlattenedFigure> GraphicsPath::FlattenFigures(const Matrix* matrix, float flatness) const
{
    std::vector<FlattenedFigure> figures;
    // Where the next figure begins among the path's points.
    size_t next = 0;
    ForEachFlattenedPoint(matrix, flatness, [&](PointF point, uint8_t type) {
        if (PathTypeKind(type) == PathPointType::Start || figures.empty()) {
            // Room for as many points as the figure has in the path: a curve flattens to
            // one point or more for its three.
            size_t end = next + 1;
            while (end < m_types.size() && PathTypeKind(m_types[end]) != PathPointType::Start)
                ++end;
            figures.emplace_back();
            figures.back().points.reserve(end - next);
            next = end;
        }
        figures.back().points.push_back(point);
        if (IsClosingPathType(type))
            figures.back().closed = true;
    });
    return figures;
}

const std::vector<FlattenedFigure>& GraphicsPath::CachedFlattenedFigures() const
{
    if (!m_cachedFlattened)
        m_cachedFlattened = FlattenFigures(nullptr, kFlatnessDefault);
    return *m_cachedFlattened;
}

RectF GraphicsPath::GetBounds(const Matrix* matrix, const PenGeometry* pen) const
{
    if (m_points.empty())
        return RectF();
    RectF box;
    if (!matrix || matrix->IsIdentity()) {
        if (!m_cachedBounds) {
            Box b;
            for (PointF p : m_points)
                b.Add(p.X, p.Y);
            m_cachedBounds = RectF(float(b.left), float(b.top), float(b.right - b.left), float(b.bottom - b.top));
        }
        box = *m_cachedBounds;
    } else {
        if (!matrix->IsFinite())
            return RectF();
        const auto e = matrix->Elements();
        Box b;
        for (PointF p : m_points)
            b.Add(double(e[0]) * p.X + double(e[2]) * p.Y + e[4], double(e[1]) * p.X + double(e[3]) * p.Y + e[5]);
        box = RectF(float(b.left), float(b.top), float(b.right - b.left), float(b.bottom - b.top));
    }
    if (!pen || !pen->IsValid())
        return box;

    bool hasCorner = false;
    bool hasOpenEnd = false;
    for (size_t start = 0; start < m_types.size();) {
        size_t end = start + 1;
        while (end < m_types.size() && PathTypeKind(m_types[end]) != PathPointType::Start)
            ++end;
        size_t count = end - start;
        bool closed = IsClosingPathType(m_types[end - 1]);
        hasCorner = hasCorner || count >= 3 || (closed && count >= 2);
        hasOpenEnd = hasOpenEnd || (!closed && count >= 2);
        start = end;
    }
    double factor = 1.0;
    bool miter = pen->join == LineJoin::Miter || pen->join == LineJoin::MiterClipped;
    if (miter && hasCorner)
        factor = std::max(factor, double(pen->EffectiveMiterLimit()));
    if (hasOpenEnd && (pen->startCap == LineCap::Square || pen->endCap == LineCap::Square))
        factor = std::max(factor, std::numbers::sqrt2);
    float grow = float(pen->width / 2.0 * factor);
    box.Inflate(grow, grow);
    return box;
}

bool GraphicsPath::IsVisible(PointF point) const
{
    if (!point.IsFinite())
        return false;
    // A ray from the point toward +x; an edge counts when it straddles the ray's line
    // (upper end included, lower excluded) and crosses it right of the point.
    int crossings = 0;
    int winding = 0;
    for (const FlattenedFigure& figure : CachedFlattenedFigures()) {
        const auto& pts = figure.points;
        for (size_t i = 0; i < pts.size(); ++i) {
            PointF a = pts[i];
            PointF b = pts[(i + 1) % pts.size()];
            if ((a.Y > point.Y) == (b.Y > point.Y))
                continue;
            double t = (double(point.Y) - a.Y) / (double(b.Y) - a.Y);
            double x = a.X + t * (double(b.X) - a.X);
            if (x > point.X) {
                ++crossings;
                winding += b.Y > a.Y ? 1 : -1;
            }
        }
    }
    return m_fillMode == FillMode::Alternate ? (crossings % 2) != 0 : winding != 0;
}

} // namespace kelmora
