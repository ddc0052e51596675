#pragma once
// The modal "Edit Line Style" dialog: the user draws a custom dash pattern in a row of
// cells (CDashStyleEditCtrl) and sees it on a preview line (CDashStyleShowCtrl).
//
// The caller puts the pen's dash array into m_dashArray, shows the dialog and, when it
// ends with OK, takes m_dashArray back as the pen's custom pattern (ApplyResult does that
// for a PenMan). OK replaces m_dashArray by the edited pattern once the user has changed
// it; an untouched pattern comes back as it was given, even one the cells cannot hold as
// such (an odd count, lengths that are not whole cells). Cancel leaves it as it was.

#include <vector>

#include <wx/dialog.h>

namespace kelmora {

class CDashStyleEditCtrl;
class CDashStyleShowCtrl;
class PenMan;

class CEditDashStyleDlg : public wxDialog {
public:
    static constexpr const char* kTitle = "Edit Line Style";
    // The pattern the dialog starts with when the caller gives none of its own.
    static constexpr int kInitialDashPreset = 12;

    // `parent` may be null.
    explicit CEditDashStyleDlg(wxWindow* parent);

    CDashStyleEditCtrl& GetEditCtrl() { return *m_pEditCtrl; }
    CDashStyleShowCtrl& GetShowCtrl() { return *m_pShowCtrl; }

    // Shows m_dashArray in the editor and the preview (showing the dialog does this).
    bool TransferDataToWindow() override;
    // Replaces m_dashArray by the editor's pattern when the user changed it (ending with
    // OK does this).
    bool TransferDataFromWindow() override;

    // With wxID_OK, makes m_dashArray the pen's custom pattern (dash style 5) and answers
    // true; with any other result, or a pattern a pen would refuse, leaves the pen alone
    // and answers false.
    bool ApplyResult(int result, PenMan& pen) const;

    std::vector<float> m_dashArray;

private:
    void OnStyleCtrlNotify(wxCommandEvent& event);

    CDashStyleShowCtrl* m_pShowCtrl = nullptr;  // owned by the dialog as its child
    CDashStyleEditCtrl* m_pEditCtrl = nullptr;
    bool m_bEdited = false;  // a cell or the end bar changed since the pattern was shown
};

} // namespace kelmora
