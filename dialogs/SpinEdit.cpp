#include "dialogs/SpinEdit.h"

#include "dialogs/NumSpinCtrl.h"
#include "platform/base/NumberText.h"

#include <wx/sizer.h>
#include <wx/textctrl.h>

namespace kelmora {

void SpinEdit::Configure(double min, double max, double delta, int decimals, double value) const
{
    spin->m_fMin = min;
    spin->m_fMax = max;
    spin->m_fDelta = delta;
    spin->m_nDecimals = decimals;
    spin->m_bTrimZeros = 0;
    spin->UpdateRange();
    spin->SetPos(value);
}

void SpinEdit::Show(double value) const
{
    spin->SetPos(value);
}

std::optional<double> SpinEdit::Read(double min, double max, bool whole) const
{
    const std::optional<double> value =
        ParseNumberText(edit->GetValue().utf8_string(), whole ? NumberKind::Whole : NumberKind::Real);
    if (!value || *value < min || *value > max)
        return std::nullopt;
    return value;
}

bool CheckTypedValues(std::initializer_list<SpinCheck> checks, const DialogHooks& hooks, wxWindow* parent)
{
    for (const SpinCheck& check : checks) {
        if (!check.edit.Read(check.min, check.max, check.whole)) {
            TellFailure(hooks, parent, check.problem);
            check.edit.edit->SetFocus();
            return false;
        }
    }
    return true;
}

SpinEdit MakeSpinEdit(wxWindow* parent, int chars)
{
    SpinEdit made;
    made.edit = new wxTextCtrl(parent, wxID_ANY);
    made.edit->SetInitialSize(made.edit->GetSizeFromTextSize(made.edit->GetTextExtent(wxString('0', chars)).x));
    made.spin = new CNumSpinCtrl(parent, wxID_ANY);
    made.spin->SetBuddy(made.edit);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(made.edit, 0, wxALIGN_CENTER_VERTICAL);
    row->Add(made.spin, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 2);
    made.sizer = row;
    return made;
}

} // namespace kelmora
