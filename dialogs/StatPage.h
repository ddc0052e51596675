#pragma once
// The "Statistics" page of the Document Properties sheet: read-outs of a drawing's
// summary information (who saved it last, the revision number, the total editing time,
// the last printed, created and saved times and the page count). The word count, the
// character count and the security level are kept on the page but not shown.
//
// The members hold the texts as the summary information's getters format them (UTF-8);
// TransferDataToWindow shows them. Nothing on the page is editable.

#include <wx/panel.h>

#include <string>

class wxStaticText;

namespace kelmora {

class CStatPage : public wxPanel {
public:
    // Window ids of the read-outs.
    static constexpr int kIdLastSavedBy = 108;
    static constexpr int kIdRevision = 109;
    static constexpr int kIdEditTime = 111;
    static constexpr int kIdLastPrinted = 113;
    static constexpr int kIdCreated = 114;
    static constexpr int kIdLastSaved = 115;
    static constexpr int kIdPages = 117;
    static constexpr int kIdWords = 118;
    static constexpr int kIdChars = 119;
    static constexpr int kIdSecurity = 121;

    static constexpr const char* kPageTitle = "Statistics";

    explicit CStatPage(wxWindow* parent);

    bool TransferDataToWindow() override;
    // The read-outs are not editable: nothing to read back.
    bool TransferDataFromWindow() override { return true; }

    std::string m_strLastSavedBy;
    std::string m_strRevision;
    std::string m_strEditTime;
    std::string m_strLastPrinted;
    std::string m_strCreated;
    std::string m_strLastSaved;
    std::string m_strPages;
    std::string m_strWords;
    std::string m_strChars;
    std::string m_strSecurity;

private:
    wxStaticText* m_pLastSavedBy = nullptr;
    wxStaticText* m_pRevision = nullptr;
    wxStaticText* m_pEditTime = nullptr;
    wxStaticText* m_pLastPrinted = nullptr;
    wxStaticText* m_pCreated = nullptr;
    wxStaticText* m_pLastSaved = nullptr;
    wxStaticText* m_pPages = nullptr;
    wxStaticText* m_pWords = nullptr;
    wxStaticText* m_pChars = nullptr;
    wxStaticText* m_pSecurity = nullptr;
};

} // namespace kelmora
