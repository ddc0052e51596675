// Drawing bitmaps: the picture goes to cairo premultiplied as a surface pattern whose
// matrix maps device space back onto the source rectangle. The premultiplied surface,
// with the attributes applied, comes from the picture cache where there is one
// (PictureCache.h), so that a picture drawn again is not converted again.

#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageAttributes.h"
#include "platform/graphics/PictureCache.h"
#include "platform/imaging/Bitmap.h"
#include "platform/imaging/PremultipliedPixels.h"

#include <array>
#include <cmath>

namespace kelmora {

namespace {

// The device matrix puts pixel centres on integer world coordinates, so that a line on
// a whole coordinate is crisp. A picture is a grid of areas instead: its pixel i spans
// [i, i + 1] in source coordinates, and the destination is laid on the device grid
// without that half-pixel offset, so that a picture at its own size on whole units
// covers whole device pixels, turned or not.
constexpr double kPixelCentreOffset = 0.5;

bool AllFinite(std::span<const PointF> points)
{
    for (const PointF& p : points) {
        if (!p.IsFinite())
            return false;
    }
    return true;
}

bool IsFinite(const RectF& r)
{
    return std::isfinite(r.X) && std::isfinite(r.Y) && std::isfinite(r.Width) && std::isfinite(r.Height);
}

// A premultiplied surface of the whole bitmap with the attributes applied; null when
// cairo cannot hold it.
cairo_surface_t* CreateSourceSurface(const Bitmap& image, const ImageAttributes* attributes)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.Width(), image.Height());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    if (attributes && attributes->ChangesBitmaps()) {
        const ImageAttributes::BitmapAdjustment adjust = attributes->PrepareForBitmaps();
        for (int32_t y = 0; y < image.Height(); ++y) {
            const uint32_t* source = image.Row(y);
            auto* target = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
            for (int32_t x = 0; x < image.Width(); ++x)
                target[x] = PremultiplyPixel(adjust(source[x]));
        }
    } else if (CopyToPremultiplied(image, data, stride) != ImageStatus::Ok) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

// The premultiplied surface of the bitmap with the attributes applied, from the picture
// cache when it holds one, else made (and then kept); a new reference, or null.
cairo_surface_t* SourceSurface(const Bitmap& image, const ImageAttributes* attributes)
{
    PictureCache* cache = PictureCache::ForCurrentThread();
    if (!cache)
        return CreateSourceSurface(image, attributes);
    std::vector<float> settings = attributes ? attributes->BitmapSettings() : std::vector<float>();
    if (cairo_surface_t* kept = cache->Find(image, settings))
        return kept;
    cairo_surface_t* surface = CreateSourceSurface(image, attributes);
    if (surface)
        cache->Keep(image, std::move(settings), surface);
    return surface;
}

} // namespace

bool Graphics::DrawImage(const Bitmap& image, std::span<const PointF> destPoints, const RectF& sourceRect,
                         const ImageAttributes* attributes)
{
    if (!image.IsOk() || destPoints.size() != 3 || !AllFinite(destPoints) || !IsFinite(sourceRect))
        return false;
    if (sourceRect.Width == 0.0f || sourceRect.Height == 0.0f)
        return false;
    auto device = DeviceMatrix(m_state.world);
    if (!device)
        return false;
    cairo_matrix_t offset;
    cairo_matrix_init_translate(&offset, -kPixelCentreOffset, -kPixelCentreOffset);
    cairo_matrix_multiply(&*device, &*device, &offset);

    // Source coordinates to world: the source rectangle's corners onto the three points.
    const PointF d0 = destPoints[0];
    const PointF d1 = destPoints[1];
    const PointF d2 = destPoints[2];
    const double xx = (double(d1.X) - d0.X) / sourceRect.Width;
    const double yx = (double(d1.Y) - d0.Y) / sourceRect.Width;
    const double xy = (double(d2.X) - d0.X) / sourceRect.Height;
    const double yy = (double(d2.Y) - d0.Y) / sourceRect.Height;
    cairo_matrix_t sourceToWorld;
    cairo_matrix_init(&sourceToWorld, xx, yx, xy, yy, d0.X - sourceRect.X * xx - sourceRect.Y * xy,
                      d0.Y - sourceRect.X * yx - sourceRect.Y * yy);
    cairo_matrix_t deviceToPattern;
    cairo_matrix_multiply(&deviceToPattern, &sourceToWorld, &*device);
    if (cairo_matrix_invert(&deviceToPattern) != CAIRO_STATUS_SUCCESS)
        return false;
    for (double v : {deviceToPattern.xx, deviceToPattern.yx, deviceToPattern.xy, deviceToPattern.yy,
                     deviceToPattern.x0, deviceToPattern.y0}) {
        if (!std::isfinite(v))
            return false;
    }

    cairo_surface_t* surface = SourceSurface(image, attributes);
    if (!surface)
        return false;
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
    cairo_surface_destroy(surface);
    cairo_pattern_set_matrix(pattern, &deviceToPattern);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_BILINEAR);

    const std::array<PointF, 4> corners = {d0, d1, PointF(d1.X + d2.X - d0.X, d1.Y + d2.Y - d0.Y), d2};
    cairo_save(m_cr);
    cairo_identity_matrix(m_cr);
    cairo_new_path(m_cr);
    for (const PointF& corner : corners) {
        double x = corner.X;
        double y = corner.Y;
        cairo_matrix_transform_point(&*device, &x, &y);
        cairo_line_to(m_cr, x, y);
    }
    cairo_close_path(m_cr);
    cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_WINDING);
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_DEFAULT);
    cairo_set_source(m_cr, pattern);
    cairo_fill(m_cr);
    cairo_restore(m_cr);
    cairo_pattern_destroy(pattern);
    return true;
}

bool Graphics::DrawImage(const Bitmap& image, const RectF& destRect, const RectF& sourceRect,
                         const ImageAttributes* attributes)
{
    const std::array<PointF, 3> points = {
        PointF(destRect.X, destRect.Y),
        PointF(destRect.X + destRect.Width, destRect.Y),
        PointF(destRect.X, destRect.Y + destRect.Height),
    };
    return DrawImage(image, points, sourceRect, attributes);
}

bool Graphics::DrawImage(const Bitmap& image, const RectF& destRect)
{
    return DrawImage(image, destRect, RectF(0.0f, 0.0f, float(image.Width()), float(image.Height())));
}

} // namespace kelmora
