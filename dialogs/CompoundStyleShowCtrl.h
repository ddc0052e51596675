#pragma once
// The pen preview of the compound-line dialog and of the outline pen dialog.
//
// Without a pen (m_pPen null) it draws a line from (5, h/2) to (m_nLineLength, h/2),
// m_fLineWidth pixels wide, in m_clrLine with m_compoundArray as its compound lines (a
// plain line for an empty array, nothing for one a pen would not draw). With a pen it
// draws that pen, built by the pen's own description at one pixel per document unit,
// along a horizontal run and a vertical run that meet in a corner, so that caps, join,
// dashes and compound lines all show. The corner is placed so that the whole of the ink,
// caps and miter spikes included, lies inside the preview with a margin; a pen too wide
// for that is drawn at a smaller scale.

#include "platform/graphics/Color.h"

#include <span>
#include <vector>

#include <wx/control.h>

namespace kelmora {

class ImageSurface;
class PenMan;

class CCompoundStyleShowCtrl : public wxControl {
public:
    // `parent` must not be null; `lineLength` is m_nLineLength.
    CCompoundStyleShowCtrl(wxWindow* parent, wxWindowID id, int lineLength = 300);

    // Copies the array and repaints.
    void SetCompoundArray(std::span<const float> array);
    const std::vector<float>& GetCompoundArray() const { return m_compoundArray; }

    // Draws the preview into the surface, filling it.
    void Render(ImageSurface& surface) const;

    float m_fLineWidth = 20.0f;
    int m_nLineLength;
    Color m_clrBack{0xFFFFFFFF};
    Color m_clrLine{0xFF000000};
    const PenMan* m_pPen = nullptr;   // not owned

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);

    std::vector<float> m_compoundArray;
};

} // namespace kelmora
