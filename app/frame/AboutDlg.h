#pragma once
// The About box: the product name and version, the maker's mail and web-site links, and
// an OK button.

#include <wx/dialog.h>

namespace kelmora {

class CXHyperLink;

class CAboutDlg : public wxDialog {
public:
    static constexpr int kMailLinkId = 194;
    static constexpr int kWebSiteLinkId = 195;

    explicit CAboutDlg(wxWindow* parent);

    CXHyperLink* GetMailLink() const { return m_mailLink; }
    CXHyperLink* GetWebSiteLink() const { return m_webSiteLink; }

private:
    CXHyperLink* m_webSiteLink = nullptr;
    CXHyperLink* m_mailLink = nullptr;
};

} // namespace kelmora
