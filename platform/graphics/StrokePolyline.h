#pragma once
// A polyline measured by arc length, for cutting strokes into dashes and shortening them
// at their ends. Internal to the stroker.

#include "platform/graphics/Stroker.h"

#include <vector>

namespace kelmora {

class StrokePolyline {
public:
    // points: at least two, no two neighbours equal.
    explicit StrokePolyline(std::vector<StrokeVec> points);

    double Length() const { return m_lengths.back(); }
    StrokeVec PointAt(double s) const;
    // Direction of travel at s (a unit vector). At a vertex, the segment after it when
    // preferNext, else the one before.
    StrokeVec DirectionAt(double s, bool preferNext) const;
    // The part from a to b (a < b): its end points and the vertices between them.
    std::vector<StrokeVec> Extract(double a, double b) const;

private:
    // The segment holding s: its index i runs from vertex i to vertex i + 1. At a vertex,
    // the segment after it when preferNext, else the one before.
    size_t SegmentAt(double s, bool preferNext) const;

    std::vector<StrokeVec> m_points;
    // Arc length at each vertex; m_lengths[0] = 0.
    std::vector<double> m_lengths;
};

// Removes each point that lies within epsilon of the point kept before it.
std::vector<StrokeVec> WithoutRepeats(std::vector<StrokeVec> points, double epsilon);

} // namespace kelmora
