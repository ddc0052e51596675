#pragma once
// CIconListProp: a row whose value is an index into an image list, shown as that picture
// and chosen from a list of the pictures. Its options are "0", "1", … one per picture; a
// value outside the list (−1 included) leaves the row unspecified, and the cell then
// shows nothing.

#include <vector>

#include <wx/imaglist.h>
#include <wx/propgrid/props.h>

namespace kelmora {

class CIconListProp : public wxEnumProperty {
public:
    // `images` must outlive the row (the pane owns its lists).
    CIconListProp(const wxString& label, const wxString& name, const wxImageList& images, int selected,
                  std::vector<wxString> labels, const wxString& description);

    // The row shows a style of the object's own that none of the pictures is (a custom
    // gradient, a dash pattern edited by hand): `picture` becomes the last entry of the
    // list and the row's value. Choosing that entry again changes nothing; choosing
    // another puts that style in place of the own one.
    void SetOwnPicture(const wxBitmap& picture);
    bool IntToValue(wxVariant& variant, int number, int argFlags = 0) const override;

    // The picture stands for the value: the cell shows no text unless there are labels.
    wxString ValueToString(wxVariant& value, int argFlags = 0) const override;
    wxSize OnMeasureImage(int item = -1) const override;
    void OnCustomPaint(wxDC& dc, const wxRect& rect, wxPGPaintData& paintData) override;

private:
    const wxImageList& m_images;
    std::vector<wxString> m_labels;
    wxBitmap m_ownPicture;
    int m_nOwnIndex = -1;
};

} // namespace kelmora
