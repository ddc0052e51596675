#pragma once
// The style editors the pane's Advanced rows open: the gradient editor on a fill and the
// outline pen dialog on a pen. Each edits the description it is given and answers true
// when the user confirmed; the pane hands them copies and keeps the result only then.

#include <functional>

class wxWindow;

namespace kelmora {

class BrushMan;
class PenMan;

// The gradient editor on `brush`.
bool RunGradientEditor(wxWindow* parent, BrushMan& brush);
// The outline pen dialog on `pen`.
bool RunOutlinePenEditor(wxWindow* parent, PenMan& pen);

// The editors a pane uses; tests put their own in.
struct StyleEditors {
    std::function<bool(wxWindow*, BrushMan&)> editBrush = RunGradientEditor;
    std::function<bool(wxWindow*, PenMan&)> editPen = RunOutlinePenEditor;
};

} // namespace kelmora
