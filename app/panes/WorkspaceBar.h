#pragma once
// CWorkspaceBar: one gallery pane ("Shapes", "Cliparts" or "Templates"). On top, the
// category folders below the gallery's root folder; below, 64 × 64 thumbnails of the
// drawing files of the chosen category, made by a worker thread (ThumbnailList).
//
// A click on a thumbnail inserts a new copy of its drawing into the active editing view,
// at the view's point under the centre of the screen; dragging a thumbnail onto an
// editing view inserts it where it is dropped. Either way the drawing is scaled so that
// its larger side is 192 units, added as one object, selected alone and undoable in one
// step. Dropped anywhere else, nothing is inserted.
//
// Categories are the root's direct sub-folders; a root without any shows an empty pane.
//
// UI thread only.

#include "platform/geometry/CPoint.h"
#include "platform/geometry/RectF.h"

#include <wx/panel.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class wxListBox;
class wxListEvent;
class wxNotebook;

namespace kelmora {

class CDrawObj;
class CDrawView;
class GalleryDragImage;
class ThumbnailList;

// The side an inserted gallery drawing is scaled to, in document units.
inline constexpr float kGalleryInsertSize = 192.0f;

// The factor that makes the larger side of `bounds` kGalleryInsertSize; nothing (no
// scaling) when the bounds have no positive finite extent.
std::optional<float> GalleryInsertScale(const RectF& bounds);

// Inserts the drawing of the gallery file into the view's document: scaled, placed with
// its centre on the view's point under `client` (or under the centre of the screen when
// there is none), selected alone, with one undo unit. The inserted object, or null when
// the file yields no drawing (nothing changes then).
CDrawObj* InsertGalleryDrawing(const std::string& path, CDrawView& view, std::optional<CPoint> client);

class CWorkspaceBar : public wxPanel {
public:
    static constexpr int kIdFolderList = 1022;
    static constexpr int kIdItemList = 1023;
    static constexpr int kThumbnailSide = 64;

    // The editing view that a click inserts into; null when there is none.
    using ActiveView = std::function<CDrawView*()>;

    // A pane for the gallery whose categories lie below `root`. It lists them and starts
    // loading the first.
    CWorkspaceBar(wxWindow* parent, wxWindowID id, std::filesystem::path root, ActiveView activeView);
    ~CWorkspaceBar() override;

    const std::filesystem::path& RootFolder() const { return m_strRootFolder; }
    wxListBox& GetFolderList() { return *m_wndFolderList; }
    ThumbnailList& GetItemList() { return *m_wndItemList; }
    // Whether the thumbnails of the current category are still being made.
    bool IsLoading() const;

    // The category whose thumbnails are shown (−1: none).
    int CurrentFolder() const { return m_nCurFolder; }

    // Inserts thumbnail `item` into the active view (a click) or into the editing view
    // under the screen point (a drop). The inserted object or null.
    CDrawObj* InsertItem(long item);
    CDrawObj* DropItem(long item, wxPoint screen);

    // The editing view that shows the screen point, or null.
    static CDrawView* ViewAtScreenPoint(wxPoint screen);

private:
    void ListFolders();
    void StartLoader();
    void OnFolderSelChange(wxCommandEvent& event);
    // A click on a thumbnail, or Enter on the selected one.
    void OnItemClick(wxListEvent& event);
    void OnBeginDrag(wxListEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnLButtonUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void EndDrag();
    void LayOutLists();
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);

    std::filesystem::path m_strRootFolder;
    ActiveView m_activeView;
    wxListBox* m_wndFolderList = nullptr;
    ThumbnailList* m_wndItemList = nullptr;
    int m_nCurFolder = -1;
    long m_nDragItem = -1;
    bool m_bDragging = false;
    GalleryDragImage* m_dragImage = nullptr;
};

// The three galleries, in the order of their tabs; each is named after its data folder.
inline constexpr const char* kGalleryFolders[] = {"Shapes", "Cliparts", "Templates"};

// The three galleries as the tabs of one notebook, for the frame to dock as one pane.
// `folderOf` gives the root folder of a gallery by its name.
wxNotebook* CreateGalleryPanes(wxWindow* parent, const std::function<std::filesystem::path(const std::string&)>& folderOf,
                               CWorkspaceBar::ActiveView activeView);

} // namespace kelmora
