#pragma once
// The pictures of the outline pen dialog's picture lists, drawn by the project's own
// renderer: the 19 dash styles and the 6 compound lines. Each is drawn in black on a
// transparent ground.

#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/Pen.h"

#include <optional>

namespace kelmora {

inline constexpr int kStylePictureWidth = 96;
inline constexpr int kStylePictureHeight = 16;
inline constexpr int kDashStyleCount = 19;    // the 5 plain styles and the 14 dash presets

// A pen of `colour` and `width` that draws dash style `style` (0..18): 0..4 the plain
// styles, 5..18 dash preset style − 5.
Pen DashStylePen(int style, Color colour, float width);
// Dash style `style` on a line across the picture.
std::optional<ImageSurface> DashStylePicture(int style);
// Compound preset `preset` (0..5) on a line across the picture.
std::optional<ImageSurface> CompoundPicture(int preset);

} // namespace kelmora
