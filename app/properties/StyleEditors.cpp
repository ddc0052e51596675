#include "app/properties/StyleEditors.h"

#include <wx/msgdlg.h>

namespace kelmora {

// The two dialogs are not part of the program yet: the rows say so and change nothing.

bool RunGradientEditor(wxWindow* parent, BrushMan&)
{
    wxMessageBox("The gradient editor is not available.", "Properties", wxOK | wxICON_INFORMATION, parent);
    return false;
}

bool RunOutlinePenEditor(wxWindow* parent, PenMan&)
{
    wxMessageBox("The outline pen editor is not available.", "Properties", wxOK | wxICON_INFORMATION, parent);
    return false;
}

} // namespace kelmora
