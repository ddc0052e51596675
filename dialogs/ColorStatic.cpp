#include "dialogs/ColorStatic.h"

#include "dialogs/SurfaceBlit.h"
#include "model/BrushMan.h"
#include "model/GradientForms.h"
#include "model/ShapePathBuilders.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/LinearGradientBrush.h"
#include "platform/graphics/PathGradientBrush.h"

#include <wx/dcclient.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kelmora {

namespace {

// The row the strip colour is read from.
constexpr int kSampleRow = 10;

std::vector<Color> Colours(const std::vector<uint32_t>& values)
{
    return {values.begin(), values.end()};
}

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
    m_pSharedStops = nullptr;
    m_pBrush = nullptr;
    m_nType = int32_t(GradientForm::Linear);
    m_stops.clear();
    m_nEdgePad = 0;
    m_nOffsetX = 0;
    m_nOffsetY = 0;
    m_fAngle = 0.0f;
}

void CColorStatic::SetStopColor(int32_t index, uint32_t colour)
{
    if (SetGradientStopColour(m_pSharedStops ? *m_pSharedStops : m_stops, m_clrStart, m_clrEnd, index, colour))
        Refresh();
}

uint32_t CColorStatic::GetStopColor(int32_t index) const
{
    return GetGradientStopColour(m_pSharedStops ? *m_pSharedStops : m_stops, m_clrStart, m_clrEnd, index);
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

void CColorStatic::ShownLists(std::vector<uint32_t>& colours, std::vector<float>& positions) const
{
    colours = {m_clrStart};
    positions = {0.0f};
    if (m_pSharedStops) {
        for (const GradientStop& stop : *m_pSharedStops) {
            colours.push_back(stop.colour);
            positions.push_back(stop.position);
        }
    }
    colours.push_back(m_clrEnd);
    positions.push_back(1.0f);
}

Matrix CColorStatic::PreviewPlacement(int w, int h) const
{
    const float pad = float(std::clamp(m_nEdgePad, 0, kMaxEdgePad));
    const float scale = (50.0f - pad) / 50.0f;
    Matrix placement;
    placement.Translate(-float(w / 2), -float(h / 2), MatrixOrder::Append);
    if (std::isfinite(m_fAngle))
        placement.Rotate(m_fAngle, MatrixOrder::Append);
    placement.Translate(float(w / 2), float(h / 2), MatrixOrder::Append);
    placement.Scale(scale, scale, MatrixOrder::Append);
    // Offsets come from the fill and may be anything: the product is taken in double.
    placement.Translate(float(double(w) * m_nOffsetX / 100.0), float(double(h) * m_nOffsetY / 100.0),
                        MatrixOrder::Append);
    return placement;
}

std::unique_ptr<Brush> CColorStatic::PreviewBrush(int w, int h) const
{
    std::vector<uint32_t> colours;
    std::vector<float> positions;
    ShownLists(colours, positions);
    const float fw = float(w);
    const float fh = float(h);
    const WrapMode wrap = WrapMode(m_nWrapMode);
    auto finish = [&](auto brush) -> std::unique_ptr<Brush> {
        if (IsValidWrapMode(wrap))
            brush->SetWrapMode(wrap);
        // Mixed as the edited fill mixes its colours, so the preview shows what it paints.
        brush->SetGammaCorrection(m_pBrush && m_pBrush->m_bGammaCorrection != 0);
        brush->MultiplyTransform(PreviewPlacement(w, h), MatrixOrder::Append);
        return brush;
    };
    switch (GradientForm(m_nType)) {
    case GradientForm::Linear: {
        auto brush = std::make_unique<LinearGradientBrush>(RectF(0, 0, fw, fh), Color(m_clrStart), Color(m_clrEnd),
                                                           LinearGradientMode::Horizontal);
        brush->SetInterpolationColors(Colours(colours), positions);
        return finish(std::move(brush));
    }
    case GradientForm::Square:
    case GradientForm::Radial: {
        GraphicsPath outline;
        if (GradientForm(m_nType) == GradientForm::Square)
            outline.AddRectangle(RectF(0, 0, fw, fh));
        else
            outline.AddEllipse(RectF(-0.2f * fw, -0.2f * fh, 1.4f * fw, 1.4f * fh));
        auto brush = std::make_unique<PathGradientBrush>(outline);
        brush->SetInterpolationColors(Colours(colours), positions);
        return finish(std::move(brush));
    }
    case GradientForm::Conical: {
        GraphicsPath polygon;
        const PointF centre(float(w / 2), float(h / 2));
        const StopPolygon painted = PaintedStopPolygon(positions, ConicalSurroundColors(colours));
        if (!AddEllipseStopPolygon(polygon, centre, float(w / 2), float(h / 2), painted.stops))
            return nullptr;
        auto brush = std::make_unique<PathGradientBrush>(polygon);
        brush->SetCenterPoint(centre);
        brush->SetSurroundColors(Colours(painted.surround));
        return finish(std::move(brush));
    }
    default:
        return nullptr;
    }
}

void CColorStatic::StoreGradient(BrushMan* target) const
{
    BrushMan* brush = target ? target : m_pBrush;
    if (!brush)
        return;
    std::vector<uint32_t> colours;
    std::vector<float> positions;
    ShownLists(colours, positions);
    if (m_nType >= int32_t(GradientForm::Linear) && m_nType <= int32_t(GradientForm::Conical))
        StoreGradientForm(*brush, GradientForm(m_nType), colours, positions);
    brush->m_nWrapMode = m_nWrapMode;
    brush->m_fAngle = m_fAngle;
    brush->m_nGradientSize = std::clamp(m_nEdgePad, 0, kMaxEdgePad);
    brush->m_nGradientOffsetX = m_nOffsetX;
    brush->m_nGradientOffsetY = m_nOffsetY;
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
        if (m_bGradient != 0 && m_pSharedStops) {
            GraphicsPath face;
            face.AddRectangle(RectF(0, 0, float(width), float(height)));
            if (std::unique_ptr<Brush> brush = PreviewBrush(width, height))
                graphics.FillPath(*brush, face);
        } else if (m_bGradient != 0) {
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
