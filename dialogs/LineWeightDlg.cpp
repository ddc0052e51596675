#include "dialogs/LineWeightDlg.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace kelmora {

namespace {

constexpr int kDialogWidth = 160;    // dialog units
constexpr int kDialogHeight = 46;
constexpr int kEditWidth = 40;

enum class WeightText { Valid, NotANumber, OutOfRange };

// A whole number, optionally signed, with blanks around it.
WeightText ParseWeight(const std::string& text, uint32_t& weight)
{
    size_t i = 0;
    auto skipBlanks = [&] { while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i; };
    skipBlanks();
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const size_t digitsStart = i;
    uint64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(text[i] - '0'), UINT32_MAX + uint64_t { 1 });
    if (i == digitsStart)
        return WeightText::NotANumber;
    skipBlanks();
    if (i != text.size())
        return WeightText::NotANumber;
    if ((negative && value != 0) || value > CLineWeightDlg::kMaxWeight)
        return WeightText::OutOfRange;
    weight = static_cast<uint32_t>(value);
    return WeightText::Valid;
}

} // namespace

CLineWeightDlg::CLineWeightDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, kTitle)
    , m_reportError([this](const std::string& message) {
        wxMessageBox(wxString::FromUTF8(message), GetTitle(), wxOK | wxICON_EXCLAMATION, this);
    })
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, "Weight:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    m_pEdit = new wxTextCtrl(this, kIdWeight, wxEmptyString, wxDefaultPosition,
                             ConvertDialogToPixels(wxSize(kEditWidth, -1)));
    row->Add(m_pEdit, 0, wxALIGN_CENTER_VERTICAL);
    m_pSpin = new wxSpinButton(this, kIdSpin, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL | wxSP_ARROW_KEYS);
    m_pSpin->SetName("Spin1");
    row->Add(m_pSpin, 0, wxALIGN_CENTER_VERTICAL);

    auto* buttons = new wxStdDialogButtonSizer;
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    buttons->AddButton(ok);
    buttons->AddButton(new wxButton(this, wxID_CANCEL, "Cancel"));
    buttons->Realize();

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(row, 0, wxALL, 7);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 7);
    SetSizerAndFit(top);
    SetMinClientSize(ConvertDialogToPixels(wxSize(kDialogWidth, kDialogHeight)));
    Fit();

    m_pSpin->Bind(wxEVT_SPIN_UP, &CLineWeightDlg::OnSpin, this);
    m_pSpin->Bind(wxEVT_SPIN_DOWN, &CLineWeightDlg::OnSpin, this);
}

bool CLineWeightDlg::TransferDataToWindow()
{
    m_pEdit->ChangeValue(wxString::Format("%u", m_nWeight));
    m_pSpin->SetRange(static_cast<int>(kMinWeight), static_cast<int>(kMaxWeight));
    m_pSpin->SetValue(static_cast<int>(m_nWeight & 0xFFFF));
    return true;
}

bool CLineWeightDlg::TransferDataFromWindow()
{
    uint32_t weight = 0;
    switch (ParseWeight(m_pEdit->GetValue().utf8_string(), weight)) {
    case WeightText::Valid:
        m_nWeight = weight;
        return true;
    case WeightText::NotANumber:
        m_reportError(kNotANumberMessage);
        break;
    case WeightText::OutOfRange:
        m_reportError(kRangeMessage);
        break;
    }
    m_pEdit->SetFocus();
    m_pEdit->SelectAll();
    return false;
}

void CLineWeightDlg::OnSpin(wxSpinEvent& event)
{
    // The edit is the up-down control's buddy: a click steps from what the edit shows,
    // and writes the new whole number back into it.
    const int step = event.GetEventType() == wxEVT_SPIN_UP ? 1 : -1;
    uint32_t shown = 0;
    const int from = ParseWeight(m_pEdit->GetValue().utf8_string(), shown) == WeightText::Valid
        ? static_cast<int>(shown)
        : event.GetPosition() - step;
    const int to = std::clamp(from + step, static_cast<int>(kMinWeight), static_cast<int>(kMaxWeight));
    m_pEdit->ChangeValue(wxString::Format("%d", to));
    // The native control settles its own position after this handler.
    CallAfter([this, to] { m_pSpin->SetValue(to); });
}

float LineWeightToPenWidth(uint32_t points)
{
    return static_cast<float>(points) * 300.0f / 72.0f;
}

uint32_t PenWidthToLineWeight(float width)
{
    if (!std::isfinite(width) || width <= 0.0f)
        return CLineWeightDlg::kMinWeight;
    const float points = std::round(width * 72.0f / 300.0f);
    return points >= static_cast<float>(CLineWeightDlg::kMaxWeight) ? CLineWeightDlg::kMaxWeight : static_cast<uint32_t>(points);
}

} // namespace kelmora
