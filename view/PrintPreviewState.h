#pragma once
// The event an editing view sends up its window tree when its print preview opens (the
// event's int 1) and when it ends (0), so that the child frame holding the view can show
// its print preview state.

#include <wx/event.h>

namespace kelmora {

wxDECLARE_EVENT(EVT_PRINT_PREVIEW_STATE, wxCommandEvent);

} // namespace kelmora
