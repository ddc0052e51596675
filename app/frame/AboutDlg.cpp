#include "app/frame/AboutDlg.h"

#include "app/desktop/ProductLinks.h"
#include "app/desktop/ProgramIcon.h"
#include "app/desktop/XHyperLink.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace kelmora {

CAboutDlg::CAboutDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "About Vantorel Logo Designer")
{
    constexpr int kIconSize = 48;
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(new wxStaticBitmap(this, wxID_ANY, ProgramIconBitmap(kIconSize)), 0, wxALL, 12);

    auto* text = new wxBoxSizer(wxVERTICAL);
    text->Add(new wxStaticText(this, wxID_ANY, "Vantorel Logo Designer Version 1.0"), 0, wxBOTTOM, 10);
    auto* links = new wxFlexGridSizer(2, 6, 8);
    // The web-site link shows its address; the mail link the address without its scheme.
    const std::string mail = kSupportMailUrl;
    m_mailLink = new CXHyperLink(this, kMailLinkId, wxString::FromUTF8(mail.substr(mail.find(':') + 1)), mail);
    m_webSiteLink = new CXHyperLink(this, kWebSiteLinkId, wxEmptyString, kHomePageUrl);
    links->Add(new wxStaticText(this, wxID_ANY, "EMail:"));
    links->Add(m_mailLink);
    links->Add(new wxStaticText(this, wxID_ANY, "WebSite:"));
    links->Add(m_webSiteLink);
    text->Add(links);
    top->Add(text, 1, wxTOP | wxRIGHT | wxBOTTOM, 12);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 1, wxEXPAND);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    sizer->Add(ok, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 12);
    SetSizerAndFit(sizer);
    CentreOnParent();
}

} // namespace kelmora
