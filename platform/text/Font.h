#pragma once
// A font: a family, an em size in a unit, and style bits.

#include "platform/text/FontFamily.h"
#include "platform/text/FontStyle.h"

#include <optional>

namespace kelmora {

class Font {
public:
    // A font of `family` whose em height is `emSize` in `unit`. Nothing when the size is
    // not a finite number above zero.
    static std::optional<Font> Create(const FontFamily& family, float emSize,
                                      FontStyle style = FontStyle::Regular, FontUnit unit = FontUnit::Point);

    const FontFamily& GetFamily() const { return m_family; }
    float GetSize() const { return m_size; }
    FontStyle GetStyle() const { return m_style; }
    FontUnit GetUnit() const { return m_unit; }

    // The em height in the coordinates text is drawn in, on a surface of `dpi` pixels per
    // inch whose page unit is the pixel: points scale by dpi / 72, pixel and world sizes
    // are taken as they are.
    float EmSizeInWorld(float dpi) const;

private:
    Font(FontFamily family, float size, FontStyle style, FontUnit unit);

    FontFamily m_family;
    float m_size;
    FontStyle m_style;
    FontUnit m_unit;
};

} // namespace kelmora
