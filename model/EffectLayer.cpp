#include "model/EffectLayer.h"

#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"
#include "platform/graphics/SmoothingMode.h"
#include "platform/imaging/ImageFile.h"
#include "platform/imaging/PremultipliedPixels.h"
#include "platform/imaging/StackBlur.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelmora {

std::unique_ptr<EffectLayer> EffectLayer::Create(const RectF& area)
{
    if (!std::isfinite(area.X) || !std::isfinite(area.Y) || !std::isfinite(area.Width)
        || !std::isfinite(area.Height) || !(area.Width > 0.0f) || !(area.Height > 0.0f))
        return nullptr;
    const double left = std::floor(double(area.X));
    const double top = std::floor(double(area.Y));
    const double width = std::ceil(double(area.X) + area.Width) - left;
    const double height = std::ceil(double(area.Y) + area.Height) - top;
    // Positions are bounded too: the layer's corner must be an int, and anything that far
    // away is off every page.
    constexpr double kFar = 1.0e9;
    if (std::fabs(left) > kFar || std::fabs(top) > kFar || width > kMaxSurfaceSide || height > kMaxSurfaceSide
        || width * height * 4.0 > double(kMaxBytes))
        return nullptr;
    std::optional<ImageSurface> surface = ImageSurface::Create(int(width), int(height));
    if (!surface)
        return nullptr;
    return std::unique_ptr<EffectLayer>(new EffectLayer(std::move(*surface), int(left), int(top)));
}

EffectLayer::EffectLayer(ImageSurface surface, int left, int top)
    : m_surface(std::move(surface)), m_graphics(std::make_unique<Graphics>(m_surface)), m_left(left), m_top(top)
{
    m_graphics->SetSmoothingMode(SmoothingMode::AntiAlias);
    m_graphics->SetTransform(Matrix::Translation(float(-left), float(-top)));
}

RectF EffectLayer::Area() const
{
    return RectF(float(m_left), float(m_top), float(m_surface.Width()), float(m_surface.Height()));
}

uint32_t* EffectLayer::BeginPixels()
{
    cairo_surface_t* surface = m_surface.CairoSurface();
    cairo_surface_flush(surface);
    // ARGB32 rows are always width * 4 bytes: no padding between them.
    if (cairo_image_surface_get_stride(surface) != m_surface.Width() * 4)
        return nullptr;
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
}

void EffectLayer::EndPixels()
{
    cairo_surface_mark_dirty(m_surface.CairoSurface());
}

void EffectLayer::BlurAlpha(uint32_t radius, uint32_t emptyColor)
{
    if (radius == 0)
        return;
    uint32_t* pixels = BeginPixels();
    if (!pixels)
        return;
    const size_t count = size_t(m_surface.Width()) * size_t(m_surface.Height());
    UnpremultiplyPixels(pixels, pixels, count);
    const uint32_t emptyRgb = emptyColor & 0x00FFFFFFu;
    for (size_t i = 0; i < count; ++i) {
        if ((pixels[i] >> 24) == 0)
            pixels[i] = emptyRgb;
    }
    StackBlurAlpha(pixels, uint32_t(m_surface.Width()), uint32_t(m_surface.Height()), radius);
    PremultiplyPixels(pixels, pixels, count);
    EndPixels();
}

void EffectLayer::Tint(uint32_t color)
{
    uint32_t* pixels = BeginPixels();
    if (!pixels)
        return;
    const uint32_t scale = color >> 24;
    const uint32_t r = (color >> 16) & 0xFF;
    const uint32_t g = (color >> 8) & 0xFF;
    const uint32_t b = color & 0xFF;
    const size_t count = size_t(m_surface.Width()) * size_t(m_surface.Height());
    for (size_t i = 0; i < count; ++i) {
        // Premultiplied: the colour is scaled by the new alpha.
        const uint32_t a = ((pixels[i] >> 24) * scale + 127) / 255;
        pixels[i] = a << 24 | ((r * a + 127) / 255) << 16 | ((g * a + 127) / 255) << 8 | (b * a + 127) / 255;
    }
    EndPixels();
}

void EffectLayer::FlipVertically()
{
    uint32_t* pixels = BeginPixels();
    if (!pixels)
        return;
    const size_t width = size_t(m_surface.Width());
    for (int top = 0, bottom = m_surface.Height() - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(pixels + size_t(top) * width, pixels + size_t(top + 1) * width, pixels + size_t(bottom) * width);
    EndPixels();
}

void EffectLayer::FadeRows(uint32_t start, uint32_t end, uint32_t shownPercent)
{
    uint32_t* pixels = BeginPixels();
    if (!pixels)
        return;
    const uint32_t s = std::min<uint32_t>(start, 255);
    const uint32_t e = std::min<uint32_t>(end, 255);
    const int height = m_surface.Height();
    const size_t width = size_t(m_surface.Width());
    // Rows from L on vanish; L past the bottom only stretches the fade.
    const double shownRows = std::trunc(double(shownPercent) / 100.0 * height);
    const uint64_t rowsShown = uint64_t(std::min(shownRows, 1.0e12));
    for (int y = 0; y < height; ++y) {
        uint32_t f = 0;
        if (uint64_t(y) < rowsShown) {
            if (s > e)
                f = s - uint32_t(uint64_t(y) * (s - e) / rowsShown);
            else
                f = s + uint32_t(uint64_t(y) * (e - s) / rowsShown);
        }
        uint32_t* row = pixels + size_t(y) * width;
        for (size_t x = 0; x < width; ++x) {
            const uint32_t p = row[x];
            auto scale = [f](uint32_t c) { return c * f / 255; };
            row[x] = scale(p >> 24) << 24 | scale((p >> 16) & 0xFF) << 16 | scale((p >> 8) & 0xFF) << 8
                | scale(p & 0xFF);
        }
    }
    EndPixels();
}

bool EffectLayer::PassThroughPngFile()
{
    uint32_t* pixels = BeginPixels();
    if (!pixels)
        return false;
    const int width = m_surface.Width();
    const int height = m_surface.Height();
    Bitmap bitmap = BitmapFromPremultiplied(reinterpret_cast<const uint8_t*>(pixels), width, height, width * 4);
    std::optional<TempFile> file = TempFile::Create(NewGuidString());
    if (!bitmap.IsOk() || !file || !SaveImageFile("png", file->Path(), bitmap))
        return false;
    const Bitmap loaded = LoadImageFile(file->Path());
    file->Remove();
    if (!loaded.IsOk() || loaded.Width() != width || loaded.Height() != height)
        return false;
    const bool copied =
        CopyToPremultiplied(loaded, reinterpret_cast<uint8_t*>(pixels), width * 4) == ImageStatus::Ok;
    EndPixels();
    return copied;
}

} // namespace kelmora
