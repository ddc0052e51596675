#pragma once
// The preview of the line-cap editor: the cap at the end of a thick horizontal line along
// the middle of the control. A start cap is shown on a line through the right half, an
// end cap on one through the left half, so the cap always sits near the middle.

#include "platform/graphics/Color.h"
#include "platform/geometry/RectF.h"

#include <wx/control.h>

namespace kelmora {

class CustomCapMan;
class Graphics;
class ImageSurface;

// Draws a line of `width` pixels in `colour` along the middle of `area` with `cap` at its
// start (through the right half of the area, `margin` short of its right edge) or at its
// end (from `margin` in from the left edge to the middle). Nothing when the cap has no
// outline to build from.
void DrawCapSample(Graphics& graphics, const CustomCapMan& cap, bool startCap, const RectF& area, float width,
                   Color colour, float margin);

class CCustomCapShowCtrl : public wxControl {
public:
    static constexpr float kLineWidth = 12.0f;

    // `parent` must not be null.
    CCustomCapShowCtrl(wxWindow* parent, wxWindowID id);

    // Draws the preview into the surface, filling it.
    void Render(ImageSurface& surface) const;

    Color m_clrBack{0xFFFFFFFF};
    Color m_clrLine{0xFF000000};
    const CustomCapMan* m_pCap = nullptr;  // not owned; nothing is drawn without one
    int m_nMargin = 5;
    bool m_bStartCap = true;

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
};

} // namespace kelmora
