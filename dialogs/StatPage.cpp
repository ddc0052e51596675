#include "dialogs/StatPage.h"

#include "dialogs/PageLayout.h"
#include "dialogs/PageText.h"

#include <wx/stattext.h>

namespace kelmora {

namespace {

// The page's size in dialog units.
constexpr int kPageWidth = 219;
constexpr int kPageHeight = 139;

} // namespace

CStatPage::CStatPage(wxWindow* parent)
    : wxPanel(parent, wxID_ANY)
{
    PageLayout layout(this);

    // Top to bottom as shown; the last three rows are kept but never shown.
    m_pLastSavedBy = layout.AddReadOut(kIdLastSavedBy, "Last Saved By:");
    m_pEditTime = layout.AddReadOut(kIdEditTime, "Total Editing Time:");
    m_pLastPrinted = layout.AddReadOut(kIdLastPrinted, "Last Printed:");
    m_pCreated = layout.AddReadOut(kIdCreated, "Created:");
    m_pLastSaved = layout.AddReadOut(kIdLastSaved, "Last Saved:");
    m_pPages = layout.AddReadOut(kIdPages, "# Pages:");
    m_pRevision = layout.AddReadOut(kIdRevision, "Revision number:");
    m_pWords = layout.AddReadOut(kIdWords, "# words:", RowVisibility::Hidden);
    m_pChars = layout.AddReadOut(kIdChars, "# chars:", RowVisibility::Hidden);
    m_pSecurity = layout.AddReadOut(kIdSecurity, "Security Level:", RowVisibility::Hidden);

    layout.Finish(wxSize(kPageWidth, kPageHeight));
}

bool CStatPage::TransferDataToWindow()
{
    // SetLabelText: a name with an ampersand is shown as it is, not as a mnemonic.
    m_pLastSavedBy->SetLabelText(ToControlText(m_strLastSavedBy));
    m_pRevision->SetLabelText(ToControlText(m_strRevision));
    m_pEditTime->SetLabelText(ToControlText(m_strEditTime));
    m_pLastPrinted->SetLabelText(ToControlText(m_strLastPrinted));
    m_pCreated->SetLabelText(ToControlText(m_strCreated));
    m_pLastSaved->SetLabelText(ToControlText(m_strLastSaved));
    m_pPages->SetLabelText(ToControlText(m_strPages));
    m_pWords->SetLabelText(ToControlText(m_strWords));
    m_pChars->SetLabelText(ToControlText(m_strChars));
    m_pSecurity->SetLabelText(ToControlText(m_strSecurity));
    Layout();
    return true;
}

} // namespace kelmora
