#pragma once
// CPropertiesToolBar: the unit toolbar of the properties pane, one radio button per unit
// (pixels, millimetres, points, inches). Its clicks and its update pass go to the pane
// that holds it, which decides which button is checked.

#include <wx/toolbar.h>

namespace kelmora {

class CPropertiesToolBar : public wxToolBar {
public:
    static constexpr int kToolBarId = 274;

    explicit CPropertiesToolBar(wxWindow* pane, wxWindowID id = kToolBarId);
};

} // namespace kelmora
