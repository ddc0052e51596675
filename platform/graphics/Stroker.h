#pragma once
// The outline of a stroke, for the pens cairo's own stroker cannot draw: different caps at
// the start, the end and the dash ends; triangle, anchor and custom caps; compound lines;
// inset alignment; miter joins cut off at the limit instead of bevelled.
//
// Everything here works in pen space, where the nib is a circle whose diameter is the
// stroke width; the caller maps the path into it and the outline back out (for a pen with
// a transform, pen space is the world seen through the inverse of the pen transform). The
// input is flattened: figures of straight segments.
//
// The result is a set of closed polygons whose single non-zero winding fill covers the area
// the pen paints; filling them in one pass keeps a translucent pen uniform where they
// overlap. A line of the full pen width (no compound array, not inset) comes as the
// contours of its two sides: one polygon for an open stretch, an outer and an inner one of
// opposite turning for a closed figure. These may cross themselves where the inner side
// folds at a sharp or short turn; together they wind positively around every point they
// cover and not at all elsewhere. Everything else (caps, anchors, the bands of compound and
// inset pens with their joins) comes as simple polygons that all turn the same way
// (positive signed area with y down, i.e. clockwise on screen). A custom fill cap keeps the
// winding of its own figures, so that a shape with a hole keeps the hole.

#include "platform/geometry/LineCap.h"
#include "platform/geometry/LineJoin.h"
#include "platform/graphics/CustomLineCap.h"
#include "platform/graphics/DashStyle.h"

#include <cmath>
#include <span>
#include <vector>

namespace kelmora {

struct StrokeVec {
    double x = 0.0;
    double y = 0.0;

    constexpr StrokeVec() = default;
    constexpr StrokeVec(double x_, double y_) : x(x_), y(y_) { }

    constexpr StrokeVec operator+(StrokeVec o) const { return {x + o.x, y + o.y}; }
    constexpr StrokeVec operator-(StrokeVec o) const { return {x - o.x, y - o.y}; }
    constexpr StrokeVec operator-() const { return {-x, -y}; }
    constexpr StrokeVec operator*(double s) const { return {x * s, y * s}; }
    constexpr double Dot(StrokeVec o) const { return x * o.x + y * o.y; }
    // z of the 3-D cross product: positive when o lies clockwise on screen from this.
    constexpr double Cross(StrokeVec o) const { return x * o.y - y * o.x; }
    // The plain square root: stroke geometry never comes near the range where hypot's
    // care against overflow matters, and it is called for every vertex.
    double Length() const { return std::sqrt(x * x + y * y); }
    StrokeVec Normalized() const
    {
        double length = Length();
        return length > 0.0 ? StrokeVec(x / length, y / length) : StrokeVec();
    }
    // The unit normal on the left of this direction as seen travelling along it on a y-down
    // screen: (1, 0) gives (0, −1).
    constexpr StrokeVec LeftNormal() const { return {y, -x}; }
};

using StrokePolygon = std::vector<StrokeVec>;

struct StrokeFigure {
    std::vector<StrokeVec> points;
    bool closed = false;
};

struct StrokeStyle {
    // The nib's diameter; > 0.
    double width = 1.0;
    LineJoin join = LineJoin::Miter;
    // ≥ 1.
    double miterLimit = 10.0;
    LineCap startCap = LineCap::Flat;
    LineCap endCap = LineCap::Flat;
    DashCap dashCap = DashCap::Flat;
    // The shapes of LineCap::Custom ends; a Custom end without one is flat.
    const CustomLineCap* customStartCap = nullptr;
    const CustomLineCap* customEndCap = nullptr;
    // Dash and gap lengths in pen space, alternately, starting with a dash; empty: solid.
    std::vector<double> dashes;
    // How far into the pattern each figure starts, in pen space.
    double dashPhase = 0.0;
    // Pairs of fractions of the width, 0 the left edge; empty: one line of full width.
    std::vector<double> compound;
    // Closed figures lie wholly inside their outline; ignored with a compound array.
    bool inset = false;
    // Largest distance between a round part and the polygon standing in for it.
    double tolerance = 0.1;
};

// The outline of the figures stroked with the style.
std::vector<StrokePolygon> StrokeFigures(std::span<const StrokeFigure> figures, const StrokeStyle& style);

} // namespace kelmora
