#pragma once
// The "Summary" page of the Document Properties sheet: the editable texts of a drawing's
// summary information (author, keywords, subject, comments, title, and the template text,
// which is kept but not shown) and the application name, shown only.
//
// The page keeps its texts in its members as UTF-8, the way the summary information holds
// them. TransferDataToWindow shows the members; TransferDataFromWindow reads the edits
// back into them. The page never touches a summary information itself: the sheet fills
// the members before the page is shown and writes them back when the user confirms.
//
// Multi-line comments are stored with CR LF line breaks, as the documents have always
// held them; the edit control works with LF alone.

#include <wx/panel.h>

#include <string>

class wxStaticText;
class wxTextCtrl;

namespace kelmora {

class CSummPage : public wxPanel {
public:
    // Window ids of the page's controls.
    static constexpr int kIdAuthor = 100;
    static constexpr int kIdKeywords = 102;
    static constexpr int kIdComments = 103;
    static constexpr int kIdTitle = 104;
    static constexpr int kIdSubject = 105;
    static constexpr int kIdTemplate = 106;
    static constexpr int kIdAppName = 120;

    static constexpr const char* kPageTitle = "Summary";

    explicit CSummPage(wxWindow* parent);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    // The texts, in the order they are exchanged with the controls.
    std::string m_strAuthor;
    std::string m_strKeywords;
    std::string m_strSubject;
    std::string m_strComments;
    std::string m_strTemplate;
    std::string m_strTitle;
    std::string m_strAppName;   // shown only

private:
    wxTextCtrl* m_pAuthor = nullptr;
    wxTextCtrl* m_pKeywords = nullptr;
    wxTextCtrl* m_pSubject = nullptr;
    wxTextCtrl* m_pComments = nullptr;
    wxTextCtrl* m_pTemplate = nullptr;
    wxTextCtrl* m_pTitle = nullptr;
    wxStaticText* m_pAppName = nullptr;
};

} // namespace kelmora
