#pragma once
// Pictures to and from files, and the encoder look-up the rest of the program uses to
// save images.
//
// Saving never leaves a half-written file: the picture is encoded in memory, written to
// a temporary file in the target's folder and renamed over the target only when it is
// complete. A failed save leaves the old file as it was.

#include "platform/base/Guid.h"
#include "platform/imaging/Bitmap.h"
#include "platform/imaging/DecoderLimits.h"
#include "platform/imaging/ImageCodec.h"

#include <filesystem>
#include <string_view>

namespace kelmora {

// Reads and decodes the file. FileNotFound when there is no such file, AccessDenied when
// it may not be read, ValueOverflow for a file over limits.maxFileBytes; otherwise the
// status of DecodeImage.
Bitmap LoadImageFile(const std::filesystem::path& path, const DecoderLimits& limits = {});

// Encodes the bitmap with the encoder of that identity and replaces the file at `path`
// with the result. Ok, or why nothing was written: InvalidParameter for a failed bitmap,
// UnknownImageFormat for an unknown encoder, AccessDenied, or Win32Error for a failed
// write or rename.
ImageStatus SaveImage(const Bitmap& bitmap, const std::filesystem::path& path, const Guid& encoderClsid,
    const EncoderOptions& options = {});

// Writes `bytes` to `path` through a temporary file in the same folder, renamed over the
// target when complete. A new file gets the usual permissions (0666 less the umask), a
// replaced file keeps its own; a symbolic link is followed to the file it names.
ImageStatus ReplaceFileContents(const std::filesystem::path& path, std::span<const uint8_t> bytes);

// Copies into *clsid the identity of the encoder whose MIME type equals `mimeType`
// exactly (case matters) and returns true; false, with *clsid untouched, when there is
// none.
bool GetEncoderClsid(std::string_view mimeType, Guid* clsid);

// Saves the image to `path` with the encoder for MIME type "image/" + extension
// ("png", "bmp", "jpeg", "tiff" or "gif"; no other extension has an encoder, so
// "jpg" writes nothing) and the encoder's defaults. True when the file was written.
// The status of the save is kept as the image's last status; when no encoder matches,
// nothing is written and the image is left alone.
bool SaveImageFile(std::string_view extension, const std::filesystem::path& path, Bitmap& image);

} // namespace kelmora
