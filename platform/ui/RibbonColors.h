#pragma once
// The colours of the ribbon kit's own windows (popups, the application menu, the Quick
// Access Toolbar, the tab-row buttons, the status bar's buttons). They follow the look
// the program is in: whoever switches the look sets them, and every kit window reads them
// when it paints. UI thread only.

#include <cstdint>

#include <wx/colour.h>
#include <wx/gdicmn.h>

class wxDC;

namespace kelmora {

struct RibbonColors {
    wxColour menuBackground{255, 255, 255};
    wxColour menuBorder{134, 134, 134};
    wxColour menuText{30, 30, 30};
    wxColour menuDisabledText{150, 150, 150};
    wxColour menuSideBand{233, 238, 238};       // the icon column of menus
    wxColour captionBand{221, 231, 238};        // caption rows of palettes and menus
    wxColour captionText{0, 21, 110};
    wxColour hoverFill{255, 231, 162};
    wxColour hoverBorder{255, 189, 105};
    wxColour pressedFill{251, 200, 118};
    wxColour checkedFill{254, 216, 140};
    wxColour checkedBorder{239, 72, 16};
    wxColour tabRowBackground{191, 219, 255};   // the row of category tabs, top
    wxColour tabRowBottom{191, 219, 255};       // and bottom of its gradient
    wxColour panelBackground{222, 232, 245};    // behind the controls of a ribbon panel
    wxColour panelText{21, 66, 139};
    wxColour panelDisabledText{150, 150, 150};   // greyed-out captions on the panels
    wxColour tabRowText{21, 66, 139};
    wxColour appButtonFill{25, 91, 180};
    wxColour appButtonHover{43, 116, 212};
    wxColour appButtonText{255, 255, 255};
    wxColour statusBackground{204, 224, 250};
    wxColour statusText{21, 66, 139};
    wxColour linkText{0, 0, 238};               // web links on the status bar
};

const RibbonColors& CurrentRibbonColors();
void SetRibbonColors(const RibbonColors& colors);

// The top of the status bar's gradient, whose bottom is `statusBackground`.
wxColour StatusBarTop(const wxColour& statusBackground);

// Paints `rect` as the tab row behind a window that spans the row's height.
void PaintTabRowBackground(wxDC& dc, const wxRect& rect);

// The colour of a 0x00RRGGBB value.
wxColour FromRgb(uint32_t rgb);

// The colour `t` of the way from `from` to `to` (0: from, 1: to).
wxColour Mix(const wxColour& from, const wxColour& to, double t);

// `colour` moved toward white by `amount` (0: unchanged, 1: white).
wxColour Lighter(const wxColour& colour, double amount);

// Draws a caption without its mnemonic marks, with the mnemonic letter underlined when
// `underline` is set.
void DrawCaption(wxDC& dc, const wxString& caption, const wxRect& rect, int alignment, bool underline = false);

} // namespace kelmora
