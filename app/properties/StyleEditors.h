#pragma once
// The style dialogs the pane's Advanced rows open: the gradient editor on a fill and the
// outline pen dialog on a pen. The pane hands them a copy of the object's description and
// keeps the result only when the user confirms.

#include "document/StylePresets.h"

#include <functional>

class wxDialog;
class wxWindow;

namespace kelmora {

class BrushMan;
class PenMan;

struct StyleEditors {
    // Where the line-cap presets (for the pen dialog) and the brush presets (for the
    // gradient editor) are. Until the frame tells, only the user's own.
    PresetFolders arrowFolders{{}, UserDataFolder() / kLineCapPresetFolder};
    PresetFolders brushFolders{{}, UserDataFolder() / kBrushPresetFolder};
    // Shows a dialog modally and gives its end code; tests answer in the user's place.
    std::function<int(wxDialog&)> runModal;

    StyleEditors();
};

// The gradient editor on `brush`; true when the user confirmed with OK.
bool EditStyle(const StyleEditors& editors, wxWindow* parent, BrushMan& brush);
// The outline pen dialog on `pen`; true when the user confirmed with OK.
bool EditStyle(const StyleEditors& editors, wxWindow* parent, PenMan& pen);

} // namespace kelmora
