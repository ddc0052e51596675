#include "platform/ui/RibbonEditCtrl.h"

#include "platform/ui/RibbonColors.h"

#include <wx/dcbuffer.h>
#include <wx/sizer.h>

namespace kelmora {

namespace {

// The spin arrows repeat while held: the first repeat after this delay, then faster.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 60;
constexpr int kArrowsWidth = 14;

} // namespace

CompactTextCtrl::CompactTextCtrl(wxWindow* parent, wxWindowID id, const wxString& value, const wxSize& size, long style)
    : wxTextCtrl(parent, id, value, wxDefaultPosition, size, style)
{
#ifdef __WXGTK3__
    // The theme's entries are made for forms; a ribbon row is a line of text high.
    GTKApplyCssStyle("entry { min-height: 0px; padding-top: 1px; padding-bottom: 1px; padding-left: 4px; "
                     "padding-right: 4px; }");
    SetInitialSize(wxSize(size.x, -1));
#endif
}

class RibbonEditCtrl::SpinArrows : public wxWindow {
public:
    SpinArrows(RibbonEditCtrl* owner, int height)
        : wxWindow(owner, wxID_ANY, wxDefaultPosition, wxSize(kArrowsWidth, height)), m_owner(owner), m_timer(this)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &SpinArrows::OnPaint, this);
        Bind(wxEVT_LEFT_DOWN, &SpinArrows::OnDown, this);
        Bind(wxEVT_LEFT_DCLICK, &SpinArrows::OnDown, this);
        Bind(wxEVT_LEFT_UP, &SpinArrows::OnUp, this);
        Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { Stop(); });
        Bind(wxEVT_MOTION, &SpinArrows::OnMotion, this);
        Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) {
            m_hot = 0;
            Refresh();
        });
        Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            m_owner->StepBy(m_pressed);
            m_timer.Start(kRepeatIntervalMs, wxTIMER_ONE_SHOT);
        });
    }

private:
    int HalfAt(int y) const { return y < GetClientSize().y / 2 ? 1 : -1; }

    void OnDown(wxMouseEvent& event)
    {
        m_pressed = HalfAt(event.GetY());
        CaptureMouse();
        m_owner->StepBy(m_pressed);
        m_timer.Start(kRepeatDelayMs, wxTIMER_ONE_SHOT);
        Refresh();
    }

    void OnUp(wxMouseEvent&)
    {
        if (HasCapture())
            ReleaseMouse();
        Stop();
    }

    void Stop()
    {
        m_timer.Stop();
        m_pressed = 0;
        Refresh();
    }

    void OnMotion(wxMouseEvent& event)
    {
        const int hot = HalfAt(event.GetY());
        if (hot != m_hot) {
            m_hot = hot;
            Refresh();
        }
    }

    void OnPaint(wxPaintEvent&)
    {
        const RibbonColors& colors = CurrentRibbonColors();
        wxAutoBufferedPaintDC dc(this);
        const wxSize size = GetClientSize();
        dc.SetBackground(colors.panelBackground);
        dc.Clear();
        const int half = size.y / 2;
        for (int part : {1, -1}) {
            const wxRect rect(0, part > 0 ? 0 : half, size.x, part > 0 ? half : size.y - half);
            if (m_pressed == part || m_hot == part) {
                dc.SetPen(colors.hoverBorder);
                dc.SetBrush(m_pressed == part ? colors.pressedFill : colors.hoverFill);
                dc.DrawRectangle(rect);
            }
            const int cx = rect.x + rect.width / 2;
            const int cy = rect.y + rect.height / 2;
            const wxPoint up[] = {{cx - 3, cy + 2}, {cx + 3, cy + 2}, {cx, cy - 1}};
            const wxPoint down[] = {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}};
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(IsEnabled() ? colors.panelText : colors.panelDisabledText);
            dc.DrawPolygon(3, part > 0 ? up : down);
        }
    }

    RibbonEditCtrl* m_owner;
    wxTimer m_timer;
    int m_pressed = 0;
    int m_hot = 0;
};

RibbonEditCtrl::RibbonEditCtrl(wxWindow* parent, RibbonEdit& element, RibbonHost& host)
    : wxControl(parent, element.WxId(), wxDefaultPosition, wxDefaultSize, wxBORDER_NONE), m_element(element),
      m_host(host)
{
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    m_field = new CompactTextCtrl(this, wxID_ANY, wxString::FromUTF8(element.GetText()), wxSize(element.Width(), -1),
                                  wxTE_PROCESS_ENTER);
    m_field->SetToolTip(wxString::FromUTF8(element.ToolTip()));
    sizer->Add(m_field, 1, wxALIGN_CENTER_VERTICAL);
    if (element.HasSpin()) {
        m_arrows = new SpinArrows(this, m_field->GetBestSize().y);
        sizer->Add(m_arrows, 0, wxEXPAND | wxLEFT, 1);
    }
    SetSizerAndFit(sizer);

    m_field->Bind(wxEVT_TEXT_ENTER, &RibbonEditCtrl::OnEnter, this);
    m_field->Bind(wxEVT_KILL_FOCUS, &RibbonEditCtrl::OnKillFocus, this);
    m_field->Bind(wxEVT_KEY_DOWN, &RibbonEditCtrl::OnKey, this);
    m_watch = element.Watch([this] { ShowElementText(); });
}

RibbonEditCtrl::~RibbonEditCtrl()
{
    m_element.Unwatch(m_watch);
}

void RibbonEditCtrl::ShowElementText()
{
    const wxString text = wxString::FromUTF8(m_element.GetText());
    if (m_field->GetValue() != text)
        m_field->ChangeValue(text);
}

void RibbonEditCtrl::CommitField(bool enterPressed)
{
    const std::string typed = m_field->GetValue().utf8_string();
    const std::string before = m_element.GetText();
    const bool taken = m_element.CommitTyped(typed);
    ShowElementText();
    if (taken && (enterPressed || m_element.GetText() != before))
        m_host.SendCommand(m_element.Id());
}

void RibbonEditCtrl::StepBy(int steps)
{
    // Typed but not yet committed text counts first.
    if (m_field->GetValue().utf8_string() != m_element.GetText())
        m_element.CommitTyped(m_field->GetValue().utf8_string());
    const bool changed = m_element.Step(steps);
    ShowElementText();
    if (changed)
        m_host.SendCommand(m_element.Id());
}

void RibbonEditCtrl::OnEnter(wxCommandEvent&)
{
    CommitField(true);
    // Done with the field: Ctrl+Z and the other shortcuts act on the drawing again.
    m_host.ReturnFocus();
}

void RibbonEditCtrl::OnKillFocus(wxFocusEvent& event)
{
    event.Skip();
    if (m_field->GetValue().utf8_string() != m_element.GetText())
        CommitField(false);
}

void RibbonEditCtrl::OnKey(wxKeyEvent& event)
{
    switch (event.GetKeyCode()) {
    case WXK_ESCAPE:
        ShowElementText();
        return;
    case WXK_UP:
        if (m_element.HasSpin()) {
            StepBy(1);
            return;
        }
        break;
    case WXK_DOWN:
        if (m_element.HasSpin()) {
            StepBy(-1);
            return;
        }
        break;
    default:
        break;
    }
    event.Skip();
}

RibbonComboCtrl::RibbonComboCtrl(wxWindow* parent, RibbonComboBox& element, RibbonHost& host)
    : wxOwnerDrawnComboBox(parent, element.WxId(), wxString(), wxDefaultPosition, wxSize(element.Width(), -1),
                           wxArrayString(), wxCB_READONLY),
      m_element(element), m_host(host)
{
    SetToolTip(wxString::FromUTF8(element.ToolTip()));
    // As high as the edit boxes beside it.
    const wxSize size(element.Width(), GetCharHeight() + 10);
    SetMinSize(size);
    SetSize(size);
    ShowElement();
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent& event) { PickItem(event.GetSelection()); });
    m_watch = element.Watch([this] { ShowElement(); });
}

RibbonComboCtrl::~RibbonComboCtrl()
{
    m_element.Unwatch(m_watch);
}

void RibbonComboCtrl::ShowElement()
{
    const std::vector<std::string>& items = m_element.Items();
    if (GetCount() != items.size()) {
        wxArrayString texts;
        for (const std::string& item : items)
            texts.Add(wxString::FromUTF8(item));
        Set(texts);
    }
    if (GetSelection() != m_element.GetSelected())
        SetSelection(m_element.GetSelected());
}

void RibbonComboCtrl::PickItem(int index)
{
    if (index < 0 || size_t(index) >= m_element.Items().size())
        return;
    m_element.SetSelected(index);
    m_host.SendCommand(m_element.Id());
}

} // namespace kelmora
