#pragma once
// CIconCombo: a drop-down list whose items are the pictures of an image list, each with an
// optional label to its right. The icon-list rows of the properties pane draw their value
// and their list the same way (DrawIconItem); the outline pen dialog uses the control.

#include <vector>

#include <wx/imaglist.h>
#include <wx/odcombo.h>

namespace kelmora {

// Draws item `index` of `images` at (left + 2, top + 2) of `rect`, with its label (when
// `label` is not null) 4 pixels right of the picture, vertically centred. The background
// is the highlight colour when `selected`, else the window colour. A negative index or one
// outside the list draws the background only.
void DrawIconItem(wxDC& dc, const wxRect& rect, const wxImageList& images, int index, const wxString* label,
                  bool selected);
// The same for a picture of its own.
void DrawIconItem(wxDC& dc, const wxRect& rect, const wxBitmap& picture, const wxString* label, bool selected);

class CIconCombo : public wxOwnerDrawnComboBox {
public:
    CIconCombo(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize);

    // Takes a copy of the pictures and appends one item per picture; the list is not
    // emptied first. The labels, when given, belong to the items in order.
    void SetImageList(const wxImageList& images, std::vector<wxString> labels = {});

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const override;
    wxCoord OnMeasureItem(size_t item) const override;
    wxCoord OnMeasureItemWidth(size_t item) const override;

private:
    wxSize ImageSize() const;

    wxImageList m_images;
    std::vector<wxString> m_labels;
};

} // namespace kelmora
