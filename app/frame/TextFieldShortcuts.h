#pragma once
// The frame's keyboard shortcuts for editing (Ctrl+C, Ctrl+V, Ctrl+A, Escape, ...) act on
// the drawing. The toolkit looks shortcuts up before the focused control sees the key, so
// while the user types into a text field (a property row, a ribbon edit, the in-place text
// of a text object) the same keys would copy, paste or select objects instead of text.

class wxWindow;

namespace kelmora {

// When `focus` is a text field, does to its text what the shortcut for `command` does in
// any text field (Escape goes to the field as the key itself) and returns true; false when
// the command is no text-editing shortcut or the focus is no text field, and the command
// is to go to the drawing.
bool RouteShortcutToTextField(int command, wxWindow* focus);

} // namespace kelmora
