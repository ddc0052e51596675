#pragma once
// "Batch convert": the form for converting a folder of drawings. It has no behaviour of
// its own yet: "Convert" ends it with wxID_OK and "Quit" with wxID_CANCEL; the folder
// buttons, "Print", "Version Up", "Rename" and "list" do nothing, and no file is read or
// written. The edits open empty and "Recurse" unchecked.

#include <wx/dialog.h>

#include <string>

namespace kelmora {

class CDrawView;

class CBatchConvertDlg : public wxDialog {
public:
    static constexpr int kIdFindFolder = 144;
    static constexpr int kIdBrowseFindFolder = 147;
    static constexpr int kIdOutputFolder = 145;
    static constexpr int kIdBrowseOutputFolder = 146;
    static constexpr int kIdFileType = 543;
    static constexpr int kIdRecurse = 151;
    static constexpr int kIdPrint = 509;
    static constexpr int kIdVersionUp = 1066;
    static constexpr int kIdRename = 1067;
    static constexpr int kIdList = 1068;

    static constexpr const char* kTitle = "Batch convert";

    // `parent` may be null.
    explicit CBatchConvertDlg(wxWindow* parent);

    CDrawView* m_pView = nullptr;   // the view that opened the dialog; not used by it

    // Not exchanged with the controls.
    std::string m_strFindFolder;
    std::string m_strOutputFolder;
    std::string m_strFileType = "*.*";
    int m_nMode = 1;
};

} // namespace kelmora
