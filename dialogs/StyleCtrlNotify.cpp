#include "dialogs/StyleCtrlNotify.h"

#include <wx/window.h>

namespace kelmora {

wxDEFINE_EVENT(WM_STYLECTRL_NOTIFY, wxCommandEvent);

void PostStyleCtrlNotify(wxWindow& control)
{
    wxWindow* parent = control.GetParent();
    if (!parent)
        return;
    auto* event = new wxCommandEvent(WM_STYLECTRL_NOTIFY, control.GetId());
    event->SetEventObject(&control);
    parent->GetEventHandler()->QueueEvent(event);
}

} // namespace kelmora
