#include "dialogs/SummPage.h"

#include "dialogs/PageLayout.h"
#include "dialogs/PageText.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace kelmora {

namespace {

// The page's size and the height of the comments box, in dialog units.
constexpr int kPageWidth = 196;
constexpr int kPageHeight = 156;
constexpr int kCommentsHeight = 44;

} // namespace

CSummPage::CSummPage(wxWindow* parent)
    : wxPanel(parent, wxID_ANY)
{
    PageLayout layout(this);

    // Top to bottom: Application, Author, Keywords, Comments, Title, Subject; the template
    // row exists for the data exchange but is never shown.
    m_pAppName = layout.AddReadOut(kIdAppName, "Application:");
    m_pAuthor = layout.AddEdit(kIdAuthor, "Author:");
    m_pKeywords = layout.AddEdit(kIdKeywords, "Keywords:");
    m_pComments = layout.AddMultiLineEdit(kIdComments, "Comments:", kCommentsHeight);
    m_pTitle = layout.AddEdit(kIdTitle, "Title:");
    m_pSubject = layout.AddEdit(kIdSubject, "Subject:");
    m_pTemplate = layout.AddEdit(kIdTemplate, "Template:", RowVisibility::Hidden);

    layout.Finish(wxSize(kPageWidth, kPageHeight));
}

bool CSummPage::TransferDataToWindow()
{
    m_pAuthor->ChangeValue(ToControlText(m_strAuthor));
    m_pKeywords->ChangeValue(ToControlText(m_strKeywords));
    m_pSubject->ChangeValue(ToControlText(m_strSubject));
    m_pComments->ChangeValue(ToMultiLineControlText(m_strComments));
    m_pTemplate->ChangeValue(ToControlText(m_strTemplate));
    m_pTitle->ChangeValue(ToControlText(m_strTitle));
    m_pAppName->SetLabelText(ToControlText(m_strAppName));
    Layout();
    return true;
}

bool CSummPage::TransferDataFromWindow()
{
    m_strAuthor = FromControlText(m_pAuthor->GetValue());
    m_strKeywords = FromControlText(m_pKeywords->GetValue());
    m_strSubject = FromControlText(m_pSubject->GetValue());
    m_strComments = FromMultiLineControlText(m_pComments->GetValue());
    m_strTemplate = FromControlText(m_pTemplate->GetValue());
    m_strTitle = FromControlText(m_pTitle->GetValue());
    return true;
}

} // namespace kelmora
