// Painting stamps (Stamp.h). A stamp moved by whole pixels needs no resampling, only the
// source-over blend of its pixels, so on a plain pixel surface whose clip is a set of
// pixel rectangles the pixels are blended here directly, without a cairo call per stamp:
// thousands of selected objects put tens of thousands of marks on the screen at every
// paint. Any other target or clip goes through cairo, one surface fill per stamp.

#include "platform/graphics/Graphics.h"
#include "platform/graphics/Stamp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace kelmora {

namespace {

// Points farther out than this many device pixels are off every surface; checking keeps
// the pixel arithmetic within int.
constexpr double kFarthestPixel = 1e8;

// Premultiplied source over destination, with the rounded division by 255 that cairo's
// own compositing uses, two channels at a time. An opaque source gives the source and a
// clear one the destination unchanged, so no pixel needs a test of its own.
template <typename Pixels>
[[gnu::always_inline]] inline Pixels Over(Pixels source, Pixels target)
{
    const Pixels keep = 255u - (source >> 24);
    Pixels rb = (target & 0x00FF00FFu) * keep + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    Pixels ag = ((target >> 8) & 0x00FF00FFu) * keep + 0x00800080u;
    ag = ((ag + ((ag >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    return source + (rb | (ag << 8));
}

// Four pixels blended at once; the compiler keeps them in one vector register.
constexpr int kLanes = Stamp::kRunLanes;
using FourPixels = uint32_t __attribute__((vector_size(kLanes * sizeof(uint32_t))));

struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Empty() const { return left >= right || top >= bottom; }
};

// std::floor for a value well inside int, without the call into the maths library that
// processors without a rounding instruction need.
inline int FloorToInt(double value)
{
    const int truncated = int(value);
    return value < truncated ? truncated - 1 : truncated;
}

// The device pixel of the stamp's top-left picture pixel when its origin goes on the
// pixel that `at` falls in; nothing for a point off every surface. The point is moved as
// cairo_matrix_transform_point moves it, without a call into cairo for each of the
// hundreds of thousands of marks a paint can hold.
inline std::optional<std::pair<int, int>> Placement(const cairo_matrix_t& device, const StampAt& stamp)
{
    const double x = double(stamp.at.X);
    const double y = double(stamp.at.Y);
    const double deviceX = (device.xx * x + device.xy * y) + device.x0;
    const double deviceY = (device.yx * x + device.yy * y) + device.y0;
    if (!(std::abs(deviceX) < kFarthestPixel) || !(std::abs(deviceY) < kFarthestPixel))
        return std::nullopt;
    return std::pair{FloorToInt(deviceX) - stamp.stamp->OriginX(), FloorToInt(deviceY) - stamp.stamp->OriginY()};
}

// Blends the pixels (one or a vector of them) at `from` over those at `to`, and steps both
// past them.
template <class Pixels>
[[gnu::always_inline]] inline void BlendNext(const unsigned char*& from, unsigned char*& to)
{
    Pixels s;
    Pixels t;
    std::memcpy(&s, from, sizeof s);
    std::memcpy(&t, to, sizeof t);
    t = Over(s, t);
    std::memcpy(to, &t, sizeof t);
    from += sizeof s;
    to += sizeof t;
}

// Blends the stamp's painted pixels with its top-left pixel at (left, top) of the target,
// inside the clip box. Where the processor has them, wider instructions with a 32-bit
// multiply do the blend; the pixels are the same either way.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void Blend(const Stamp& stamp, int left, int top, const PixelBox& clip, unsigned char* target, int targetStride)
{
    const unsigned char* source = stamp.Pixels();
    const int sourceStride = stamp.Stride();
    if (left + stamp.Left() >= clip.left && left + stamp.RunsRight() <= clip.right
        && top + stamp.FirstRow() >= clip.top && top + stamp.EndRow() <= clip.bottom) {
        // Wholly inside the clip, as nearly every mark is: its runs as they were found.
        for (const Stamp::Run& run : stamp.Runs()) {
            const unsigned char* from = source + size_t(run.row) * size_t(sourceStride) + size_t(run.first) * 4;
            unsigned char* to =
                target + size_t(top + run.row) * size_t(targetStride) + size_t(left + run.first) * 4;
            int x = run.first;
            for (; x + kLanes <= run.end; x += kLanes)
                BlendNext<FourPixels>(from, to);
            for (; x < run.end; ++x)
                BlendNext<uint32_t>(from, to);
        }
        return;
    }
    const int firstY = std::max(top + stamp.FirstRow(), clip.top);
    const int endY = std::min(top + stamp.EndRow(), clip.bottom);
    for (int y = firstY; y < endY; ++y) {
        const int row = y - top;
        const int firstX = std::max(left + stamp.RowFirst(row), clip.left);
        const int endX = std::min(left + stamp.RowEnd(row), clip.right);
        if (firstX >= endX)
            continue;
        // The pixels of the picture beside a row's painted ones are clear and blend to
        // what is there: the row is widened into them to whole vectors where it can be.
        const int widest = std::min(left + stamp.Picture().Width(), clip.right);
        const int wideEnd = std::min(firstX + (endX - firstX + kLanes - 1) / kLanes * kLanes, std::max(widest, endX));
        const unsigned char* from = source + size_t(row) * size_t(sourceStride) + size_t(firstX - left) * 4;
        unsigned char* to = target + size_t(y) * size_t(targetStride) + size_t(firstX) * 4;
        int x = firstX;
        for (; x + kLanes <= wideEnd; x += kLanes)
            BlendNext<FourPixels>(from, to);
        for (; x < wideEnd; ++x)
            BlendNext<uint32_t>(from, to);
    }
}

// Blends the stamps into the context's target when it is an image surface of 32-bit pixels,
// drawn on with source-over, at one pixel per device unit and a whole-pixel offset, whose
// clip is pixel rectangles; false, touching nothing, for any other.
bool BlendStamps(cairo_t* cr, const cairo_matrix_t& device, std::span<const StampAt> stamps)
{
    cairo_surface_t* target = cairo_get_group_target(cr);
    if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE || cairo_get_operator(cr) != CAIRO_OPERATOR_OVER)
        return false;
    const cairo_format_t format = cairo_image_surface_get_format(target);
    double scaleX = 0.0;
    double scaleY = 0.0;
    double offsetX = 0.0;
    double offsetY = 0.0;
    cairo_surface_get_device_scale(target, &scaleX, &scaleY);
    cairo_surface_get_device_offset(target, &offsetX, &offsetY);
    if ((format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) || scaleX != 1.0 || scaleY != 1.0
        || offsetX != std::floor(offsetX) || offsetY != std::floor(offsetY) || !(std::abs(offsetX) < kFarthestPixel)
        || !(std::abs(offsetY) < kFarthestPixel))
        return false;
    // The clip in device units, as the identity transform gives it.
    cairo_identity_matrix(cr);
    cairo_rectangle_list_t* clip = cairo_copy_clip_rectangle_list(cr);
    if (clip->status != CAIRO_STATUS_SUCCESS) {
        cairo_rectangle_list_destroy(clip);
        return false;
    }

    const int dx = int(offsetX);
    const int dy = int(offsetY);
    const int width = cairo_image_surface_get_width(target);
    const int height = cairo_image_surface_get_height(target);
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    // The rectangles do not overlap: each takes every stamp in turn.
    for (int i = 0; i < clip->num_rectangles; ++i) {
        const cairo_rectangle_t& r = clip->rectangles[i];
        const PixelBox box{std::max(int(std::lround(r.x)) + dx, 0), std::max(int(std::lround(r.y)) + dy, 0),
                           std::min(int(std::lround(r.x + r.width)) + dx, width),
                           std::min(int(std::lround(r.y + r.height)) + dy, height)};
        if (box.Empty())
            continue;
        for (const StampAt& s : stamps) {
            if (const std::optional<std::pair<int, int>> at = Placement(device, s))
                Blend(*s.stamp, at->first + dx, at->second + dy, box, data, stride);
        }
    }
    cairo_rectangle_list_destroy(clip);
    cairo_surface_mark_dirty(target);
    return true;
}

} // namespace

bool Graphics::DrawStamps(std::span<const StampAt> stamps)
{
    const std::optional<cairo_matrix_t> device = DeviceMatrix(m_state.world);
    if (!device)
        return false;
    const std::optional<Matrix> transform = GetDeviceTransform();
    if (!transform)
        return false;
    // A handful of stamps serve many marks: each is checked once.
    std::array<const Stamp*, 8> checked{};
    size_t checkedCount = 0;
    for (const StampAt& s : stamps) {
        if (!s.stamp || !s.at.IsFinite())
            return false;
        const auto end = checked.begin() + checkedCount;
        if (std::find(checked.begin(), end, s.stamp) != end)
            continue;
        if (!s.stamp->Fits(*transform, GetSmoothingMode()))
            return false;
        if (checkedCount < checked.size())
            checked[checkedCount++] = s.stamp;
    }
    if (stamps.empty() || BlendStamps(m_cr, *device, stamps))
        return true;

    cairo_identity_matrix(m_cr);
    cairo_new_path(m_cr);
    for (const StampAt& s : stamps) {
        const std::optional<std::pair<int, int>> at = Placement(*device, s);
        if (!at)
            continue;
        const Stamp& stamp = *s.stamp;
        cairo_set_source_surface(m_cr, stamp.Picture().CairoSurface(), at->first, at->second);
        cairo_pattern_set_filter(cairo_get_source(m_cr), CAIRO_FILTER_NEAREST);
        cairo_rectangle(m_cr, at->first + stamp.Left(), at->second + stamp.FirstRow(), stamp.Right() - stamp.Left(),
                        stamp.EndRow() - stamp.FirstRow());
        cairo_fill(m_cr);
    }
    return true;
}

} // namespace kelmora
