#pragma once
// What the view's "More Styles ..." command asks of the user: a dash pattern for the
// selection, drawn in the dash-style dialog, starting from the first selected object's
// own pattern when it has one (otherwise from the dialog's own starting pattern).
//
// The answer is the pattern to give every selected object as its custom dash array
// (CDrawObj::SetDashArray), after the command has filed its undo unit; nothing when the
// user cancels or confirms an empty pattern, and the command then changes nothing and
// files no undo unit.

#include "dialogs/DialogHooks.h"

#include <optional>
#include <vector>

class wxWindow;

namespace kelmora {

class PenMan;

// `firstSelected` may be null (an empty selection); `parent` may be null.
std::optional<std::vector<float>> AskMoreDashStyles(wxWindow* parent, const PenMan* firstSelected,
                                                    const DialogHooks& hooks = {});

} // namespace kelmora
