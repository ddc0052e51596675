#pragma once
// The pen and the fill that one drawing step of an object paints with, built from its
// PenMan and BrushMan for that step and dropped after it.

#include "platform/graphics/Brush.h"
#include "platform/graphics/Pen.h"

#include <memory>

namespace kelmora {

struct DrawTools {
    std::unique_ptr<Pen> pen;       // always built, even with the outline off; null when it cannot be
    std::unique_ptr<Brush> brush;   // null when the fill is off or cannot be built
};

} // namespace kelmora
