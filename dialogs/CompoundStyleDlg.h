#pragma once
// The modal "Edit Compound Style" dialog: the user sets the bands of a compound line as a
// row of ten dots (CCompoundStyleEditCtrl) and sees the line (CCompoundStyleShowCtrl).
//
// The caller puts the pen's compound array into m_compoundArray (or leaves it empty for
// a pen without one), shows the dialog and, when it ends with OK, takes m_compoundArray
// back. OK replaces m_compoundArray by the row's array, which a pen always draws, once the
// user has changed a dot; an untouched array comes back as it was given, even one the
// dots cannot hold as such (bands that are not whole tenths). Cancel leaves it as it was.

#include <vector>

#include <wx/dialog.h>

namespace kelmora {

class CCompoundStyleEditCtrl;
class CCompoundStyleShowCtrl;

class CCompoundStyleDlg : public wxDialog {
public:
    static constexpr const char* kTitle = "Edit Compound Style";

    // `parent` may be null.
    explicit CCompoundStyleDlg(wxWindow* parent);

    CCompoundStyleEditCtrl& GetEditCtrl() { return *m_pEditCtrl; }
    CCompoundStyleShowCtrl& GetShowCtrl() { return *m_pShowCtrl; }

    // Shows m_compoundArray in the row and the preview (showing the dialog does this).
    bool TransferDataToWindow() override;
    // Replaces m_compoundArray by the row's array when the user changed a dot (ending
    // with OK does this).
    bool TransferDataFromWindow() override;

    std::vector<float> m_compoundArray;

private:
    void OnDotsChanged(wxCommandEvent& event);

    CCompoundStyleEditCtrl* m_pEditCtrl = nullptr;  // children of the dialog
    CCompoundStyleShowCtrl* m_pShowCtrl = nullptr;
    bool m_bEdited = false;  // a dot changed since the array was shown
};

} // namespace kelmora
