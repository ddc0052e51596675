#include "dialogs/ColorBar.h"

#include "dialogs/SurfaceBlit.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <wx/button.h>
#include <wx/colordlg.h>
#include <wx/settings.h>
#include <wx/sizer.h>

namespace kelmora {

namespace {

constexpr int kPitch = CColorBar::kSwatch + 1;

uint32_t Rgb(double r, double g, double b)
{
    auto channel = [](double v) { return uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
    return channel(r) << 16 | channel(g) << 8 | channel(b);
}

// Hue in turns (0..1), lightness and saturation 0..1.
uint32_t FromHsl(double hue, double saturation, double lightness)
{
    const double chroma = (1.0 - std::fabs(2.0 * lightness - 1.0)) * saturation;
    const double h = hue * 6.0;
    const double x = chroma * (1.0 - std::fabs(std::fmod(h, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    switch (int(h) % 6) {
    case 0: r = chroma, g = x; break;
    case 1: r = x, g = chroma; break;
    case 2: g = chroma, b = x; break;
    case 3: g = x, b = chroma; break;
    case 4: r = x, b = chroma; break;
    default: r = chroma, b = x; break;
    }
    const double m = lightness - chroma / 2.0;
    return Rgb(r + m, g + m, b + m);
}

std::vector<uint32_t> MakePalette()
{
    std::vector<uint32_t> palette;
    for (int i = 0; i < CColorBar::kColumns; ++i) {
        const double grey = double(i) / (CColorBar::kColumns - 1);
        palette.push_back(Rgb(grey, grey, grey));
    }
    const double hues[CColorBar::kColumns] = {0.0, 30.0 / 360, 55.0 / 360, 120.0 / 360,
                                              180.0 / 360, 220.0 / 360, 270.0 / 360, 310.0 / 360};
    const double lightness[CColorBar::kRows - 1] = {0.25, 0.45, 0.65, 0.82};
    for (double l : lightness)
        for (double hue : hues)
            palette.push_back(FromHsl(hue, 0.85, l));
    return palette;
}

} // namespace

CColorBar::CColorBar(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id)
    , m_palette(MakePalette())
{
    m_pSwatches = new wxWindow(this, wxID_ANY, wxDefaultPosition, wxSize(kColumns * kPitch + 1, kRows * kPitch + 1),
                               wxBORDER_NONE);
    m_pSwatches->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_pSwatches->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        PaintOffscreen(*m_pSwatches, [this](ImageSurface& surface) { RenderSwatches(surface); });
    });
    m_pSwatches->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
        const int column = event.GetX() / kPitch;
        const int row = event.GetY() / kPitch;
        if (column >= 0 && column < kColumns && row >= 0 && row < kRows)
            PickSwatch(row * kColumns + column);
    });
    m_pOther = new wxButton(this, wxID_ANY, "Other...");
    m_pOther->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ChooseOther(); });

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_pSwatches, 0, wxALIGN_CENTER_HORIZONTAL);
    sizer->Add(m_pOther, 0, wxEXPAND | wxTOP, 4);
    SetSizerAndFit(sizer);
}

void CColorBar::SetColor(uint32_t rgb)
{
    m_nColor = rgb & 0x00FFFFFF;
    m_pSwatches->Refresh();
}

void CColorBar::PickSwatch(int index)
{
    if (index >= 0 && size_t(index) < m_palette.size())
        Picked(m_palette[size_t(index)]);
}

void CColorBar::ChooseOther()
{
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(wxColour((m_nColor >> 16) & 0xFF, (m_nColor >> 8) & 0xFF, m_nColor & 0xFF));
    wxColourDialog dialog(this, &data);
    if (m_hooks.runModal(dialog) != wxID_OK)
        return;
    const wxColour chosen = dialog.GetColourData().GetColour();
    Picked(uint32_t(chosen.Red()) << 16 | uint32_t(chosen.Green()) << 8 | chosen.Blue());
}

void CColorBar::Picked(uint32_t rgb)
{
    SetColor(rgb);
    wxCommandEvent picked(wxEVT_BUTTON, GetId());
    picked.SetEventObject(this);
    if (wxWindow* parent = GetParent())
        parent->GetEventHandler()->ProcessEvent(picked);
}

void CColorBar::RenderSwatches(ImageSurface& surface) const
{
    Graphics graphics(surface);
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_3DFACE);
    graphics.Clear(Color(face.Red(), face.Green(), face.Blue()));
    for (size_t i = 0; i < m_palette.size(); ++i) {
        const float x = float(int(i) % kColumns * kPitch) + 1;
        const float y = float(int(i) / kColumns * kPitch) + 1;
        GraphicsPath swatch;
        swatch.AddRectangle(RectF(x, y, kSwatch - 1, kSwatch - 1));
        graphics.FillPath(Color(0xFF000000 | m_palette[i]), swatch);
        // The bar's colour is framed, so the user sees which swatch it came from.
        const bool current = m_palette[i] == m_nColor;
        graphics.DrawPath(Color(current ? 0xFF000000 : 0xFF808080), current ? 2.0f : 1.0f, swatch);
    }
}

} // namespace kelmora
