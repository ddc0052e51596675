#pragma once
// The text of a message box made to fit the screen. The box wraps its text between words
// but never inside one, so a long file name would make it as wide as the name, wider than
// the screen. Such words are broken into lines here.

#include <wx/string.h>

#include <cstddef>

class wxWindow;

namespace kelmora {

// `text` with every run of characters without blanks that is longer than `maxChars` broken
// into lines of at most that many: after the last path separator ('/' or '\') within
// the limit where there is one, else at the limit. Other text is unchanged.
wxString BreakLongWords(const wxString& text, size_t maxChars);

// `text` broken so that no line is wider than about two thirds of the work area of the
// screen the window is on (the primary screen without a window).
wxString FitMessageToScreen(const wxString& text, const wxWindow* window);

} // namespace kelmora
