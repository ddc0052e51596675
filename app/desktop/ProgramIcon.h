#pragma once
// The program's icon as pictures (drawn by ProgramIconArt).

#include "platform/imaging/Bitmap.h"

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

namespace kelmora {

// The icon of `size` pixels a side in straight ARGB; a failed bitmap when none can be drawn.
Bitmap ProgramIconPicture(int size);
wxBitmap ProgramIconBitmap(int size);
// The icon at every installed size, for the window manager to choose from.
wxIconBundle ProgramIconBundle();

} // namespace kelmora
