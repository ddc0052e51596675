#pragma once
// The program's icon as wxWidgets pictures (drawn by ProgramIconArt).

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

namespace kelmora {

wxBitmap ProgramIconBitmap(int size);
// The icon at every installed size, for the window manager to choose from.
wxIconBundle ProgramIconBundle();

} // namespace kelmora
