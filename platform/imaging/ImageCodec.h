#pragma once
// The image codecs, one table entry per format, found by MIME type or encoder identity.
//
// Five formats are both decoded and encoded: BMP, JPEG, GIF, TIFF and PNG, listed in
// that order. Decoding recognises the format by the file's signature, never by its name.

#include "platform/base/Guid.h"
#include "platform/imaging/Bitmap.h"
#include "platform/imaging/DecoderLimits.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kelmora {

enum class ImageFormat { Bmp, Jpeg, Gif, Tiff, Png };

struct ImageCodecInfo {
    // The encoder's identity, as GetEncoderClsid hands it out.
    Guid clsid;
    ImageFormat format;
    std::string_view formatDescription; // "BMP", "JPEG", ...
    std::string_view filenameExtensions; // "*.BMP;*.DIB;*.RLE", ...
    std::string_view mimeType;          // "image/bmp", ...
};

// Settings an encoder may take; formats ignore those that do not apply to them.
struct EncoderOptions {
    // JPEG quality 0..100; nothing for the encoder's default (75).
    std::optional<int32_t> quality;
};

// Every codec, in the order BMP, JPEG, GIF, TIFF, PNG.
std::span<const ImageCodecInfo> ImageCodecs();

// The codec whose MIME type equals `mimeType` exactly (case matters), or null.
const ImageCodecInfo* FindCodecByMimeType(std::string_view mimeType);
// The codec with that encoder identity, or null.
const ImageCodecInfo* FindCodecByClsid(const Guid& clsid);

// The format whose signature the bytes begin with.
std::optional<ImageFormat> DetectImageFormat(std::span<const uint8_t> bytes);

// Decodes a picture of any of the formats. The result's status says why it failed:
// UnknownImageFormat for no known signature, ValueOverflow for a size beyond `limits`,
// OutOfMemory, or GenericError for damaged or truncated data.
Bitmap DecodeImage(std::span<const uint8_t> bytes, const DecoderLimits& limits = {});

// Appends the encoded picture to `out` (left as it was on failure). InvalidParameter for
// a failed bitmap; UnknownImageFormat for an identity no codec has.
ImageStatus EncodeImage(const Bitmap& bitmap, ImageFormat format, std::vector<uint8_t>& out,
    const EncoderOptions& options = {});
ImageStatus EncodeImage(const Bitmap& bitmap, const Guid& encoderClsid, std::vector<uint8_t>& out,
    const EncoderOptions& options = {});

} // namespace kelmora
