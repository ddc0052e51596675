#pragma once
// The marker bar under a gradient strip: a square handle at each end and a triangle per
// stop of the strip's list (not owned). A click selects, a double-click on a stop removes
// it and elsewhere adds one, a drag moves the selected stop. Every change is reported to
// the parent with WM_STYLECTRL_NOTIFY; the codes are the StopNotify values.

#include "dialogs/GradientStops.h"
#include "platform/graphics/ImageSurface.h"

#include <wx/window.h>

#include <cstdint>
#include <optional>

namespace kelmora {

enum StopNotify : int32_t {
    kStopAdded = 1,       // argument: index of the new stop (sent)
    kStopRemoved = 2,     // argument: the selection before removal (sent)
    kStopDragged = 3,     // argument: new index of the dragged stop (posted)
    kSelectionChanged = 4 // argument: the selection (sent)
};

class CPosStatic : public wxWindow {
public:
    CPosStatic(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize);

    // The mouse actions at client point (x, y), as the window's events call them.
    void HandleLeftDown(int x, int y);
    void HandleLeftDoubleClick(int x, int y);
    void HandleDrag(int x, int y);

    std::optional<ImageSurface> RenderClient(int width, int height) const;

    GradientStopList* m_pStops = nullptr;
    int32_t m_nSelected = kStartHandle;
    int32_t m_nStripLeft = 0;
    int32_t m_nStripWidth = 0;

private:
    StopMarkerGeometry Geometry() const;
    void Notify(StopNotify code, int32_t argument, bool post);
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
};

} // namespace kelmora
