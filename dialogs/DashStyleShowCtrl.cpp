#include "dialogs/DashStyleShowCtrl.h"

#include "dialogs/SurfaceBlit.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/Pen.h"

#include <optional>

#include <wx/dcclient.h>

namespace kelmora {

namespace {

constexpr float kLineStart = 5.0f;
constexpr float kLineEnd = 200.0f;
constexpr float kLineWidth = 2.0f;

} // namespace

CDashStyleShowCtrl::CDashStyleShowCtrl(wxWindow* parent, wxWindowID id)
    : wxControl(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize();
    Bind(wxEVT_PAINT, &CDashStyleShowCtrl::OnPaint, this);
}

wxSize CDashStyleShowCtrl::DoGetBestClientSize() const
{
    return wxSize(int(kLineEnd) + 5, 30);
}

void CDashStyleShowCtrl::SetDashArray(std::span<const float> array)
{
    m_dashArray.assign(array.begin(), array.end());
    Refresh();
}

void CDashStyleShowCtrl::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    std::optional<ImageSurface> surface = ImageSurface::Create(size.x, size.y);
    if (!surface)
        return;
    Render(*surface);
    BlitSurface(dc, *surface);
}

void CDashStyleShowCtrl::Render(ImageSurface& surface) const
{
    Graphics graphics(surface);
    graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
    graphics.Clear(m_clrBack);
    Pen pen(m_clrLine, kLineWidth);
    // A pattern the pen refuses marks it failed, and it then draws nothing rather than a
    // line that looks solid.
    if (!m_dashArray.empty())
        pen.SetDashPattern(m_dashArray);
    const float y = float(surface.Height()) / 2.0f;
    GraphicsPath line;
    line.AddLine(kLineStart, y, kLineEnd, y);
    graphics.DrawPath(pen, line);
}

} // namespace kelmora
