#include "model/GradientForms.h"

#include "model/BrushMan.h"

namespace kelmora {

namespace {

// The path style of each path-gradient form, Square first.
constexpr int32_t kFirstFormPathStyle = int32_t(PathGradientStyle::Rectangle);

} // namespace

std::optional<GradientForm> GradientFormOf(const BrushMan& brush)
{
    if (brush.m_nKind == BrushKind::LinearGradient)
        return GradientForm::Linear;
    const int32_t form = brush.m_nPathStyle - kFirstFormPathStyle + int32_t(GradientForm::Square);
    if (brush.m_nKind == BrushKind::PathGradient && form >= int32_t(GradientForm::Square)
        && form <= int32_t(GradientForm::Conical))
        return GradientForm(form);
    return std::nullopt;
}

std::vector<ARGB> ConicalSurroundColors(std::span<const ARGB> blend)
{
    std::vector<ARGB> surround(blend.begin(), blend.end());
    if (blend.size() > 2)
        surround.insert(surround.end(), blend.rbegin() + 1, blend.rend() - 1);
    return surround;
}

StopPolygon PaintedStopPolygon(std::span<const float> stops, std::span<const ARGB> surround)
{
    StopPolygon polygon{{stops.begin(), stops.end()}, {surround.begin(), surround.end()}};
    if (stops.size() != 2)
        return polygon;
    polygon.stops.insert(polygon.stops.begin() + 1, 0.5f * (stops[0] + stops[1]));
    if (surround.size() == 2) {
        ARGB middle = 0;
        for (int shift = 0; shift < 32; shift += 8)
            middle |= ((((surround[0] >> shift) & 0xFFu) + ((surround[1] >> shift) & 0xFFu) + 1u) / 2u) << shift;
        polygon.surround = {surround[0], middle, surround[1], middle};
    }
    return polygon;
}

void StoreGradientForm(BrushMan& brush, GradientForm form, std::span<const ARGB> colours,
                       std::span<const float> positions)
{
    if (form == GradientForm::Linear) {
        brush.m_nKind = BrushKind::LinearGradient;
    } else {
        brush.m_nKind = BrushKind::PathGradient;
        brush.m_nPathStyle = kFirstFormPathStyle + int32_t(form) - int32_t(GradientForm::Square);
    }
    if (!colours.empty()) {
        brush.m_clrFore = colours.front();
        brush.m_clrBack = colours.back();
    }
    brush.m_interpColors.assign(colours.begin(), colours.end());
    brush.m_interpPositions.assign(positions.begin(), positions.end());
    brush.m_surroundColors = form == GradientForm::Conical ? ConicalSurroundColors(colours) : std::vector<ARGB>{};
    brush.m_nGradientPreset = -1;
}

} // namespace kelmora
