#pragma once
// Showing a top-level window at once, at the size it was given.
//
// On GTK, wxWidgets 3.2 holds back the first showing of the process's first top-level
// window until the window manager has answered the request for the size of its
// decorations (_NET_REQUEST_FRAME_EXTENTS). Meanwhile the window is mapped at 2 x 1
// pixels: under a window manager everything in it is laid out once at that size, a
// place set before showing is lost, and a dialog started at once is stacked below it.
// The toolkit has no public switch for that wait; the protected flag that asks for it is
// cleared here, and only here, for the toolkit versions this was checked against. With
// any other toolkit or version the window is shown as the toolkit shows it.

class wxTopLevelWindow;

namespace kelmora {

// Call before the window's first Show. The decorations are added round the window when
// they become known.
void ShowWithoutWaitingForDecorations(wxTopLevelWindow& window);

} // namespace kelmora
