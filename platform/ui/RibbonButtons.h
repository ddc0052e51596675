#pragma once
// Ribbon elements as buttons of a wxRibbonButtonBar. Buttons with a large image show
// large when the panel has room; those with only a small image never grow beyond small
// with a caption. Colour buttons and galleries are drop-down buttons that open their
// popup; buttons with a menu are drop-down (or split, when their own command is the
// default) buttons. The bar's clicks reach the frame as the elements' commands.

#include "platform/ui/RibbonElement.h"

class wxRibbonButtonBar;

namespace kelmora {

class RibbonElementSet;

// Adds `element` to the bar as a button; colour buttons keep their image's colour bar up
// to date.
void AddElementButton(wxRibbonButtonBar* bar, RibbonElement& element);

// Sends the bar's clicks as commands to the host and opens the popups and menus of its
// drop-down buttons.
void RouteButtonBar(wxRibbonButtonBar* bar, const RibbonElementSet& elements, RibbonHost& host);

// Opens the element's popup, or its drop-down menu, under `anchor` (screen coordinates)
// of the window `owner` that shows it; false when it has neither.
bool OpenElementDropDown(RibbonElement& element, wxWindow* owner, const wxRect& anchor, RibbonHost& host);

} // namespace kelmora
