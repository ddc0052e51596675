#pragma once
// The picture of a drawing behind a document file: a PNG of 64 × 64 pixels with alpha,
// then its length N as an unsigned 32-bit little-endian value at the very end of the file.
// Documents get it when they are saved; gallery files that lack one get it when the
// gallery lists them.
//
// The zip reader finds the archive by the last end-record signature ("PK\5\6") within the
// last 64 KiB of the file. A trailer must therefore never hold those four bytes, nor push
// the end record out of that window: either would leave the drawing unopenable. Every
// writer here keeps to both rules, and a failed or short write is cut back off the file.

#include "document/zip/ZipReader.h"
#include "platform/imaging/Bitmap.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace kelmora {

class CDrawDoc;
class Graphics;

inline constexpr int kThumbnailSide = 64;
// The smallest trailer a reader accepts: the PNG signature alone is 8 bytes.
inline constexpr uint32_t kMinThumbnailBytes = 8;
// The largest: a 64-pixel picture takes a few kilobytes; a larger N is damage.
inline constexpr uint32_t kMaxThumbnailBytes = uint32_t(1) << 20;

// Draws the document's live objects back to front, scaled uniformly to fit the box
// (x, y, width, height) and centred in it. Nothing is drawn, and the result is false,
// when there is no live object, the box is empty, or the drawing's bounds are not finite
// or have neither width nor height (no scale would fit). The objects are left as they were.
bool DrawAllScaled(CDrawDoc& document, Graphics& g, float x, float y, float width, float height);

// A transparent side × side picture on which `draw` has drawn (anti-aliased, paths thinned
// to the detail the picture can show: Graphics::SetThinDetail), in straight ARGB; a failed
// bitmap when no surface can be had.
Bitmap RenderThumbnail(int side, const std::function<void(Graphics&)>& draw);

// The document's thumbnail encoded as PNG: transparent where nothing is drawn, the paper
// is not painted. Nothing when the picture cannot be made or encoded.
std::optional<std::vector<uint8_t>> RenderThumbnailPng(CDrawDoc& document);

// The picture encoded as PNG without the zip end-record signature anywhere in it: when an
// encoding holds it, the picture is changed by the least step (one colour bit of one
// pixel at a time) and encoded again. `encode` is the PNG encoder (tests pass their own).
// Nothing when the picture cannot be encoded or no clean encoding is found.
using PngEncoder = std::function<std::optional<std::vector<uint8_t>>(const Bitmap&)>;
std::optional<std::vector<uint8_t>> EncodeThumbnailPng(const Bitmap& picture, const PngEncoder& encode);
std::optional<std::vector<uint8_t>> EncodeThumbnailPng(const Bitmap& picture);

// Whether the bytes hold the zip end-record signature.
bool ContainsZipEndSignature(std::span<const uint8_t> bytes);

// Appends the document's thumbnail and its length to the file at `target`, and flushes
// the file to disk. False when the picture cannot be made or the file cannot be written;
// the file is then as it was.
bool AppendThumbnail(CDrawDoc& document, const std::filesystem::path& target);

// Appends `png` and its length to the drawing file at `path`, flushed to disk. Refused
// (false, the file untouched) when the PNG is empty, too large or holds the zip
// end-record signature, when the file is not writable by this user, or when the zip end
// record would no longer lie within kZipEndRecordWindow of the end afterwards. A failed
// or short write is cut off again.
bool AppendThumbnailTrailer(const std::filesystem::path& path, std::span<const uint8_t> png);

// The PNG of the trailer of a document file, or nothing when the file has no valid one:
// N must satisfy 8 <= N <= size - 4 and N <= kMaxThumbnailBytes, and the N bytes must
// begin with the PNG signature.
std::optional<std::vector<uint8_t>> ReadThumbnail(std::span<const uint8_t> fileBytes);
std::optional<std::vector<uint8_t>> ReadThumbnail(const std::filesystem::path& path);

// The picture of a trailer's PNG, when it decodes and is 64 pixels wide or high (one of
// the two suffices); nothing otherwise.
std::optional<Bitmap> DecodeThumbnail(std::span<const uint8_t> png);

} // namespace kelmora
