#pragma once
// An edit box with its CNumSpinCtrl beside it, the way the style dialogs show every
// number, and the strict reading of what the box holds.
//
// Values shown by the program (Show) are silent; typing and spin clicks send wxEVT_TEXT
// from the edit box, which is where the dialogs listen.

#include "dialogs/DialogHooks.h"

#include <initializer_list>
#include <optional>

class wxSizer;
class wxTextCtrl;
class wxWindow;

namespace kelmora {

class CNumSpinCtrl;

struct SpinEdit {
    wxTextCtrl* edit = nullptr;
    CNumSpinCtrl* spin = nullptr;
    wxSizer* sizer = nullptr;     // the two side by side, for the caller's layout

    // Sets the spin's range, step and format (trailing zeros kept) and shows `value`.
    void Configure(double min, double max, double delta, int decimals, double value) const;
    void Show(double value) const;
    // The box's number when it holds one within min..max (a whole number, written as
    // digits, when `whole`; see ParseNumberText); nothing otherwise.
    std::optional<double> Read(double min, double max, bool whole = false) const;
};

// A typed value a dialog checks before it closes, and what to tell the user when the box
// does not hold a number in min..max (a whole one when `whole`).
struct SpinCheck {
    const SpinEdit& edit;
    double min;
    double max;
    bool whole;
    const char* problem;
};

// Checks in order; for the first box that fails, tells the user its problem, puts the
// focus there and answers false.
bool CheckTypedValues(std::initializer_list<SpinCheck> checks, const DialogHooks& hooks, wxWindow* parent);

// An edit of `chars` characters' width with its spin, both children of `parent`.
SpinEdit MakeSpinEdit(wxWindow* parent, int chars = 6);

} // namespace kelmora
