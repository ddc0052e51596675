#include "platform/ui/RibbonArtProvider.h"

#include "platform/ui/Contrast.h"

#include <wx/dc.h>
#include <wx/ribbon/toolbar.h>

namespace kelmora {

RibbonArtProvider::RibbonArtProvider()
{
    MakeCaptionsReadable();
}

wxRibbonArtProvider* RibbonArtProvider::Clone() const
{
    auto* copy = new RibbonArtProvider;
    CloneTo(copy);
    copy->m_tab_ctrl_background_colour = m_tab_ctrl_background_colour;
    copy->m_tab_ctrl_background_gradient_colour = m_tab_ctrl_background_gradient_colour;
    copy->m_panel_label_background_colour = m_panel_label_background_colour;
    copy->m_panel_label_background_gradient_colour = m_panel_label_background_gradient_colour;
    copy->m_panel_hover_label_background_colour = m_panel_hover_label_background_colour;
    copy->m_panel_hover_label_background_gradient_colour = m_panel_hover_label_background_gradient_colour;
    copy->m_background_brush = m_background_brush;
    copy->m_tab_active_top_background_brush = m_tab_active_top_background_brush;
    copy->m_tab_hover_background_brush = m_tab_hover_background_brush;
    copy->m_button_bar_hover_background_brush = m_button_bar_hover_background_brush;
    copy->m_button_bar_active_background_brush = m_button_bar_active_background_brush;
    copy->m_gallery_button_active_background_brush = m_gallery_button_active_background_brush;
    copy->m_gallery_button_hover_background_brush = m_gallery_button_hover_background_brush;
    copy->m_gallery_button_disabled_background_brush = m_gallery_button_disabled_background_brush;
    copy->m_toolbar_hover_borden_pen = m_toolbar_hover_borden_pen;
    copy->m_tool_hover_background_brush = m_tool_hover_background_brush;
    copy->m_tool_active_background_brush = m_tool_active_background_brush;
    return copy;
}

void RibbonArtProvider::SetColourScheme(const wxColour& primary, const wxColour& secondary, const wxColour& tertiary)
{
    wxRibbonAUIArtProvider::SetColourScheme(primary, secondary, tertiary);
    MakeCaptionsReadable();
}

void RibbonArtProvider::MakeCaptionsReadable()
{
    const wxColour page = m_background_brush.GetColour();
    m_button_bar_label_colour = ReadableOn(m_button_bar_label_colour, {page});
    m_button_bar_label_disabled_colour = DisabledOn(m_button_bar_label_colour, page);
    // A pressed (or checked) button is told from the others by its edge.
    m_button_bar_active_border_pen.SetColour(
        MoveApart(m_button_bar_active_border_pen.GetColour(), {page, m_button_bar_active_background_brush.GetColour()},
                  kStateContrast));
    // A tab not shown carries its caption on a face of its own: a gradient over its upper
    // half and a plain lower half. Where no caption colour reads on all of it, the caption
    // takes the colour that reads on the plain parts, and the gradient's end moves until
    // it carries that caption too.
    m_tab_label_colour =
        ReadableOn(m_tab_label_colour, {m_tab_hover_background_top_colour, m_tab_hover_background_colour});
    m_tab_hover_background_top_gradient_colour =
        ReadableOn(m_tab_hover_background_top_gradient_colour, {m_tab_label_colour});
    // The row behind the tabs carries captions and pictures in the same colour (the
    // Style button, the Quick Access Toolbar).
    m_tab_ctrl_background_colour = ReadableOn(m_tab_ctrl_background_colour, {m_tab_label_colour});
    m_tab_ctrl_background_gradient_colour = ReadableOn(m_tab_ctrl_background_gradient_colour, {m_tab_label_colour});
    // The open tab, and a hovered one, show the open tab's face.
    const auto open = {m_tab_active_top_background_brush.GetColour(), m_tab_active_background_colour,
                       m_tab_active_background_gradient_colour};
    m_tab_active_label_colour = ReadableOn(m_tab_active_label_colour, open);
    m_tab_hover_label_colour = ReadableOn(m_tab_hover_label_colour, open);
    m_panel_label_colour =
        ReadableOn(m_panel_label_colour, {m_panel_label_background_colour, m_panel_label_background_gradient_colour});
    m_panel_hover_label_colour = ReadableOn(
        m_panel_hover_label_colour, {m_panel_hover_label_background_colour, m_panel_hover_label_background_gradient_colour});
    m_panel_minimised_label_colour = ReadableOn(m_panel_minimised_label_colour, {page});
}

wxColour RibbonArtProvider::ButtonBackground(long state) const
{
    if (state & wxRIBBON_BUTTONBAR_BUTTON_ACTIVE_MASK)
        return m_button_bar_active_background_brush.GetColour();
    if (state & wxRIBBON_BUTTONBAR_BUTTON_HOVER_MASK)
        return m_button_bar_hover_background_brush.GetColour();
    return m_background_brush.GetColour();
}

wxColour RibbonArtProvider::ButtonLabelColour(long state) const
{
    const wxColour background = ButtonBackground(state);
    if (state & wxRIBBON_BUTTONBAR_BUTTON_DISABLED)
        return DisabledOn(m_button_bar_label_colour, background);
    return ReadableOn(m_button_bar_label_colour, {background});
}

void RibbonArtProvider::DrawButtonBarButton(wxDC& dc, wxWindow* wnd, const wxRect& rect, wxRibbonButtonKind kind,
                                            long state, const wxString& label, const wxBitmap& bitmap_large,
                                            const wxBitmap& bitmap_small)
{
    // A command button checked by its update handler draws as a toggle button does: in the
    // pressed look while checked.
    if (kind == wxRIBBON_BUTTON_NORMAL && (state & wxRIBBON_BUTTONBAR_BUTTON_TOGGLED))
        kind = wxRIBBON_BUTTON_TOGGLE;
    long shown = state;
    if (kind == wxRIBBON_BUTTON_TOGGLE && (state & wxRIBBON_BUTTONBAR_BUTTON_TOGGLED))
        shown ^= wxRIBBON_BUTTONBAR_BUTTON_ACTIVE_MASK;

    const wxColour background = ButtonBackground(shown);
    const double ratio = (state & wxRIBBON_BUTTONBAR_BUTTON_DISABLED) ? kDisabledContrast : kReadableContrast;
    const wxColour kept = m_button_bar_label_colour;
    m_button_bar_label_colour = ButtonLabelColour(shown);
    wxRibbonAUIArtProvider::DrawButtonBarButton(dc, wnd, rect, kind, state, label,
                                                ReadableOn(bitmap_large, background, ratio),
                                                ReadableOn(bitmap_small, background, ratio));
    m_button_bar_label_colour = kept;
    // The base draws every lit button with the hover edge, which some schemes keep close
    // to the panel: a pressed or checked one gets an edge that tells it apart.
    if (shown & wxRIBBON_BUTTONBAR_BUTTON_ACTIVE_MASK) {
        dc.SetPen(m_button_bar_active_border_pen);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(rect);
    }
}

void RibbonArtProvider::DrawTool(wxDC& dc, wxWindow* wnd, const wxRect& rect, const wxBitmap& bitmap,
                                 wxRibbonButtonKind kind, long state)
{
    wxColour background = GetColour(wxRIBBON_ART_TOOL_BACKGROUND_COLOUR);
    if (state & wxRIBBON_TOOLBAR_TOOL_ACTIVE_MASK)
        background = m_tool_active_background_brush.GetColour();
    else if (state & wxRIBBON_TOOLBAR_TOOL_HOVER_MASK)
        background = m_tool_hover_background_brush.GetColour();
    const double ratio = (state & wxRIBBON_TOOLBAR_TOOL_DISABLED) ? kDisabledContrast : kReadableContrast;
    wxRibbonAUIArtProvider::DrawTool(dc, wnd, rect, ReadableOn(bitmap, background, ratio), kind, state);
}

void RibbonArtProvider::DrawMinimisedPanel(wxDC& dc, wxRibbonPanel* wnd, const wxRect& rect, wxBitmap& bitmap)
{
    if (!bitmap.IsOk()) {
        wxRibbonAUIArtProvider::DrawMinimisedPanel(dc, wnd, rect, bitmap);
        return;
    }
    wxBitmap readable = ReadableOn(bitmap, m_background_brush.GetColour());
    wxRibbonAUIArtProvider::DrawMinimisedPanel(dc, wnd, rect, readable);
}

} // namespace kelmora
