#pragma once
// The geometric part of a pen: what the path operations need to know about a stroke to
// compute its bounds, its outline (Widen) and whether a point lies under it. Width is in
// the path's own units; defaults are those of a new GDI+ pen. The full pen with colours,
// brushes, dashes and custom caps lives in the graphics layer and hands this part down.

#include "platform/geometry/LineCap.h"
#include "platform/geometry/LineJoin.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

struct PenGeometry {
    float width = 1.0f;
    LineJoin join = LineJoin::Miter;
    // Longest miter allowed, as a multiple of the width; values below 1 count as 1.
    float miterLimit = 10.0f;
    // Flat, Square, Round and Triangle shape the ends; anchor and custom caps are drawn by the
    // full pen and count as Flat here.
    LineCap startCap = LineCap::Flat;
    LineCap endCap = LineCap::Flat;

    // A pen the path operations can use: a finite width ≥ 0 and a finite miter limit.
    bool IsValid() const { return std::isfinite(width) && width >= 0.0f && std::isfinite(miterLimit); }
    float EffectiveMiterLimit() const { return std::max(miterLimit, 1.0f); }
};

} // namespace kelmora
