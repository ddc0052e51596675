#include "view/DrawTool.h"

#include "document/DrawDoc.h"
#include "document/FrameServices.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/HandleKind.h"
#include "platform/com/IOleParentUndoUnit.h"
#include "view/DrawView.h"
#include "view/PendingChange.h"
#include "view/ToolCursors.h"

#include <wx/defs.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

namespace kelmora {

namespace {

// A handle or a grid line pulls a dragged point this close to it (document units).
constexpr double kGridSnapDistance = 15.0;
// A double-click drops the last point of a poly object when it lies this close to the
// point before (document units, on both axes): the second click of the double-click put it
// there.
constexpr float kDoubleClickNear = 15.0f;
// The floating point of a new poly object starts one unit to the right of the click, so
// that the object has a size from the start.
constexpr int kFloatingPointOffset = 1;

struct NewShape {
    ShapeType type;
    const char* name;
};

NewShape RectShapeOf(ToolKind kind)
{
    switch (kind) {
    case TOOL_ROUNDRECT: return {ShapeType::RoundRectangle, "RoundRectangle - "};
    case TOOL_ELLIPSE: return {ShapeType::Ellipse, "Ellipse - "};
    case TOOL_STAR: return {ShapeType::Star, "Star - "};
    case TOOL_PENTAGON: return {ShapeType::Pentagon, "Pentagon - "};
    case TOOL_COMPLEXSTAR: return {ShapeType::ComplexStar, "ComplexStar - "};
    case TOOL_SPIRAL: return {ShapeType::Spiral, "Spiral - "};
    case TOOL_CIRCLE: return {ShapeType::Circle, "Circle - "};
    case TOOL_TEXT: return {ShapeType::Text, "Text - "};
    default: return {ShapeType::Rectangle, "Rectangle - "};
    }
}

NewShape PolyShapeOf(ToolKind kind)
{
    switch (kind) {
    case TOOL_POLYGON: return {ShapeType::Polygon, "Polygon - "};
    case TOOL_LINE: return {ShapeType::Line, "Line - "};
    case TOOL_BEZIER: return {ShapeType::Bezier, "Bezier - "};
    case TOOL_CURVE: return {ShapeType::Curve, "Curve - "};
    case TOOL_ARC: return {ShapeType::Arc, "Arc - "};
    case TOOL_PIE: return {ShapeType::Pie, "Pie - "};
    default: return {ShapeType::Custom, "Custom - "};
    }
}

// The default name of a new object: the counter's value now, not advanced.
std::string DefaultName(const char* prefix)
{
    return prefix + std::to_string(g_nObjectCounter.load());
}

bool IsEditTool(ToolKind kind)
{
    return kind == TOOL_ANCHOR || kind == TOOL_BREAK || kind == TOOL_JOIN;
}

// How far `v` (document units) has to move to reach the nearest line of a grid of `cell`
// when one lies within kGridSnapDistance; 0 otherwise. The grid runs on through negative
// coordinates, so the remainder is taken floored.
double GridCorrection(double v, int cell)
{
    if (cell <= 0 || !std::isfinite(v))
        return 0.0;
    const double r = v - std::floor(v / cell) * cell;
    if (r < kGridSnapDistance)
        return -r;
    if (cell - r < kGridSnapDistance)
        return cell - r;
    return 0.0;
}

// Moves the object by `delta` in document units through the view, which repaints it.
void OffsetInDocumentUnits(CDrawView* view, CDrawObj* object, PointF delta)
{
    if (delta.X == 0.0f && delta.Y == 0.0f)
        return;
    view->ZoomPointsF(std::span<PointF>(&delta, 1));
    object->Offset(delta, view);
}

void RefreshSelection(CDrawView* view)
{
    if (FrameServices* frame = view->GetDocument().Frame())
        frame->RefreshSelectionInfo(view, true);
}

CSelectTool* SelectTool()
{
    return static_cast<CSelectTool*>(CDrawTool::FindTool(TOOL_SELECT));
}

// The 19 tools in registration order.
struct ToolTable {
    CSelectTool select{TOOL_SELECT};
    CSelectTool anchor{TOOL_ANCHOR};
    CSelectTool breakTool{TOOL_BREAK};
    CSelectTool join{TOOL_JOIN};
    CRectTool rectangle{TOOL_RECTANGLE};
    CPolyTool polygon{TOOL_POLYGON};
    CPolyTool line{TOOL_LINE};
    CPolyTool bezier{TOOL_BEZIER};
    CPolyTool curve{TOOL_CURVE};
    CPolyTool arc{TOOL_ARC};
    CPolyTool pie{TOOL_PIE};
    CRectTool roundRect{TOOL_ROUNDRECT};
    CRectTool ellipse{TOOL_ELLIPSE};
    CRectTool star{TOOL_STAR};
    CRectTool pentagon{TOOL_PENTAGON};
    CRectTool complexStar{TOOL_COMPLEXSTAR};
    CRectTool spiral{TOOL_SPIRAL};
    CRectTool circle{TOOL_CIRCLE};
    CRectTool text{TOOL_TEXT};
    std::array<CDrawTool*, 19> list{&select,   &anchor,  &breakTool, &join,     &rectangle,  &polygon, &line,
                                    &bezier,   &curve,   &arc,       &pie,      &roundRect,  &ellipse, &star,
                                    &pentagon, &complexStar, &spiral, &circle, &text};
};

// What the running select drag recorded of the selection before it changed anything.
std::unique_ptr<PendingChange> s_pending;

} // namespace

// ---------------------------------------------------------------------------------------
// The table and the base tool

std::span<CDrawTool* const> CDrawTool::Tools()
{
    static ToolTable table;
    return table.list;
}

CDrawTool* CDrawTool::FindTool(ToolKind kind)
{
    for (CDrawTool* tool : Tools()) {
        if (tool->kind == kind)
            return tool;
    }
    return nullptr;
}

void CDrawTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point)
{
    view->CaptureToolMouse();
    s_dragView = view;
    s_downFlags = flags;
    s_downPoint = point;
    s_lastPoint = point;
}

void CDrawTool::OnLButtonDblClk(CDrawView*, unsigned, const CPoint&) { }

void CDrawTool::OnLButtonUp(CDrawView*, unsigned, const CPoint& point)
{
    CDrawView::ReleaseToolMouse();
    s_dragView = nullptr;
    if (point == s_downPoint && !IsEditTool(s_currentKind))
        s_currentKind = TOOL_SELECT;
}

void CDrawTool::OnMouseMove(CDrawView* view, unsigned, const CPoint& point)
{
    s_lastPoint = point;
    view->SetToolCursor(ToolCursor::Arrow);
}

void CDrawTool::OnEditProperties(CDrawView*) { }

void CDrawTool::OnCancel(CDrawView*)
{
    s_currentKind = TOOL_SELECT;
}

void CDrawTool::DiscardObject(CDrawView* view, CDrawObj* object)
{
    if (!view || !object)
        return;
    CDrawDoc& document = view->GetDocument();
    if (FrameServices* frame = document.Frame())
        frame->RemoveObject(object);
    if (!object->m_bDeleted) {
        object->m_bDeleted = true;
        --document.m_nObjects;
    }
    object->Remove();
    document.UpdateAllViews(nullptr, CDrawView::kHintRemoved, object);
}

// ---------------------------------------------------------------------------------------
// The select family

CSelectTool::~CSelectTool() = default;

void CSelectTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point)
{
    CDrawDoc& document = view->GetDocument();
    const CPoint lp = view->ToLogical(point);
    s_selectMode = SelectMode::None;
    s_dragHandle = 0;
    s_pending.reset();
    s_bWasModified = document.IsModified();
    // A pick-up whose source has left the selection has nothing to copy.
    if (kind == TOOL_SELECT && state == kStateCopyFormat && view->m_selection.empty())
        state = kStateIdle;

    bool onHandle = false;
    if (CDrawObj* single = view->SingleSelected()) {
        switch (kind) {
        case TOOL_ANCHOR:
            EditAnchor(view, single, lp);
            break;
        case TOOL_BREAK:
            BreakAt(view, single, lp);
            break;
        case TOOL_SELECT:
            if (state != kStateCopyFormat) {
                if (const int h = single->HitTest(lp, view, true, 0); h != 0) {
                    s_dragHandle = h;
                    s_selectMode = SelectMode::Size;
                    onHandle = true;
                }
            }
            break;
        default:
            break;
        }
    }

    // A press that picks up the selection as it is changes nothing the panes show: they
    // are brought up to date when the move is filed. With thousands of objects selected
    // the panes' refresh costs a good part of a repaint.
    bool unchanged = false;
    if (!onHandle) {
        if (CDrawObj* hit = document.ObjectAt(lp, (flags & kMouseControl) != 0, view)) {
            s_selectMode = SelectMode::Move;
            if (kind == TOOL_JOIN)
                PickJoinEnd(view, hit, lp, flags);
            else if (kind == TOOL_SELECT && state == kStateCopyFormat)
                CopyFormatTo(view, hit);
            else if (!view->IsSelected(hit))
                view->ChangeSelection(hit, (flags & kMouseShift) != 0);
            else
                unchanged = kind == TOOL_SELECT;
        } else if (kind == TOOL_SELECT && state != kStateCopyFormat) {
            // A click on nothing empties the selection (undoably) and starts a rubber band;
            // with Shift the band adds to the selection.
            if (!(flags & kMouseShift) && !view->m_selection.empty()) {
                document.AddUndoList(view, UNDO_SELECT, view->m_selection);
                view->ChangeSelection(nullptr, false);
            }
            s_selectMode = SelectMode::RubberBand;
            view->SetRubberBand(CRect(point, point));
        }
    }

    if (!unchanged)
        RefreshSelection(view);
    s_lastDocPoint = lp;
    CDrawTool::OnLButtonDown(view, flags, point);
}

void CSelectTool::EditAnchor(CDrawView* view, CDrawObj* object, CPoint lp)
{
    const int h = object->HitTest(lp, view, true, HANDLE_POINT);
    if (object->CanDeletePoint() && h != 0) {
        PendingChange change(view->GetDocument(), {object});
        object->DeletePoint(h, view);
        change.Commit(view);
    } else if (object->CanInsertPoint()) {
        PendingChange change(view->GetDocument(), {object});
        object->InsertPoint(lp, view);
        change.Commit(view);
    }
}

void CSelectTool::BreakAt(CDrawView* view, CDrawObj* object, CPoint lp)
{
    if (object->HitTest(lp, view, true, HANDLE_POINT) != 0 || !object->CanInsertPoint())
        return;
    PendingChange change(view->GetDocument(), {object});
    object->SplitAtPoint(lp, view);
    change.Commit(view);
}

void CSelectTool::PickJoinEnd(CDrawView* view, CDrawObj* hit, CPoint lp, unsigned flags)
{
    CDrawDoc& document = view->GetDocument();
    const bool outline = (flags & kMouseControl) != 0;
    // The first object under the point, from the top, that has a point handle there.
    CDrawObj* object = hit;
    int h = 0;
    for (; object; object = document.ObjectAt(lp, outline, view, object)) {
        h = object->HitTest(lp, view, true, HANDLE_POINT);
        if (h != 0)
            break;
    }
    if (!object)
        return;
    if (!object->IsEndPointHandle(h)) {
        object->m_nJoinHandle = 0;
        return;
    }
    object->m_nJoinHandle = h;
    if (view->IsSelected(object)) {
        view->Invalidate(true);
        return;
    }
    if (view->m_selection.empty()) {
        view->Select(object, true);
        return;
    }
    // The end picked before, on the one other selected object that is still in the drawing.
    CDrawObj* other = view->SingleSelected();
    if (!other || !other->IsEndPointHandle(other->m_nJoinHandle))
        return;

    PendingChange change(view->GetDocument(), {object});
    if (!object->JoinAtEndPoints(other, (flags & kMouseControl) != 0))
        return;
    IOleParentUndoUnit* group = nullptr;
    const bool grouped = document.BeginUndoGroup(&group);
    change.Commit(view);
    view->RemoveFromSelection(other);
    if (FrameServices* frame = document.Frame())
        frame->RemoveObject(other);
    --document.m_nObjects;
    other->m_bDeleted = true;
    document.AddUndo(view, UNDO_DELETE, other);
    object->m_nJoinHandle = 0;
    view->RemoveFromSelection(object);
    object->RecalcBounds(view);
    view->Invalidate(true);
    if (grouped)
        document.EndUndoGroup(group);
    if (group)
        group->Release();
}

void CSelectTool::CopyFormatTo(CDrawView* view, CDrawObj* target)
{
    state = kStateIdle;
    CDrawObj* source = view->m_selection.empty() ? nullptr : view->m_selection.front();
    if (!source || source == target || source->m_bDeleted)
        return;
    CDrawDoc& document = view->GetDocument();
    PendingChange change(document, {target});
    const std::unique_ptr<CDrawObj> style = source->CreateStyleCopy(StyleCopyMask::All);
    target->CopyStyleFrom(style.get(), StyleCopyMask::All);
    target->Invalidate();
    if (change.Commit(view))
        document.SetModifiedFlag(true);
}

void CSelectTool::HoverCursor(CDrawView* view, CPoint lp)
{
    CDrawObj* single = view->SingleSelected();
    if (!single) {
        if (kind == TOOL_SELECT)
            view->SetToolCursor(ToolCursor::Arrow);
        return;
    }
    // Not over a handle: whether a point can be put on the outline there.
    auto outlineCursor = [&] {
        const bool onOutline = single->HitTestOutline(lp.x, lp.y, 15, view) && single->CanInsertPoint();
        view->SetToolCursor(onOutline ? ToolCursor::InsertPoint : ToolCursor::AnchorIdle);
    };
    switch (kind) {
    case TOOL_SELECT:
        if (state == kStateCopyFormat) {
            view->SetToolCursor(ToolCursor::CopyFormat);
        } else if (const int h = single->HitTest(lp, view, true, 0); h != 0) {
            view->SetHandleCursor(single->GetHandleCursor(h));
        } else {
            view->SetToolCursor(ToolCursor::Arrow);
        }
        break;
    case TOOL_ANCHOR:
        if (single->HitTest(lp, view, true, HANDLE_POINT) != 0)
            view->SetToolCursor(single->CanDeletePoint() ? ToolCursor::DeletePoint : ToolCursor::AnchorIdle);
        else
            outlineCursor();
        break;
    default:
        // Over a handle the break and join tools leave the cursor as it is.
        if (single->HitTest(lp, view, true, HANDLE_POINT) == 0)
            outlineCursor();
        break;
    }
}

void CSelectTool::OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point)
{
    const CPoint lp = view->ToLogical(point);
    if (!IsDragging(view)) {
        if (kind == TOOL_SELECT)
            s_lastPoint = point;
        HoverCursor(view, lp);
        return;
    }
    if (s_selectMode == SelectMode::RubberBand) {
        view->SetRubberBand(CRect(s_downPoint, point));
        s_lastPoint = point;
        view->SetToolCursor(ToolCursor::Arrow);
        return;
    }
    DragStep(view, flags, lp);
    s_lastPoint = point;
    if (s_selectMode == SelectMode::Size && s_currentKind == TOOL_SELECT) {
        if (!view->m_selection.empty())
            view->SetHandleCursor(view->m_selection.front()->GetHandleCursor(s_dragHandle));
    } else if (s_currentKind == TOOL_SELECT) {
        view->SetToolCursor(ToolCursor::Arrow);
    }
}

void CSelectTool::RecordDrag(CDrawView* view)
{
    state = kStateDragRecorded;
    if (s_pending)
        return;
    s_pending = std::make_unique<PendingChange>(view->GetDocument(), view->m_selection,
                                                s_selectMode == SelectMode::Move ? PendingRecord::Placement
                                                                                 : PendingRecord::WholeState);
    if (view->m_selection.size() == 1) {
        const RectF bounds = view->m_selection.front()->GetPathBounds(nullptr, nullptr);
        s_freeTopLeft = PointF(bounds.X, bounds.Y);
    }
}

void CSelectTool::DragStep(CDrawView* view, unsigned flags, CPoint lp)
{
    // A new object being sized is filed as an insertion when it is done; a drag that began
    // as a copy-format click (state 4) records nothing.
    if (s_selectMode != SelectMode::NewObject && state == kStateIdle)
        RecordDrag(view);
    view->ClearSnapFeedback();
    const PointF delta(float(lp.x - s_lastDocPoint.x), float(lp.y - s_lastDocPoint.y));
    if (delta.X != 0.0f || delta.Y != 0.0f) {
        if (s_selectMode == SelectMode::Move) {
            MoveStep(view, lp, delta);
        } else {
            // Several objects are sized together, each by the same handle; one at a time
            // so that the selection may change under a handle drag without harm.
            const std::vector<CDrawObj*> selection = view->m_selection;
            for (CDrawObj* object : selection)
                SizeStep(view, object, flags, lp);
        }
    }
    s_lastDocPoint = lp;
}

void CSelectTool::MoveStep(CDrawView* view, CPoint, PointF delta)
{
    const std::vector<CDrawObj*> selection = view->m_selection;
    if (selection.size() != 1) {
        for (CDrawObj* object : selection)
            object->Offset(delta, view);
        return;
    }
    CDrawObj* object = selection.front();
    CDrawDoc& document = view->GetDocument();

    // The object goes where the mouse alone takes it, then snaps from there: snapping never
    // adds up over the steps, so the object can always be dragged off a line again.
    PointF step = delta;
    view->UnzoomPointsF(std::span<PointF>(&step, 1));
    s_freeTopLeft = s_freeTopLeft + step;
    const RectF bounds = object->GetPathBounds(nullptr, nullptr);
    OffsetInDocumentUnits(view, object, PointF(s_freeTopLeft.X - bounds.X, s_freeTopLeft.Y - bounds.Y));

    const CPoint anchor = object->GetAnchorPoint(view);
    if (view->m_bSnapToCenter)
        document.SnapToHandles(view, object, CDrawObj::kCentreHandle, anchor);
    if (view->m_bSnapToEdge)
        document.SnapMoveToEdges(view, object);

    if (view->m_bCenterSnapped) {
        object->Offset(PointF(float(view->m_ptSnap.x - anchor.x), float(view->m_ptSnap.y - anchor.y)), view);
    } else if (view->m_bShowGuides && !view->m_guides.empty()) {
        // One correction per axis, from the first guide of that axis: the guides of an
        // axis all measure the same edge pair distance or near it, and adding them up
        // would carry the object past the line.
        bool movedX = false;
        bool movedY = false;
        float dx = 0.0f;
        float dy = 0.0f;
        for (const SnapGuide& guide : view->m_guides) {
            if (guide.orientation == SnapGuide::Vertical && !movedX) {
                dx = guide.x1 - guide.x2;
                movedX = true;
            } else if (guide.orientation == SnapGuide::Horizontal && !movedY) {
                dy = guide.y1 - guide.y2;
                movedY = true;
            }
        }
        object->Offset(PointF(dx, dy), view);
        for (SnapGuide& guide : view->m_guides) {
            if (guide.orientation == SnapGuide::Vertical)
                guide.x2 += dx;
            else
                guide.y2 += dy;
        }
    } else if (view->m_bSnapToGrid) {
        const RectF placed = object->GetPathBounds(nullptr, nullptr);
        const CSize cell = document.m_sizeGrid;
        OffsetInDocumentUnits(view, object, PointF(float(GridCorrection(placed.X, cell.cx)),
                                                   float(GridCorrection(placed.Y, cell.cy))));
    }
}

void CSelectTool::SizeStep(CDrawView* view, CDrawObj* object, unsigned flags, CPoint lp)
{
    if (s_dragHandle == 0)
        return;
    object->MoveHandleTo(s_dragHandle, lp, flags, view);
    if (view->m_selection.size() != 1)
        return;
    CDrawDoc& document = view->GetDocument();
    document.SnapToHandles(view, object, s_dragHandle, lp);
    if (view->m_bSnapToEdge)
        document.SnapHandleToEdges(object, view, lp.x, lp.y);

    if (view->m_bHandleSnapped) {
        object->MoveHandleTo(s_dragHandle, view->m_ptSnap, flags, view);
    } else if (view->m_bShowGuides && !view->m_guides.empty()) {
        CPoint snapped = lp;
        bool movedX = false;
        bool movedY = false;
        for (const SnapGuide& guide : view->m_guides) {
            if (guide.orientation == SnapGuide::Vertical && !movedX) {
                snapped.x = int(std::trunc(guide.x1));
                movedX = true;
            } else if (guide.orientation == SnapGuide::Horizontal && !movedY) {
                snapped.y = int(std::trunc(guide.y1));
                movedY = true;
            }
        }
        object->MoveHandleTo(s_dragHandle, snapped, flags, view);
        for (SnapGuide& guide : view->m_guides) {
            if (guide.orientation == SnapGuide::Vertical)
                guide.x2 = float(snapped.x);
            else
                guide.y2 = float(snapped.y);
        }
    } else if (view->m_bSnapToGrid) {
        // The grid is in document units: the point is snapped there and zoomed back.
        PointF p(float(lp.x), float(lp.y));
        if (!view->UnzoomPointsF(std::span<PointF>(&p, 1)))
            return;
        const CSize cell = document.m_sizeGrid;
        const PointF snapped(float(p.X + GridCorrection(p.X, cell.cx)), float(p.Y + GridCorrection(p.Y, cell.cy)));
        if (snapped == p)
            return;
        PointF zoomed = snapped;
        view->ZoomPointsF(std::span<PointF>(&zoomed, 1));
        object->MoveHandleTo(s_dragHandle, CPoint(int(std::lround(zoomed.X)), int(std::lround(zoomed.Y))), flags,
                             view);
    }
}

void CSelectTool::OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point)
{
    CDrawDoc& document = view->GetDocument();
    EraseSnapFeedback(view);
    state = kStateIdle;
    if (IsDragging(view)) {
        switch (s_selectMode) {
        case SelectMode::RubberBand: {
            const CRect band(s_downPoint, point);
            view->ClearRubberBand();
            view->SelectWithinRect(band, (flags & kMouseShift) != 0, flags & kMouseControl);
            RefreshSelection(view);
            break;
        }
        case SelectMode::Size:
        case SelectMode::NewObject:
            if (CDrawObj* single = view->SingleSelected())
                single->CommitTransform();
            s_dragHandle = 0;
            break;
        case SelectMode::Move:
            document.UpdateAllViews(view, CDrawView::kHintRepaint, nullptr);
            break;
        default:
            break;
        }
        if (s_pending) {
            // A finished move, resize or point edit shows in the panes and the Format tab.
            if (s_pending->Commit(view))
                RefreshSelection(view);
            s_pending.reset();
        }
    }
    CDrawTool::OnLButtonUp(view, flags, point);
}

void CSelectTool::OnLButtonDblClk(CDrawView* view, unsigned flags, const CPoint& point)
{
    const CPoint lp = view->ToLogical(point);
    if (flags & kMouseShift) {
        CDrawObj* object = view->GetDocument().ObjectAt(lp, false, view);
        if (object && view->IsSelected(object)) {
            view->GetDocument().AddUndo(view, UNDO_SELECT, object);
            view->Deselect(object);
        }
        return;
    }
    if (CDrawObj* single = view->SingleSelected())
        single->OnOpen(view);
}

void CSelectTool::OnEditProperties(CDrawView* view)
{
    if (CDrawObj* single = view->SingleSelected())
        single->OnEditProperties(view);
}

bool CSelectTool::OnKeyDown(CDrawView* view, int key)
{
    PointF delta;
    switch (key) {
    case WXK_LEFT: delta = PointF(-1.0f, 0.0f); break;
    case WXK_RIGHT: delta = PointF(1.0f, 0.0f); break;
    case WXK_UP: delta = PointF(0.0f, -1.0f); break;
    case WXK_DOWN: delta = PointF(0.0f, 1.0f); break;
    default: return false;
    }
    // Only while the button that started a move is held.
    if (s_selectMode != SelectMode::Move || !IsDragging(view) || view->m_selection.empty())
        return false;
    RecordDrag(view);
    for (CDrawObj* object : std::vector<CDrawObj*>(view->m_selection))
        object->Offset(delta, nullptr);
    s_freeTopLeft = s_freeTopLeft + delta;
    return true;
}

void CSelectTool::CancelDrag(CDrawView* view)
{
    if (!IsDragging(view))
        return;
    if (s_pending) {
        s_pending->Revert();
        s_pending.reset();
        CDrawDoc& document = view->GetDocument();
        document.SetModifiedFlag(s_bWasModified);
        document.UpdateAllViews(nullptr, CDrawView::kHintRepaintErase, nullptr);
    }
    view->ClearRubberBand();
    EraseSnapFeedback(view);
    ResetDrag();
}

void CSelectTool::EraseSnapFeedback(CDrawView* view)
{
    if (view->m_bHandleSnapped || view->m_bCenterSnapped || view->m_bShowGuides) {
        // Only where the marks and guides were: the rest of the picture is unchanged.
        view->RefreshSnapFeedback();
        view->ClearSnapFeedback();
    }
}

void CSelectTool::ResetDrag()
{
    s_pending.reset();
    s_selectMode = SelectMode::None;
    s_dragHandle = 0;
    for (CDrawTool* tool : Tools()) {
        if (tool->state == kStateDragRecorded)
            tool->state = kStateIdle;
    }
}

void CSelectTool::OnCancel(CDrawView* view)
{
    CancelDrag(view);
    state = kStateIdle;
    if (IsDragging(view)) {
        CDrawView::ReleaseToolMouse();
        s_dragView = nullptr;
    }
    CDrawTool::OnCancel(view);
}

// ---------------------------------------------------------------------------------------
// The rectangle family

void CRectTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point)
{
    CDrawTool::OnLButtonDown(view, flags, point);
    CDrawDoc& document = view->GetDocument();
    m_bWasModified = document.IsModified();
    const CPoint lp = view->ToLogical(point);
    auto object = std::make_unique<CDrawRect>(RectF(float(lp.x), float(lp.y), 0.0f, 0.0f), view);
    const NewShape shape = RectShapeOf(kind);
    object->m_nShapeType = shape.type;
    object->SetName(DefaultName(shape.name));
    if (kind == TOOL_TEXT) {
        object->EnableLine(false);
        object->EnableFill(true);
    }
    m_pCreated = document.Add(std::move(object));
    view->Select(m_pCreated, false);
    CSelectTool::s_lastDocPoint = lp;
    CSelectTool::s_selectMode = SelectMode::NewObject;
    CSelectTool::s_dragHandle = CDrawRect::kEndHandle;
}

void CRectTool::OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point)
{
    view->SetToolCursor(ToolCursor::Cross);
    // Hovering shows the cross; only a drag sizes the new object.
    if (IsDragging(view))
        SelectTool()->OnMouseMove(view, flags, point);
}

void CRectTool::OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point)
{
    CSelectTool* select = SelectTool();
    CDrawDoc& document = view->GetDocument();
    // Only the object made by this drag counts; an up without one just ends the drag.
    CDrawObj* created = IsDragging(view) ? m_pCreated : nullptr;
    m_pCreated = nullptr;
    if (created && (!document.Contains(created) || created->m_bDeleted))
        created = nullptr;

    const bool click = created && point == s_downPoint;
    if (click) {
        // A click without a drag makes nothing: the object goes, and the click selects.
        DiscardObject(view, created);
        document.SetModifiedFlag(m_bWasModified);
        s_currentKind = TOOL_SELECT;
        select->OnLButtonDown(view, flags, point);
    }
    s_currentKind = TOOL_SELECT;
    select->OnLButtonUp(view, flags, point);

    if (created && !click) {
        if (kind == TOOL_TEXT) {
            // The insertion is filed when the typing is done, with the text in it.
            view->BeginTextEntry(created);
        } else {
            document.AddUndo(view, UNDO_INSERT, created);
            RefreshSelection(view);
        }
    }
}

void CRectTool::OnCancel(CDrawView* view)
{
    if (m_pCreated && IsDragging(view) && view->GetDocument().Contains(m_pCreated) && !m_pCreated->m_bDeleted) {
        DiscardObject(view, m_pCreated);
        view->GetDocument().SetModifiedFlag(m_bWasModified);
    }
    m_pCreated = nullptr;
    SelectTool()->OnCancel(view);
}

// ---------------------------------------------------------------------------------------
// The poly family

bool CPolyTool::IsValid() const
{
    // The document is asked before the object is read: its contents may have been
    // replaced, and the object freed with them.
    return m_pDrawObj && m_pView && m_pView->GetDocument().Contains(m_pDrawObj) && !m_pDrawObj->m_bDeleted;
}

CDrawPoly* CPolyTool::Live(CDrawView* view)
{
    return m_pView == view && IsValid() ? m_pDrawObj : nullptr;
}

void CPolyTool::Reset()
{
    if (s_dragView == m_pView || !m_pView) {
        CDrawView::ReleaseToolMouse();
        s_dragView = nullptr;
    }
    m_pDrawObj = nullptr;
    m_pView = nullptr;
    CSelectTool::s_selectMode = SelectMode::None;
    CSelectTool::s_dragHandle = 0;
    s_currentKind = TOOL_SELECT;
}

void CPolyTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point)
{
    // A construction left in another view, or whose object has gone, is given up first.
    if (m_pDrawObj && !Live(view)) {
        if (IsValid())
            DiscardObject(m_pView, m_pDrawObj);
        m_pDrawObj = nullptr;
        m_pView = nullptr;
    }
    CDrawTool::OnLButtonDown(view, flags, point);
    CDrawDoc& document = view->GetDocument();
    const CPoint lp = view->ToLogical(point);

    CDrawPoly* object = m_pDrawObj;
    if (!object) {
        m_bWasModified = document.IsModified();
        auto poly = std::make_unique<CDrawPoly>(RectF(float(lp.x), float(lp.y), 0.0f, 0.0f), view);
        const NewShape shape = PolyShapeOf(kind);
        poly->m_nShapeType = shape.type;
        poly->SetName(DefaultName(shape.name));
        object = static_cast<CDrawPoly*>(document.Add(std::move(poly)));
        object->AddPoint(lp, view);
        view->Select(object, false);
        m_pDrawObj = object;
        m_pView = view;
    } else {
        // A click on the first point closes the object.
        const std::optional<PointF> p = object->ViewToObjectPoint(lp, view);
        if (object->m_nPoints > 0 && p && *p == object->m_points[0]) {
            Finish(view, true);
            return;
        }
    }
    const CPoint floating(lp.x + kFloatingPointOffset, lp.y);
    object->AddPoint(floating, view);
    CSelectTool::s_selectMode = SelectMode::NewObject;
    CSelectTool::s_dragHandle = object->GetHandleCount();
    CSelectTool::s_lastDocPoint = floating;
}

void CPolyTool::OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point)
{
    CDrawPoly* object = Live(view);
    if (object && (flags & kMouseControl)) {
        // Free-hand: every move with Ctrl held adds a point.
        const CPoint lp = view->ToLogical(point);
        object->AddPoint(lp, view);
        CSelectTool::s_dragHandle = object->GetHandleCount();
        CSelectTool::s_lastDocPoint = lp;
        s_lastPoint = point;
        view->SetToolCursor(ToolCursor::Freehand);
        return;
    }
    view->SetToolCursor(ToolCursor::Cross);
    // The floating point follows the mouse while an object is being built.
    if (object)
        SelectTool()->OnMouseMove(view, flags, point);
}

void CPolyTool::OnLButtonUp(CDrawView* view, unsigned, const CPoint&)
{
    CDrawPoly* object = Live(view);
    // An arc or pie is complete after its third click: centre, start, end and the
    // floating point.
    if (object && (kind == TOOL_ARC || kind == TOOL_PIE) && object->m_nPoints == 4) {
        Finish(view, true);
        return;
    }
    // The mouse is held only while the button is; the object stays under construction.
    CDrawView::ReleaseToolMouse();
}

void CPolyTool::OnLButtonDblClk(CDrawView* view, unsigned, const CPoint&)
{
    CDrawView::ReleaseToolMouse();
    CDrawPoly* object = Live(view);
    if (!object)
        return;
    int n = object->m_nPoints;
    auto near = [object](int a, int b) {
        const PointF p = object->m_points[size_t(a)];
        const PointF q = object->m_points[size_t(b)];
        return std::abs(p.X - q.X) <= kDoubleClickNear && std::abs(p.Y - q.Y) <= kDoubleClickNear;
    };
    if (kind == TOOL_BEZIER) {
        if (n > 6 && near(n - 1, n - 3)) {
            const int r = (n - 1) % 3;
            n -= r == 0 ? 3 : r;
        } else if (n == 5 || n == 6) {
            n = 4;
        }
        object->m_nPoints = n;
        Finish(view, false);
        return;
    }
    // An arc or pie that is not complete, or an object of one point and the floating
    // one, is nothing to keep.
    if (kind == TOOL_ARC || kind == TOOL_PIE || n <= 2) {
        Finish(view, false, false);
        return;
    }
    if (near(n - 1, n - 2))
        object->m_nPoints = n - 1;
    Finish(view, false);
}

void CPolyTool::Finish(CDrawView* view, bool dropFloatingPoint, bool keep)
{
    CDrawPoly* object = m_pDrawObj;
    CDrawDoc& document = view->GetDocument();
    // The marks of the last point's snapping end with the construction (an arc or pie ends
    // on its button-up, which the select tool does not see).
    CSelectTool::EraseSnapFeedback(view);
    if (dropFloatingPoint && object->m_nPoints > 0)
        --object->m_nPoints;
    const int minimum = object->m_nShapeType == ShapeType::Bezier ? 4 : 2;
    if (!keep || object->m_nPoints < minimum) {
        DiscardObject(view, object);
        document.SetModifiedFlag(m_bWasModified);
    } else {
        object->RecalcBounds(view);
        view->Invalidate(true);
        document.AddUndo(view, UNDO_INSERT, object);
        RefreshSelection(view);
    }
    Reset();
}

void CPolyTool::OnCancel(CDrawView* view)
{
    if (m_pView)
        CSelectTool::CancelDrag(m_pView);
    if (IsValid()) {
        // A half-drawn object is kept as far as the user drew it: the point that followed
        // the mouse goes, and a Bézier ends with its last whole segment (3k + 1 points).
        // What is still too short to draw is discarded, and so is an arc or pie, which
        // only its third click completes.
        CDrawPoly* object = m_pDrawObj;
        if (object->m_nPoints > 0)
            --object->m_nPoints;
        if (kind == TOOL_BEZIER && object->m_nPoints > 0)
            object->m_nPoints -= (object->m_nPoints - 1) % 3;
        Finish(m_pView, false, kind != TOOL_ARC && kind != TOOL_PIE);
    }
    Reset();
    CDrawTool::OnCancel(view);
}

void CPolyTool::TakeBack()
{
    if (IsValid()) {
        DiscardObject(m_pView, m_pDrawObj);
        m_pView->GetDocument().SetModifiedFlag(m_bWasModified);
    }
    if (m_pView)
        CSelectTool::CancelDrag(m_pView);
    Reset();
}

} // namespace kelmora
