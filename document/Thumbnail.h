#pragma once
// The picture of a drawing behind a document file: a PNG of 64 × 64 pixels with alpha,
// then its length N as an unsigned 32-bit little-endian value at the very end of the file.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace kelmora {

class CDrawDoc;
class Graphics;

inline constexpr int kThumbnailSide = 64;
// The smallest trailer a reader accepts: the PNG signature alone is 8 bytes.
inline constexpr uint32_t kMinThumbnailBytes = 8;

// Draws the document's live objects back to front, scaled uniformly to fit the box
// (x, y, width, height) and centred in it. Nothing is drawn, and the result is false,
// when there is no live object, the box is empty, or the drawing's bounds are not finite
// or have neither width nor height (no scale would fit). The objects are left as they were.
bool DrawAllScaled(CDrawDoc& document, Graphics& g, float x, float y, float width, float height);

// The document's thumbnail encoded as PNG: transparent where nothing is drawn, the paper
// is not painted. Nothing when the picture cannot be made or encoded.
std::optional<std::vector<uint8_t>> RenderThumbnailPng(CDrawDoc& document);

// Appends the document's thumbnail and its length to the file at `target`, and flushes
// the file to disk. False when the picture cannot be made or the file cannot be written
// (a partly written trailer may then be left in the file).
bool AppendThumbnail(CDrawDoc& document, const std::filesystem::path& target);

// The PNG of the trailer of a document file, or nothing when the file has no valid one:
// N must satisfy 8 <= N <= size - 4 and the N bytes must begin with the PNG signature.
std::optional<std::vector<uint8_t>> ReadThumbnail(std::span<const uint8_t> fileBytes);
std::optional<std::vector<uint8_t>> ReadThumbnail(const std::filesystem::path& path);

} // namespace kelmora
