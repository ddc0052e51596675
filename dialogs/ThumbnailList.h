#pragma once
// A list control in icon view that shows the thumbnails of the drawing files of one
// folder, made by a ThumbnailLoader on its worker thread. The gallery panes and the
// template browser of the new-document dialog both use it.
//
// Pictures reach the control through queued calls on the UI thread; those of a load that
// has been replaced or stopped are dropped there by their generation. Loading a folder,
// stopping and destroying the control stop the worker and wait for it, which never needs
// the UI thread (the worker only queues), so nothing here pumps messages. Items have no
// label; each keeps the path of its file.
//
// UI thread only.

#include "document/ThumbnailLoader.h"

#include <wx/imaglist.h>
#include <wx/listctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace kelmora {

class ThumbnailList : public wxListCtrl {
public:
    ThumbnailList(wxWindow* parent, wxWindowID id, ThumbnailLoader::Options options,
                  const wxSize& size = wxDefaultSize);
    ~ThumbnailList() override;

    // Empties the list and starts loading the drawing files of `folder`; redrawing is off
    // until the load is complete.
    void Load(std::string folder);
    // Stops a running load and empties the list.
    void Clear();
    // Stops a running load; the items shown so far stay.
    void StopLoading();
    // Whether a load has not yet shown all its pictures.
    bool IsLoading() const { return m_bLoading; }

    // The file of an item; empty for an index that is not an item.
    std::string PathOf(long item) const;
    // The first selected item, or -1.
    long FirstSelected() const { return GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); }
    // The picture of an item as the list shows it.
    wxBitmap PictureOf(long item) const;
    // The window that receives the mouse over the items (the control itself, or the
    // inner window the list draws its items on).
    wxWindow* ItemsWindow();

    // Called on the UI thread when a load has shown every picture.
    std::function<void()> m_onLoaded;

private:
    void AddPicture(uint64_t generation, ThumbnailItem item);
    void FinishLoad(uint64_t generation);
    void EndFreeze();

    wxImageList m_images;
    std::vector<std::string> m_paths;
    bool m_bLoading = false;
    bool m_bFrozen = false;
    // Declared last: destroyed first, so its worker is gone before anything it posts to.
    ThumbnailLoader m_loader;
};

// A bitmap of the picture (straight ARGB) with its alpha.
wxBitmap ToWxBitmap(const Bitmap& picture);

} // namespace kelmora
