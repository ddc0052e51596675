#pragma once
// Closed polygons around a centre, appended to a path: the regular polygon, the star and
// the complex star of the rectangle-family shapes and of the built-in line-end caps, and
// the stop polygon of the stop-polygon path gradient. They keep no state.
//
// Coordinates are in the path's own units with y pointing down; angles are measured from
// straight up (regular polygon, complex star) or straight down (star) and run clockwise
// on screen. Each builder adds nothing and returns false for a non-finite centre or
// radius or too few vertices; the side count is capped at kMaxShapeSides.

#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/PointF.h"

#include <span>

namespace kelmora {

// The editor offers up to 100 sides; files may hold any 32-bit value. Counts above this are
// cut to it, so that a hostile count cannot make a path of millions of points.
inline constexpr int kMaxShapeSides = 1000;

// One polygon of 2m − 2 vertices on the ellipse with centre c and radii rx, ry, for m stop
// positions s (each normally 0..1): first, for every stop in order, the vertex at angle
// π(1 + s), then for the stops m − 2 down to 1 the vertex at angle π(1 − s), each at
// (cx + rx·cos, cy − ry·sin). Stop 0 is the left end of the ellipse, stop 1 the right end;
// the first run goes along the lower half, the second back along the upper half. Needs at
// least two stops, all finite.
bool AddEllipseStopPolygon(GraphicsPath& path, PointF centre, float rx, float ry, std::span<const float> stops);

// n vertices (n ≥ 2), vertex i at angle a = i·2π/n at (cx + r·sin a, cy − r·cos a): the
// first straight above the centre, the others following clockwise. One closed polygon.
bool BuildRegularPolygon(GraphicsPath& path, PointF centre, int n, float r);

// n points (n ≥ 2): 2n vertices, vertex i at angle a = i·π/n at (cx + ρ·sin a, cy + ρ·cos a)
// with ρ = rInner for even i and rOuter for odd i. The first vertex is an inner one
// straight below the centre. One closed polygon.
bool BuildStar(GraphicsPath& path, PointF centre, int n, float rOuter, float rInner);

// n points on the circle of radius r (vertex k at angle k·2π/n, at (cx + r·sin, cy − r·cos)):
// - n odd (≥ 3): one polygon visiting every second vertex, 0, 2, 4, …, then 1, 3, …: the
//   star drawn in one stroke, whose centre stays unfilled under the alternate fill mode.
// - n even (≥ 4): two interleaved regular polygons of n/2 vertices, the first turned by
//   360/n degrees about the centre, the second not. Only the new polygon turns; figures
//   already in the path stay where they are.
bool BuildComplexStar(GraphicsPath& path, PointF centre, int n, float r);

} // namespace kelmora
