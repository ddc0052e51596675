#pragma once
// CRibbonListButton: a ribbon gallery whose popup is a vertical list, each item a picture
// from an image strip of its own (each picture 96 pixels wide) with an optional label
// beside it. The label sizes are measured when the popup first opens, with the ribbon's
// font, and again after Clear.

#include "platform/ui/RibbonGallery.h"

#include <optional>
#include <string>
#include <vector>

namespace kelmora {

class CRibbonListButton : public RibbonGallery {
public:
    static constexpr int kImageWidth = 96;

    // `images` makes the item pictures (96 wide, as high as the strip); the labels give the
    // item count, label i naming item i.
    CRibbonListButton(RibbonId id, std::string caption, std::function<std::vector<wxBitmap>()> images,
                      int imageHeight, std::vector<std::string> labels);

    const std::vector<std::string>& Labels() const { return m_arrLabels; }
    // Label i; nothing for an index beyond the labels.
    std::optional<std::string> Label(int index) const;
    bool ShowsText() const { return m_bShowText != 0; }
    wxSize TextSize() const { return m_sizeText; }
    // Empties the labels (and so the items) and forgets the measured label size.
    void Clear();

    // The size of one item's cell from the picture size, the margins and the measured
    // label size.
    wxSize IconSize() const;

    // Where the parts of an item go in its cell.
    struct ItemLayout {
        wxRect imagePart;      // the picture's column (the check frame covers it)
        wxRect image;          // the picture, centred in its part
        wxRect label;          // empty when there is no room
    };
    ItemLayout LayoutItem(const wxRect& cell) const;

    // Measures the labels (and the sub-items' captions beyond the picture width) with
    // `font`, unless they were measured since the last Clear.
    void MeasureText(wxWindow* window);

protected:
    void BeforeOpen(wxWindow* parent) override;
    wxSize CellSize() const override;
    void PaintItem(wxDC& dc, const wxRect& cell, int index, unsigned state) override;

private:
    int m_imageHeight;
    std::vector<std::string> m_arrLabels;
    int m_nMarginX = 2;
    int m_nMarginY = 2;
    int m_bShowText = 1;
    wxSize m_sizeText{0, 0};
};

} // namespace kelmora
