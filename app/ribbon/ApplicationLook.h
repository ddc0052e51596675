#pragma once
// The five looks of the program (commands 32818 to 32822): each gives the ribbon's art a
// colour scheme, the ribbon kit's own windows and the docking panes colours to match.
// The chosen look is kept in the settings as "ApplicationLook" under "Settings".

#include "platform/ui/RibbonColors.h"

#include <optional>

class wxAuiManager;
class wxAuiNotebook;
class wxConfigBase;
class wxRibbonBar;

namespace kelmora {

inline constexpr int kFirstLook = 32818;   // Blue
inline constexpr int kLastLook = 32822;    // Scenic
inline constexpr int kDefaultLook = kFirstLook;
inline constexpr const char* kLookSettingKey = "/Settings/ApplicationLook";

struct LookScheme {
    // The ribbon art's three scheme colours.
    wxColour primary;
    wxColour secondary;
    wxColour tertiary;
    // The colour of the application button.
    wxColour appButton;
    // Docking panes: background, captions (active and not) and their text.
    wxColour paneBackground;
    wxColour activeCaption;
    wxColour inactiveCaption;
    wxColour captionText;
};

// The scheme of a look; nothing for a number that is no look.
std::optional<LookScheme> SchemeOfLook(int look);

// Gives the bar's art the look's scheme and the kit's windows colours derived from it,
// then redraws the bar. A number that is no look changes nothing. `aui` (which may be
// null) gets the pane colours.
void ApplyLook(int look, wxRibbonBar& bar, wxAuiManager* aui);
// The pane colours alone, for a notebook of documents.
void ApplyLookToNotebook(int look, wxAuiNotebook& notebook);

// The stored look, or the default when there is none.
int ReadStoredLook(wxConfigBase& config);
void WriteStoredLook(wxConfigBase& config, int look);

} // namespace kelmora
