#include "app/panes/WorkspaceBar.h"

#include "dialogs/ThumbnailList.h"
#include "document/DirRead.h"
#include "document/DrawDoc.h"
#include "document/DrawShape.h"
#include "model/DrawObj.h"
#include "model/DrawObjGroup.h"
#include "view/DrawView.h"

#include <wx/dcclient.h>
#include <wx/listbox.h>
#include <wx/listbase.h>
#include <wx/notebook.h>
#include <wx/popupwin.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include <cmath>
#include <memory>

namespace kelmora {

namespace {

// The drag image sits beside the pointer rather than under it, so that the window under
// the pointer is always the one the drop goes to.
const wxPoint kDragImageOffset(12, 12);

// The size a pane has until it is first laid out (that of a hidden tab included).
const wxSize kInitialPaneSize(280, 480);
// The least width and height of each list: a scroll bar needs about this length, and
// laid out in less the toolkit sizes its parts below zero.
constexpr int kMinListSide = 80;

} // namespace

// The thumbnail that follows the pointer during a drag.
class GalleryDragImage : public wxPopupWindow {
public:
    GalleryDragImage(wxWindow* parent, const wxBitmap& picture) : wxPopupWindow(parent, wxBORDER_SIMPLE), m_picture(picture)
    {
        SetBackgroundColour(*wxWHITE);
        SetClientSize(picture.IsOk() ? picture.GetSize() : wxSize(CWorkspaceBar::kThumbnailSide, CWorkspaceBar::kThumbnailSide));
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(this);
            if (m_picture.IsOk())
                dc.DrawBitmap(m_picture, 0, 0, true);
        });
    }
    void Follow(wxPoint screen) { Move(screen + kDragImageOffset); }

private:
    wxBitmap m_picture;
};

std::optional<float> GalleryInsertScale(const RectF& bounds)
{
    const float side = std::max(bounds.Width, bounds.Height);
    if (!std::isfinite(side) || !(side > 0.0f))
        return std::nullopt;
    const float scale = kGalleryInsertSize / side;
    return std::isfinite(scale) ? std::optional<float>(scale) : std::nullopt;
}

CDrawObj* InsertGalleryDrawing(const std::string& path, CDrawView& view, std::optional<CPoint> client)
{
    std::unique_ptr<CDrawObj> loaded = LoadDrawingObject(path);
    if (!loaded)
        return nullptr;
    // Every insertion is an object of its own, however often the same file is inserted.
    RenewIdsOfTree(*loaded);
    CDrawDoc& document = view.GetDocument();
    CDrawObj* object = document.Add(std::move(loaded));
    if (std::optional<float> scale = GalleryInsertScale(object->GetPathBounds(nullptr, nullptr)))
        object->Scale(*scale, *scale, &view);
    // Placing centres the object by its bounds, which must be those after the scaling.
    object->RecalcBounds(&view);
    if (client)
        view.PlaceObjectAt(object, *client);
    else
        view.PlaceObjectAtScreenCenter(object);
    object->RecalcBounds(&view);
    view.Select(object, false);
    view.Invalidate(true);
    document.AddUndo(&view, UNDO_INSERT, object);
    return object;
}

CWorkspaceBar::CWorkspaceBar(wxWindow* parent, wxWindowID id, std::filesystem::path root, ActiveView activeView)
    : wxPanel(parent, id, wxDefaultPosition, kInitialPaneSize, wxTAB_TRAVERSAL | wxFULL_REPAINT_ON_RESIZE),
      m_strRootFolder(std::move(root)), m_activeView(std::move(activeView))
{
    m_wndFolderList = new wxListBox(this, kIdFolderList, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                                    wxLB_SINGLE | wxLB_NEEDED_SB | wxBORDER_NONE);
    ThumbnailLoader::Options options;
    options.side = kThumbnailSide;
    options.useTrailer = true;
    options.writeBack = true;
    m_wndItemList = new ThumbnailList(this, kIdItemList, options);
    LayOutLists();

    m_wndFolderList->Bind(wxEVT_LISTBOX, &CWorkspaceBar::OnFolderSelChange, this);
    m_wndItemList->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CWorkspaceBar::OnItemClick, this);
    m_wndItemList->Bind(wxEVT_LIST_BEGIN_DRAG, &CWorkspaceBar::OnBeginDrag, this);
    Bind(wxEVT_MOTION, &CWorkspaceBar::OnMouseMove, this);
    Bind(wxEVT_LEFT_UP, &CWorkspaceBar::OnLButtonUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CWorkspaceBar::OnCaptureLost, this);
    Bind(wxEVT_SIZE, &CWorkspaceBar::OnSize, this);
    Bind(wxEVT_PAINT, &CWorkspaceBar::OnPaint, this);

    ListFolders();
    StartLoader();
}

CWorkspaceBar::~CWorkspaceBar()
{
    EndDrag();
    // The thumbnail list stops its worker when it goes, before the pane does.
}

bool CWorkspaceBar::IsLoading() const
{
    return m_wndItemList->IsLoading();
}

void CWorkspaceBar::ListFolders()
{
    for (const std::string& name : SubfolderNames(m_strRootFolder.string()))
        m_wndFolderList->Append(wxString::FromUTF8(name));
    if (m_wndFolderList->GetCount() > 0)
        m_wndFolderList->SetSelection(0);
}

void CWorkspaceBar::StartLoader()
{
    if (m_wndFolderList->GetCount() == 0)
        return;
    int selection = m_wndFolderList->GetSelection();
    if (selection == wxNOT_FOUND)
        selection = 0;
    m_nCurFolder = selection;
    const std::string name = m_wndFolderList->GetString(unsigned(selection)).utf8_string();
    m_wndItemList->Load((m_strRootFolder / name).string());
}

void CWorkspaceBar::OnFolderSelChange(wxCommandEvent&)
{
    const int selection = m_wndFolderList->GetSelection();
    if (selection != wxNOT_FOUND && selection != m_nCurFolder)
        StartLoader();
}

CDrawObj* CWorkspaceBar::InsertItem(long item)
{
    const std::string path = m_wndItemList->PathOf(item);
    CDrawView* view = m_activeView ? m_activeView() : nullptr;
    if (path.empty() || !view)
        return nullptr;
    return InsertGalleryDrawing(path, *view, std::nullopt);
}

CDrawObj* CWorkspaceBar::DropItem(long item, wxPoint screen)
{
    const std::string path = m_wndItemList->PathOf(item);
    CDrawView* view = ViewAtScreenPoint(screen);
    if (path.empty() || !view)
        return nullptr;
    const wxPoint client = view->ScreenToClient(screen);
    return InsertGalleryDrawing(path, *view, CPoint(client.x, client.y));
}

CDrawView* CWorkspaceBar::ViewAtScreenPoint(wxPoint screen)
{
    // The point may lie on a child of the view (none today) as well as on the view.
    for (wxWindow* window = wxFindWindowAtPoint(screen); window; window = window->GetParent()) {
        if (auto* view = dynamic_cast<CDrawView*>(window))
            return view;
        if (window->IsTopLevel())
            break;
    }
    return nullptr;
}

void CWorkspaceBar::OnItemClick(wxListEvent& event)
{
    if (!m_bDragging)
        InsertItem(event.GetIndex());
}

void CWorkspaceBar::OnBeginDrag(wxListEvent& event)
{
    m_nDragItem = event.GetIndex();
    if (m_nDragItem < 0)
        return;
    m_dragImage = new GalleryDragImage(this, m_wndItemList->PictureOf(m_nDragItem));
    m_dragImage->Follow(wxGetMousePosition());
    m_dragImage->Show();
    m_bDragging = true;
    CaptureMouse();
}

void CWorkspaceBar::OnMouseMove(wxMouseEvent& event)
{
    if (m_bDragging) {
        const wxPoint screen = ClientToScreen(event.GetPosition());
        m_dragImage->Follow(screen);
        SetCursor(ViewAtScreenPoint(screen) ? wxCursor(wxCURSOR_ARROW) : wxCursor(wxCURSOR_NO_ENTRY));
    }
    event.Skip();
}

void CWorkspaceBar::OnLButtonUp(wxMouseEvent& event)
{
    if (m_bDragging) {
        const long item = m_nDragItem;
        const wxPoint screen = ClientToScreen(event.GetPosition());
        EndDrag();
        DropItem(item, screen);
    }
    event.Skip();
}

void CWorkspaceBar::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // The capture is already gone; the drag ends without a drop.
    m_bDragging = false;
    EndDrag();
}

void CWorkspaceBar::EndDrag()
{
    if (m_bDragging && HasCapture())
        ReleaseMouse();
    m_bDragging = false;
    m_nDragItem = -1;
    if (m_dragImage) {
        m_dragImage->Destroy();
        m_dragImage = nullptr;
    }
    SetCursor(wxNullCursor);
}

void CWorkspaceBar::LayOutLists()
{
    // The folders take the top quarter, the thumbnails the rest, each inside a one-pixel
    // frame drawn by OnPaint. In a pane too small for both they reach beyond its edge.
    const wxSize size = GetClientSize();
    const int cx = size.x;
    const int cy = size.y;
    const int width = std::max(cx - 2, kMinListSide);
    const int folderHeight = std::max(cy / 4 - 2, kMinListSide);
    m_wndFolderList->SetSize(1, 1, width, folderHeight);
    m_wndItemList->SetSize(1, folderHeight + 4, width, std::max(cy - folderHeight - 5, kMinListSide));
}

void CWorkspaceBar::OnSize(wxSizeEvent& event)
{
    LayOutLists();
    Refresh();
    event.Skip();
}

void CWorkspaceBar::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    for (wxWindow* control : {static_cast<wxWindow*>(m_wndFolderList), static_cast<wxWindow*>(m_wndItemList)}) {
        const wxRect rect = control->GetRect().Inflate(1);
        dc.DrawRectangle(rect);
    }
}

wxNotebook* CreateGalleryPanes(wxWindow* parent, const std::function<std::filesystem::path(const std::string&)>& folderOf,
                               CWorkspaceBar::ActiveView activeView)
{
    auto* notebook = new wxNotebook(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxNB_BOTTOM);
    for (const char* name : kGalleryFolders)
        notebook->AddPage(new CWorkspaceBar(notebook, wxID_ANY, folderOf(name), activeView), name);
    return notebook;
}

} // namespace kelmora
