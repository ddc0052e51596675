#include "model/ShapePathBuilders.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace kelmora {

namespace {

constexpr double kPi = std::numbers::pi;

bool IsFinite(PointF centre, float radius)
{
    return centre.IsFinite() && std::isfinite(radius);
}

int CappedSides(int n)
{
    return std::min(n, kMaxShapeSides);
}

// The vertex at angle a (radians from straight up, clockwise on screen) on the circle of
// radius r about the centre.
PointF FromTop(PointF centre, double r, double a)
{
    return PointF(float(centre.X + r * std::sin(a)), float(centre.Y - r * std::cos(a)));
}

// The regular polygon of n vertices, every vertex turned on by `turn` radians.
std::vector<PointF> RegularPolygon(PointF centre, int n, double r, double turn)
{
    std::vector<PointF> points;
    points.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        points.push_back(FromTop(centre, r, i * 2 * kPi / n + turn));
    return points;
}

} // namespace

bool AddEllipseStopPolygon(GraphicsPath& path, PointF centre, float rx, float ry, std::span<const float> stops)
{
    if (stops.size() < 2 || !centre.IsFinite() || !std::isfinite(rx) || !std::isfinite(ry)
        || !std::all_of(stops.begin(), stops.end(), [](float s) { return std::isfinite(s); }))
        return false;
    auto vertex = [&](double angle) {
        return PointF(float(centre.X + rx * std::cos(angle)), float(centre.Y - ry * std::sin(angle)));
    };
    size_t m = stops.size();
    std::vector<PointF> points;
    points.reserve(2 * m - 2);
    for (float s : stops)
        points.push_back(vertex(kPi * (1.0 + s)));
    for (size_t i = m - 2; i >= 1; --i)
        points.push_back(vertex(kPi * (1.0 - stops[i])));
    return path.AddPolygon(points);
}

bool BuildRegularPolygon(GraphicsPath& path, PointF centre, int n, float r)
{
    if (n < 2 || !IsFinite(centre, r))
        return false;
    return path.AddPolygon(RegularPolygon(centre, CappedSides(n), r, 0.0));
}

bool BuildStar(GraphicsPath& path, PointF centre, int n, float rOuter, float rInner)
{
    if (n < 2 || !IsFinite(centre, rOuter) || !std::isfinite(rInner))
        return false;
    int vertices = 2 * CappedSides(n);
    std::vector<PointF> points;
    points.reserve(size_t(vertices));
    for (int i = 0; i < vertices; ++i) {
        double a = i * 2 * kPi / vertices;
        double rho = i % 2 == 0 ? rInner : rOuter;
        points.emplace_back(float(centre.X + rho * std::sin(a)), float(centre.Y + rho * std::cos(a)));
    }
    return path.AddPolygon(points);
}

bool BuildComplexStar(GraphicsPath& path, PointF centre, int n, float r)
{
    if (n < 2 || !IsFinite(centre, r))
        return false;
    n = CappedSides(n);
    if (n % 2 == 0) {
        int half = n / 2;
        if (half < 2)
            return false;
        // The turned polygon is computed in place rather than by turning the whole path,
        // which would also turn the figures that were there before.
        path.AddPolygon(RegularPolygon(centre, half, r, 2 * kPi / n));
        return path.AddPolygon(RegularPolygon(centre, half, r, 0.0));
    }
    std::vector<PointF> points;
    points.reserve(size_t(n));
    for (int j = 0; j < n; ++j) {
        int k = (2 * j) % n;
        points.push_back(FromTop(centre, r, k * 2 * kPi / n));
    }
    return path.AddPolygon(points);
}

} // namespace kelmora
