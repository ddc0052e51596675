// Cut, Copy and Paste, drag and drop into and out of the view.
//
// What the view gives to the clipboard and to drags: the selection as the program's own
// record (document/ClipboardFormat.h) and a PNG picture of it, for other programs. What it
// takes: that record, a PNG picture (as an image object), and files dropped from a file
// manager (pictures and drawing files).

#include "view/DrawView.h"

#include "document/ClipboardFormat.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/DrawShape.h"
#include "document/FrameServices.h"
#include "model/DrawObj.h"
#include "model/Coordinates.h"
#include "model/DrawRect.h"
#include "platform/geometry/SizeF.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/imaging/ImageCodec.h"
#include "platform/imaging/PremultipliedPixels.h"
#include "res/CommandIds.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dnd.h>
#include <wx/time.h>
#include <wx/utils.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <filesystem>

namespace kelmora {

namespace {

const wxDataFormat& ObjectsFormat()
{
    static const wxDataFormat format(wxString::FromUTF8(std::string(kClipboardFormatName)));
    return format;
}

// PNG by its MIME type, the name other programs on the desktop offer and look for.
const wxDataFormat& PictureFormat()
{
    static const wxDataFormat format(wxString("image/png"));
    return format;
}

// What the clipboard offered when it last told us, shared by every view. Asking the
// clipboard directly waits for its owner (a nested event loop on GTK), which an update
// handler must never do: the update handlers read this, and a change notice refreshes it.
struct ClipboardOffer {
    bool objects = false;
    bool picture = false;
    wxLongLong lastAsked = 0;
};
ClipboardOffer g_offer;

// How often the update handlers ask the clipboard what it holds, at most: often enough
// that Paste follows a copy made in another program, rarely enough to cost nothing.
constexpr long kOfferRefreshMs = 500;

// The view a drag started from, while it runs, and the size of the objects it drags
// (document units), which the views it passes over show.
CDrawView* g_dragSource = nullptr;
SizeF g_dragSize;

// The picture of the objects for other programs: at screen resolution, at most this many
// pixels a side (larger selections are scaled down to fit).
constexpr float kPictureDpi = 96.0f;
constexpr int kMaxPictureSide = 4096;

wxCustomDataObject* CustomData(const wxDataFormat& format, const std::vector<uint8_t>& bytes)
{
    auto* data = new wxCustomDataObject(format);
    data->SetData(bytes.size(), bytes.data());
    return data;
}

// The record and the picture as one data object; the picture is left out when there is none.
wxDataObjectComposite* TransferData(const std::vector<uint8_t>& record, const std::vector<uint8_t>& picture)
{
    auto* data = new wxDataObjectComposite;
    data->Add(CustomData(ObjectsFormat(), record), true);
    if (!picture.empty())
        data->Add(CustomData(PictureFormat(), picture));
    return data;
}

std::span<const uint8_t> BytesOf(const wxCustomDataObject& data)
{
    return std::span<const uint8_t>(static_cast<const uint8_t*>(data.GetData()), data.GetSize());
}

bool IsDrawingFile(const std::filesystem::path& path)
{
    return HasExtension(path, kDocumentExtension);
}

// The view's drop target: the program's own record (from another view or window of this
// or another running program), a PNG picture, and files.
class ViewDropTarget : public wxDropTarget {
public:
    explicit ViewDropTarget(CDrawView& view) : m_view(view)
    {
        m_objects = new wxCustomDataObject(ObjectsFormat());
        m_picture = new wxCustomDataObject(PictureFormat());
        m_files = new wxFileDataObject;
        auto* data = new wxDataObjectComposite;
        data->Add(m_objects, true);
        data->Add(m_files);
        data->Add(m_picture);
        SetDataObject(data);
    }

    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult suggested) override
    {
        // Data from other programs carries no size that can be known before the drop.
        if (g_dragSource)
            m_view.OnDragEnter(g_dragSize.Width, g_dragSize.Height);
        else
            m_view.OnDragEnter(0.0f, 0.0f);
        m_lastEffect = wxDragNone;
        return OnDragOver(x, y, suggested);
    }

    wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult) override
    {
        // A drag out of this view and back in again is no drop: moving within the view is
        // the select tool's.
        if (g_dragSource == &m_view)
            return wxDragNone;
        // Only drawing objects move: files and pictures are always copied, so that the
        // program they come from never deletes them.
        const bool movable = GetMatchingPair() == ObjectsFormat();
        m_lastEffect = m_view.OnDragOver(CPoint(x, y), wxGetKeyState(WXK_CONTROL), wxGetKeyState(WXK_SHIFT), movable);
        return m_lastEffect;
    }

    void OnLeave() override { m_view.OnDragLeave(); }

    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult) override
    {
        // The effect the drag showed last is the one the drop has. (The toolkit tells of
        // the drag leaving before the drop, which has erased the rectangle already.)
        const wxDragResult effect = m_lastEffect;
        m_view.OnDragLeave();
        if (g_dragSource == &m_view || effect == wxDragNone || !GetData())
            return wxDragNone;
        const CPoint client(x, y);
        auto* data = static_cast<wxDataObjectComposite*>(GetDataObject());
        const wxDataFormat received = data->GetReceivedFormat();
        bool inserted = false;
        try {
            if (received == ObjectsFormat())
                inserted = m_view.PasteObjects(BytesOf(*m_objects), client);
            else if (received == PictureFormat())
                inserted = m_view.PastePicture(BytesOf(*m_picture), client) != nullptr;
            else if (received == wxDataFormat(wxDF_FILENAME)) {
                std::vector<std::string> paths;
                for (const wxString& name : m_files->GetFilenames())
                    paths.push_back(name.utf8_string());
                inserted = m_view.DropFiles(paths, client);
            }
        } catch (const std::exception&) {
            inserted = false;
        }
        // Files and pictures are always copies; the source of a moved drawing deletes it.
        if (!inserted)
            return wxDragNone;
        return received == ObjectsFormat() ? effect : wxDragCopy;
    }

private:
    CDrawView& m_view;
    wxDragResult m_lastEffect = wxDragNone;   // of the last move over the view
    wxCustomDataObject* m_objects;   // owned by the composite
    wxCustomDataObject* m_picture;
    wxFileDataObject* m_files;
};

} // namespace

std::vector<uint8_t> PictureOfObjects(const std::vector<CDrawObj*>& objects)
{
    std::optional<ImageSurface> probe = ImageSurface::Create(1, 1);
    if (!probe)
        return {};
    RectF painted;
    {
        Graphics g(*probe);
        for (CDrawObj* object : objects) {
            RectF one;
            object->Draw(one, g, nullptr, nullptr, kDrawAllParts);
            painted = UnionOfPainted(painted, one);
        }
    }
    if (painted.IsEmptyArea() || !painted.IsFinite())
        return {};
    float scale = kPictureDpi / 300.0f;
    scale = std::min({scale, kMaxPictureSide / painted.Width, kMaxPictureSide / painted.Height});
    const int width = std::max(1, int(std::ceil(painted.Width * scale)));
    const int height = std::max(1, int(std::ceil(painted.Height * scale)));
    std::optional<ImageSurface> surface = ImageSurface::Create(width, height);
    if (!surface)
        return {};
    {
        Graphics g(*surface);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        g.ScaleTransform(scale, scale);
        g.TranslateTransform(-painted.X, -painted.Y);
        for (CDrawObj* object : objects) {
            RectF one;
            object->Draw(one, g, nullptr, nullptr, kDrawAllParts);
        }
    }
    cairo_surface_t* cairoSurface = surface->CairoSurface();
    cairo_surface_flush(cairoSurface);
    const Bitmap bitmap = BitmapFromPremultiplied(cairo_image_surface_get_data(cairoSurface), width, height,
                                                  cairo_image_surface_get_stride(cairoSurface));
    std::vector<uint8_t> png;
    if (!bitmap.IsOk() || EncodeImage(bitmap, ImageFormat::Png, png) != ImageStatus::Ok)
        return {};
    return png;
}

// ---------------------------------------------------------------------------------------
// Copy, Cut, Paste

bool CDrawView::OnEditCopy()
{
    if (m_selection.empty())
        return false;
    std::vector<uint8_t> record;
    try {
        record = WriteClipboardObjects(m_selection);
    } catch (const std::exception& error) {
        TellUser(std::string("The selection cannot be copied: ") + error.what() + ".");
        return false;
    }
    const std::vector<uint8_t> picture = PictureOfObjects(InStackingOrder(m_selection));

    wxClipboardLocker locker;
    if (!locker || !wxTheClipboard->SetData(TransferData(record, picture))) {
        TellUser("The clipboard cannot be opened; nothing was copied.");
        return false;
    }
    ClipboardItems::Remember(record, m_selection);
    g_offer.objects = true;
    g_offer.picture = !picture.empty();
    return true;
}

void CDrawView::OnEditCut()
{
    // The objects go only once the clipboard holds them.
    if (!OnEditCopy())
        return;
    wxCommandEvent clear(wxEVT_MENU, WxId(cmd::kEditClear));
    clear.SetEventObject(this);
    ProcessWindowEventLocally(clear);
}

void CDrawView::OnEditPaste()
{
    std::vector<uint8_t> record;
    std::vector<uint8_t> picture;
    {
        wxClipboardLocker locker;
        if (!locker)
            return;
        // Asking here may wait for the clipboard's owner: a command may, an update handler
        // may not.
        if (wxTheClipboard->IsSupported(ObjectsFormat())) {
            wxCustomDataObject data(ObjectsFormat());
            if (wxTheClipboard->GetData(data))
                record.assign(BytesOf(data).begin(), BytesOf(data).end());
        } else if (wxTheClipboard->IsSupported(PictureFormat())) {
            wxCustomDataObject data(PictureFormat());
            if (wxTheClipboard->GetData(data))
                picture.assign(BytesOf(data).begin(), BytesOf(data).end());
        }
    }
    g_offer.objects = !record.empty();
    g_offer.picture = !picture.empty();
    if (!record.empty())
        PasteObjects(record);
    else if (!picture.empty())
        PastePicture(picture);
}

bool CDrawView::CanPaste() const
{
    return g_offer.objects || g_offer.picture;
}

void CDrawView::WatchClipboard()
{
    Bind(wxEVT_CLIPBOARD_CHANGED, [](wxClipboardEvent& event) {
        g_offer.objects = event.SupportsFormat(ObjectsFormat());
        g_offer.picture = event.SupportsFormat(PictureFormat());
    });
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) {
            const wxLongLong now = wxGetLocalTimeMillis();
            if (now - g_offer.lastAsked >= kOfferRefreshMs) {
                g_offer.lastAsked = now;
                // Answered later by a change notice to this view; busy when a question is
                // still open, and then the next refresh asks again.
                wxTheClipboard->IsSupportedAsync(this);
            }
            event.Enable(CanPaste());
        },
        WxId(cmd::kEditPaste));
}

// ---------------------------------------------------------------------------------------
// Inserting what arrives

void CDrawView::FileInsertion(const std::vector<CDrawObj*>& objects)
{
    if (objects.empty())
        return;
    m_document.AddUndoList(this, UNDO_INSERT, objects);
    SelectObjects(objects);
    m_document.SetModifiedFlag(true);
    RefreshFrame();
    RepaintViews();
}

bool CDrawView::PasteObjects(std::span<const uint8_t> record, std::optional<CPoint> client)
{
    // Read completely before the document sees anything: a damaged record adds nothing.
    ClipboardObjects read = ReadClipboardObjects(record);
    Select(nullptr, false);
    if (!read) {
        TellUser("The clipboard holds no drawing that can be pasted: " + read.error + ".");
        return false;
    }
    if (!ClipboardItems::Restore(record, read.objects)) {
        TellUser("Embedded objects of other programs can be pasted only into the program they were copied from.");
        return false;
    }
    std::vector<CDrawObj*> added = m_document.Add(std::move(read.objects));
    if (client)
        CentreObjectsAt(added, *client);
    FileInsertion(added);
    return true;
}

CDrawObj* CDrawView::PastePicture(std::span<const uint8_t> bytes, std::optional<CPoint> client)
{
    std::unique_ptr<CDrawObj> image = MakeImageObject(bytes);
    if (!image) {
        TellUser("The picture cannot be read.");
        return nullptr;
    }
    return AddImageObject(std::move(image), client);
}

void CDrawView::CentreObjectsAt(const std::vector<CDrawObj*>& objects, CPoint client)
{
    RectF bounds;
    for (const CDrawObj* object : objects)
        bounds = UnionOfPainted(bounds, object->m_rcBounds);
    CPoint target = client;
    ClientToDocPoint(true, target);
    const PointF delta(float(target.x) - (bounds.X + bounds.Width / 2), float(target.y) - (bounds.Y + bounds.Height / 2));
    if (!std::isfinite(delta.X) || !std::isfinite(delta.Y))
        return;
    for (CDrawObj* object : objects) {
        // A locked object is moved with the others: it arrives where it was dropped.
        const bool locked = std::exchange(object->m_bLocked, false);
        object->Offset(delta, nullptr);
        object->m_bLocked = locked;
    }
}

bool CDrawView::DropFiles(const std::vector<std::string>& paths, CPoint client)
{
    // Every file is read before the document sees any of them, so that a read that
    // throws leaves no object in the drawing that no undo step knows of.
    std::vector<std::unique_ptr<CDrawObj>> loaded;
    std::vector<std::string> unreadable;
    std::vector<std::string> xpsFiles;
    for (const std::string& path : paths) {
        // An XPS file is imported as its page's objects, as File > Open does.
        if (HasExtension(path, kXpsExtension)) {
            xpsFiles.push_back(path);
            continue;
        }
        std::unique_ptr<CDrawObj> object = IsDrawingFile(path) ? LoadDrawingObject(path) : LoadImageObject(path);
        if (object)
            loaded.push_back(std::move(object));
        else
            unreadable.push_back(path);
    }
    if (!unreadable.empty()) {
        std::string text = unreadable.size() == 1 ? "This file holds no picture or drawing that can be read:"
                                                  : "These files hold no picture or drawing that can be read:";
        for (const std::string& path : unreadable)
            text += "\n" + path;
        TellUser(text);
    }
    Select(nullptr, false);
    std::vector<CDrawObj*> added;
    for (std::unique_ptr<CDrawObj>& object : loaded) {
        added.push_back(m_document.Add(std::move(object)));
        CentreObjectsAt({added.back()}, client);
    }
    for (const std::string& path : xpsFiles) {
        wxBusyCursor busy;
        const std::vector<CDrawObj*> imported = ImportXpsObjects(path);
        added.insert(added.end(), imported.begin(), imported.end());
    }
    if (added.empty())
        return false;
    FileInsertion(added);
    return true;
}

// ---------------------------------------------------------------------------------------
// Dragging out of the view

int CDrawView::StartSelectionDrag()
{
    if (m_selection.empty() || g_dragSource)
        return wxDragNone;
    std::vector<uint8_t> record;
    try {
        record = WriteClipboardObjects(m_selection);
    } catch (const std::exception&) {
        return wxDragNone;
    }
    ClipboardItems::Remember(record, m_selection);
    RectF bounds;
    for (const CDrawObj* object : m_selection)
        bounds = UnionOfPainted(bounds, object->m_rcBounds);
    g_dragSize = SizeF(bounds.Width, bounds.Height);
    std::unique_ptr<wxDataObjectComposite> data(TransferData(record, PictureOfObjects(InStackingOrder(m_selection))));
    wxDropSource source(*data, this);
    g_dragSource = this;
    const wxDragResult result = source.DoDragDrop(wxDrag_AllowMove);
    g_dragSource = nullptr;
    if (result == wxDragMove) {
        wxCommandEvent clear(wxEVT_MENU, WxId(cmd::kEditClear));
        clear.SetEventObject(this);
        ProcessWindowEventLocally(clear);
    }
    return result;
}

void CDrawView::OnDragEnter(float width, float height)
{
    CPoint corners[2] = {CPoint(0, 0), CPoint(TruncateToInt32(width), TruncateToInt32(height))};
    DocToClientPoint(true, corners[0]);
    DocToClientPoint(true, corners[1]);
    m_szDragObject = CSize(std::max(corners[1].x - corners[0].x, 0), std::max(corners[1].y - corners[0].y, 0));
    m_szDragOffset = CSize(m_szDragObject.cx / 2, m_szDragObject.cy / 2);
    m_nLastDropEffect = wxDragNone;
}

wxDragResult CDrawView::OnDragOver(CPoint client, bool ctrl, bool shift, bool movable)
{
    const CPoint p(client.x - m_szDragOffset.cx, client.y - m_szDragOffset.cy);
    // The rectangle in scroll-area pixels; one of no size is the mouse point alone.
    const CPoint scroll = GetScrollPosition();
    const int64_t left = int64_t(p.x) + scroll.x;
    const int64_t top = int64_t(p.y) + scroll.y;
    const int64_t right = left + std::max(m_szDragObject.cx, 1);
    const int64_t bottom = top + std::max(m_szDragObject.cy, 1);
    const CSize total = GetTotalSize();
    const bool overlaps = left < total.cx && top < total.cy && right > 0 && bottom > 0;

    wxDragResult effect = wxDragMove;
    if (!overlaps || (ctrl && shift))
        effect = wxDragNone;
    else if (ctrl || !movable)
        effect = wxDragCopy;

    const bool shown = m_nLastDropEffect != wxDragNone;
    if (p != m_ptDragPos || shown != (effect != wxDragNone)) {
        if (shown)
            RefreshDragRect(m_ptDragPos);
        if (effect != wxDragNone) {
            m_ptDragPos = p;
            RefreshDragRect(p);
        }
    }
    m_nLastDropEffect = effect;
    return effect;
}

void CDrawView::OnDragLeave()
{
    if (m_nLastDropEffect != wxDragNone)
        RefreshDragRect(m_ptDragPos);
    m_nLastDropEffect = wxDragNone;
}

namespace {

// The editing view under a screen point, when it is one of this program's.
CDrawView* ViewAt(wxPoint screen)
{
    for (wxWindow* window = wxFindWindowAtPoint(screen); window; window = window->GetParent()) {
        if (auto* view = dynamic_cast<CDrawView*>(window))
            return view;
    }
    return nullptr;
}

} // namespace

void CDrawView::WatchSelectionDrags()
{
    // A move of the selection dragged onto another editing view becomes a drag of the
    // objects: the move is taken back here and they travel as data. (Dragged anywhere
    // else, past the view's edge, they keep moving in this drawing.) Bound after the
    // tools' mouse handler, so it sees each move first.
    Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        const bool moving = event.LeftIsDown() && CDrawTool::IsDragging(this) && CDrawTool::s_currentKind == TOOL_SELECT
            && CSelectTool::s_selectMode == SelectMode::Move && !m_selection.empty()
            && !GetClientRect().Contains(event.GetPosition());
        CDrawView* target = moving ? ViewAt(ClientToScreen(event.GetPosition())) : nullptr;
        if (!target || target == this) {
            event.Skip();
            return;
        }
        try {
            CSelectTool::CancelDrag(this);
            ReleaseToolMouse();
            StartSelectionDrag();
        } catch (const std::exception& error) {
            TellUser(error.what());
        }
    });
}

void CDrawView::BindClipboardCommands()
{
    const auto any = [this] { return !m_selection.empty(); };
    OnEditingCommand(cmd::kEditCopy, [this] { OnEditCopy(); });
    OnEditingCommand(cmd::kEditCut, [this] { OnEditCut(); });
    OnEditingCommand(cmd::kEditPaste, [this] { OnEditPaste(); });
    EnableWhen(cmd::kEditCopy, any);
    EnableWhen(cmd::kEditCut, any);
    WatchClipboard();
    WatchSelectionDrags();
    SetDropTarget(new ViewDropTarget(*this));
}

} // namespace kelmora
