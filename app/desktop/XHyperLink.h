#pragma once

// A text label that behaves as a web link: link colours, an underline while the pointer is
// over it, a hand cursor, a tooltip with its address, and a click that opens the address
// through the web-link opener (WebLink.h).

#include <string>

#include <wx/event.h>
#include <wx/font.h>
// The port's static text first: the generic header keeps it out when it comes first.
#include <wx/stattext.h>
#include <wx/generic/stattextg.h>

#include "app/desktop/WebLink.h"

namespace kelmora {

// Sent to the link's parent after a click when the link notifies its parent. The event's
// id is the link's window id, its integer 0, its event object the link.
wxDECLARE_EVENT(WM_XHYPERLINK_CLICKED, wxCommandEvent);

class CXHyperLink : public wxGenericStaticText {
public:
    enum class Underline { Never = 0, Always = 1, Hover = -1 };

    // An empty `label` shows the address; an empty `url` takes the label as address.
    CXHyperLink(wxWindow* parent, wxWindowID id, const wxString& label, const std::string& url = {},
        const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0);

    // Stores the address, resizes the window to the text and sets the tooltip.
    void SetURL(const std::string& url);
    const std::string& GetURL() const { return m_strURL; }

    void SetUnderline(Underline mode);
    void SetNotifyParent(bool notify) { m_bNotifyParent = notify; }
    void SetGotoURL(bool gotoUrl) { m_bGotoURL = gotoUrl; }

    bool IsVisited() const { return m_bVisited; }
    bool IsOverControl() const { return m_bOverControl; }

    // The colour the text is drawn in now: hover, else visited, else unvisited.
    wxColour GetTextColour() const;

    // Opens `url` in the browser; false when it is refused or the browser fails.
    static bool GotoURL(const std::string& url, BrowserWindow window);

    static constexpr unsigned long kLinkColour = 0x0000EE;    // RGB(0, 0, 238)
    static constexpr unsigned long kVisitedColour = 0x551A8B; // RGB(85, 26, 139)
    static constexpr unsigned long kHoverColour = 0xFF0000;   // RGB(255, 0, 0)

private:
    void OnMouseMove(wxMouseEvent& event);
    void OnMouseLeave(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);

    void Click();
    void ApplyState();
    void PositionWindow();

    wxColour m_crLinkColour;
    wxColour m_crVisitedColour;
    wxColour m_crHoverColour;
    bool m_bOverControl = false;
    bool m_bVisited = false;
    Underline m_nUnderline = Underline::Hover;
    bool m_bAdjustToFit = true;
    std::string m_strURL;
    wxFont m_UnderlineFont;
    wxFont m_StdFont;
    bool m_bGotoURL = true;
    bool m_bNotifyParent = false;
    bool m_bToolTip = true;
    BrowserWindow m_bNewWindow = BrowserWindow::Existing;
};

} // namespace kelmora
