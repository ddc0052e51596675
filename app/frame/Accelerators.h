#pragma once
// The main frame's keyboard accelerators. The first entry that matches a key wins, so
// Shift+Delete, listed for Delete before Cut, deletes.

#include <wx/accel.h>

#include <vector>

namespace kelmora {

// The entries in their order, with wx ids.
std::vector<wxAcceleratorEntry> MainAcceleratorEntries();
wxAcceleratorTable MainAcceleratorTable();

} // namespace kelmora
