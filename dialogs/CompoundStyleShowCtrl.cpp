#include "dialogs/CompoundStyleShowCtrl.h"

#include "dialogs/SurfaceBlit.h"
#include "model/PenMan.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/Pen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>


namespace kelmora {

namespace {

constexpr float kLineStart = 5.0f;

// The pen preview is first drawn on a probe surface, to see how far its ink reaches
// beyond the corner it is drawn along: caps of any shape and size, miter spikes and the
// calligraphic pen's slant all grow with the pen, so the reach is measured at one width
// and scaled. The probe draws the pen about kProbeInk pixels wide, in the middle of a
// square kProbeSide a side, which leaves room for caps about ten times the width.
constexpr int kProbeSide = 600;
constexpr float kProbeInk = 20.0f;
constexpr float kProbeRun = 180.0f;
// Alpha above which a probe pixel counts as ink (anti-aliased fringes do not).
constexpr uint32_t kInkAlpha = 16;

// How far the ink of a pen drawn along a corner reaches beyond the corner's three points,
// in pixels at scale 1: left of the start, above the horizontal run, right of the corner,
// below the end.
struct InkReach {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

// A corner: a horizontal run from `start` to `corner`, then down to `end`.
void DrawCorner(Graphics& graphics, const PenMan& pen, PointF start, PointF corner, PointF end)
{
    const std::array<PointF, 3> points{start, corner, end};
    GraphicsPath path;
    path.AddLines(points);
    PenMan shown(pen);
    shown.m_rcBounds = path.GetBounds();
    shown.SetPath(path);
    shown.SetMatrix(nullptr);
    if (std::unique_ptr<Pen> built = shown.CreatePen(nullptr))
        graphics.DrawPath(*built, path);
}

// The pen drawn along the probe's corner at `scale`; nothing when it draws no ink, or
// when its ink reaches the probe's edge (it may reach further).
std::optional<InkReach> ProbeInkReach(const PenMan& pen, float scale)
{
    std::optional<ImageSurface> probe = ImageSurface::Create(kProbeSide, kProbeSide);
    if (!probe)
        return std::nullopt;
    const float x0 = (kProbeSide - kProbeRun) / 2.0f;
    const float y0 = x0;
    const float x1 = x0 + kProbeRun;
    const float y1 = y0 + kProbeRun;
    {
        Graphics graphics(*probe);
        graphics.ScaleTransform(scale, scale);
        DrawCorner(graphics, pen, PointF(x0 / scale, y0 / scale), PointF(x1 / scale, y0 / scale),
                   PointF(x1 / scale, y1 / scale));
    }
    cairo_surface_t* surface = probe->CairoSurface();
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    int left = kProbeSide, top = kProbeSide, right = -1, bottom = -1;
    for (int y = 0; y < kProbeSide; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + ptrdiff_t(y) * stride);
        for (int x = 0; x < kProbeSide; ++x) {
            if ((row[x] >> 24) > kInkAlpha) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0 || left == 0 || top == 0 || right == kProbeSide - 1 || bottom == kProbeSide - 1)
        return std::nullopt;
    const auto reach = [scale](float beyond) { return std::max(0.0f, beyond) / scale; };
    return InkReach{reach(x0 - float(left)), reach(y0 - float(top)), reach(float(right + 1) - x1),
                    reach(float(bottom + 1) - y1)};
}

std::optional<InkReach> MeasureInkReach(const PenMan& pen)
{
    // The widest the pen draws, calligraphic stretch included.
    const float widest = std::max(pen.m_fWidth, 1.0f) * float(std::max({pen.m_nScaleX, pen.m_nScaleY, 100})) / 100.0f;
    float scale = std::min(1.0f, kProbeInk / widest);
    // Caps far larger than the pen is wide reach past the probe: smaller, once or twice.
    for (int attempt = 0; attempt < 3 && std::isfinite(scale) && scale > 0.0f; ++attempt, scale /= 8.0f)
        if (std::optional<InkReach> reach = ProbeInkReach(pen, scale))
            return reach;
    return std::nullopt;
}

} // namespace

CCompoundStyleShowCtrl::CCompoundStyleShowCtrl(wxWindow* parent, wxWindowID id, int lineLength)
    : wxControl(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE)
    , m_nLineLength(lineLength)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize();
    Bind(wxEVT_PAINT, &CCompoundStyleShowCtrl::OnPaint, this);
}

wxSize CCompoundStyleShowCtrl::DoGetBestClientSize() const
{
    const int m = int(m_fLineWidth);
    return m_pPen ? wxSize(m_nLineLength + 2 * m + 20, 6 * m) : wxSize(m_nLineLength + 5, 2 * m + 10);
}

void CCompoundStyleShowCtrl::SetCompoundArray(std::span<const float> array)
{
    m_compoundArray.assign(array.begin(), array.end());
    Refresh();
}

void CCompoundStyleShowCtrl::OnPaint(wxPaintEvent&)
{
    PaintOffscreen(*this, [this](ImageSurface& surface) { Render(surface); });
}

void CCompoundStyleShowCtrl::Render(ImageSurface& surface) const
{
    Graphics graphics(surface);
    graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
    graphics.Clear(m_clrBack);
    const float h = float(surface.Height());

    if (!m_pPen) {
        if (!m_compoundArray.empty() && !IsUsableCompoundArray(m_compoundArray))
            return;
        Pen pen(m_clrLine, m_fLineWidth);
        if (!m_compoundArray.empty())
            pen.SetCompoundArray(m_compoundArray);
        GraphicsPath line;
        line.AddLine(kLineStart, h / 2, float(m_nLineLength), h / 2);
        graphics.DrawPath(pen, line);
        return;
    }

    // A corner: a horizontal run, then down, laid out so that all the ink shows with a
    // margin round it. A pen too wide for that at one pixel per unit is drawn smaller,
    // keeping each run at least a third of the preview long.
    const std::optional<InkReach> reach = MeasureInkReach(*m_pPen);
    if (!reach)
        return;
    const float w = float(surface.Width());
    const float margin = std::max(8.0f, std::min(w, h) / 10.0f);
    const auto fit = [](float room, float needed) { return needed > 0.0f ? room / needed : 1.0f; };
    float scale = std::min({1.0f, fit(w - 2 * margin - w / 3, reach->left + reach->right),
                            fit(h - 2 * margin - h / 3, reach->top + reach->bottom)});
    if (!(scale > 0.0f))
        return;
    const PointF start(margin + scale * reach->left, margin + scale * reach->top);
    const PointF corner(w - margin - scale * reach->right, start.Y);
    const PointF end(corner.X, h - margin - scale * reach->bottom);
    graphics.ScaleTransform(scale, scale);
    DrawCorner(graphics, *m_pPen, PointF(start.X / scale, start.Y / scale), PointF(corner.X / scale, corner.Y / scale),
               PointF(end.X / scale, end.Y / scale));
}

} // namespace kelmora
