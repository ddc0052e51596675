#pragma once
// The creation of the main frame's panes, one function each, so that each pane's class
// is made in one place. Until the gallery and properties panes are built, each shows an
// empty state.

#include <wx/window.h>

#include <string>

namespace kelmora {

class PropertiesPane;

// The gallery pane of `folder` ("Shapes", "Cliparts" or "Templates"), as a page of the
// gallery notebook `parent`; its files come from FindDataFolder(folder). Null when it
// cannot be made.
wxWindow* CreateGalleryPane(wxWindow* parent, wxWindowID id, const std::string& folder);

// The properties pane, a child of the frame `parent`; it lives as long as its window.
// Null when it cannot be made.
PropertiesPane* CreatePropertiesPane(wxWindow* parent, wxWindowID id);

} // namespace kelmora
