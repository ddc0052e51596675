#include "platform/ui/RibbonIconButton.h"

#include "platform/ui/Contrast.h"
#include "platform/ui/RibbonColors.h"

#include <wx/dcbuffer.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/weakref.h>

namespace kelmora {

void TrackHover(wxWindow& window, bool& hot)
{
    window.Bind(wxEVT_ENTER_WINDOW, [&window, &hot](wxMouseEvent& event) {
        hot = true;
        window.Refresh();
        event.Skip();
    });
    window.Bind(wxEVT_LEAVE_WINDOW, [&window, &hot](wxMouseEvent& event) {
        hot = false;
        window.Refresh();
        event.Skip();
    });
}

void SettleHover(wxWindow& owner)
{
    const wxPoint pointer = wxGetMousePosition();
    for (wxWindow* window = &owner; window && !window->IsTopLevel(); window = window->GetParent()) {
        if (window->IsBeingDeleted())
            return;
        const wxPoint local = window->ScreenToClient(pointer);
        const bool inside = window->IsShownOnScreen() && wxRect(window->GetClientSize()).Contains(local);
        // A motion lets a window under the pointer find its hovered part again; a leave
        // clears the highlight of one the pointer is no longer over, and of its parent.
        wxMouseEvent event(inside ? wxEVT_MOTION : wxEVT_LEAVE_WINDOW);
        event.SetEventObject(window);
        event.SetPosition(local);
        window->GetEventHandler()->ProcessEvent(event);
        if (inside)
            return;
    }
}

void RibbonCheckableWindow::SetChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    Refresh();
}

void RibbonCheckableWindow::DoUpdateWindowUI(wxUpdateUIEvent& event)
{
    wxWindow::DoUpdateWindowUI(event);
    if (event.GetSetChecked())
        SetChecked(event.GetChecked());
}

RibbonIconButton::RibbonIconButton(wxWindow* parent, wxWindowID id, const wxBitmap& icon, const wxString& text,
                                   bool dropDown, Surface surface)
    : RibbonCheckableWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      m_icon(icon), m_disabledIcon(icon.IsOk() ? icon.ConvertToDisabled() : wxBitmap()),
      m_text(text), m_dropDown(dropDown), m_surface(surface)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize();
    Bind(wxEVT_PAINT, &RibbonIconButton::OnPaint, this);
    TrackHover(*this, m_hot);
    // Leaving while pressed gives the press up.
    Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& event) {
        m_pressed = false;
        event.Skip();
    });
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) {
        m_pressed = true;
        Refresh();
    });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
        const bool wasPressed = m_pressed;
        m_pressed = false;
        Refresh();
        if (wasPressed && wxRect(GetClientSize()).Contains(event.GetPosition()))
            Click();
    });
    // A window the button opened that keeps the program's other windows from the pointer
    // (a message box, the print preview) leaves the button lit: it never hears the pointer
    // go. Its window becoming active again is when that window has closed. Bound with the
    // button as the handler, the binding goes with the button.
    if (wxWindow* top = wxGetTopLevelParent(this))
        top->Bind(wxEVT_ACTIVATE, &RibbonIconButton::OnTopLevelActivate, this);
}

void RibbonIconButton::OnTopLevelActivate(wxActivateEvent& event)
{
    event.Skip();
    if (event.GetActive() && (m_hot || m_pressed) && !IsBeingDeleted())
        SettleHover(*this);
}

void RibbonIconButton::SetIcon(const wxBitmap& icon)
{
    m_icon = icon;
    m_disabledIcon = icon.IsOk() ? icon.ConvertToDisabled() : wxBitmap();
    InvalidateBestSize();
    Refresh();
}

void RibbonIconButton::Click()
{
    if (!IsEnabled() || !onClick)
        return;
    // The command may rebuild the row the button sits on.
    wxWeakRef<RibbonIconButton> self(this);
    onClick();
    // Whatever the command showed and closed meanwhile (a message box, a dialog) held the
    // pointer, so the button looks where the pointer is now.
    if (self && !IsBeingDeleted())
        SettleHover(*this);
}

wxSize RibbonIconButton::DoGetBestClientSize() const
{
    int width = 6 + (m_icon.IsOk() ? m_icon.GetWidth() : 0);
    int height = 22;
    if (!m_text.empty()) {
        wxClientDC dc(const_cast<RibbonIconButton*>(this));
        dc.SetFont(GetFont());
        const wxSize text = dc.GetTextExtent(m_text);
        width += text.x + (m_icon.IsOk() ? 4 : 2);
        height = std::max(height, text.y + 6);
    }
    if (m_dropDown)
        width += 10;
    if (m_icon.IsOk())
        height = std::max(height, m_icon.GetHeight() + 6);
    return wxSize(width, height);
}

void RibbonIconButton::OnPaint(wxPaintEvent&)
{
    const RibbonColors& colors = CurrentRibbonColors();
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    // What the icon and the text sit on; on the tab row, the middle of its gradient.
    wxColour background = m_surface == Surface::TabRow    ? Mix(colors.tabRowBackground, colors.tabRowBottom, 0.5)
                          : m_surface == Surface::StatusBar ? colors.statusBackground
                                                            : colors.menuBackground;
    dc.SetBackground(background);
    dc.Clear();
    if (m_surface == Surface::TabRow)
        PaintTabRowBackground(dc, wxRect(size));
    const bool enabled = IsEnabled();
    const bool checked = IsChecked();
    if (enabled && (m_hot || m_pressed || checked)) {
        background = m_pressed ? colors.pressedFill : checked ? colors.checkedFill : colors.hoverFill;
        dc.SetPen(checked && !m_hot ? colors.checkedBorder : colors.hoverBorder);
        dc.SetBrush(background);
        dc.DrawRoundedRectangle(wxRect(size), 3);
    }
    int x = 3;
    if (m_icon.IsOk()) {
        const wxBitmap icon = enabled ? ReadableOn(m_icon, background)
                                      : ReadableOn(m_disabledIcon, background, kDisabledContrast);
        dc.DrawBitmap(icon, x, (size.y - icon.GetHeight()) / 2, true);
        x += icon.GetWidth() + 4;
    }
    const wxColour plainText = m_surface == Surface::TabRow    ? colors.tabRowText
                               : m_surface == Surface::StatusBar ? colors.statusText
                                                                 : colors.menuText;
    const wxColour textColour = enabled ? ReadableOn(plainText, {background}) : DisabledOn(plainText, background);
    if (!m_text.empty()) {
        dc.SetFont(GetFont());
        dc.SetTextForeground(textColour);
        const wxSize text = dc.GetTextExtent(m_text);
        dc.DrawText(m_text, x, (size.y - text.y) / 2);
        x += text.x + 2;
    }
    if (m_dropDown) {
        const int cx = size.x - 7;
        const int cy = size.y / 2;
        const wxPoint arrow[] = {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}};
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(textColour);
        dc.DrawPolygon(3, arrow);
    }
}

} // namespace kelmora
