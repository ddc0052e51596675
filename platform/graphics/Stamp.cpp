#include "platform/graphics/Stamp.h"

#include "platform/graphics/Graphics.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelmora {

namespace {

// Antialiased edges and outlines reach past the shape's own bounds by up to half a pen
// width and one pixel of coverage: the picture keeps this many pixels of room around the
// reach on every side.
constexpr double kEdgePixels = 2.0;

Matrix LinearPart(const Matrix& m)
{
    return Matrix(m.M11(), m.M12(), m.M21(), m.M22(), 0.0f, 0.0f);
}

} // namespace

Stamp::Stamp(ImageSurface picture, const Matrix& linear, bool smooth, int originX, int originY)
    : m_picture(std::move(picture)), m_linear(linear), m_smooth(smooth), m_originX(originX), m_originY(originY)
{
}

std::optional<Stamp> Stamp::Create(const Graphics& target, const RectF& reach,
                                   const std::function<void(Graphics&)>& draw)
{
    const std::optional<Matrix> device = target.GetDeviceTransform();
    if (!device || !reach.IsFinite())
        return std::nullopt;
    const Matrix linear = LinearPart(*device);

    // The reach on the device, with the origin and the room for antialiasing.
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    for (PointF corner : {PointF(reach.X, reach.Y), PointF(reach.GetRight(), reach.Y),
                          PointF(reach.X, reach.GetBottom()), PointF(reach.GetRight(), reach.GetBottom())}) {
        const PointF p = linear.TransformPoint(corner);
        left = std::min(left, double(p.X));
        top = std::min(top, double(p.Y));
        right = std::max(right, double(p.X));
        bottom = std::max(bottom, double(p.Y));
    }
    left = std::floor(left - kEdgePixels);
    top = std::floor(top - kEdgePixels);
    right = std::ceil(right + kEdgePixels);
    bottom = std::ceil(bottom + kEdgePixels);
    if (!(right - left < kMaxStampSide) || !(bottom - top < kMaxStampSide))
        return std::nullopt;
    const int originX = int(-left);
    const int originY = int(-top);
    std::optional<ImageSurface> picture = ImageSurface::Create(int(right - left) + 1, int(bottom - top) + 1);
    if (!picture)
        return std::nullopt;
    {
        Graphics g(*picture);
        const Matrix placed(linear.M11(), linear.M12(), linear.M21(), linear.M22(), float(originX), float(originY));
        if (!g.SetTransform(placed))
            return std::nullopt;
        g.SetSmoothingMode(target.GetSmoothingMode());
        draw(g);
    }
    Stamp stamp(std::move(*picture), linear, Antialiases(target.GetSmoothingMode()), originX, originY);
    stamp.FindPaintedPixels();
    return stamp;
}

bool Stamp::Fits(const Graphics& target) const
{
    const std::optional<Matrix> device = target.GetDeviceTransform();
    return device && Fits(*device, target.GetSmoothingMode());
}

bool Stamp::Fits(const Matrix& device, SmoothingMode smoothing) const
{
    return LinearPart(device) == m_linear && Antialiases(smoothing) == m_smooth;
}

void Stamp::FindPaintedPixels()
{
    cairo_surface_t* surface = m_picture.CairoSurface();
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    m_pixels = data;
    m_stride = stride;
    m_rows.assign(size_t(m_picture.Height()), Span{});
    m_runs.clear();
    m_firstRow = m_picture.Height();
    m_endRow = 0;
    m_left = m_picture.Width();
    m_right = 0;
    for (int y = 0; y < m_picture.Height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
        int first = 0;
        while (first < m_picture.Width() && row[first] == 0)
            ++first;
        if (first == m_picture.Width())
            continue;
        int end = m_picture.Width();
        while (row[end - 1] == 0)
            --end;
        m_rows[size_t(y)] = Span{first, end};
        for (int x = first; x < end;) {
            int runEnd = x + 1;
            for (int clear = 0; runEnd + clear < end;) {
                if (row[runEnd + clear] != 0) {
                    runEnd += clear + 1;
                    clear = 0;
                } else if (++clear >= kRunGap) {
                    break;
                }
            }
            const int widened = std::min(x + (runEnd - x + kRunLanes - 1) / kRunLanes * kRunLanes, m_picture.Width());
            m_runs.push_back(Run{y, x, widened});
            x = runEnd;
            while (x < end && row[x] == 0)
                ++x;
        }
        m_firstRow = std::min(m_firstRow, y);
        m_endRow = y + 1;
        m_left = std::min(m_left, first);
        m_right = std::max(m_right, end);
    }
    if (m_endRow == 0)
        m_firstRow = m_left = m_right = 0;
    m_runsRight = m_right;
    for (const Run& run : m_runs)
        m_runsRight = std::max(m_runsRight, run.end);
}

} // namespace kelmora
