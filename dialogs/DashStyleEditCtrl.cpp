#include "dialogs/DashStyleEditCtrl.h"

#include "dialogs/StyleCtrlNotify.h"
#include "dialogs/SurfaceBlit.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <optional>

#include <wx/dcclient.h>
#include <wx/settings.h>

namespace kelmora {

namespace {

constexpr int kCellTop = 15;
// The end bar's height, and how near to it a press must be to grab it.
constexpr int kBarHeight = 60;
constexpr int kBarGrab = 3;
// The drag snaps to a cell edge when the pointer is nearer to it than this.
constexpr int kSnap = 4;

const Color kBlack(0xFF000000);
const Color kWhite(0xFFFFFFFF);

GraphicsPath Line(float x1, float y1, float x2, float y2)
{
    GraphicsPath path;
    path.AddLine(x1, y1, x2, y2);
    return path;
}

GraphicsPath Rectangle(float x, float y, float width, float height)
{
    GraphicsPath path;
    path.AddRectangle(RectF(x, y, width, height));
    return path;
}

} // namespace

CDashStyleEditCtrl::CDashStyleEditCtrl(wxWindow* parent, wxWindowID id)
    : wxControl(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE)
{
    // Everything is painted off-screen; no erase, no flicker.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize();
    Bind(wxEVT_PAINT, &CDashStyleEditCtrl::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CDashStyleEditCtrl::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CDashStyleEditCtrl::OnLeftDown, this);
    Bind(wxEVT_MOTION, &CDashStyleEditCtrl::OnMouseMove, this);
    Bind(wxEVT_LEFT_UP, &CDashStyleEditCtrl::OnLeftUp, this);
}

wxSize CDashStyleEditCtrl::DoGetBestClientSize() const
{
    return wxSize(m_nLeft + m_nCellSize * m_nCellCount + kBarGrab, kBarHeight);
}

void CDashStyleEditCtrl::SetFromDashArray(std::span<const float> array)
{
    m_cells.SetFromDashArray(array);
    Refresh();
}

void CDashStyleEditCtrl::GetDashArray(std::vector<float>& out) const
{
    m_cells.GetDashArray(out);
}

void CDashStyleEditCtrl::Changed()
{
    Refresh();
    PostStyleCtrlNotify(*this);
}

void CDashStyleEditCtrl::OnLeftDown(wxMouseEvent& event)
{
    const int x = event.GetX();
    const int y = event.GetY();
    const int length = m_cells.GetLength();
    if (y >= kCellTop && y < kCellTop + m_nCellSize && x >= m_nLeft) {
        const int cell = (x - m_nLeft) / m_nCellSize;
        if (m_cells.Toggle(cell)) {
            Changed();
            return;
        }
    }
    const int bar = m_nLeft + m_nCellSize * length;
    if (x >= bar - kBarGrab && x < bar + kBarGrab && y >= 0 && y < kBarHeight)
        m_bDragging = true;
    event.Skip();
}

void CDashStyleEditCtrl::OnMouseMove(wxMouseEvent& event)
{
    SetCursor(m_bDragging ? wxCursor(wxCURSOR_SIZEWE) : wxNullCursor);
    if (!m_bDragging || !event.LeftIsDown())
        return;
    const int d = event.GetX() - m_nLeft;
    const int q = d / m_nCellSize;
    const int r = d % m_nCellSize;
    std::optional<int> length;
    if (r < kSnap)
        length = q;
    else if (m_nCellSize - r < kSnap)
        length = q + 1;
    if (length && m_cells.SetLength(*length))
        Changed();
}

void CDashStyleEditCtrl::OnLeftUp(wxMouseEvent& event)
{
    m_bDragging = false;
    event.Skip();
}

void CDashStyleEditCtrl::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    std::optional<ImageSurface> surface = ImageSurface::Create(size.x, size.y);
    if (!surface)
        return;
    Render(*surface);
    BlitSurface(dc, *surface);
}

void CDashStyleEditCtrl::Render(ImageSurface& surface) const
{
    Graphics graphics(surface);
    graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_3DFACE);
    graphics.Clear(Color(face.Red(), face.Green(), face.Blue()));

    // Ruler: a longer, heavier tick every five cells.
    for (int i = 0; i <= m_nCellCount; ++i) {
        const float x = float(m_nLeft + m_nCellSize * i);
        if (i % 5 == 0)
            graphics.DrawPath(kBlack, 2.0f, Line(x, 8, x, 13));
        else
            graphics.DrawPath(kBlack, 1.0f, Line(x, 10, x, 13));
    }
    // Grid.
    for (int i = 0; i < m_nCellCount; ++i)
        graphics.DrawPath(kBlack, 1.0f, Rectangle(float(m_nLeft + m_nCellSize * i), kCellTop, m_nCellSize, m_nCellSize));
    // Pattern: dashes black, gaps white inside the grid lines.
    for (int i = 0; i < m_cells.GetLength(); ++i) {
        const float x = float(m_nLeft + m_nCellSize * i);
        if (m_cells.IsOn(i))
            graphics.FillPath(kBlack, Rectangle(x, kCellTop, m_nCellSize, m_nCellSize));
        else
            graphics.FillPath(kWhite, Rectangle(x + 1, kCellTop + 1, m_nCellSize - 1, m_nCellSize - 1));
    }
    // End bar.
    const float bar = float(m_nLeft + m_nCellSize * m_cells.GetLength());
    graphics.DrawPath(kBlack, 3.0f, Line(bar, 0, bar, kBarHeight));
}

} // namespace kelmora
