#include "platform/ui/RibbonGallery.h"

#include "platform/ui/RibbonPopup.h"

#include <wx/dc.h>

namespace kelmora {

RibbonGallery::RibbonGallery(RibbonId id, std::string caption, int itemCount, wxSize itemSize, int columns)
    : RibbonGallery(RibbonElementKind::Gallery, id, std::move(caption), itemCount, itemSize, columns)
{
}

RibbonGallery::RibbonGallery(RibbonElementKind kind, RibbonId id, std::string caption, int itemCount,
                             wxSize itemSize, int columns)
    : RibbonElement(kind, id, std::move(caption)), m_count(std::max(0, itemCount)), m_itemSize(itemSize),
      m_columns(std::max(1, columns))
{
}

void RibbonGallery::SetSelected(int index)
{
    const int selected = index >= 0 && index < m_count ? index : -1;
    if (selected == m_selected)
        return;
    m_selected = selected;
    Changed();
}

void RibbonGallery::SetItemCount(int count)
{
    m_count = std::max(0, count);
    if (m_selected >= m_count)
        m_selected = -1;
}

void RibbonGallery::SetImageMaker(std::function<std::vector<wxBitmap>()> make)
{
    m_makeImages = std::move(make);
    m_images.clear();
    m_imagesMade = false;
}

wxBitmap RibbonGallery::ItemImage(int index)
{
    if (!m_imagesMade) {
        m_imagesMade = true;
        if (m_makeImages)
            m_images = m_makeImages();
    }
    if (index < 0 || size_t(index) >= m_images.size())
        return wxBitmap();
    return m_images[size_t(index)];
}

void RibbonGallery::BeforeOpen(wxWindow*)
{
}

wxSize RibbonGallery::CellSize() const
{
    return m_itemSize + wxSize(4, 4);
}

void RibbonGallery::PaintItem(wxDC& dc, const wxRect& cell, int index, unsigned state)
{
    PaintItemFrame(dc, cell, state);
    const wxBitmap image = ItemImage(index);
    if (image.IsOk())
        dc.DrawBitmap(image, cell.x + (cell.width - image.GetWidth()) / 2, cell.y + (cell.height - image.GetHeight()) / 2,
                      true);
}

void RibbonGallery::OpenPopup(wxWindow* parent, const wxRect& anchor, RibbonHost& host)
{
    BeforeOpen(parent);
    auto* popup = new RibbonPopup(parent);
    RibbonPopup::ItemGrid grid;
    grid.count = m_count;
    grid.columns = m_columns;
    grid.cell = CellSize();
    grid.rowGap = 1;
    grid.columnGap = 1;
    grid.paint = [this](wxDC& dc, const wxRect& cell, int index, unsigned state) { PaintItem(dc, cell, index, state); };
    popup->AddGrid(std::move(grid));
    if (!SubItems().empty())
        popup->AddSeparator();
    for (const auto& sub : SubItems())
        popup->AddCommand(sub->Id(), sub->smallImage, wxString::FromUTF8(sub->Caption()),
                          wxString::FromUTF8(sub->ToolTip()));
    popup->SetCheckedItem(m_selected);
    popup->SetResizableVertically(resizableVertically);

    RibbonHost* target = &host;
    popup->onHighlight = [this, target](int index) { target->Highlight(Id(), index, 0xFFFFFFFF); };
    popup->onPick = [this, target](int index) { PickItem(index, *target); };
    popup->onCommand = [target](int id) { target->SendCommand(id); };
    popup->owner = Lifetime();
    popup->ShowBelow(anchor);
}

void RibbonGallery::PickItem(int index, RibbonHost& host)
{
    if (index < 0 || index >= m_count)
        return;
    SetSelected(index);
    host.SendCommand(Id());
}

} // namespace kelmora
