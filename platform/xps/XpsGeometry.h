#pragma once
// The geometry of an XPS path or clip: figures made of segments, kept the way the
// package states them (start point, segment types, one stroke flag per segment, and the
// segments' numbers in one array). Arcs stay arcs; turning them into Bézier pieces is
// left to the reader of the figure.

#include "platform/geometry/Matrix.h"
#include "platform/geometry/PointF.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kelmora {

// Segment types and the numbers each one takes from XpsFigure::segmentData.
enum class XpsSegmentType : uint8_t {
    ArcLargeClockwise = 1,          // end x, end y, radius x, radius y, rotation (degrees)
    ArcLargeCounterClockwise = 2,
    ArcSmallClockwise = 3,
    ArcSmallCounterClockwise = 4,
    Bezier = 5,                     // control 1, control 2, end: six numbers
    Line = 6,                       // end: two numbers
    QuadraticBezier = 7,            // control, end: four numbers
};

// How many numbers a segment of `type` takes.
int XpsSegmentDataCount(XpsSegmentType type);

enum class XpsFillRule : uint8_t {
    EvenOdd = 0,
    NonZero = 1,
};

struct XpsFigure {
    PointF start;
    bool closed = false;
    bool filled = true;
    std::vector<XpsSegmentType> segmentTypes;
    std::vector<bool> segmentStrokes;     // one per segment
    std::vector<float> segmentData;       // the numbers of all segments, in order
};

struct XpsGeometry {
    XpsFillRule fillRule = XpsFillRule::EvenOdd;
    std::optional<Matrix> transform;
    std::vector<XpsFigure> figures;
};

} // namespace kelmora
