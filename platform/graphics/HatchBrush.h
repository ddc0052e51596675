#pragma once
// A brush of one of the 53 hatch patterns in a foreground and a background colour.
//
// As in GDI+ the pattern is laid out in device pixels, not in world units: each 8 × 8 cell
// (HatchPattern.h) covers 8 × 8 pixels of the target, and the cells repeat from the
// device origin whatever the transform or the shape being filled, so neighbouring shapes
// hatched alike line up. The background defaults to opaque black, as in GDI+; either
// colour may be translucent.

#include "platform/graphics/Brush.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/HatchStyle.h"

namespace kelmora {

class HatchBrush final : public Brush {
public:
    // A style outside the 53 makes a brush that is not valid.
    HatchBrush(HatchStyle style, Color foreColor, Color backColor = Color());

    HatchStyle GetHatchStyle() const { return m_style; }
    Color GetForegroundColor() const { return m_foreColor; }
    Color GetBackgroundColor() const { return m_backColor; }

    BrushType GetType() const override { return BrushType::HatchFill; }
    std::unique_ptr<Brush> Clone() const override { return std::make_unique<HatchBrush>(*this); }
    bool IsValid() const override { return IsValidHatchStyle(m_style); }
    bool SetAsSource(cairo_t* cr) const override;

private:
    HatchStyle m_style;
    Color m_foreColor;
    Color m_backColor;
};

} // namespace kelmora
