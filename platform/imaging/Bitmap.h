#pragma once
// A 32-bit ARGB raster image held in memory.
//
// Each pixel is one native-endian 32-bit word 0xAARRGGBB with straight (not
// premultiplied) alpha; on a little-endian machine its bytes are B, G, R, A. Rows run
// top to bottom with no padding, so the stride is always width * 4 bytes.
//
// A bitmap carries a status. One that could not be created or decoded keeps the reason
// and holds no pixels: callers may keep it, and drawing it draws nothing. Sizes are
// bounded (kMaxSide a side, kMaxBytes of pixels) so that a hostile or mistaken size
// fails here instead of exhausting memory.

#include "platform/imaging/ImageStatus.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace kelmora {

class Bitmap {
public:
    // The largest side any raster surface may have.
    static constexpr int32_t kMaxSide = 32767;
    // The most pixel memory one bitmap may hold: a 600-dpi A3 page (7016 x 9921 pixels,
    // 278 MB) still fits; a size beyond this is far more likely a damaged or hostile
    // header than a picture anyone draws.
    static constexpr size_t kMaxBytes = size_t(512) << 20;
    // The resolution new bitmaps get: that of an ordinary screen.
    static constexpr float kDefaultResolution = 96.0f;

    // An empty bitmap with status InvalidParameter: no pixels, width and height 0.
    Bitmap() = default;

    // A bitmap of the given size with every pixel 0 (transparent black). Fails with
    // InvalidParameter for a side <= 0, ValueOverflow beyond kMaxSide or kMaxBytes, and
    // OutOfMemory when the memory cannot be had.
    static Bitmap Create(int32_t width, int32_t height);

    // A bitmap without pixels that keeps `status` as the reason.
    static Bitmap Failed(ImageStatus status);

    // Ok when width * height pixels of 4 bytes are allowed: InvalidParameter for a side
    // <= 0, ValueOverflow for a side over kMaxSide or more than maxBytes of pixels.
    static ImageStatus CheckSize(int64_t width, int64_t height, size_t maxBytes = kMaxBytes);

    Bitmap(const Bitmap& other);             // deep copy; OutOfMemory status when it cannot be made
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    ~Bitmap() = default;

    // Ok when the bitmap holds pixels; otherwise why it does not.
    ImageStatus Status() const { return m_status; }
    bool IsOk() const { return m_status == ImageStatus::Ok; }

    // The status of the last operation that reported into this bitmap (a save, for one).
    // It starts as Status().
    ImageStatus LastStatus() const { return m_lastStatus; }
    void SetLastStatus(ImageStatus status) { m_lastStatus = status; }

    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    // Bytes per row: always Width() * 4.
    int32_t Stride() const { return m_width * 4; }

    // Resolution in dots per inch; new and decoded-without-resolution bitmaps have 96.
    float HorizontalResolution() const { return m_dpiX; }
    float VerticalResolution() const { return m_dpiY; }
    // InvalidParameter (and no change) unless both are finite and > 0.
    ImageStatus SetResolution(float dpiX, float dpiY);

    // Row y (0 = top), Width() pixels. y must lie in [0, Height()).
    uint32_t* Row(int32_t y);
    const uint32_t* Row(int32_t y) const;

    // Every pixel, row after row; empty for a failed bitmap.
    std::span<uint32_t> Pixels()
    {
        Touch();
        return m_pixels;
    }
    std::span<const uint32_t> Pixels() const { return m_pixels; }

    // Identifies the pixels for caches of what is drawn from them: the same for copies
    // that hold the same pixels, a new value after every access that can change them (the
    // non-const Row, Pixels and SetPixel). A pointer or span obtained before the bitmap
    // was drawn is fetched again before the pixels are written through it. 0 for a
    // bitmap without pixels.
    uint64_t ContentId() const { return m_contentId; }
    // Alive while this bitmap or a copy of it exists: caches drop what they keep for a
    // bitmap once its lifetime has expired.
    std::weak_ptr<const void> Lifetime() const { return m_lifetime; }

    // One pixel as 0xAARRGGBB. InvalidParameter outside the bitmap or on a failed one.
    ImageStatus GetPixel(int32_t x, int32_t y, uint32_t* argb) const;
    ImageStatus SetPixel(int32_t x, int32_t y, uint32_t argb);

    // True when every pixel has alpha 255.
    bool IsOpaque() const;

    // The encoded bytes this bitmap was decoded from, when its owner asked to keep them:
    // a picture that arrived in a file and could not be decoded is written back unchanged,
    // so that opening and saving a document never loses it. Shared between copies.
    const std::shared_ptr<const std::vector<uint8_t>>& SourceBytes() const { return m_source; }
    void SetSourceBytes(std::shared_ptr<const std::vector<uint8_t>> bytes) { m_source = std::move(bytes); }

private:
    // The pixels may change: they get a new content id.
    void Touch();

    std::vector<uint32_t> m_pixels;
    int32_t m_width = 0;
    int32_t m_height = 0;
    float m_dpiX = kDefaultResolution;
    float m_dpiY = kDefaultResolution;
    ImageStatus m_status = ImageStatus::InvalidParameter;
    ImageStatus m_lastStatus = ImageStatus::InvalidParameter;
    std::shared_ptr<const std::vector<uint8_t>> m_source;
    uint64_t m_contentId = 0;
    std::shared_ptr<const void> m_lifetime;
};

// Channels of a 0xAARRGGBB pixel.
constexpr uint8_t AlphaOf(uint32_t argb) { return uint8_t(argb >> 24); }
constexpr uint8_t RedOf(uint32_t argb) { return uint8_t(argb >> 16); }
constexpr uint8_t GreenOf(uint32_t argb) { return uint8_t(argb >> 8); }
constexpr uint8_t BlueOf(uint32_t argb) { return uint8_t(argb); }
constexpr uint32_t MakeArgb(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

} // namespace kelmora
