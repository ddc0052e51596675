#pragma once
// The preview of the dash-style dialog: a line across the control, 2 pixels wide, drawn
// with the edited pattern (solid for an empty pattern, nothing for one a pen refuses).

#include "platform/graphics/Color.h"

#include <span>
#include <vector>

#include <wx/control.h>

namespace kelmora {

class ImageSurface;

class CDashStyleShowCtrl : public wxControl {
public:
    // `parent` must not be null.
    CDashStyleShowCtrl(wxWindow* parent, wxWindowID id);

    // Copies the pattern and repaints.
    void SetDashArray(std::span<const float> array);
    const std::vector<float>& GetDashArray() const { return m_dashArray; }

    // Draws the preview into the surface, filling it.
    void Render(ImageSurface& surface) const;

    Color m_clrBack{0xFFFFFFFF};
    Color m_clrLine{0xFF000000};

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);

    std::vector<float> m_dashArray;
};

} // namespace kelmora
