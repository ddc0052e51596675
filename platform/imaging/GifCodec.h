#pragma once
// GIF decoding and encoding.
//
// Decoding gives the first frame on the logical screen, with the frame's transparent
// index as alpha 0 and the screen outside the frame transparent. Encoding writes one
// 8-bit frame: colours reduced by the quantiser (exact when there are few enough),
// pixels with alpha below 128 as the transparent index. GIF keeps no resolution.

#include "platform/imaging/Bitmap.h"
#include "platform/imaging/DecoderLimits.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kelmora {

bool HasGifSignature(std::span<const uint8_t> bytes);

Bitmap DecodeGif(std::span<const uint8_t> bytes, const DecoderLimits& limits = {});

// Appends the GIF file to `out`; on failure `out` is left as it was.
ImageStatus EncodeGif(const Bitmap& bitmap, std::vector<uint8_t>& out);

} // namespace kelmora
