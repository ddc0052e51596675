#pragma once
// A painted swatch or gradient strip: with m_bGradient 0 the whole face shows m_clrFill;
// otherwise a horizontal gradient from m_clrStart through the stops to m_clrEnd. The owning
// dialog sets the members directly and refreshes the control.

#include "dialogs/GradientStops.h"
#include "platform/graphics/ImageSurface.h"

#include <wx/window.h>

#include <cstdint>
#include <optional>

namespace kelmora {

class CColorStatic : public wxWindow {
public:
    CColorStatic(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize);

    // Swatch role, transparent colours, no stops, every setting back to zero.
    void Reset();

    // Colour of the start (kStartHandle), the end (kEndHandle) or stop `index`; setting
    // refreshes the control. An index that is none of these is ignored (0 read).
    void SetStopColor(int32_t index, uint32_t colour);
    uint32_t GetStopColor(int32_t index) const;

    // The colour the strip shows at `position` (0..1) as it stood before stop `index` took
    // part, made opaque; stored as that stop's colour. A newly added stop thereby takes
    // the colour the gradient had where it was put.
    uint32_t SampleStripColor(int32_t index, float position);

    // The face as painted, at the given size.
    std::optional<ImageSurface> RenderClient(int width, int height) const;

    uint32_t m_clrFill = 0;
    int32_t m_bGradient = 0;
    uint32_t m_clrStart = 0;
    uint32_t m_clrEnd = 0;
    GradientStopList m_stops;
    int32_t m_nWrapMode = 0; // 0 tile, 4 clamp

private:
    std::optional<ImageSurface> Render(int width, int height, const GradientStopList& stops) const;
    void OnPaint(wxPaintEvent& event);
};

} // namespace kelmora
