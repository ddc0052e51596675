#include "dialogs/SummaryInfoSheet.h"

#include "dialogs/StatPage.h"
#include "dialogs/SummPage.h"
#include "document/DocSummaryInfo.h"

#include <wx/bookctrl.h>

namespace kelmora {

CSummaryInfoSheet::CSummaryInfoSheet(wxWindow* parent)
    : wxPropertySheetDialog(parent, wxID_ANY, kSheetTitle)
{
    CreateButtons(wxOK | wxCANCEL);

    wxBookCtrlBase* book = GetBookCtrl();
    m_pSummPage = new CSummPage(book);
    book->AddPage(m_pSummPage, CSummPage::kPageTitle, true);
    m_pStatPage = new CStatPage(book);
    book->AddPage(m_pStatPage, CStatPage::kPageTitle, false);

    LayoutDialog();
}

void CSummaryInfoSheet::Load(const CDocSummaryInfo& info)
{
    CSummPage& summary = *m_pSummPage;
    summary.m_strAuthor = info.GetAuthor();
    summary.m_strKeywords = info.GetKeywords();
    summary.m_strSubject = info.GetSubject();
    summary.m_strComments = info.GetComments();
    summary.m_strTemplate = info.GetTemplate();
    summary.m_strTitle = info.GetTitle();
    summary.m_strAppName = info.GetAppName();

    CStatPage& statistics = *m_pStatPage;
    statistics.m_strLastSavedBy = info.GetLastAuthor();
    statistics.m_strRevision = info.GetRevision();
    statistics.m_strEditTime = info.GetTotalEditTime();
    statistics.m_strLastPrinted = info.GetLastPrinted();
    statistics.m_strCreated = info.GetCreateTime();
    statistics.m_strLastSaved = info.GetLastSaveTime();
    statistics.m_strPages = info.GetPageCount();
    statistics.m_strWords = info.GetWordCount();
    statistics.m_strChars = info.GetCharCount();
    statistics.m_strSecurity = info.GetSecurity();
}

bool CSummaryInfoSheet::ApplyResult(int result, CDocSummaryInfo& info) const
{
    if (result != wxID_OK)
        return false;
    const CSummPage& summary = *m_pSummPage;
    info.SetAuthor(summary.m_strAuthor);
    info.SetKeywords(summary.m_strKeywords);
    info.SetSubject(summary.m_strSubject);
    info.SetComments(summary.m_strComments);
    info.SetTemplate(summary.m_strTemplate);
    info.SetTitle(summary.m_strTitle);
    return true;
}

bool ShowDocumentProperties(wxWindow* parent, CDocSummaryInfo& info)
{
    CSummaryInfoSheet sheet(parent);
    sheet.Load(info);
    return sheet.ApplyResult(sheet.ShowModal(), info);
}

} // namespace kelmora
