#include "dialogs/PosStatic.h"

#include "dialogs/StyleCtrlNotify.h"
#include "dialogs/SurfaceBlit.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/Graphics.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include <array>
#include <cmath>

namespace kelmora {

namespace {

constexpr Color kMarkerColour(0xFF000000);

void DrawMarker(Graphics& graphics, const GraphicsPath& path, bool selected)
{
    if (selected)
        graphics.FillPath(kMarkerColour, path);
    graphics.DrawPath(kMarkerColour, 1.0f, path);
}

} // namespace

CPosStatic::CPosStatic(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxWindow(parent, id, pos, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CPosStatic::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CPosStatic::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &CPosStatic::OnMouse, this);
    Bind(wxEVT_MOTION, &CPosStatic::OnMouse, this);
}

StopMarkerGeometry CPosStatic::Geometry() const
{
    const wxSize client = GetClientSize();
    return {m_nStripLeft, m_nStripWidth, client.x, client.y};
}

void CPosStatic::Notify(StopNotify code, int32_t argument, bool post)
{
    wxWindow* parent = GetParent();
    if (!parent)
        return;
    wxCommandEvent event(WM_STYLECTRL_NOTIFY, GetId());
    event.SetEventObject(this);
    event.SetInt(code);
    event.SetExtraLong(argument);
    if (post)
        wxPostEvent(parent, event);
    else
        parent->GetEventHandler()->ProcessEvent(event);
}

void CPosStatic::HandleLeftDown(int x, int y)
{
    m_nSelected = m_pStops ? Geometry().HitTest(*m_pStops, x, y) : kNoStop;
    Notify(kSelectionChanged, m_nSelected, false);
    Refresh();
}

void CPosStatic::HandleLeftDoubleClick(int x, int y)
{
    if (!m_pStops)
        return;
    const StopMarkerGeometry geometry = Geometry();
    const int32_t hit = geometry.HitTest(*m_pStops, x, y);
    if (hit == kStartHandle || hit == kEndHandle) {
        // The ends are no stops: they are selected, never removed.
        m_nSelected = hit;
        Notify(kSelectionChanged, m_nSelected, false);
    } else if (hit >= 0) {
        RemoveGradientStop(*m_pStops, hit);
        Notify(kStopRemoved, m_nSelected, false);
        m_nSelected = kStartHandle;
    } else {
        m_nSelected = AddGradientStop(*m_pStops, geometry.PositionAt(x));
        Notify(kStopAdded, m_nSelected, false);
    }
    Refresh();
}

void CPosStatic::HandleDrag(int x, int /*y*/)
{
    if (!m_pStops || m_nSelected < 0 || size_t(m_nSelected) >= m_pStops->size())
        return;
    m_nSelected = MoveGradientStop(*m_pStops, m_nSelected, Geometry().PositionAt(x));
    Refresh();
    Notify(kStopDragged, m_nSelected, true);
}

std::optional<ImageSurface> CPosStatic::RenderClient(int width, int height) const
{
    std::optional<ImageSurface> surface = ImageSurface::Create(width, height);
    if (!surface)
        return surface;
    {
        Graphics graphics(*surface);
        graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
        const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_3DFACE);
        graphics.Clear(Color(face.Red(), face.Green(), face.Blue()));

        const float mid = float(height / 2);
        GraphicsPath start;
        start.AddRectangle(RectF(0, mid - 3, 6, 6));
        DrawMarker(graphics, start, m_nSelected == kStartHandle);
        GraphicsPath end;
        end.AddRectangle(RectF(float(width - 7), mid - 3, 6, 6));
        DrawMarker(graphics, end, m_nSelected == kEndHandle);

        if (m_pStops) {
            const StopMarkerGeometry geometry{m_nStripLeft, m_nStripWidth, width, height};
            for (size_t i = 0; i < m_pStops->size(); ++i) {
                const double mx = geometry.MarkerX((*m_pStops)[i].position);
                if (!std::isfinite(mx))
                    continue;
                const float x = float(std::trunc(mx));
                const std::array<PointF, 3> triangle{PointF(x - 4, mid - 4), PointF(x + 4, mid - 4), PointF(x, mid + 5)};
                GraphicsPath path;
                path.AddPolygon(triangle);
                DrawMarker(graphics, path, int32_t(i) == m_nSelected);
            }
        }
    }
    cairo_surface_flush(surface->CairoSurface());
    return surface;
}

void CPosStatic::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize client = GetClientSize();
    if (std::optional<ImageSurface> surface = RenderClient(client.x, client.y))
        BlitSurface(dc, *surface);
}

void CPosStatic::OnMouse(wxMouseEvent& event)
{
    const wxPoint at = event.GetPosition();
    if (event.GetEventType() == wxEVT_LEFT_DOWN)
        HandleLeftDown(at.x, at.y);
    else if (event.GetEventType() == wxEVT_LEFT_DCLICK)
        HandleLeftDoubleClick(at.x, at.y);
    else if (event.Dragging() && event.LeftIsDown())
        HandleDrag(at.x, at.y);
    event.Skip();
}

} // namespace kelmora
