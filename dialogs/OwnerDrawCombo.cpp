#include "dialogs/OwnerDrawCombo.h"

#include "dialogs/SurfaceBlit.h"
#include "model/CustomCapMan.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/CustomLineCap.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Pen.h"

#include <algorithm>
#include <optional>

#include <wx/dc.h>
#include <wx/settings.h>

namespace kelmora {

namespace {

constexpr float kLineWidth = 2.0f;

Color ToColor(const wxColour& colour)
{
    return Color(colour.Alpha(), colour.Red(), colour.Green(), colour.Blue());
}

} // namespace

COwnerDrawCombo::COwnerDrawCombo(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxOwnerDrawnComboBox(parent, id, wxString(), pos, size, 0, nullptr, wxCB_READONLY)
{
}

int COwnerDrawCombo::AppendCap(CustomCapMan* cap)
{
    return Append(wxString(), static_cast<void*>(cap));
}

CustomCapMan* COwnerDrawCombo::GetCap(unsigned int item) const
{
    return item < GetCount() ? static_cast<CustomCapMan*>(GetClientData(item)) : nullptr;
}

void COwnerDrawCombo::OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const
{
    const bool selected = (flags & wxODCB_PAINTING_SELECTED) != 0;
    const wxColour back = wxSystemSettings::GetColour(selected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW);
    if (item < 0 || rect.width < 1 || rect.height < 1) {
        dc.SetBrush(wxBrush(back));
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(rect);
        return;
    }
    std::optional<ImageSurface> surface = ImageSurface::Create(rect.width, rect.height);
    if (!surface)
        return;
    {
        Graphics g(*surface);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        g.Clear(ToColor(back));
        Pen pen(Color(0xFF000000), kLineWidth);
        const CustomCapMan* capMan = GetCap(unsigned(item));
        std::unique_ptr<CustomLineCap> cap = capMan ? capMan->CreateLineCap() : nullptr;
        const float y = float(std::min(rect.height, m_nItemSize)) / 2.0f;
        const float w = float(rect.width);
        GraphicsPath line;
        if (m_bStartCap) {
            line.AddLine(w / 2.0f, y, w - 4.0f, y);
            if (cap)
                pen.SetCustomStartCap(*cap);
        } else {
            line.AddLine(2.0f, y, w / 2.0f, y);
            if (cap)
                pen.SetCustomEndCap(*cap);
        }
        g.DrawPath(pen, line);
    }
    dc.DrawBitmap(SurfaceToBitmap(*surface), rect.x, rect.y);
}

wxCoord COwnerDrawCombo::OnMeasureItem(size_t) const
{
    return m_nItemSize + kItemMargin;
}

wxCoord COwnerDrawCombo::OnMeasureItemWidth(size_t) const
{
    return m_nItemSize + kItemMargin;
}

} // namespace kelmora
