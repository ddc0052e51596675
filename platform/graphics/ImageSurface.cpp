#include "platform/graphics/ImageSurface.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace kelmora {

std::optional<ImageSurface> ImageSurface::Create(int width, int height)
{
    if (width < 1 || height < 1 || width > kMaxSurfaceSide || height > kMaxSurfaceSide)
        return std::nullopt;
    if (int64_t(width) * height * 4 > kMaxSurfaceBytes)
        return std::nullopt;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return std::nullopt;
    }
    return ImageSurface(surface, width, height);
}

ImageSurface::ImageSurface(ImageSurface&& other) noexcept
    : m_surface(std::exchange(other.m_surface, nullptr)), m_width(other.m_width), m_height(other.m_height)
{
}

ImageSurface& ImageSurface::operator=(ImageSurface&& other) noexcept
{
    if (this != &other) {
        if (m_surface)
            cairo_surface_destroy(m_surface);
        m_surface = std::exchange(other.m_surface, nullptr);
        m_width = other.m_width;
        m_height = other.m_height;
    }
    return *this;
}

ImageSurface::~ImageSurface()
{
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

std::optional<Color> ImageSurface::GetPixel(int x, int y) const
{
    if (!m_surface || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return std::nullopt;
    cairo_surface_flush(m_surface);
    const unsigned char* row = cairo_image_surface_get_data(m_surface) + size_t(y) * size_t(cairo_image_surface_get_stride(m_surface));
    uint32_t premultiplied = 0;
    std::memcpy(&premultiplied, row + size_t(x) * 4, 4);
    uint32_t a = premultiplied >> 24;
    if (a == 0)
        return Color(0);
    auto straight = [a](uint32_t c) { return uint8_t(std::min<uint32_t>(255, (c * 255 + a / 2) / a)); };
    return Color(uint8_t(a), straight((premultiplied >> 16) & 0xFF), straight((premultiplied >> 8) & 0xFF),
                 straight(premultiplied & 0xFF));
}

} // namespace kelmora
