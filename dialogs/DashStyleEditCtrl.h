#pragma once
// The cell editor of the dash-style dialog: a ruler, a row of square cells and an end bar.
// A click on an inner cell of the pattern turns it on (dash, black) or off (gap, white);
// dragging the end bar snaps the pattern's length to a cell edge. After every change the
// control queues WM_STYLECTRL_NOTIFY to its parent. The cells themselves are DashCells.
//
// Geometry, in client pixels: cell i spans x = m_nLeft + m_nCellSize × i to the next
// cell's edge and y = 15 to 15 + m_nCellSize; the end bar is at
// x = m_nLeft + m_nCellSize × length, from y = 0 to 60, and takes presses within 3 pixels.

#include "dialogs/DashCells.h"

#include <span>
#include <vector>

#include <wx/control.h>

namespace kelmora {

class ImageSurface;

class CDashStyleEditCtrl : public wxControl {
public:
    // `parent` must not be null.
    CDashStyleEditCtrl(wxWindow* parent, wxWindowID id);

    void SetFromDashArray(std::span<const float> array);
    // Appends the pattern's dash array to `out`.
    void GetDashArray(std::vector<float>& out) const;
    const DashCells& GetCells() const { return m_cells; }

    // The control's picture at its client size, drawn off-screen; nothing when the
    // client area is empty.
    void Render(ImageSurface& surface) const;

    int m_nCellCount = DashCells::kCellCount;
    int m_nLeft = 1;
    int m_nCellSize = 10;
    bool m_bDragging = false;

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void Changed();

    DashCells m_cells;
};

} // namespace kelmora
