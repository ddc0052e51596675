#pragma once
// The "Document Properties" sheet: the "Summary" page (CSummPage) then the "Statistics"
// page (CStatPage) over a drawing's summary information, with OK and Cancel.
//
// Load fills every page text from the summary information's getters. When the sheet ends
// with OK, ApplyResult writes the summary page's six edit texts back in the order author,
// keywords, subject, comments, template, title, whether the user changed them or not;
// any other ending writes nothing. The statistics are never written.

#include <wx/propdlg.h>

class wxWindow;

namespace kelmora {

class CDocSummaryInfo;
class CStatPage;
class CSummPage;

class CSummaryInfoSheet : public wxPropertySheetDialog {
public:
    static constexpr const char* kSheetTitle = "Document Properties";

    // `parent` may be null.
    explicit CSummaryInfoSheet(wxWindow* parent);

    CSummPage& GetSummaryPage() { return *m_pSummPage; }
    CStatPage& GetStatPage() { return *m_pStatPage; }

    // Fills the pages' members from the summary information; the controls show them when
    // the sheet transfers its data to the window (as showing it does).
    void Load(const CDocSummaryInfo& info);
    // With wxID_OK, writes the summary page's edit texts back and answers true; with any
    // other result leaves `info` alone and answers false. Call it after the pages have
    // read their controls back (ending the sheet with OK does that).
    bool ApplyResult(int result, CDocSummaryInfo& info) const;

private:
    CSummPage* m_pSummPage = nullptr;   // owned by the sheet's book
    CStatPage* m_pStatPage = nullptr;
};

// Shows the Document Properties sheet for `info` modally. True when the user confirmed
// with OK and the summary texts were written back (the document is then to be marked
// modified, even when no text differs); false on Cancel, with `info` unchanged.
bool ShowDocumentProperties(wxWindow* parent, CDocSummaryInfo& info);

} // namespace kelmora
