#include "dialogs/CompoundStyleShowCtrl.h"

#include "dialogs/SurfaceBlit.h"
#include "model/PenMan.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/Pen.h"

#include <array>
#include <optional>


namespace kelmora {

namespace {

constexpr float kLineStart = 5.0f;

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

    // A corner: a horizontal run, then down.
    const float m = float(int(m_fLineWidth));
    const float right = float(m_nLineLength) + 10 + m;
    const std::array<PointF, 3> corner{PointF(m + 10, m - 2), PointF(right, m - 2), PointF(right, h - m - 2)};
    GraphicsPath path;
    path.AddLines(corner);
    PenMan shown(*m_pPen);
    shown.m_rcBounds = path.GetBounds();
    shown.SetPath(path);
    shown.SetMatrix(nullptr);
    if (std::unique_ptr<Pen> pen = shown.CreatePen(nullptr))
        graphics.DrawPath(*pen, path);
}

} // namespace kelmora
