#pragma once
// Reduction of a 32-bit picture to a palette of at most 256 colours, for formats that
// store palette indices (GIF).
//
// Pixels with alpha below 128 become one transparent entry; the others count as opaque
// and keep their colour. A picture with few enough colours keeps every one of them
// exactly; otherwise the palette comes from median cut over a 15-bit histogram (each
// box split at its population median along its longest side, the entry being the
// mean of the pixels in the box) and every pixel takes the nearest entry.

#include "platform/imaging/Bitmap.h"

#include <cstdint>
#include <vector>

namespace kelmora {

struct IndexedImage {
    int32_t width = 0;
    int32_t height = 0;
    // Opaque colours 0xFFRRGGBB; the transparent entry, when there is one, is 0 and last.
    std::vector<uint32_t> palette;
    // One palette index per pixel, row after row.
    std::vector<uint8_t> indices;
    // Index of the transparent entry, or -1 when every pixel is opaque.
    int32_t transparentIndex = -1;
};

// Alpha at or above this counts as opaque when a picture loses its alpha channel.
constexpr uint8_t kOpaqueAlphaThreshold = 128;

// maxColors is clamped to 2..256 and includes the transparent entry. The bitmap must be Ok.
IndexedImage QuantizeColors(const Bitmap& bitmap, int32_t maxColors = 256);

} // namespace kelmora
