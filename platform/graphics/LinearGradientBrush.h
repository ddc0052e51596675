#pragma once
// A brush whose colour changes along one direction and stays the same along the lines
// across it: from the start boundary (first colour) to the end boundary (second colour),
// both perpendicular to the direction, in brush space mapped to world space by the brush
// transform.
//
// Made from two points (the boundaries pass through them) or from a rectangle and a
// LinearGradientMode. Beyond the boundaries the band repeats (Tile, TileFlipY) or repeats
// mirrored (TileFlipX, TileFlipXY); Clamp is refused, as are values outside the five
// modes. Refused at construction, making a brush that is not valid and paints nothing:
// points or a rectangle that are not finite, two equal points, a rectangle without width
// or height (or, for the vertical and diagonal modes, the side that matters).

#include "platform/geometry/PointF.h"
#include "platform/geometry/RectF.h"
#include "platform/graphics/GradientBrush.h"

#include <cstdint>
#include <memory>

namespace kelmora {

enum class LinearGradientMode : int32_t {
    Horizontal = 0,       // left edge to right edge
    Vertical = 1,         // top edge to bottom edge
    ForwardDiagonal = 2,  // upper-left corner to lower-right corner
    BackwardDiagonal = 3, // upper-right corner to lower-left corner
};

class LinearGradientBrush final : public GradientBrush {
public:
    LinearGradientBrush(PointF point1, PointF point2, Color color1, Color color2);
    LinearGradientBrush(const RectF& rect, Color color1, Color color2, LinearGradientMode mode);

    Color GetStartColor() const { return m_color1; }
    Color GetEndColor() const { return m_color2; }
    // Refuses Clamp and values outside the five modes.
    bool SetWrapMode(WrapMode wrapMode);

    BrushType GetType() const override { return BrushType::LinearGradient; }
    std::unique_ptr<Brush> Clone() const override { return std::make_unique<LinearGradientBrush>(*this); }
    bool SetAsSource(cairo_t* cr) const override;

private:
    // Position p of brush point q: dot(q − m_origin, m_direction).
    void SetAxis(double ox, double oy, double gx, double gy);

    Color m_color1;
    Color m_color2;
    double m_origin[2] = {0, 0};
    double m_direction[2] = {0, 0};
};

} // namespace kelmora
