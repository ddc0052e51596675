#pragma once
// How a texture (and, later, a gradient) repeats beyond its tile, with the GDI+ values.

#include <cstdint>

namespace kelmora {

enum class WrapMode : int32_t {
    Tile = 0,       // copies edge to edge
    TileFlipX = 1,  // every other column of tiles mirrored left to right
    TileFlipY = 2,  // every other row of tiles mirrored top to bottom
    TileFlipXY = 3, // both
    Clamp = 4,      // one copy; nothing painted outside it
};

constexpr bool IsValidWrapMode(WrapMode mode) { return int32_t(mode) >= 0 && int32_t(mode) <= 4; }

} // namespace kelmora
