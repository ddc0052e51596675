#pragma once
// A brush of one colour; its alpha blends with what lies below.

#include "platform/graphics/Brush.h"
#include "platform/graphics/Color.h"

namespace kelmora {

class SolidBrush final : public Brush {
public:
    explicit SolidBrush(Color color) : m_color(color) { }

    Color GetColor() const { return m_color; }
    void SetColor(Color color) { m_color = color; }

    BrushType GetType() const override { return BrushType::SolidColor; }
    std::unique_ptr<Brush> Clone() const override { return std::make_unique<SolidBrush>(*this); }
    bool IsValid() const override { return true; }
    bool SetAsSource(cairo_t* cr) const override;

private:
    Color m_color;
};

} // namespace kelmora
