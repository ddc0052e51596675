#pragma once
// A GDI+ path: a list of points, one type byte per point (PathPointType.h) and a fill mode.
//
// A figure is a Start point and the points after it up to the next Start; a closed figure
// carries CloseSubpath on its last point and has an implicit edge back to its first point.
// Filling treats every figure as closed. Coordinates are in whatever units the caller
// works in (document units for drawing objects), y growing downward; angles are in degrees,
// positive turning clockwise on screen, as everywhere in GDI+.
//
// Builders either add their whole figure or nothing: a non-finite coordinate or angle, too
// few points, a rectangle without width or height all leave the path as it was and return
// false. Builders that continue the current figure (lines, arcs, Béziers, curves) join
// their first point to the figure's last point with a straight line; builders of closed
// shapes (polygons, rectangles, ellipses, pies, closed curves) always make a figure of
// their own.
//
// Bounds and the flattened form are computed on demand and cached; every change to the
// path clears the cache in one place (Changed()). The cache makes const calls on one path
// unsafe from two threads at once; each thread works on paths of its own.

#include "platform/geometry/FillMode.h"
#include "platform/geometry/Matrix.h"
#include "platform/geometry/PathPointType.h"
#include "platform/geometry/PenGeometry.h"
#include "platform/geometry/PointF.h"
#include "platform/geometry/RectF.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kelmora {

// Largest distance allowed between a curve and the straight segments that replace it.
inline constexpr float kFlatnessDefault = 0.25f;
// Tension of a cardinal spline when none is given: the Catmull-Rom curve.
inline constexpr float kDefaultCurveTension = 0.5f;
// 4(√2 − 1)/3: the control-point distance, in radii, of the Bézier that best follows a
// quarter circle.
inline constexpr double kEllipseKappa = 0.55228474983079339840;

// One figure of a flattened path: its corner points in order, and whether an edge runs
// from the last back to the first.
struct FlattenedFigure {
    std::vector<PointF> points;
    bool closed = false;
};

class GraphicsPath {
public:
    explicit GraphicsPath(FillMode fillMode = FillMode::Alternate) : m_fillMode(fillMode) { }

    // A path from stored point and type arrays. Nothing when the arrays differ in length,
    // the first type is not Start, a type has an undefined kind or flag, a Bézier segment
    // lacks points or is broken by a Start or a close flag, a close flag is followed by
    // anything but a Start, or a coordinate is not finite.
    static std::optional<GraphicsPath> FromPathData(std::span<const PointF> points, std::span<const uint8_t> types,
                                                    FillMode fillMode = FillMode::Alternate);

    FillMode GetFillMode() const { return m_fillMode; }
    void SetFillMode(FillMode fillMode) { m_fillMode = fillMode; }

    int PointCount() const { return int(m_points.size()); }
    bool IsEmpty() const { return m_points.empty(); }
    std::span<const PointF> Points() const { return m_points; }
    std::span<const uint8_t> Types() const { return m_types; }
    std::optional<PointF> GetLastPoint() const;

    // Empties the path; the fill mode goes back to Alternate.
    void Reset();
    // The next builder starts a new figure; the current one stays open.
    void StartFigure();
    // Closes the current figure (if it is open and has points) and starts a new one.
    void CloseFigure();
    // Closes every open figure and starts a new one.
    void CloseAllFigures();
    // Marks the last point (GDI+ sub-path marker); ClearMarkers removes every mark.
    void SetMarker();
    void ClearMarkers();
    // Reverses the order of all points (so of the figures too); every figure keeps its
    // Start at its new first point, its segments their kinds and a closed figure its close
    // flag on its new last point.
    void Reverse();

    bool AddLine(PointF from, PointF to);
    bool AddLine(float x1, float y1, float x2, float y2) { return AddLine(PointF(x1, y1), PointF(x2, y2)); }
    // Connected straight lines through at least two points.
    bool AddLines(std::span<const PointF> points);
    // A closed figure through at least two points.
    bool AddPolygon(std::span<const PointF> points);
    // A closed figure (x, y), (x + w, y), (x + w, y + h), (x, y + h): clockwise on screen
    // from the top-left corner. Width and height must be non-zero.
    bool AddRectangle(const RectF& rect);
    bool AddRectangles(std::span<const RectF> rects);
    // A closed figure of four quarter Béziers (13 points) starting at the rightmost point
    // and running clockwise on screen (through the bottom). A negative width or height
    // describes the same ellipse as its absolute value.
    bool AddEllipse(const RectF& rect);
    bool AddEllipse(float x, float y, float width, float height) { return AddEllipse(RectF(x, y, width, height)); }
    // Part of the ellipse inscribed in rect, from startAngle sweeping sweepAngle (clockwise
    // for positive sweeps; beyond ±360 it is cut to ±360). Angles are true angles seen from
    // the centre, so on a flattened ellipse the arc ends where the ray at the angle meets
    // it. The arc is cut into Bézier pieces of equal parametric length, at most 90° each.
    // A zero sweep gives one degenerate Bézier at the start point.
    bool AddArc(const RectF& rect, float startAngle, float sweepAngle);
    bool AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle)
    {
        return AddArc(RectF(x, y, width, height), startAngle, sweepAngle);
    }
    // A closed figure: the centre, a line to the arc start, the arc as AddArc builds it.
    bool AddPie(const RectF& rect, float startAngle, float sweepAngle);
    bool AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle)
    {
        return AddPie(RectF(x, y, width, height), startAngle, sweepAngle);
    }
    bool AddBezier(PointF p1, PointF c1, PointF c2, PointF p2);
    // 3k + 1 points (k ≥ 1): the end of one Bézier is the start of the next.
    bool AddBeziers(std::span<const PointF> points);
    // An open cardinal spline through at least two points, one Bézier per pair of
    // neighbours: for the segment Pi → Pi+1 the controls are Pi + T/3·(Pi+1 − Pi−1) and
    // Pi+1 − T/3·(Pi+2 − Pi), with the end points standing in for the missing neighbours.
    // T = 0 gives straight lines.
    bool AddCurve(std::span<const PointF> points, float tension = kDefaultCurveTension);
    // The closed cardinal spline: neighbours wrap around and a last segment returns to the
    // first point; a figure of its own.
    bool AddClosedCurve(std::span<const PointF> points, float tension = kDefaultCurveTension);
    // Copies the figures of path. With connect, its first figure continues the current
    // open figure of this path (joined by a line) instead of starting a new one.
    bool AddPath(const GraphicsPath& path, bool connect);

    // Maps every point; false (and the path unchanged) when the matrix is not finite or a
    // mapped point would not be.
    bool Transform(const Matrix& matrix);
    // Replaces every curve by straight lines no further than flatness from it, after
    // mapping by matrix. A flatness that is not a positive number means kFlatnessDefault.
    // Close flags and markers stay on the points that end their segments.
    bool Flatten(const Matrix& matrix = Matrix(), float flatness = kFlatnessDefault);
    std::vector<FlattenedFigure> GetFlattenedFigures(const Matrix* matrix = nullptr,
                                                     float flatness = kFlatnessDefault) const;

    // The box of the path's points, Bézier control points included (so the box of a curve
    // can exceed the curve), after mapping by matrix when one is given. An empty path gives
    // the empty rectangle at (0, 0). With a valid pen the box grows on every side by half
    // the pen width times a factor that covers what the stroke can add: the miter limit for
    // Miter and MiterClipped joins when some figure has a corner (three points or more, or
    // closed), √2 for square caps on an open figure, otherwise 1. Like GDI+'s, the box with
    // a pen is deliberately loose; Widen a copy and take its bounds for a tight one.
    RectF GetBounds(const Matrix* matrix = nullptr, const PenGeometry* pen = nullptr) const;

    // Replaces the path by the area the pen paints, after mapping by matrix: one closed
    // straight-edged piece per segment, join and cap, all turning the same way, so the
    // result (whose fill mode becomes Winding) fills as their union. False (path unchanged)
    // for an invalid pen or matrix.
    bool Widen(const PenGeometry& pen, const Matrix* matrix = nullptr, float flatness = kFlatnessDefault);

    // Whether the point lies in the filled area, by the path's fill mode, every figure
    // taken as closed.
    bool IsVisible(PointF point) const;
    bool IsVisible(float x, float y) const { return IsVisible(PointF(x, y)); }
    // Whether the point lies under the stroke of the pen: within half the pen width of a
    // segment, or inside a join or cap, as Widen builds them.
    bool IsOutlineVisible(PointF point, const PenGeometry& pen) const;
    bool IsOutlineVisible(float x, float y, const PenGeometry& pen) const { return IsOutlineVisible(PointF(x, y), pen); }

private:
    // The one place that clears derived data; every mutation calls it.
    void Changed();
    void Append(PointF point, uint8_t type);
    // First point of a builder that continues the current figure: a Start when a new
    // figure begins, else a connecting Line (left out when it would have no length).
    void BeginOpenRun(PointF first);
    // Closes the figure just built and makes the next builder start a new one.
    void EndClosedFigure();
    // Appends points as the control and end points of Bézier segments.
    void AppendBeziers(std::span<const PointF> points);
    template <class Emit>
    void ForEachFlattenedPoint(const Matrix* matrix, float flatness, const Emit& emit) const;
    void FlattenInto(const Matrix* matrix, float flatness, std::vector<PointF>& points,
                     std::vector<uint8_t>& types) const;
    std::vector<FlattenedFigure> FlattenFigures(const Matrix* matrix, float flatness) const;
    const std::vector<FlattenedFigure>& CachedFlattenedFigures() const;

    // Points a path makes room for when it gets its first.
    static constexpr size_t kFirstCapacity = 32;

    std::vector<PointF> m_points;
    std::vector<uint8_t> m_types;
    FillMode m_fillMode = FillMode::Alternate;
    bool m_startNewFigure = true;

    mutable std::optional<RectF> m_cachedBounds;
    mutable std::optional<std::vector<FlattenedFigure>> m_cachedFlattened;
};

} // namespace kelmora
