#include "dialogs/ColorStatic.h"

#include "dialogs/SurfaceBlit.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/LinearGradientBrush.h"

#include <wx/dcclient.h>

#include <algorithm>
#include <vector>

namespace kelmora {

namespace {

// The row the strip colour is read from.
constexpr int kSampleRow = 10;

} // namespace

CColorStatic::CColorStatic(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxWindow(parent, id, pos, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE)
{
    // The face is painted whole off-screen; no background erase first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CColorStatic::OnPaint, this);
    Reset();
}

void CColorStatic::Reset()
{
    m_bGradient = 0;
    m_clrFill = 0;
    m_clrStart = 0;
    m_clrEnd = 0;
    m_nWrapMode = 0;
    m_stops.clear();
}

void CColorStatic::SetStopColor(int32_t index, uint32_t colour)
{
    if (SetGradientStopColour(m_stops, m_clrStart, m_clrEnd, index, colour))
        Refresh();
}

uint32_t CColorStatic::GetStopColor(int32_t index) const
{
    return GetGradientStopColour(m_stops, m_clrStart, m_clrEnd, index);
}

uint32_t CColorStatic::SampleStripColor(int32_t index, float position)
{
    // Paint the strip without the stop being coloured, so that a stop just added (still
    // with its placeholder colour) does not colour the place it is sampled at.
    GradientStopList others = m_stops;
    if (index >= 0 && size_t(index) < others.size())
        others.erase(others.begin() + index);

    const wxSize client = GetClientSize();
    const int width = std::max(client.x, 1);
    const int height = std::max(client.y, 1);
    const double p = std::clamp(double(position), 0.0, 1.0);
    // Read inside the face even at position 1 or on a strip lower than the sample row.
    const int x = std::min(int(width * p), width - 1);
    const int y = std::min(kSampleRow, height - 1);

    Color sampled;
    if (std::optional<ImageSurface> surface = Render(width, height, others))
        sampled = surface->GetPixel(x, y).value_or(Color());
    const uint32_t colour = 0xFF000000 | (sampled.GetValue() & 0x00FFFFFF);
    if (index >= 0 && size_t(index) < m_stops.size())
        m_stops[size_t(index)].colour = colour;
    Refresh();
    return colour;
}

std::optional<ImageSurface> CColorStatic::RenderClient(int width, int height) const
{
    return Render(width, height, m_stops);
}

std::optional<ImageSurface> CColorStatic::Render(int width, int height, const GradientStopList& stops) const
{
    std::optional<ImageSurface> surface = ImageSurface::Create(width, height);
    if (!surface)
        return surface;
    {
        Graphics graphics(*surface);
        graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
        graphics.Clear(Color(m_clrFill));
        if (m_bGradient != 0) {
            const RectF rect(0, 0, float(width), float(height));
            LinearGradientBrush brush(rect, Color(m_clrStart), Color(m_clrEnd), LinearGradientMode::Horizontal);
            if (!stops.empty()) {
                std::vector<Color> colours{Color(m_clrStart)};
                std::vector<float> positions{0.0f};
                for (const GradientStop& stop : stops) {
                    colours.push_back(Color(stop.colour));
                    positions.push_back(stop.position);
                }
                colours.push_back(Color(m_clrEnd));
                positions.push_back(1.0f);
                // Refused (and the plain two-colour ramp kept) for positions out of order
                // or outside 0..1, as a position typed into the dialog may leave them.
                brush.SetInterpolationColors(colours, positions);
            }
            // The strip fills the brush's own rectangle, so tiling and clamping look alike;
            // the brush refuses clamp and keeps tiling then.
            brush.SetWrapMode(WrapMode(m_nWrapMode));
            brush.SetGammaCorrection(true);
            GraphicsPath path;
            path.AddRectangle(rect);
            graphics.FillPath(brush, path);
        }
    }
    cairo_surface_flush(surface->CairoSurface());
    return surface;
}

void CColorStatic::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize client = GetClientSize();
    if (std::optional<ImageSurface> surface = RenderClient(client.x, client.y))
        BlitSurface(dc, *surface);
}

} // namespace kelmora
