// The view's selection, the placement of new objects and the Undo and Redo commands.

#include "view/DrawView.h"

#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/DrawDocUndo.h"
#include "document/FrameServices.h"
#include "model/DrawItem.h"
#include "model/DrawOleObj.h"
#include "res/CommandIds.h"

#include <wx/gdicmn.h>
#include <wx/msgdlg.h>

#include <algorithm>
#include <cstddef>
#include <exception>
#include <vector>

namespace kelmora {

namespace {

constexpr char kUndoFailed[] = "Undo failed";
constexpr char kRedoFailed[] = "Redo failed";
constexpr char kErrorCaption[] = "Error";
// Above this many objects whose marks go or come, the whole window is repainted: one
// rectangle each would cost more than it saves.
constexpr size_t kMaxRepaintedMarks = 64;

} // namespace

void CDrawView::BindSelectionCommands()
{
    // Their keys (Ctrl+Z, Ctrl+Y) are the main frame's accelerators.
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnEditUndo(); }, WxId(cmd::kEditUndo));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnEditRedo(); }, WxId(cmd::kEditRedo));
}

// ---------------------------------------------------------------------------------------
// Selection

void CDrawView::Select(CDrawObj* object, bool add)
{
    SelectObject(object, add, false);
}

void CDrawView::ChangeSelection(CDrawObj* object, bool add)
{
    SelectObject(object, add, true);
}

void CDrawView::SelectObject(CDrawObj* object, bool add, bool marksOnly)
{
    DropPreview();
    FrameServices* frame = m_document.Frame();
    // The handles of what was selected go from the screen, also when nothing is selected
    // in its place.
    std::vector<CDrawObj*> changed = add ? std::vector<CDrawObj*>() : TakeSelection();
    if (object && !IsSelected(object)) {
        m_selection.push_back(object);
        object->RecalcBounds(this);
        if (frame)
            frame->RefreshSelectionInfo(this, true);
        changed.push_back(object);
    }
    if (changed.empty())
        return;
    if (marksOnly)
        RefreshMarksOf(changed);
    else
        Invalidate(true);
}

std::vector<CDrawObj*> CDrawView::TakeSelection()
{
    std::vector<CDrawObj*> taken = std::move(m_selection);
    m_selection.clear();
    if (FrameServices* frame = m_document.Frame())
        frame->RefreshSelectionInfo(this, true);
    return taken;
}

void CDrawView::RefreshMarksOf(const std::vector<CDrawObj*>& objects)
{
    // The marks of many objects, the join tool's (it marks every object), and marks that
    // change in the middle of a drag step, whose repaint comes at its end, go with a
    // repaint of the whole window.
    if (objects.size() > kMaxRepaintedMarks || m_nRepaintDeferral > 0 || IsJoinToolActive()) {
        Invalidate(true);
        return;
    }
    for (CDrawObj* object : objects) {
        const CRect box = MarksPaintBox(object);
        if (!box.IsRectEmpty())
            RefreshRect(wxRect(box.left, box.top, box.Width(), box.Height()), false);
    }
}

void CDrawView::SelectWithinRect(CRect rect, bool add, unsigned)
{
    DropPreview();
    FrameServices* frame = m_document.Frame();
    std::vector<CDrawObj*> changed = add ? std::vector<CDrawObj*>() : TakeSelection();
    // A band dragged up or to the left arrives with its corners swapped.
    rect.NormalizeRect();
    ClientToDocRect(rect);
    rect.NormalizeRect();
    const std::unordered_set<const CDrawObj*> selected(m_selection.begin(), m_selection.end());
    const size_t kept = m_selection.size();
    for (const std::unique_ptr<CDrawObj>& entry : m_document.Objects()) {
        CDrawObj* object = entry.get();
        // An object that is already selected keeps its place: listing it twice would have
        // every command over the selection act on it twice.
        if (object->m_bDeleted || selected.contains(object))
            continue;
        if (object->GetBounds(rect, this))
            m_selection.push_back(object);
    }
    if (frame)
        frame->RefreshSelectionInfo(this, true);
    changed.insert(changed.end(), m_selection.begin() + std::ptrdiff_t(kept), m_selection.end());
    RefreshMarksOf(changed);
}

void CDrawView::Deselect(CDrawObj* object)
{
    DropPreview();
    if (!object || !IsSelected(object))
        return;
    std::erase(m_selection, object);
    if (FrameServices* frame = m_document.Frame())
        frame->RefreshSelectionInfo(this, true);
    RefreshMarksOf({object});
}

void CDrawView::RemoveFromSelection(CDrawObj* object)
{
    DropPreview();
    if (!object || !IsSelected(object))
        return;
    object->m_nJoinHandle = 0;
    std::erase(m_selection, object);
    if (FrameServices* frame = m_document.Frame())
        frame->RefreshSelectionInfo(this, true);
}

bool CDrawView::IsSelected(const CDrawItem* item) const
{
    return item && item->m_pDrawObj && IsSelected(static_cast<const CDrawObj*>(item->m_pDrawObj));
}

bool CDrawView::IsJoinCandidate(const CDrawItem* item) const
{
    return item && item->m_pDrawObj && IsJoinCandidate(static_cast<const CDrawObj*>(item->m_pDrawObj));
}

// ---------------------------------------------------------------------------------------
// Placement

void CDrawView::PlaceObjectAt(CDrawObj* object, CPoint client)
{
    if (!object)
        return;
    CPoint point = client;
    ClientToDocPoint(true, point);
    const RectF bounds = object->m_rcBounds;
    object->MoveTo(RectF(float(point.x) - bounds.Width / 2, float(point.y) - bounds.Height / 2, bounds.Width,
                         bounds.Height),
                   nullptr);
}

void CDrawView::PlaceObjectAtScreenCenter(CDrawObj* object)
{
    if (!object)
        return;
    const wxSize screen = wxGetDisplaySize();
    const wxPoint topLeft = ScreenToClient(wxPoint(0, 0));
    const wxPoint bottomRight = ScreenToClient(wxPoint(screen.x, screen.y));
    PlaceObjectAt(object, CPoint((topLeft.x + bottomRight.x) / 2, (topLeft.y + bottomRight.y) / 2));
}

// ---------------------------------------------------------------------------------------
// Undo and Redo

namespace {

// Performs one step through the document's undo machinery; a document without one, or a
// step that throws, counts as a failure.
HRESULT PerformStep(CDrawDoc& document, bool undo)
{
    auto* machinery = dynamic_cast<CDrawDocUndo*>(document.m_pUndoManager.get());
    if (!machinery)
        return E_UNEXPECTED;
    try {
        return undo ? machinery->Undo() : machinery->Redo();
    } catch (const std::exception&) {
        return E_FAIL;
    }
}

} // namespace

void CDrawView::ReportUndoFailure(const char* text)
{
    if (DocumentMessageSink* sink = m_document.MessageSink())
        sink->ShowMessage(text, kErrorCaption);
    else
        wxMessageBox(text, kErrorCaption, wxOK | wxICON_ERROR, this);
}

bool CDrawView::OnEditUndo()
{
    if (CancelToolWork())
        return true;
    return PerformAndRepaint(true);
}

bool CDrawView::OnEditRedo()
{
    if (CancelToolWork())
        return true;
    return PerformAndRepaint(false);
}

bool CDrawView::PerformAndRepaint(bool undo)
{
    // A step that only moves a few objects repaints where they were and where they are:
    // moved, each paints what it painted last, shifted with its bounds. That holds while
    // the window shows what a full repaint would, with no repaint waiting.
    struct Moving {
        CDrawObj* object;
        RectF painted;
        RectF bounds;
    };
    std::vector<Moving> moving;
    CRect box;
    const auto* machinery = dynamic_cast<const CDrawDocUndo*>(m_document.m_pUndoManager.get());
    if (machinery && PictureUpToDate()) {
        const std::vector<CDrawObj*> objects = machinery->NextStepMoves(undo);
        if (objects.size() <= kMaxRepaintedMarks) {
            for (CDrawObj* object : objects) {
                const std::optional<RectF> painted = m_document.LastPainted(object);
                if (!painted || object->m_bDeleted) {
                    moving.clear();
                    break;
                }
                moving.push_back(Moving{object, *painted, object->m_rcBounds});
                box |= MovedPaintBox(object, *painted, PointF());
            }
        }
    }
    const bool ok = SUCCEEDED(PerformStep(m_document, undo));
    if (!ok)
        ReportUndoFailure(undo ? kUndoFailed : kRedoFailed);
    bool whole = !ok || moving.empty();
    for (const Moving& entry : moving) {
        const RectF now = entry.object->m_rcBounds;
        if (whole || now.Width != entry.bounds.Width || now.Height != entry.bounds.Height) {
            whole = true;
            break;
        }
        box |= MovedPaintBox(entry.object, entry.painted, PointF(now.X - entry.bounds.X, now.Y - entry.bounds.Y));
    }
    if (whole)
        Invalidate(true);
    else if (!box.IsRectEmpty())
        RefreshRect(wxRect(box.left, box.top, box.Width(), box.Height()), false);
    // The step may have changed the objects and the selection the panes show.
    RefreshFrame();
    return ok;
}

} // namespace kelmora
