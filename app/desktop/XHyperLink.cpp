#include "app/desktop/XHyperLink.h"

#include "platform/ui/RibbonColors.h"

#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/utils.h>

namespace kelmora {

wxDEFINE_EVENT(WM_XHYPERLINK_CLICKED, wxCommandEvent);

CXHyperLink::CXHyperLink(wxWindow* parent, wxWindowID id, const wxString& label, const std::string& url,
    const wxPoint& pos, const wxSize& size, long style)
    : wxGenericStaticText(parent, id, label, pos, size, style | wxST_NO_AUTORESIZE)
    , m_crLinkColour(FromRgb(kLinkColour))
    , m_crVisitedColour(FromRgb(kVisitedColour))
    , m_crHoverColour(FromRgb(kHoverColour))
    , m_strURL(url)
{
    if (m_strURL.empty())
        m_strURL = label.utf8_string();
    else if (label.empty())
        SetLabel(wxString::FromUTF8(m_strURL.data(), m_strURL.size()));

    wxFont font = GetFont();
    if (!font.IsOk())
        font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    m_StdFont = font;
    m_StdFont.SetUnderlined(false);
    m_UnderlineFont = font;
    m_UnderlineFont.SetUnderlined(true);

    SetCursor(wxCursor(wxCURSOR_HAND));
    if (m_bToolTip)
        SetToolTip(wxString::FromUTF8(m_strURL.data(), m_strURL.size()));

    Bind(wxEVT_MOTION, &CXHyperLink::OnMouseMove, this);
    Bind(wxEVT_LEAVE_WINDOW, &CXHyperLink::OnMouseLeave, this);
    Bind(wxEVT_LEFT_UP, &CXHyperLink::OnLeftUp, this);

    ApplyState();
    PositionWindow();
}

void CXHyperLink::SetURL(const std::string& url)
{
    m_strURL = url;
    PositionWindow();
    if (m_bToolTip)
        SetToolTip(wxString::FromUTF8(m_strURL.data(), m_strURL.size()));
}

void CXHyperLink::SetUnderline(Underline mode)
{
    m_nUnderline = mode;
    ApplyState();
    PositionWindow();
}

wxColour CXHyperLink::GetTextColour() const
{
    if (m_bOverControl)
        return m_crHoverColour;
    return m_bVisited ? m_crVisitedColour : m_crLinkColour;
}

bool CXHyperLink::GotoURL(const std::string& url, BrowserWindow window)
{
    return OpenWebLink(url, window);
}

void CXHyperLink::OnMouseMove(wxMouseEvent& event)
{
    if (!m_bOverControl) {
        m_bOverControl = true;
        ApplyState();
    }
    event.Skip();
}

void CXHyperLink::OnMouseLeave(wxMouseEvent& event)
{
    if (m_bOverControl) {
        m_bOverControl = false;
        ApplyState();
    }
    event.Skip();
}

void CXHyperLink::OnLeftUp(wxMouseEvent& event)
{
    // A press that is dragged off the link and released elsewhere is no click.
    if (wxRect(GetClientSize()).Contains(event.GetPosition()))
        Click();
    event.Skip();
}

void CXHyperLink::Click()
{
    m_bOverControl = false;
    if (m_bGotoURL) {
        if (GotoURL(m_strURL, m_bNewWindow))
            m_bVisited = true;
        else
            wxBell();
    }
    ApplyState();

    if (m_bNotifyParent && GetParent() != nullptr) {
        wxCommandEvent clicked(WM_XHYPERLINK_CLICKED, GetId());
        clicked.SetEventObject(this);
        clicked.SetInt(0);
        GetParent()->GetEventHandler()->ProcessEvent(clicked);
    }
}

// Sets the text colour and font from the hover and visited state and repaints.
void CXHyperLink::ApplyState()
{
    const bool underline = m_nUnderline == Underline::Always || (m_nUnderline == Underline::Hover && m_bOverControl);
    SetForegroundColour(GetTextColour());
    SetFont(underline ? m_UnderlineFont : m_StdFont);
    Refresh();
}

// Resizes the window to its text, measured with the underlined font, keeping the edge that
// the text is aligned to: the right edge for right-aligned text, the centre for centred text.
void CXHyperLink::PositionWindow()
{
    if (!m_bAdjustToFit)
        return;
    wxClientDC dc(this);
    dc.SetFont(m_UnderlineFont);
    const wxSize extent = dc.GetMultiLineTextExtent(GetLabel());
    const wxSize border = GetSize() - GetClientSize();
    const wxSize size = extent + border;
    wxRect rect = GetRect();

    const long style = GetWindowStyle();
    if (style & wxALIGN_CENTER_HORIZONTAL)
        rect.x += (rect.width - size.x) / 2;
    else if (style & wxALIGN_RIGHT)
        rect.x += rect.width - size.x;
    rect.width = size.x;
    rect.height = size.y;
    SetSize(rect);
    SetMinSize(size);
}

} // namespace kelmora
