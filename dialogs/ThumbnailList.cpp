#include "dialogs/ThumbnailList.h"

#include <wx/image.h>

#include <utility>

namespace kelmora {

wxBitmap ToWxBitmap(const Bitmap& picture)
{
    if (!picture.IsOk())
        return wxBitmap();
    wxImage image(picture.Width(), picture.Height(), false);
    image.InitAlpha();
    unsigned char* rgb = image.GetData();
    unsigned char* alpha = image.GetAlpha();
    for (int32_t y = 0; y < picture.Height(); ++y) {
        const uint32_t* row = picture.Row(y);
        for (int32_t x = 0; x < picture.Width(); ++x) {
            const uint32_t pixel = row[x];
            *rgb++ = uint8_t(pixel >> 16);
            *rgb++ = uint8_t(pixel >> 8);
            *rgb++ = uint8_t(pixel);
            *alpha++ = uint8_t(pixel >> 24);
        }
    }
    return wxBitmap(image);
}

ThumbnailList::ThumbnailList(wxWindow* parent, wxWindowID id, ThumbnailLoader::Options options, const wxSize& size)
    : wxListCtrl(parent, id, wxDefaultPosition, size, wxLC_ICON | wxLC_SINGLE_SEL | wxLC_AUTOARRANGE | wxBORDER_NONE),
      m_images(options.side, options.side, true, 0),
      m_loader(
          options,
          // Both sinks run on the worker thread: they only queue a call to this control.
          [this](uint64_t generation, ThumbnailItem item) {
              CallAfter([this, generation, item = std::move(item)]() mutable { AddPicture(generation, std::move(item)); });
          },
          [this](uint64_t generation) { CallAfter([this, generation] { FinishLoad(generation); }); })
{
    SetImageList(&m_images, wxIMAGE_LIST_NORMAL);
    // Items have no label: each is as wide as its picture and a narrow gap.
    SetItemSpacing(options.side + 2);
}

ThumbnailList::~ThumbnailList()
{
    // The worker must be gone before the control: what it posted afterwards would reach
    // a control half destroyed. (wx drops the calls still queued with the control.)
    m_loader.Stop();
    SetImageList(nullptr, wxIMAGE_LIST_NORMAL);
}

void ThumbnailList::Load(std::string folder)
{
    Clear();
    if (!m_bFrozen) {
        Freeze();
        m_bFrozen = true;
    }
    m_bLoading = true;
    m_loader.Start(std::move(folder));
}

void ThumbnailList::StopLoading()
{
    m_loader.Stop();
    m_bLoading = false;
    EndFreeze();
}

void ThumbnailList::Clear()
{
    StopLoading();
    DeleteAllItems();
    m_images.RemoveAll();
    m_paths.clear();
}

void ThumbnailList::EndFreeze()
{
    if (m_bFrozen) {
        m_bFrozen = false;
        Thaw();
        Refresh();
    }
}

void ThumbnailList::AddPicture(uint64_t generation, ThumbnailItem item)
{
    if (generation != m_loader.Generation())
        return;
    const int image = m_images.Add(ToWxBitmap(item.picture));
    if (image < 0)
        return;
    const long index = InsertItem(GetItemCount(), wxString(), image);
    if (index < 0)
        return;
    SetItemData(index, long(m_paths.size()));
    m_paths.push_back(std::move(item.path));
}

void ThumbnailList::FinishLoad(uint64_t generation)
{
    if (generation != m_loader.Generation())
        return;
    m_bLoading = false;
    EndFreeze();
    if (m_onLoaded)
        m_onLoaded();
}

std::string ThumbnailList::PathOf(long item) const
{
    if (item < 0 || item >= GetItemCount())
        return {};
    const size_t index = size_t(GetItemData(item));
    return index < m_paths.size() ? m_paths[index] : std::string();
}

wxBitmap ThumbnailList::PictureOf(long item) const
{
    wxListItem info;
    info.SetId(item);
    info.SetMask(wxLIST_MASK_IMAGE);
    if (!GetItem(info) || info.GetImage() < 0)
        return wxBitmap();
    return m_images.GetBitmap(info.GetImage());
}

wxWindow* ThumbnailList::ItemsWindow()
{
    // The generic list control draws its items on an inner window of its own.
    const wxWindowList& children = GetChildren();
    return children.empty() ? static_cast<wxWindow*>(this) : children.front();
}

} // namespace kelmora
