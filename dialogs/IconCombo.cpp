#include "dialogs/IconCombo.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/settings.h>

namespace kelmora {

namespace {

constexpr int kImageMargin = 2;
constexpr int kLabelGap = 4;

} // namespace

void DrawIconItem(wxDC& dc, const wxRect& rect, const wxImageList& images, int index, const wxString* label,
                  bool selected)
{
    const bool listed = index >= 0 && index < images.GetImageCount();
    DrawIconItem(dc, rect, listed ? images.GetBitmap(index) : wxBitmap(), listed ? label : nullptr, selected);
}

void DrawIconItem(wxDC& dc, const wxRect& rect, const wxBitmap& picture, const wxString* label, bool selected)
{
    const wxColour back = wxSystemSettings::GetColour(selected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW);
    dc.SetBrush(wxBrush(back));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(rect);
    if (!picture.IsOk())
        return;
    dc.DrawBitmap(picture, rect.x + kImageMargin, rect.y + kImageMargin, true);
    if (!label)
        return;
    dc.SetTextForeground(wxSystemSettings::GetColour(selected ? wxSYS_COLOUR_HIGHLIGHTTEXT : wxSYS_COLOUR_WINDOWTEXT));
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const wxSize extent = dc.GetTextExtent(*label);
    dc.DrawText(*label, rect.x + kImageMargin + picture.GetWidth() + kLabelGap, rect.y + (rect.height - extent.y) / 2);
}

CIconCombo::CIconCombo(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxOwnerDrawnComboBox(parent, id, wxString(), pos, size, 0, nullptr, wxCB_READONLY)
{
}

void CIconCombo::SetImageList(const wxImageList& images, std::vector<wxString> labels)
{
    int width = 0;
    int height = 0;
    images.GetSize(0, width, height);
    m_images.Create(width, height, false, images.GetImageCount());
    for (int i = 0; i < images.GetImageCount(); ++i) {
        m_images.Add(images.GetBitmap(i));
        Append(wxString());
    }
    m_labels = std::move(labels);
}

void CIconCombo::OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const
{
    // A label missing for an item draws the picture alone.
    const wxString* label = item >= 0 && size_t(item) < m_labels.size() ? &m_labels[size_t(item)] : nullptr;
    DrawIconItem(dc, rect, m_images, item, label, (flags & wxODCB_PAINTING_SELECTED) != 0);
}

wxSize CIconCombo::ImageSize() const
{
    int width = 0;
    int height = 0;
    m_images.GetSize(0, width, height);
    return wxSize(width, height);
}

wxCoord CIconCombo::OnMeasureItem(size_t) const
{
    const int height = ImageSize().y + 2 * kImageMargin;
    return m_labels.empty() ? height : std::max(GetCharHeight(), height);
}

wxCoord CIconCombo::OnMeasureItemWidth(size_t) const
{
    const int width = ImageSize().x;
    if (m_labels.empty())
        return width + 2 * kImageMargin;
    int widest = 0;
    for (const wxString& label : m_labels)
        widest = std::max(widest, GetTextExtent(label).x);
    return width + widest + kImageMargin + kLabelGap;
}

} // namespace kelmora
