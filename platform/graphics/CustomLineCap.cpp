#include "platform/graphics/CustomLineCap.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

// Flatness used to find where a fill path crosses the −y axis, in cap units (the built-in
// shapes span about ten).
constexpr float kCrossingFlatness = 0.01f;

// Distance from the origin to the crossing of the path's outline with the −y axis that
// lies nearest the origin; 0 when the outline does not cross it. Every figure counts as
// closed, as it does when filled.
float NearestNegativeYCrossing(const GraphicsPath& path)
{
    std::optional<float> nearest;
    for (const FlattenedFigure& figure : path.GetFlattenedFigures(nullptr, kCrossingFlatness)) {
        const auto& points = figure.points;
        for (size_t i = 0; i < points.size(); ++i) {
            PointF a = points[i];
            PointF b = points[(i + 1) % points.size()];
            // Half-open test, so an outline passing through a vertex on the axis counts once.
            bool crosses = (a.X <= 0.0f && b.X > 0.0f) || (b.X <= 0.0f && a.X > 0.0f);
            if (!crosses)
                continue;
            float y = a.Y + (0.0f - a.X) * (b.Y - a.Y) / (b.X - a.X);
            if (y < 0.0f && (!nearest || y > *nearest))
                nearest = y;
        }
    }
    return nearest ? -*nearest : 0.0f;
}

} // namespace

CustomLineCap::CustomLineCap(const GraphicsPath* fillPath, const GraphicsPath* strokePath, LineCap baseCap,
                             float baseInset)
{
    if (strokePath) {
        m_path = *strokePath;
        m_filled = false;
    } else if (fillPath) {
        m_path = *fillPath;
        m_filled = true;
        m_fillCut = NearestNegativeYCrossing(m_path);
    }
    m_path.SetFillMode(FillMode::Winding);
    m_baseCap = baseCap;
    m_baseInset = baseInset;
    m_valid = (fillPath || strokePath) && IsPlainLineCap(baseCap) && std::isfinite(baseInset);
}

bool CustomLineCap::SetBaseCap(LineCap baseCap)
{
    if (!IsPlainLineCap(baseCap))
        return false;
    m_baseCap = baseCap;
    return true;
}

bool CustomLineCap::SetBaseInset(float inset)
{
    if (!std::isfinite(inset))
        return false;
    m_baseInset = inset;
    return true;
}

bool CustomLineCap::SetWidthScale(float widthScale)
{
    if (!std::isfinite(widthScale))
        return false;
    m_widthScale = widthScale;
    return true;
}

bool CustomLineCap::SetStrokeCaps(LineCap startCap, LineCap endCap)
{
    if (!IsPlainLineCap(startCap) || !IsPlainLineCap(endCap))
        return false;
    m_strokeStartCap = startCap;
    m_strokeEndCap = endCap;
    return true;
}

bool CustomLineCap::SetStrokeJoin(LineJoin join)
{
    if (int(join) < 0 || int(join) > int(LineJoin::MiterClipped))
        return false;
    m_strokeJoin = join;
    return true;
}

float CustomLineCap::LineShortening() const
{
    return m_filled ? std::max(m_baseInset, m_fillCut) : m_baseInset;
}

} // namespace kelmora
