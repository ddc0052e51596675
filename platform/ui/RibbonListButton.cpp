#include "platform/ui/RibbonListButton.h"

#include "platform/ui/RibbonColors.h"
#include "platform/ui/RibbonPopup.h"

#include <wx/dcclient.h>
#include <wx/control.h>
#include <wx/window.h>

namespace kelmora {

namespace {

// Room the popup leaves above and below each list item, as a menu row has.
constexpr int kRowPadding = 4;

} // namespace

CRibbonListButton::CRibbonListButton(RibbonId id, std::string caption, std::function<std::vector<wxBitmap>()> images,
                                     int imageHeight, std::vector<std::string> labels)
    : RibbonGallery(RibbonElementKind::ListGallery, id, std::move(caption), int(labels.size()),
                    wxSize(kImageWidth, imageHeight), 1),
      m_imageHeight(imageHeight), m_arrLabels(std::move(labels))
{
    SetImageMaker(std::move(images));
}

std::optional<std::string> CRibbonListButton::Label(int index) const
{
    if (index < 0 || size_t(index) >= m_arrLabels.size())
        return std::nullopt;
    return m_arrLabels[size_t(index)];
}

void CRibbonListButton::Clear()
{
    m_arrLabels.clear();
    SetItemCount(0);
    m_sizeText = wxSize(0, 0);
}

wxSize CRibbonListButton::IconSize() const
{
    int cx = kImageWidth;
    int cy = m_imageHeight;
    if (m_bShowText == 0) {
        cy += m_sizeText.y + 2;
        return wxSize(cx, cy);
    }
    cx = cx < 1 ? m_sizeText.x + 2 * m_nMarginY + 26 : m_sizeText.x + 2 * m_nMarginX + cx + 11;
    cy = cy < 1 ? m_sizeText.y + 2 * m_nMarginY : cy + 2 * m_nMarginY - 4;
    return wxSize(cx, cy);
}

wxSize CRibbonListButton::CellSize() const
{
    const wxSize icon = IconSize();
    return wxSize(icon.x, std::max(icon.y, m_sizeText.y) + 2 * kRowPadding);
}

CRibbonListButton::ItemLayout CRibbonListButton::LayoutItem(const wxRect& cell) const
{
    ItemLayout layout;
    wxRect rect = cell;
    if (m_bShowText != 0) {
        if (!IsButtonMode()) {
            rect.x += 2;
            rect.y += 2;
            rect.width -= 6;
            rect.height -= 4;
        }
        layout.imagePart = wxRect(rect.x, rect.y, 2 * m_nMarginX + kImageWidth, rect.height);
        layout.image = wxRect(layout.imagePart.x + (layout.imagePart.width - kImageWidth) / 2,
                              layout.imagePart.y + (layout.imagePart.height - m_imageHeight) / 2, kImageWidth,
                              m_imageHeight);
        const int labelLeft = layout.imagePart.GetRight() + 1 + 11;
        layout.label = wxRect(labelLeft, rect.y, std::max(0, rect.GetRight() + 1 - labelLeft), rect.height);
    } else {
        if (!IsButtonMode())
            rect.Deflate(4);
        layout.imagePart = wxRect(rect.x, rect.y, rect.width, m_imageHeight);
        layout.image = wxRect(rect.x + (rect.width - kImageWidth) / 2, rect.y, kImageWidth, m_imageHeight);
        const int labelTop = rect.y + m_imageHeight + 2;
        layout.label = wxRect(rect.x, labelTop, rect.width, std::max(0, rect.GetBottom() + 1 - labelTop));
    }
    return layout;
}

void CRibbonListButton::MeasureText(wxWindow* window)
{
    if (m_sizeText.x != 0 || m_sizeText.y != 0 || !window)
        return;
    wxClientDC dc(window);
    dc.SetFont(window->GetFont());
    wxSize size(0, 0);
    for (const std::string& label : m_arrLabels) {
        const wxSize extent = dc.GetTextExtent(wxString::FromUTF8(label));
        size.x = std::max(size.x, extent.x);
        size.y = std::max(size.y, extent.y);
    }
    for (const auto& sub : SubItems()) {
        const int width = dc.GetTextExtent(wxStripMenuCodes(wxString::FromUTF8(sub->Caption()))).x - kImageWidth;
        size.x = std::max(size.x, width);
    }
    m_sizeText = size;
}

void CRibbonListButton::BeforeOpen(wxWindow* parent)
{
    MeasureText(parent);
}

void CRibbonListButton::PaintItem(wxDC& dc, const wxRect& cell, int index, unsigned state)
{
    const RibbonColors& colors = CurrentRibbonColors();
    if (state & RibbonPopup::kHot)
        PaintItemFrame(dc, cell, RibbonPopup::kHot);
    const ItemLayout layout = LayoutItem(cell);
    if (state & RibbonPopup::kChecked)
        PaintItemFrame(dc, layout.imagePart, RibbonPopup::kChecked);
    const wxBitmap image = ItemImage(index);
    if (image.IsOk()) {
        dc.DrawBitmap(image, layout.image.x, layout.image.y, true);
    } else if (state & RibbonPopup::kChecked) {
        // A checked item without a picture shows a check mark in its place.
        const wxRect& part = layout.imagePart;
        const int cx = part.x + part.width / 2;
        const int cy = part.y + part.height / 2;
        dc.SetPen(wxPen(colors.menuText, 2));
        dc.DrawLine(cx - 5, cy, cx - 2, cy + 3);
        dc.DrawLine(cx - 2, cy + 3, cx + 5, cy - 4);
    }
    // An item beyond the labels has no label to draw.
    const std::optional<std::string> label = Label(index);
    if (!label || label->empty() || layout.label.IsEmpty())
        return;
    dc.SetTextForeground(colors.menuText);
    const wxString text = wxString::FromUTF8(*label);
    if (m_bShowText != 0) {
        dc.DrawLabel(text, layout.label, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    } else {
        const wxString shown = wxControl::Ellipsize(text, dc, wxELLIPSIZE_END, layout.label.width);
        dc.DrawLabel(shown, layout.label, wxALIGN_CENTER_HORIZONTAL | wxALIGN_TOP);
    }
}

} // namespace kelmora
