#pragma once
// The event by which the custom style-editing controls tell their dialog that the user
// changed what they edit. GetInt() carries a change code and GetExtraLong() its argument
// where the control has them.

#include <wx/event.h>

class wxWindow;

namespace kelmora {

wxDECLARE_EVENT(WM_STYLECTRL_NOTIFY, wxCommandEvent);

// Queues WM_STYLECTRL_NOTIFY from `control` to its parent, so that the dialog reacts once
// the control has finished its own work; nothing without a parent.
void PostStyleCtrlNotify(wxWindow& control);

} // namespace kelmora
