#pragma once
// TIFF decoding and encoding, in memory.
//
// The first page of a file decodes; 8-bit RGB and RGBA strips are read directly (so
// unassociated alpha survives exactly), every other layout libtiff understands goes
// through its RGBA conversion. Encoding writes one page of 8-bit RGBA with
// unassociated alpha, LZW-compressed, with the resolution in dots per inch.

#include "platform/imaging/Bitmap.h"
#include "platform/imaging/DecoderLimits.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kelmora {

bool HasTiffSignature(std::span<const uint8_t> bytes);

Bitmap DecodeTiff(std::span<const uint8_t> bytes, const DecoderLimits& limits = {});

// Appends the TIFF file to `out`; on failure `out` is left as it was.
ImageStatus EncodeTiff(const Bitmap& bitmap, std::vector<uint8_t>& out);

} // namespace kelmora
