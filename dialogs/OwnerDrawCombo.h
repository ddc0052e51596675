#pragma once
// COwnerDrawCombo: the line-cap list of the outline pen dialog. Every item shows a short
// black line ending in the item's cap, drawn with the program's pen layer; each item's
// client data is a CustomCapMan owned by whoever fills the list.

#include <wx/odcombo.h>

namespace kelmora {

class CustomCapMan;

class COwnerDrawCombo : public wxOwnerDrawnComboBox {
public:
    // Item width and height before the margin; items measure m_nItemSize + 4 a side.
    static constexpr int kItemSize = 64;
    static constexpr int kItemMargin = 4;

    COwnerDrawCombo(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize);

    // Appends an item for the cap (not owned).
    int AppendCap(CustomCapMan* cap);
    CustomCapMan* GetCap(unsigned int item) const;

    int m_nItemSize = kItemSize;
    int m_nItemSize2 = kItemSize;   // kept beside the item size; not used
    int m_bStartCap = 1;            // 1: the items show start caps, 0: end caps

    void OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const override;
    wxCoord OnMeasureItem(size_t item) const override;
    wxCoord OnMeasureItemWidth(size_t item) const override;
};

} // namespace kelmora
