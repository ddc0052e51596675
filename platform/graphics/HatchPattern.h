#pragma once
// The pictures of the hatch styles: one 8 × 8 cell each, repeated edge to edge across the
// device from its origin.
//
// A cell holds a coverage per pixel, 0 (background) to 255 (foreground). Most styles are
// two-tone; the three plain diagonal styles are softened, as GDI+ documents them to be
// antialiased, by pixels of quarter coverage beside the line.

#include "platform/graphics/HatchStyle.h"

#include <array>
#include <cstdint>
#include <optional>

namespace kelmora {

inline constexpr int kHatchCellSize = 8;

// Coverage of the foreground at each pixel, rows top to bottom.
using HatchCell = std::array<std::array<uint8_t, kHatchCellSize>, kHatchCellSize>;

// The cell of a style; nothing for a value outside the 53 styles.
std::optional<HatchCell> GetHatchCell(HatchStyle style);

} // namespace kelmora
