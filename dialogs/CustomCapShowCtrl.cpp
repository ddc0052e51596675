#include "dialogs/CustomCapShowCtrl.h"

#include "dialogs/SurfaceBlit.h"
#include "model/CustomCapMan.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/CustomLineCap.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/Pen.h"

#include <optional>


namespace kelmora {

void DrawCapSample(Graphics& graphics, const CustomCapMan& cap, bool startCap, const RectF& area, float width,
                   Color colour, float margin)
{
    std::unique_ptr<CustomLineCap> lineCap = cap.CreateLineCap();
    if (!lineCap || !lineCap->IsValid())
        return;
    Pen pen(colour, width);
    const float middle = area.X + float(int(area.Width) / 2);
    const float y = area.Y + float(int(area.Height) / 2);
    GraphicsPath line;
    if (startCap) {
        pen.SetCustomStartCap(*lineCap);
        line.AddLine(middle + margin, y, area.X + area.Width - margin, y);
    } else {
        pen.SetCustomEndCap(*lineCap);
        line.AddLine(area.X + margin, y, middle, y);
    }
    graphics.DrawPath(pen, line);
}

CCustomCapShowCtrl::CCustomCapShowCtrl(wxWindow* parent, wxWindowID id)
    : wxControl(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize();
    Bind(wxEVT_PAINT, &CCustomCapShowCtrl::OnPaint, this);
}

wxSize CCustomCapShowCtrl::DoGetBestClientSize() const
{
    return wxSize(260, 200);
}

void CCustomCapShowCtrl::OnPaint(wxPaintEvent&)
{
    PaintOffscreen(*this, [this](ImageSurface& surface) { Render(surface); });
}

void CCustomCapShowCtrl::Render(ImageSurface& surface) const
{
    Graphics graphics(surface);
    graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
    graphics.Clear(m_clrBack);
    if (m_pCap)
        DrawCapSample(graphics, *m_pCap, m_bStartCap, RectF(0, 0, float(surface.Width()), float(surface.Height())),
                      kLineWidth, m_clrLine, float(m_nMargin));
}

} // namespace kelmora
