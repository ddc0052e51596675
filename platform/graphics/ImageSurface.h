#pragma once
// An off-screen 32-bit ARGB pixel surface owned by this object, for drawing with Graphics
// away from the screen (thumbnails, effect layers, tests). Pixels are held premultiplied,
// as cairo keeps them; GetPixel hands them out straight, as GDI+ does.

#include "platform/graphics/Color.h"

#include <cairo.h>

#include <cstdint>
#include <optional>

namespace kelmora {

// Surfaces are bounded: at most this many pixels a side, as GDI+ bitmaps are …
inline constexpr int kMaxSurfaceSide = 32767;
// … and at most this much pixel memory: 16,384 × 16,384 pixels, far above any logo or
// effect layer, below what would starve the machine.
inline constexpr int64_t kMaxSurfaceBytes = int64_t(1) << 30;

class ImageSurface {
public:
    // A fully transparent surface; nothing when a side is below 1 or above the bounds, or
    // cairo cannot make it.
    static std::optional<ImageSurface> Create(int width, int height);

    ImageSurface(ImageSurface&& other) noexcept;
    ImageSurface& operator=(ImageSurface&& other) noexcept;
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;
    ~ImageSurface();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    cairo_surface_t* CairoSurface() const { return m_surface; }

    // The pixel as straight ARGB; nothing outside the surface.
    std::optional<Color> GetPixel(int x, int y) const;

private:
    ImageSurface(cairo_surface_t* surface, int width, int height) : m_surface(surface), m_width(width), m_height(height) { }

    cairo_surface_t* m_surface = nullptr;
    int m_width = 0;
    int m_height = 0;
};

} // namespace kelmora
