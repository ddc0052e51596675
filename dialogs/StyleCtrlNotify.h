#pragma once
// The event by which the custom style-editing controls tell their parent dialog of a
// change: GetInt() carries the change code, GetExtraLong() its argument.

#include <wx/event.h>

namespace kelmora {

wxDECLARE_EVENT(WM_STYLECTRL_NOTIFY, wxCommandEvent);

} // namespace kelmora
