#pragma once
// PNG decoding and encoding.
//
// Every PNG colour type and depth decodes to 8-bit straight ARGB; 16-bit channels are
// scaled to 8 bits, palettes and transparency chunks become alpha. Encoding writes
// 8-bit RGBA, non-interlaced, so alpha survives a round trip exactly. The pHYs chunk
// carries the resolution both ways.

#include "platform/imaging/Bitmap.h"
#include "platform/imaging/DecoderLimits.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kelmora {

bool HasPngSignature(std::span<const uint8_t> bytes);

// A failed bitmap on damaged or truncated data (GenericError), sizes beyond `limits`
// (ValueOverflow) or lack of memory (OutOfMemory).
Bitmap DecodePng(std::span<const uint8_t> bytes, const DecoderLimits& limits = {});

// Appends the PNG file to `out`; on failure `out` is left as it was.
ImageStatus EncodePng(const Bitmap& bitmap, std::vector<uint8_t>& out);

} // namespace kelmora
