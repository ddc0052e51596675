#pragma once
// Conversion between the bitmap's straight ARGB and the premultiplied ARGB32 layout of
// the drawing surfaces (native-endian 32-bit words, colour channels already multiplied
// by alpha, rows `stride` bytes apart).
//
// Premultiplying rounds c * a / 255 to nearest; unpremultiplying rounds c * 255 / a to
// nearest and clamps to 255. A fully transparent premultiplied pixel becomes 0 (its
// colour is lost, as it always is once premultiplied). Opaque pixels pass through
// unchanged both ways.

#include "platform/imaging/Bitmap.h"

#include <cstdint>

namespace kelmora {

uint32_t PremultiplyPixel(uint32_t straight);
uint32_t UnpremultiplyPixel(uint32_t premultiplied);

// `count` pixels from `source` to `target`; the two may be the same buffer.
void PremultiplyPixels(const uint32_t* source, uint32_t* target, size_t count);
void UnpremultiplyPixels(const uint32_t* source, uint32_t* target, size_t count);

// Writes the bitmap's pixels premultiplied into `target`, which has room for
// Height() rows of `targetStride` bytes (at least Width() * 4, a multiple of 4).
// InvalidParameter (nothing written) on a failed bitmap or a too-small stride.
ImageStatus CopyToPremultiplied(const Bitmap& bitmap, uint8_t* target, int32_t targetStride);

// A new bitmap of width x height from premultiplied rows `sourceStride` bytes apart.
Bitmap BitmapFromPremultiplied(const uint8_t* source, int32_t width, int32_t height, int32_t sourceStride);

} // namespace kelmora
