#pragma once
// The event by which the custom style-editing controls tell their dialog that the user
// changed what they edit. It is queued to the control's parent, not handled on the spot,
// so that the dialog reacts once the control has finished its own work.

#include <wx/event.h>

namespace kelmora {

wxDECLARE_EVENT(EVT_STYLECTRL_NOTIFY, wxCommandEvent);

// Queues EVT_STYLECTRL_NOTIFY from `control` to its parent; nothing without a parent.
void PostStyleCtrlNotify(wxWindow& control);

} // namespace kelmora
