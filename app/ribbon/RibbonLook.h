#pragma once
// The ribbon's side of the program's five looks (commands 32818 to 32822): each gives the
// ribbon's art a colour scheme, and the ribbon kit's own windows (popups, the File menu,
// the tab-row buttons, the Quick Access Toolbar, the status bar) colours derived from it.
// The frame keeps the chosen look and colours its panes itself.

class wxRibbonBar;

namespace kelmora {

// Whether the number is one of the looks.
bool IsRibbonLook(int look);

// Gives the bar's art the look's scheme and the kit's windows the colours derived from it,
// then redraws the bar. A number that is no look changes nothing.
void ApplyRibbonLook(int look, wxRibbonBar& bar);

} // namespace kelmora
