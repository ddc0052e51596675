#pragma once
// Classic scrollbars for one scrolled window instead of GTK's overlay ones. An overlay
// scrollbar fades in and out over dozens of frames whenever its window scrolls or changes
// size, and each frame repaints the whole window under it: a view of a drawing of
// thousands of objects would be drawn dozens of times over each time it is opened. Only
// the window asked for is changed; the program's environment, which the programs it
// starts inherit, is left alone.

class wxWindow;

namespace kelmora {

// Turns overlay scrolling off for the window's own scrollbars; nothing for a window that
// has none.
void UseClassicScrollbars(wxWindow& window);

// Whether the window has scrollbars of its own that are drawn over its content.
bool HasOverlayScrollbars(wxWindow& window);

} // namespace kelmora
