#pragma once
// Windows bitmap (BMP) decoding and encoding, written here without an outside library.
//
// Decoding reads the core (12-byte), info (40), v2/v3 (52/56), OS/2 2 (64), v4 (108)
// and v5 (124) headers; 1-, 4- and 8-bit palette pictures, uncompressed or run-length
// encoded (RLE4, RLE8); 16- and 32-bit pictures with the default layout or colour
// masks (including an alpha mask); 24-bit pictures; bottom-up and top-down rows.
// A 32-bit picture without an alpha mask uses its fourth byte as alpha unless that
// byte is 0 everywhere (then the picture is opaque: most writers leave it 0). Pixels
// an RLE picture skips stay transparent.
//
// Encoding writes a 32-bit uncompressed bottom-up file with a 40-byte info header and
// the alpha byte stored, with the resolution in pixels per metre.

#include "platform/imaging/Bitmap.h"
#include "platform/imaging/DecoderLimits.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kelmora {

bool HasBmpSignature(std::span<const uint8_t> bytes);

Bitmap DecodeBmp(std::span<const uint8_t> bytes, const DecoderLimits& limits = {});

// Appends the BMP file to `out`; on failure `out` is left as it was.
ImageStatus EncodeBmp(const Bitmap& bitmap, std::vector<uint8_t>& out);

} // namespace kelmora
