#pragma once
// Lengths as the panes show them: internal lengths are floats in 1/300 inch; shown
// lengths are in the chosen DrawUnit, a whole number of pixels or a float of inches,
// millimetres or points.

#include "document/DrawUnit.h"

#include <cstdint>
#include <variant>

namespace kelmora {

using LengthValue = std::variant<int32_t, float>;

// The shown value of internal length `v`: v / 300 inches, v / 300 × 25.4 millimetres
// (rounded to float after each step), v × 72 / 300 points, or dpi × v / 300 + 0.5 pixels
// truncated toward zero (saturated at the int32 range). Any unit that is not one of the
// four counts as pixels.
LengthValue MakeLengthValue(DrawUnit unit, float v, int dpi);

// The screen's horizontal pixels per inch, as pixel lengths use it.
int ScreenPixelsPerInch();

} // namespace kelmora
