#pragma once
// A brush whose colour runs from the boundary of a path to a centre point: the surround
// colours on the boundary, the centre colour at the centre point.
//
// The boundary is the path's figures, curves flattened; each boundary point has the
// surround colour of its path point (points past the last colour take the last colour,
// the points of a flattened curve mix the colours of the curve's ends). Going straight
// from a boundary point towards the centre, the colour runs over the ramp position
// 0 (boundary) to 1 (centre): by default the centre colour's share grows as the position,
// shaped by a blend, or replaced by interpolation colours (first at the boundary, last at
// the centre). With focus scales (sx, sy) the ramp ends on an inner boundary, the outer
// one scaled about the centre by them, and everything inside that is the ramp's last
// colour. It is painted as a cairo mesh of patches between the boundary and the centre.
//
// Wrap mode Clamp (the default) paints nothing outside the boundary; the other modes
// repeat the boundary's bounding rectangle edge to edge, mirrored every other column
// and/or row for the flip modes.
//
// Refused at construction, making a brush that is not valid and paints nothing: a
// boundary whose points are not finite or that has no area to fill (fewer than three
// points). Refused by the setters (false, brush unchanged): a centre or focus scales that
// are not finite, no surround colours or more than the path has points, a wrap mode
// outside the five, and the ramp values refused by every gradient (GradientBrush.h).

#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/PointF.h"
#include "platform/geometry/RectF.h"
#include "platform/graphics/GradientBrush.h"

#include <memory>
#include <span>
#include <vector>

namespace kelmora {

class PathGradientBrush final : public GradientBrush {
public:
    explicit PathGradientBrush(const GraphicsPath& path);
    // A closed polygon through the points.
    explicit PathGradientBrush(std::span<const PointF> points, WrapMode wrapMode = WrapMode::Clamp);

    Color GetCenterColor() const { return m_centerColor; }
    void SetCenterColor(Color color) { m_centerColor = color; }
    PointF GetCenterPoint() const { return m_center; }
    bool SetCenterPoint(PointF point);
    bool SetFocusScales(float sx, float sy);
    int GetPointCount() const { return m_pointCount; }
    bool SetSurroundColors(std::span<const Color> colors);
    bool SetWrapMode(WrapMode wrapMode);
    // The bounding rectangle of the boundary, in brush space.
    RectF GetRectangle() const { return m_bounds; }

    BrushType GetType() const override { return BrushType::PathGradient; }
    std::unique_ptr<Brush> Clone() const override { return std::make_unique<PathGradientBrush>(*this); }
    bool SetAsSource(cairo_t* cr) const override;
    // The patches' area when the brush paints it directly (wrap mode Clamp, or a tile too
    // large to repeat).
    bool AppendPaintedArea(cairo_t* cr) const override;

private:
    // A boundary point and where its colour comes from: a mix of the surround colours of
    // path points `from` and `to` by share t.
    struct BoundaryPoint {
        PointF point;
        int from = 0;
        int to = 0;
        float t = 0;
    };

    void Build(const GraphicsPath& path);
    Color SurroundColor(int pointIndex) const;
    // The mesh with its corners mapped by `place`; null when cairo refuses it.
    cairo_pattern_t* CreateMesh(const cairo_matrix_t& place) const;
    // Adds the area the mesh covers to cr's path, mapped by `place`: per boundary edge the
    // ramp's quadrilateral and the inner triangle, each wound the same way, so that the
    // non-zero rule fills their union.
    void AppendMeshArea(cairo_t* cr, const cairo_matrix_t& place) const;
    // Whether the boundary's rectangle repeats as a tile (wrap modes other than Clamp,
    // within the tile size).
    bool Tiles() const;

    std::vector<std::vector<BoundaryPoint>> m_figures;
    int m_pointCount = 0;
    RectF m_bounds;
    PointF m_center;
    Color m_centerColor;
    std::vector<Color> m_surroundColors{Color(0xFFFFFFFF)};
    float m_focusX = 0;
    float m_focusY = 0;
};

} // namespace kelmora
