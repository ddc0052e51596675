#include "app/properties/IconListProp.h"

#include "dialogs/IconCombo.h"

#include <wx/dc.h>
#include <wx/image.h>

#include <algorithm>
#include <wx/propgrid/propgrid.h>

namespace kelmora {

namespace {

wxArrayString IndexLabels(int count)
{
    wxArrayString labels;
    for (int i = 0; i < count; ++i)
        labels.Add(wxString::Format("%d", i));
    return labels;
}

} // namespace

CIconListProp::CIconListProp(const wxString& label, const wxString& name, const wxImageList& images, int selected,
                             std::vector<wxString> labels, const wxString& description)
    : wxEnumProperty(label, name, IndexLabels(images.GetImageCount()), wxArrayInt(), 0), m_images(images),
      m_labels(std::move(labels))
{
    SetHelpString(description);
    if (selected >= 0 && selected < images.GetImageCount())
        SetValue(long(selected));
    else
        SetValueToUnspecified();
}

wxString CIconListProp::ValueToString(wxVariant& value, int argFlags) const
{
    if (m_labels.empty() || value.IsNull())
        return wxString();
    const long index = value.GetLong();
    if (index >= 0 && size_t(index) < m_labels.size())
        return m_labels[size_t(index)];
    return wxEnumProperty::ValueToString(value, argFlags);
}

wxSize CIconListProp::OnMeasureImage(int item) const
{
    int width = 0;
    int height = 0;
    m_images.GetSize(0, width, height);
    if (item < 0)
        return wxSize(width, -1);   // the cell's own height
    return wxSize(width + 4, height + 4);
}

void CIconListProp::SetOwnPicture(const wxBitmap& picture)
{
    if (!picture.IsOk() || m_ownPicture.IsOk())
        return;
    m_ownPicture = picture;
    m_nOwnIndex = int(GetChoices().GetCount());
    AddChoice(wxString::Format("%d", m_nOwnIndex), m_nOwnIndex);
    SetValue(long(m_nOwnIndex));
}

bool CIconListProp::IntToValue(wxVariant& variant, int number, int argFlags) const
{
    if (m_ownPicture.IsOk() && number == m_nOwnIndex)
        return false;
    return wxEnumProperty::IntToValue(variant, number, argFlags);
}

void CIconListProp::OnCustomPaint(wxDC& dc, const wxRect& rect, wxPGPaintData& paintData)
{
    int index = paintData.m_choiceItem;
    const bool valueCell = index < 0;
    if (valueCell) {
        // The value cell: nothing for an unspecified value.
        if (IsValueUnspecified())
            return;
        index = int(GetValue().GetLong());
    }
    const bool own = m_ownPicture.IsOk() && index == m_nOwnIndex;
    if (!own && (index < 0 || index >= m_images.GetImageCount()))
        return;
    if (!valueCell) {
        const wxString* label = size_t(index) < m_labels.size() ? &m_labels[size_t(index)] : nullptr;
        DrawIconItem(dc, rect, own ? m_ownPicture : m_images.GetBitmap(index), label, false);
        return;
    }
    // The value cell is one row high: the picture is shown at that height, as wide as
    // its proportions make it, and the cell is told how far it reaches.
    const wxBitmap picture = own ? m_ownPicture : m_images.GetBitmap(index);
    const int height = std::max(1, std::min(picture.GetHeight(), rect.height));
    const int width = std::max(1, picture.GetWidth() * height / std::max(1, picture.GetHeight()));
    const wxBitmap shown = height == picture.GetHeight()
                               ? picture
                               : wxBitmap(picture.ConvertToImage().Scale(width, height, wxIMAGE_QUALITY_HIGH));
    dc.DrawBitmap(shown, rect.x, rect.y + (rect.height - height) / 2, true);
    paintData.m_drawnWidth = width;
}

} // namespace kelmora
