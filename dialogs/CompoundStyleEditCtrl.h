#pragma once
// The dot row of the compound-line dialog: a ruler over ten square cells, one per tenth
// of the pen's width, black for ink and white for a gap. A click on an inner cell turns
// it over (the first and the last stay ink) and queues WM_STYLECTRL_NOTIFY to the parent.
//
// Geometry, in client pixels: cell i spans x = m_nLeft + m_nCell × i to the next cell's
// edge and y = 15 to 15 + m_nCell.

#include "dialogs/CompoundDots.h"

#include <span>
#include <vector>

#include <wx/control.h>

namespace kelmora {

class ImageSurface;

class CCompoundStyleEditCtrl : public wxControl {
public:
    // `parent` must not be null.
    CCompoundStyleEditCtrl(wxWindow* parent, wxWindowID id);

    void CompoundArrayToDots(std::span<const float> array);
    void DotsToCompoundArray(std::vector<float>& out) const;
    const CompoundDots& GetDots() const { return m_dots; }

    // The cell under client point (x, y), or −1.
    int CellAt(int x, int y) const;
    // The control's picture, filling the surface.
    void Render(ImageSurface& surface) const;

    int m_nDots = CompoundDots::kDotCount;
    int m_nLeft = 1;
    int m_nCell = 10;

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);

    CompoundDots m_dots;
};

} // namespace kelmora
