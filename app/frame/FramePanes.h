#pragma once
// The creation of the main frame's properties pane, so that its class is made in one
// place. (The gallery panes are made by CreateGalleryPanes of WorkspaceBar.h.)

#include <wx/window.h>

#include <string>

namespace kelmora {

class PropertiesPane;

// The properties pane, a child of the frame `parent`; it lives as long as its window.
// Null when it cannot be made.
PropertiesPane* CreatePropertiesPane(wxWindow* parent, wxWindowID id);

} // namespace kelmora
