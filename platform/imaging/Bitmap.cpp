#include "platform/imaging/Bitmap.h"

#include <atomic>
#include <cassert>
#include <cmath>
#include <new>

namespace kelmora {

namespace {

// Content ids of every thread's bitmaps come from this one counter, so no two pixel
// states ever share one.
std::atomic<uint64_t> g_nextContentId{1};

} // namespace

void Bitmap::Touch()
{
    if (m_contentId != 0)
        m_contentId = g_nextContentId.fetch_add(1, std::memory_order_relaxed);
}

ImageStatus Bitmap::CheckSize(int64_t width, int64_t height, size_t maxBytes)
{
    if (width <= 0 || height <= 0)
        return ImageStatus::InvalidParameter;
    if (width > kMaxSide || height > kMaxSide)
        return ImageStatus::ValueOverflow;
    // Both sides are below 2^15, so the product cannot overflow 64 bits.
    uint64_t bytes = uint64_t(width) * uint64_t(height) * 4;
    if (bytes > maxBytes || bytes > kMaxBytes)
        return ImageStatus::ValueOverflow;
    return ImageStatus::Ok;
}

Bitmap Bitmap::Create(int32_t width, int32_t height)
{
    ImageStatus status = CheckSize(width, height);
    if (status != ImageStatus::Ok)
        return Failed(status);
    Bitmap bitmap;
    try {
        bitmap.m_pixels.assign(size_t(width) * size_t(height), 0u);
    } catch (const std::bad_alloc&) {
        return Failed(ImageStatus::OutOfMemory);
    }
    bitmap.m_width = width;
    bitmap.m_height = height;
    bitmap.m_status = ImageStatus::Ok;
    bitmap.m_lastStatus = ImageStatus::Ok;
    bitmap.m_contentId = g_nextContentId.fetch_add(1, std::memory_order_relaxed);
    bitmap.m_lifetime = std::make_shared<char>(0);
    return bitmap;
}

Bitmap Bitmap::Failed(ImageStatus status)
{
    assert(status != ImageStatus::Ok);
    Bitmap bitmap;
    bitmap.m_status = status;
    bitmap.m_lastStatus = status;
    return bitmap;
}

Bitmap::Bitmap(const Bitmap& other)
    : m_width(other.m_width)
    , m_height(other.m_height)
    , m_dpiX(other.m_dpiX)
    , m_dpiY(other.m_dpiY)
    , m_status(other.m_status)
    , m_lastStatus(other.m_lastStatus)
    , m_source(other.m_source)
    , m_contentId(other.m_contentId)
    , m_lifetime(other.m_lifetime)
{
    try {
        m_pixels = other.m_pixels;
    } catch (const std::bad_alloc&) {
        m_width = m_height = 0;
        m_status = m_lastStatus = ImageStatus::OutOfMemory;
        m_contentId = 0;
        m_lifetime.reset();
    }
}

Bitmap& Bitmap::operator=(const Bitmap& other)
{
    if (this != &other) {
        Bitmap copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : m_pixels(std::move(other.m_pixels))
    , m_width(other.m_width)
    , m_height(other.m_height)
    , m_dpiX(other.m_dpiX)
    , m_dpiY(other.m_dpiY)
    , m_status(other.m_status)
    , m_lastStatus(other.m_lastStatus)
    , m_source(std::move(other.m_source))
    , m_contentId(other.m_contentId)
    , m_lifetime(std::move(other.m_lifetime))
{
    other.m_pixels.clear();
    other.m_width = other.m_height = 0;
    other.m_status = other.m_lastStatus = ImageStatus::InvalidParameter;
    other.m_contentId = 0;
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept
{
    if (this != &other) {
        m_pixels = std::move(other.m_pixels);
        m_width = other.m_width;
        m_height = other.m_height;
        m_dpiX = other.m_dpiX;
        m_dpiY = other.m_dpiY;
        m_status = other.m_status;
        m_lastStatus = other.m_lastStatus;
        m_source = std::move(other.m_source);
        m_contentId = other.m_contentId;
        m_lifetime = std::move(other.m_lifetime);
        other.m_pixels.clear();
        other.m_width = other.m_height = 0;
        other.m_status = other.m_lastStatus = ImageStatus::InvalidParameter;
        other.m_contentId = 0;
    }
    return *this;
}

ImageStatus Bitmap::SetResolution(float dpiX, float dpiY)
{
    if (!std::isfinite(dpiX) || !std::isfinite(dpiY) || dpiX <= 0 || dpiY <= 0)
        return ImageStatus::InvalidParameter;
    m_dpiX = dpiX;
    m_dpiY = dpiY;
    return ImageStatus::Ok;
}

uint32_t* Bitmap::Row(int32_t y)
{
    assert(y >= 0 && y < m_height);
    Touch();
    return m_pixels.data() + size_t(y) * size_t(m_width);
}

const uint32_t* Bitmap::Row(int32_t y) const
{
    assert(y >= 0 && y < m_height);
    return m_pixels.data() + size_t(y) * size_t(m_width);
}

ImageStatus Bitmap::GetPixel(int32_t x, int32_t y, uint32_t* argb) const
{
    if (!IsOk() || !argb || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return ImageStatus::InvalidParameter;
    *argb = Row(y)[x];
    return ImageStatus::Ok;
}

ImageStatus Bitmap::SetPixel(int32_t x, int32_t y, uint32_t argb)
{
    if (!IsOk() || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return ImageStatus::InvalidParameter;
    Row(y)[x] = argb;
    return ImageStatus::Ok;
}

bool Bitmap::IsOpaque() const
{
    for (uint32_t pixel : m_pixels) {
        if (AlphaOf(pixel) != 0xFF)
            return false;
    }
    return true;
}

} // namespace kelmora
