#pragma once
// JPEG decoding and encoding.
//
// Greyscale, YCbCr and (Adobe) CMYK pictures decode to opaque ARGB. A stream that ends
// before the last scan line is complete fails; a stream that merely lacks its end
// marker decodes. Encoding writes baseline JFIF with the given quality and drops alpha.

#include "platform/imaging/Bitmap.h"
#include "platform/imaging/DecoderLimits.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kelmora {

// The quality encoders use when none is given.
constexpr int32_t kDefaultJpegQuality = 75;

bool HasJpegSignature(std::span<const uint8_t> bytes);

Bitmap DecodeJpeg(std::span<const uint8_t> bytes, const DecoderLimits& limits = {});

// Quality 0..100 (clamped); lower compresses more. Appends to `out`; on failure `out`
// is left as it was.
ImageStatus EncodeJpeg(const Bitmap& bitmap, std::vector<uint8_t>& out, int32_t quality = kDefaultJpegQuality);

} // namespace kelmora
