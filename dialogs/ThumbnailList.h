#pragma once
// A scrolled grid of the thumbnails of the drawing files of one folder, made by a
// ThumbnailLoader on its worker thread. The gallery panes and the template browser of the
// new-document dialog both use it.
//
// The pictures are laid out in rows as wide as the window: as many columns as whole cells
// fit, the spare width shared out among them, every row full but the last. A change of
// width lays them out again. The window scrolls vertically only.
//
// Pictures reach the control through queued calls on the UI thread; those of a load that
// has been replaced or stopped are dropped there by their generation. While a load runs
// the window is not redrawn for each picture, only when the load is complete. Loading a
// folder, stopping and destroying the control stop the worker and wait for it, which never
// needs the UI thread (the worker only queues), so nothing here pumps messages. Items have
// no label; each keeps the path of its file.
//
// Mouse and keys: a press selects an item; a click (press and release on the same item
// without a drag) or Enter sends wxEVT_LIST_ITEM_ACTIVATED with the item; dragging an
// item sends wxEVT_LIST_BEGIN_DRAG; the arrow keys, Home and End move the selection.
//
// UI thread only.

#include "document/ThumbnailLoader.h"

#include <wx/bitmap.h>
#include <wx/scrolwin.h>

#include <functional>
#include <string>
#include <vector>

namespace kelmora {

class ThumbnailList : public wxScrolled<wxWindow> {
public:
    // The space around each picture inside its cell, on every side.
    static constexpr int kCellPadding = 4;

    ThumbnailList(wxWindow* parent, wxWindowID id, ThumbnailLoader::Options options,
                  const wxSize& size = wxDefaultSize);
    ~ThumbnailList() override;

    // Empties the list and starts loading the drawing files of `folder`.
    void Load(std::string folder);
    // Stops a running load and empties the list.
    void Clear();
    // Stops a running load; the items shown so far stay.
    void StopLoading();
    // Whether a load has not yet shown all its pictures.
    bool IsLoading() const { return m_bLoading; }

    long GetItemCount() const { return long(m_items.size()); }
    // The file of an item; empty for an index that is not an item.
    std::string PathOf(long item) const;
    // The picture of an item; an invalid bitmap for an index that is not an item.
    wxBitmap PictureOf(long item) const;

    // The selected item, or -1.
    long FirstSelected() const { return m_nSelected; }
    // Selects `item` (-1: none) and scrolls it into view.
    void Select(long item);

    // The number of columns the present width holds.
    int ColumnCount() const { return m_nColumns; }
    // The cell of an item in client coordinates (the scrolling taken into account); false
    // for an index that is not an item.
    bool GetItemRect(long item, wxRect& rect) const;
    // The item whose cell holds the client point, or -1.
    long HitTest(const wxPoint& client) const;

    // Called on the UI thread when a load has shown every picture.
    std::function<void()> m_onLoaded;

private:
    struct Item {
        wxBitmap picture;
        std::string path;
    };

    void AddPicture(uint64_t generation, ThumbnailItem item);
    void FinishLoad(uint64_t generation);
    // Columns, cell size and scrolled height for the present client width.
    void LayOut();
    wxRect CellRect(long item) const;   // in unscrolled coordinates
    void Notify(wxEventType type, long item);

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    const int m_nSide;
    std::vector<Item> m_items;
    long m_nSelected = -1;
    int m_nColumns = 1;
    wxSize m_cell;
    bool m_bLoading = false;
    // The item under a press of the left button and where it was, until the release or a drag.
    long m_nPressed = -1;
    wxPoint m_pressPoint;
    // Declared last: destroyed first, so its worker is gone before anything it posts to.
    ThumbnailLoader m_loader;
};

// A bitmap of the picture (straight ARGB) with its alpha.
wxBitmap ToWxBitmap(const Bitmap& picture);

} // namespace kelmora
