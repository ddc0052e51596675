#include "dialogs/EditDashStyleDlg.h"

#include "dialogs/DashCells.h"
#include "dialogs/DashStyleEditCtrl.h"
#include "dialogs/DashStyleShowCtrl.h"
#include "dialogs/StyleCtrlNotify.h"
#include "model/PenMan.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace kelmora {

namespace {

constexpr const char* kClickText = "Click on the squares to turn dots in the line style on and off.";
constexpr const char* kHintText =
    "Hint: The first dot in the line style must be black, and the last dot must be a space."
    "You can adjust the end of the line style by moving the bar on the right side of the line."
    "There is a limit of 5 dashes per outline style.";

} // namespace

CEditDashStyleDlg::CEditDashStyleDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(kTitle))
{
    PenMan::GetDashPreset(kInitialDashPreset, m_dashArray);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(kClickText)), 0, wxALL, 8);
    m_pEditCtrl = new CDashStyleEditCtrl(this, wxID_ANY);
    sizer->Add(m_pEditCtrl, 0, wxLEFT | wxRIGHT, 8);
    m_pShowCtrl = new CDashStyleShowCtrl(this, wxID_ANY);
    sizer->Add(m_pShowCtrl, 0, wxEXPAND | wxALL, 8);
    auto* hint = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(kHintText));
    hint->Wrap(m_pEditCtrl->GetBestSize().x);
    sizer->Add(hint, 0, wxLEFT | wxRIGHT, 8);
    sizer->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 8);
    SetSizerAndFit(sizer);

    Bind(WM_STYLECTRL_NOTIFY, &CEditDashStyleDlg::OnStyleCtrlNotify, this);
}

bool CEditDashStyleDlg::TransferDataToWindow()
{
    m_pShowCtrl->m_clrBack = Color(0xFFFFFFFF);
    m_pShowCtrl->m_clrLine = Color(0xFF000000);
    m_pShowCtrl->SetDashArray(m_dashArray);
    m_pEditCtrl->SetFromDashArray(m_dashArray);
    m_bEdited = false;
    return wxDialog::TransferDataToWindow();
}

bool CEditDashStyleDlg::TransferDataFromWindow()
{
    if (m_bEdited) {
        m_dashArray.clear();
        m_pEditCtrl->GetDashArray(m_dashArray);
    }
    return wxDialog::TransferDataFromWindow();
}

void CEditDashStyleDlg::OnStyleCtrlNotify(wxCommandEvent& event)
{
    if (event.GetEventObject() != m_pEditCtrl)
        return;
    m_bEdited = true;
    std::vector<float> pattern;
    m_pEditCtrl->GetDashArray(pattern);
    m_pShowCtrl->SetDashArray(pattern);
}

bool CEditDashStyleDlg::ApplyResult(int result, PenMan& pen) const
{
    if (result != wxID_OK || !IsValidDashArray(m_dashArray))
        return false;
    pen.m_dashArray = m_dashArray;
    pen.m_nDashStyle = PenMan::kFirstCustomDashStyle;
    return true;
}

} // namespace kelmora
