#pragma once
// A ribbon gallery in button mode: the ribbon shows a button; its popup shows the items
// as pictures, a fixed number to a row, with the gallery's sub-items ("More Styles...")
// below them. A pick makes the item the gallery's selection and sends the gallery's
// command; the program reads the selection back by id.

#include "platform/ui/RibbonElement.h"

#include <functional>
#include <vector>

class wxDC;

namespace kelmora {

class RibbonGallery : public RibbonElement {
public:
    RibbonGallery(RibbonId id, std::string caption, int itemCount, wxSize itemSize, int columns);

    int ItemCount() const { return m_count; }
    wxSize ItemSize() const { return m_itemSize; }
    int Columns() const { return m_columns; }
    // The selected item; -1 for none.
    int GetSelected() const { return m_selected; }
    // Selects item `index`; any index outside the items selects none.
    void SetSelected(int index);

    // Makes the items' pictures when the popup first needs them.
    void SetImageMaker(std::function<std::vector<wxBitmap>()> make);
    // Item i's picture; null when it has none.
    wxBitmap ItemImage(int index);

    // The popup's height can be changed by the user; its width stays.
    bool resizableVertically = true;

    bool HasPopup() const override { return true; }
    void OpenPopup(wxWindow* parent, const wxRect& anchor, RibbonHost& host) override;
    // What a pick of item `index` does.
    void PickItem(int index, RibbonHost& host);

protected:
    RibbonGallery(RibbonElementKind kind, RibbonId id, std::string caption, int itemCount, wxSize itemSize,
                  int columns);

    void SetItemCount(int count);
    // Called as the popup opens, before anything is measured.
    virtual void BeforeOpen(wxWindow* parent);
    // One item's cell in the popup.
    virtual wxSize CellSize() const;
    virtual void PaintItem(wxDC& dc, const wxRect& cell, int index, unsigned state);
    // Whether the gallery shows in the ribbon as a button (every gallery here does).
    bool IsButtonMode() const { return true; }

private:
    int m_count;
    wxSize m_itemSize;
    int m_columns;
    int m_selected = -1;
    std::function<std::vector<wxBitmap>()> m_makeImages;
    std::vector<wxBitmap> m_images;
    bool m_imagesMade = false;
};

} // namespace kelmora
