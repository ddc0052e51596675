#include "platform/ui/RibbonCheckCtrl.h"

#include "platform/ui/Contrast.h"
#include "platform/ui/RibbonColors.h"

#include <wx/dcbuffer.h>

namespace kelmora {

namespace {

constexpr int kBox = 13;
constexpr int kGap = 6;

} // namespace

RibbonCheckCtrl::RibbonCheckCtrl(wxWindow* parent, RibbonCheckBox& element, RibbonHost& host)
    : RibbonCheckableWindow(parent, element.WxId(), wxDefaultPosition, wxDefaultSize, wxBORDER_NONE),
      m_element(element), m_host(host)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetToolTip(wxString::FromUTF8(element.ToolTip()));
    SetInitialSize();
    Bind(wxEVT_PAINT, &RibbonCheckCtrl::OnPaint, this);
    TrackHover(*this, m_hot);
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
        if (wxRect(GetClientSize()).Contains(event.GetPosition()))
            Click();
    });
}

void RibbonCheckCtrl::Click()
{
    if (!IsEnabled())
        return;
    // The mark shows the change at once; the frame's update handler has the last word.
    SetChecked(!IsChecked());
    m_host.SendCommand(m_element.Id());
}

wxSize RibbonCheckCtrl::DoGetBestClientSize() const
{
    wxClientDC dc(const_cast<RibbonCheckCtrl*>(this));
    dc.SetFont(GetFont());
    const wxSize text = dc.GetTextExtent(wxString::FromUTF8(m_element.PlainCaption()));
    return wxSize(2 + kBox + kGap + text.x + 4, std::max(kBox + 6, text.y + 6));
}

void RibbonCheckCtrl::OnPaint(wxPaintEvent&)
{
    const RibbonColors& colors = CurrentRibbonColors();
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBackground(colors.panelBackground);
    dc.Clear();
    const bool enabled = IsEnabled();
    const wxRect box(2, (size.y - kBox) / 2, kBox, kBox);
    const wxColour boxFill = enabled && m_hot ? colors.hoverFill : colors.menuBackground;
    dc.SetPen(enabled && m_hot ? colors.hoverBorder : colors.menuBorder);
    dc.SetBrush(boxFill);
    dc.DrawRectangle(box);
    if (IsChecked()) {
        // The mark sits in the box, whose fill differs from the panel's.
        const wxColour mark = enabled ? ReadableOn(colors.panelText, {boxFill}) : DisabledOn(colors.panelText, boxFill);
        dc.SetPen(wxPen(mark, 2));
        const int x = box.x;
        const int y = box.y;
        dc.DrawLine(x + 3, y + 6, x + 5, y + 9);
        dc.DrawLine(x + 5, y + 9, x + 10, y + 3);
    }
    dc.SetFont(GetFont());
    dc.SetTextForeground(enabled ? colors.panelText : colors.panelDisabledText);
    dc.DrawLabel(wxString::FromUTF8(m_element.PlainCaption()),
                 wxRect(box.GetRight() + 1 + kGap, 0, size.x - box.GetRight() - kGap, size.y),
                 wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
}

} // namespace kelmora
