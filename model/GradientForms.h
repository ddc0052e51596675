#pragma once
// The four gradient forms the brush editor offers, as a fill holds them:
//
//   Linear   kind LinearGradient
//   Square   kind PathGradient, path style 2 (the bounds)
//   Radial   kind PathGradient, path style 3 (an ellipse around the bounds)
//   Conical  kind PathGradient, path style 4 (a polygon on the inscribed ellipse, one
//            vertex per position on each half)
//
// Every form keeps its colour blend (start, inner stops, end) as the interpolation colours
// at their positions, and its start and end colours as m_clrFore and m_clrBack. A conical
// gradient paints with surround colours instead, one per polygon vertex: the blend along
// the lower half, then the inner stops back along the upper half. Its interpolation lists
// are not painted; they keep the stops paired with their positions in the fill's record.

#include "model/Argb.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kelmora {

class BrushMan;

enum class GradientForm : int32_t { Linear = 0, Square = 1, Radial = 2, Conical = 3 };

// The form the fill holds, or nothing for a fill that is none of them.
std::optional<GradientForm> GradientFormOf(const BrushMan& brush);

// The polygon colours of a conical blend: the colours, then the inner ones in reverse.
std::vector<ARGB> ConicalSurroundColors(std::span<const ARGB> blend);

// The stops and polygon colours a stop polygon paints with. Two stops alone make the line
// between the ellipse's ends, which paints nothing: they get a middle stop whose colour,
// on each half, is halfway between the two, the same gradient on a polygon with area.
struct StopPolygon {
    std::vector<float> stops;
    std::vector<ARGB> surround;
};
StopPolygon PaintedStopPolygon(std::span<const float> stops, std::span<const ARGB> surround);

// Makes the fill the gradient `form` of the blend (at least two colours, the first at
// position 0 and the last at 1) and marks it as a gradient of its own (preset −1).
// Placement, wrap mode and everything else are left as they are.
void StoreGradientForm(BrushMan& brush, GradientForm form, std::span<const ARGB> colours,
                       std::span<const float> positions);

} // namespace kelmora
