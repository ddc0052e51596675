#pragma once
// How the properties pane shows lengths. Documents keep every length (coordinates, sizes,
// pen widths, effect distances, font sizes) as a float in document units of 1/300 inch;
// the pane shows it in the unit the user picked: inches, millimetres and points as
// single-precision numbers, pixels as whole numbers at the screen's pixels per inch. The
// status bar shows the cursor position through the same conversion.

#include "dialogs/ScreenResolution.h"
#include "document/DrawUnit.h"

#include <cstdint>
#include <string>
#include <variant>

namespace kelmora {

// A length as shown: a whole number of pixels, or a number in inches, millimetres or points.
using LengthValue = std::variant<int32_t, float>;

// The shown value of `length` (document units). A unit outside the four counts as pixels.
// Pixels round half up and then truncate toward zero (−1.7 shows as −1), saturating at
// the limits of a 32-bit integer; a length that is not a number shows as 0 pixels.
LengthValue MakeLengthValue(float length, DrawUnit unit, int dpi);

// The document length of a shown value, read by what the value holds rather than by the
// unit alone: a whole number in the pixel unit is pixels, in another unit a number of that
// unit; a float in the pixel unit is a (fractional) number of pixels.
float LengthFromValue(const LengthValue& value, DrawUnit unit, int dpi);

// A float as the pane prints numbers: six significant digits ("%g"), so that 209.804
// shows as such and not as the float's full expansion.
std::string FormatLengthNumber(double value);

} // namespace kelmora
