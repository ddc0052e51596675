#pragma once
// The pen and the fill one drawing step of an object paints with, built from its PenMan
// and BrushMan for that step and dropped after it.

#include "platform/graphics/Color.h"

#include <optional>

namespace kelmora {

struct DrawTools {
    std::optional<Color> fill;   // none when the fill is off
    Color line;
    float lineWidth = 0.0f;      // in the coordinates of the Graphics (zoom applied)
};

} // namespace kelmora
