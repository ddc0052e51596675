#include "dialogs/CompoundStyleEditCtrl.h"

#include "dialogs/StyleCtrlNotify.h"
#include "dialogs/SurfaceBlit.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <optional>

#include <wx/settings.h>

namespace kelmora {

namespace {

constexpr int kRowTop = 15;

} // namespace

CCompoundStyleEditCtrl::CCompoundStyleEditCtrl(wxWindow* parent, wxWindowID id)
    : wxControl(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize();
    Bind(wxEVT_PAINT, &CCompoundStyleEditCtrl::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CCompoundStyleEditCtrl::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CCompoundStyleEditCtrl::OnLeftDown, this);
}

wxSize CCompoundStyleEditCtrl::DoGetBestClientSize() const
{
    return wxSize(m_nLeft + m_nCell * m_nDots + 2, kRowTop + m_nCell + 2);
}

void CCompoundStyleEditCtrl::CompoundArrayToDots(std::span<const float> array)
{
    kelmora::CompoundArrayToDots(array, m_dots);
    Refresh();
}

void CCompoundStyleEditCtrl::DotsToCompoundArray(std::vector<float>& out) const
{
    kelmora::DotsToCompoundArray(m_dots, out);
}

int CCompoundStyleEditCtrl::CellAt(int x, int y) const
{
    if (y < kRowTop || y >= kRowTop + m_nCell || x < m_nLeft)
        return -1;
    const int cell = (x - m_nLeft) / m_nCell;
    return cell < m_nDots ? cell : -1;
}

void CCompoundStyleEditCtrl::OnLeftDown(wxMouseEvent& event)
{
    if (m_dots.Toggle(CellAt(event.GetX(), event.GetY()))) {
        Refresh();
        PostStyleCtrlNotify(*this);
    }
    event.Skip();
}

void CCompoundStyleEditCtrl::OnPaint(wxPaintEvent&)
{
    PaintOffscreen(*this, [this](ImageSurface& surface) { Render(surface); });
}

void CCompoundStyleEditCtrl::Render(ImageSurface& surface) const
{
    Graphics graphics(surface);
    graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_3DFACE);
    graphics.Clear(Color(face.Red(), face.Green(), face.Blue()));

    const Color ink(0xFF000000);
    const Color gap(0xFFFFFFFF);
    // The ruler marks every tenth of the width, the half and the ends longer.
    GraphicsPath minorTicks;
    GraphicsPath majorTicks;
    for (int i = 0; i <= m_nDots; ++i) {
        const float x = float(m_nLeft + m_nCell * i);
        GraphicsPath& ticks = i % 5 == 0 ? majorTicks : minorTicks;
        ticks.StartFigure();
        ticks.AddLine(x, i % 5 == 0 ? 8.0f : 10.0f, x, 13.0f);
    }
    graphics.DrawPath(ink, 1.0f, minorTicks);
    graphics.DrawPath(ink, 2.0f, majorTicks);

    GraphicsPath outlines;
    GraphicsPath inkCells;
    GraphicsPath gapCells;
    for (int i = 0; i < m_nDots; ++i) {
        const float x = float(m_nLeft + m_nCell * i);
        const float size = float(m_nCell);
        outlines.AddRectangle(RectF(x, kRowTop, size, size));
        if (m_dots.IsInk(i))
            inkCells.AddRectangle(RectF(x, kRowTop, size, size));
        else
            gapCells.AddRectangle(RectF(x + 1, kRowTop + 1, size - 1, size - 1));
    }
    graphics.DrawPath(ink, 1.0f, outlines);
    graphics.FillPath(ink, inkCells);
    graphics.FillPath(gap, gapCells);
}

} // namespace kelmora
