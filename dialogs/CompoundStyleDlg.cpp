#include "dialogs/CompoundStyleDlg.h"

#include "dialogs/CompoundStyleEditCtrl.h"
#include "dialogs/CompoundStyleShowCtrl.h"
#include "dialogs/StyleCtrlNotify.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

namespace kelmora {

namespace {

constexpr const char* kClickText = "Click on the squares to turn dots in the compound style on and off.";
constexpr const char* kHintText = "Hint: The first dot and the last dot in the line compound style must be black.";
constexpr int kPreviewLength = 300;

} // namespace

CCompoundStyleDlg::CCompoundStyleDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(kTitle))
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(kClickText)), 0, wxALL, 10);
    m_pEditCtrl = new CCompoundStyleEditCtrl(this, wxID_ANY);
    sizer->Add(m_pEditCtrl, 0, wxLEFT | wxRIGHT, 10);
    m_pShowCtrl = new CCompoundStyleShowCtrl(this, wxID_ANY, kPreviewLength);
    sizer->Add(m_pShowCtrl, 0, wxEXPAND | wxALL, 10);
    sizer->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(kHintText)), 0, wxLEFT | wxRIGHT, 10);
    sizer->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(sizer);

    Bind(WM_STYLECTRL_NOTIFY, &CCompoundStyleDlg::OnDotsChanged, this);
}

bool CCompoundStyleDlg::TransferDataToWindow()
{
    m_pShowCtrl->m_clrBack = Color(0xFFFFFFFF);
    m_pShowCtrl->m_clrLine = Color(0xFF000000);
    m_pShowCtrl->SetCompoundArray(m_compoundArray);
    m_pEditCtrl->CompoundArrayToDots(m_compoundArray);
    m_bEdited = false;
    return wxDialog::TransferDataToWindow();
}

bool CCompoundStyleDlg::TransferDataFromWindow()
{
    if (m_bEdited)
        m_pEditCtrl->DotsToCompoundArray(m_compoundArray);
    return wxDialog::TransferDataFromWindow();
}

void CCompoundStyleDlg::OnDotsChanged(wxCommandEvent& event)
{
    if (event.GetEventObject() != m_pEditCtrl)
        return;
    m_bEdited = true;
    std::vector<float> array;
    m_pEditCtrl->DotsToCompoundArray(array);
    m_pShowCtrl->SetCompoundArray(array);
}

} // namespace kelmora
