#include "platform/graphics/TextureBrush.h"
#include "platform/graphics/CairoMatrix.h"

#include "platform/imaging/PremultipliedPixels.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace kelmora {

namespace {

// cairo image surfaces are limited to this many pixels a side; a flipped tile is two
// tiles wide or high.
constexpr int kMaxCairoSide = 32767;

// cairo samples a surface pattern through a 16.16 fixed-point transform from device
// pixels to pattern pixels; an element of that transform's linear part at or beyond this
// cannot be represented, and cairo then puts the context into its out-of-memory error
// state for good. Such a brush shrinks its picture more than 32,767 times: it paints
// nothing.
constexpr double kMaxSamplingStep = 32767.0;
// No device pixel of a surface (at most kMaxCairoSide a side) maps further than this from
// the pattern origin through a transform whose steps stay below kMaxSamplingStep.
constexpr double kMaxSamplingOffset = 2.0 * kMaxCairoSide * kMaxSamplingStep + kMaxCairoSide;


// Whether cairo can sample the pattern through this device-to-pattern transform. The
// offset of a repeating pattern is first brought into its first period (which changes
// nothing that is drawn); a clamped tile whose offset lies further out than any device
// pixel can reach is not drawn at all.
bool IsSampleable(cairo_matrix_t& deviceToPattern, WrapMode mode, int periodX, int periodY)
{
    for (double element : {deviceToPattern.xx, deviceToPattern.yx, deviceToPattern.xy, deviceToPattern.yy}) {
        if (!(std::abs(element) < kMaxSamplingStep))
            return false;
    }
    if (!std::isfinite(deviceToPattern.x0) || !std::isfinite(deviceToPattern.y0))
        return false;
    if (mode != WrapMode::Clamp) {
        deviceToPattern.x0 = std::fmod(deviceToPattern.x0, double(periodX));
        deviceToPattern.y0 = std::fmod(deviceToPattern.y0, double(periodY));
        return true;
    }
    return std::abs(deviceToPattern.x0) < kMaxSamplingOffset && std::abs(deviceToPattern.y0) < kMaxSamplingOffset;
}

bool FlipsX(WrapMode mode) { return mode == WrapMode::TileFlipX || mode == WrapMode::TileFlipXY; }
bool FlipsY(WrapMode mode) { return mode == WrapMode::TileFlipY || mode == WrapMode::TileFlipXY; }

// The pixels of image inside rect, rounded to whole pixels; a failed bitmap when the
// rectangle is not finite, has no size or reaches outside the image.
Bitmap CutOut(const Bitmap& image, const RectF& rect)
{
    if (!image.IsOk() || !rect.IsFinite())
        return Bitmap::Failed(ImageStatus::InvalidParameter);
    double left = std::round(double(rect.X));
    double top = std::round(double(rect.Y));
    double right = std::round(double(rect.X) + rect.Width);
    double bottom = std::round(double(rect.Y) + rect.Height);
    if (left < 0 || top < 0 || right > image.Width() || bottom > image.Height() || right <= left || bottom <= top)
        return Bitmap::Failed(ImageStatus::InvalidParameter);
    int32_t x0 = int32_t(left);
    int32_t y0 = int32_t(top);
    Bitmap tile = Bitmap::Create(int32_t(right - left), int32_t(bottom - top));
    if (!tile.IsOk())
        return tile;
    for (int32_t y = 0; y < tile.Height(); ++y)
        std::memcpy(tile.Row(y), image.Row(y0 + y) + x0, size_t(tile.Width()) * 4);
    return tile;
}

} // namespace

TextureBrush::TextureBrush(const Bitmap& image, WrapMode wrapMode) : m_tile(image), m_wrapMode(wrapMode)
{
    m_valid = m_tile.IsOk() && IsValidWrapMode(wrapMode);
}

TextureBrush::TextureBrush(const Bitmap& image, WrapMode wrapMode, const RectF& sourceRect)
    : m_tile(CutOut(image, sourceRect)), m_wrapMode(wrapMode)
{
    m_valid = m_tile.IsOk() && IsValidWrapMode(wrapMode);
}

TextureBrush::TextureBrush(const TextureBrush& other)
    : Brush(other), m_tile(other.m_tile), m_wrapMode(other.m_wrapMode), m_transform(other.m_transform),
      m_valid(other.m_valid && m_tile.IsOk())
{
}

TextureBrush& TextureBrush::operator=(const TextureBrush& other)
{
    if (this != &other) {
        DropSurface();
        m_tile = other.m_tile;
        m_wrapMode = other.m_wrapMode;
        m_transform = other.m_transform;
        m_valid = other.m_valid && m_tile.IsOk();
    }
    return *this;
}

TextureBrush::~TextureBrush() { DropSurface(); }

void TextureBrush::DropSurface() const
{
    if (m_surface)
        cairo_surface_destroy(std::exchange(m_surface, nullptr));
}

bool TextureBrush::SetWrapMode(WrapMode wrapMode)
{
    if (!IsValidWrapMode(wrapMode))
        return false;
    m_wrapMode = wrapMode;
    return true;
}

bool TextureBrush::SetTransform(const Matrix& matrix)
{
    if (!matrix.IsFinite() || !matrix.IsInvertible())
        return false;
    m_transform = matrix;
    return true;
}

bool TextureBrush::MultiplyTransform(const Matrix& matrix, MatrixOrder order)
{
    Matrix combined = m_transform;
    combined.Multiply(matrix, order);
    return SetTransform(combined);
}

bool TextureBrush::TranslateTransform(float dx, float dy, MatrixOrder order)
{
    return MultiplyTransform(Matrix::Translation(dx, dy), order);
}

bool TextureBrush::ScaleTransform(float sx, float sy, MatrixOrder order)
{
    return MultiplyTransform(Matrix::Scaling(sx, sy), order);
}

bool TextureBrush::RotateTransform(float degrees, MatrixOrder order)
{
    if (!std::isfinite(degrees))
        return false;
    return MultiplyTransform(Matrix::Rotation(degrees), order);
}

cairo_surface_t* TextureBrush::RepeatSurface() const
{
    if (!m_valid)
        return nullptr;
    if (m_surface && m_surfaceMode == m_wrapMode)
        return m_surface;
    DropSurface();

    int w = m_tile.Width();
    int h = m_tile.Height();
    // A tile too large to be doubled repeats unmirrored.
    bool flipX = FlipsX(m_wrapMode) && 2 * w <= kMaxCairoSide;
    bool flipY = FlipsY(m_wrapMode) && 2 * h <= kMaxCairoSide;
    int width = flipX ? 2 * w : w;
    int height = flipY ? 2 * h : h;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    if (CopyToPremultiplied(m_tile, data, stride) != ImageStatus::Ok) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    auto row = [&](int y) { return reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride)); };
    if (flipX) {
        for (int y = 0; y < h; ++y) {
            uint32_t* pixels = row(y);
            for (int x = 0; x < w; ++x)
                pixels[2 * w - 1 - x] = pixels[x];
        }
    }
    if (flipY) {
        for (int y = 0; y < h; ++y)
            std::memcpy(row(2 * h - 1 - y), row(y), size_t(width) * 4);
    }
    cairo_surface_mark_dirty(surface);
    m_surface = surface;
    m_surfaceMode = m_wrapMode;
    return m_surface;
}

bool TextureBrush::SetAsSource(cairo_t* cr) const
{
    cairo_surface_t* surface = RepeatSurface();
    if (!surface)
        return false;
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
    cairo_pattern_set_extend(pattern, m_wrapMode == WrapMode::Clamp ? CAIRO_EXTEND_NONE : CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_BILINEAR);
    // User (world) space to brush space, then half a pixel on so that tile pixel k, which
    // covers [k, k + 1) of the surface, is centred on brush coordinate k.
    cairo_matrix_t worldToBrush = ToCairoMatrix(m_transform);
    if (cairo_matrix_invert(&worldToBrush) != CAIRO_STATUS_SUCCESS) {
        cairo_pattern_destroy(pattern);
        return false;
    }
    cairo_matrix_t toPixelCentres;
    cairo_matrix_init_translate(&toPixelCentres, 0.5, 0.5);
    cairo_matrix_t userToPattern;
    cairo_matrix_multiply(&userToPattern, &worldToBrush, &toPixelCentres);
    cairo_matrix_t userToDevice;
    cairo_get_matrix(cr, &userToDevice);
    cairo_matrix_t deviceToPattern = userToDevice;
    if (cairo_matrix_invert(&deviceToPattern) != CAIRO_STATUS_SUCCESS) {
        cairo_pattern_destroy(pattern);
        return false;
    }
    cairo_matrix_multiply(&deviceToPattern, &deviceToPattern, &userToPattern);
    if (!IsSampleable(deviceToPattern, m_wrapMode, cairo_image_surface_get_width(surface),
                      cairo_image_surface_get_height(surface))) {
        cairo_pattern_destroy(pattern);
        return false;
    }
    // Back to user space, with the offset of a repeating pattern brought into its first
    // period.
    cairo_matrix_multiply(&userToPattern, &userToDevice, &deviceToPattern);
    cairo_pattern_set_matrix(pattern, &userToPattern);
    bool ok = cairo_pattern_status(pattern) == CAIRO_STATUS_SUCCESS;
    if (ok)
        cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    return ok;
}

} // namespace kelmora
