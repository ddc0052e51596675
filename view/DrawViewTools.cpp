// The view's side of the drawing tools: mouse and key dispatch to the current tool, the
// mouse capture, what a drag repaints, the rubber band, in-place text entry, and the
// commands that choose a tool, arm copy format, select all or the inverse, delete the
// selection and switch the grid lines and the snaps.

#include "view/DrawView.h"

#include "document/DrawDoc.h"
#include "document/FrameServices.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/HandleKind.h"
#include "res/CommandIds.h"

#include <wx/app.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <unordered_set>

namespace kelmora {

namespace {

unsigned KeyFlags(const wxMouseEvent& event)
{
    return (event.ShiftDown() ? kMouseShift : 0u) | (event.ControlDown() ? kMouseControl : 0u);
}

struct ToolCommand {
    int command;
    ToolKind kind;
};

constexpr ToolCommand kToolCommands[] = {
    {cmd::kToolSelect, TOOL_SELECT},   {cmd::kToolAnchor, TOOL_ANCHOR},
    {cmd::kToolAnchor2, TOOL_ANCHOR},  {cmd::kToolBreak, TOOL_BREAK},
    {cmd::kToolJoin, TOOL_JOIN},       {cmd::kToolLine, TOOL_LINE},
    {cmd::kToolPolygon, TOOL_POLYGON}, {cmd::kToolBezier, TOOL_BEZIER},
    {cmd::kToolCurve, TOOL_CURVE},     {cmd::kToolRect, TOOL_RECTANGLE},
    {cmd::kToolRoundRect, TOOL_ROUNDRECT}, {cmd::kToolEllipse, TOOL_ELLIPSE},
    {cmd::kToolArc, TOOL_ARC},         {cmd::kToolStar, TOOL_STAR},
    {cmd::kToolPentagon, TOOL_PENTAGON}, {cmd::kToolComplexStar, TOOL_COMPLEXSTAR},
    {cmd::kToolSpiral, TOOL_SPIRAL},   {cmd::kToolPie, TOOL_PIE},
    {cmd::kToolCircle, TOOL_CIRCLE},   {cmd::kToolText, TOOL_TEXT},
};

// The angle read-outs of arcs take 200 × 50 view units to the right of and below their
// handle.
constexpr int kReadoutWidth = 200;
constexpr int kReadoutHeight = 50;
// The snap marks reach 120 units (the centre cross) from the snap point.
constexpr float kSnapMarkReach = 124.0f;
// Pixels added round every repainted box for antialiased edges.
constexpr int kBoxSlack = 2;
// A drag of more objects than this repaints the whole window: their areas would cover
// most of it anyway, and looking each one up costs more than it saves.
constexpr size_t kMaxTrackedDragObjects = 64;
// The in-place text entry is at least this wide (pixels).
constexpr int kMinTextEntryWidth = 160;

// The client box covering a rectangle in view units.
CRect ClientBox(const CDrawView& view, const RectF& r)
{
    if (r.IsEmptyArea() || !r.IsFinite())
        return CRect();
    CRect box(int(std::floor(r.X)), int(std::floor(r.Y)), int(std::ceil(r.GetRight())), int(std::ceil(r.GetBottom())));
    view.DocToClientRect(false, box);
    box.InflateRect(kBoxSlack, kBoxSlack);
    return box;
}

CSelectTool* SelectTool()
{
    return static_cast<CSelectTool*>(CDrawTool::FindTool(TOOL_SELECT));
}

} // namespace

// ---------------------------------------------------------------------------------------
// Binding

void CDrawView::BindToolCommands()
{
    Bind(wxEVT_LEFT_DOWN, &CDrawView::OnToolMouse, this);
    Bind(wxEVT_LEFT_UP, &CDrawView::OnToolMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &CDrawView::OnToolMouse, this);
    Bind(wxEVT_MOTION, &CDrawView::OnToolMouse, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CDrawView::OnToolCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &CDrawView::OnToolKey, this);

    for (const ToolCommand& tool : kToolCommands) {
        const ToolKind kind = tool.kind;
        Bind(wxEVT_MENU, [this, kind](wxCommandEvent&) { OnChooseTool(kind); }, WxId(tool.command));
        Bind(
            wxEVT_UPDATE_UI,
            [this, kind](wxUpdateUIEvent& event) {
                event.Check(CDrawTool::s_currentKind == kind);
                // Every handler says whether its command is enabled: a ribbon button
                // disabled while no drawing was open stays so until one does.
                CDrawObj* single = kind == TOOL_ANCHOR ? SingleSelected() : nullptr;
                event.Enable(kind != TOOL_ANCHOR || (single && (single->CanDeletePoint() || single->CanInsertPoint())));
            },
            WxId(tool.command));
    }

    auto command = [this](int id, void (CDrawView::*handler)()) {
        Bind(wxEVT_MENU, [this, handler](wxCommandEvent&) { (this->*handler)(); }, WxId(id));
    };
    command(cmd::kCopyFormat, &CDrawView::OnCopyFormat);
    command(cmd::kEditSelectAll, &CDrawView::OnSelectAll);
    command(cmd::kSelectInverse, &CDrawView::OnSelectInverse);
    command(cmd::kEditClear, &CDrawView::OnEditClear);
    command(cmd::kGridLines, &CDrawView::OnGridLines);
    command(cmd::kSnapToGrid, &CDrawView::OnSnapToGrid);
    command(cmd::kSnapToEdge, &CDrawView::OnSnapToEdge);
    command(cmd::kSnapToCenter, &CDrawView::OnSnapToCenter);
    command(cmd::kCancel, &CDrawView::OnCancelTool);

    auto update = [this](int id, auto handler) { Bind(wxEVT_UPDATE_UI, handler, WxId(id)); };
    update(cmd::kCopyFormat, [this](wxUpdateUIEvent& event) {
        event.Enable(!m_selection.empty());
        event.Check(CDrawTool::s_currentKind == TOOL_SELECT && SelectTool()->state == CDrawTool::kStateCopyFormat);
    });
    auto anyLive = [this](wxUpdateUIEvent& event) {
        event.Enable(std::any_of(m_document.Objects().begin(), m_document.Objects().end(),
                                 [](const std::unique_ptr<CDrawObj>& object) { return !object->m_bDeleted; }));
    };
    update(cmd::kEditSelectAll, anyLive);
    update(cmd::kSelectInverse, anyLive);
    update(cmd::kEditClear, [this](wxUpdateUIEvent& event) { event.Enable(!m_selection.empty()); });
    auto toggle = [this](int id, bool CDrawView::*flag) {
        Bind(wxEVT_UPDATE_UI, [this, flag](wxUpdateUIEvent& event) {
            event.Enable(true);
            event.Check(this->*flag);
        }, WxId(id));
    };
    toggle(cmd::kGridLines, &CDrawView::m_bShowGrid);
    toggle(cmd::kSnapToGrid, &CDrawView::m_bSnapToGrid);
    toggle(cmd::kSnapToEdge, &CDrawView::m_bSnapToEdge);
    toggle(cmd::kSnapToCenter, &CDrawView::m_bSnapToCenter);
}

// ---------------------------------------------------------------------------------------
// Services for the tools

CPoint CDrawView::ToLogical(CPoint client) const
{
    ClientToDocPoint(false, client);
    return client;
}

CDrawObj* CDrawView::SingleSelected() const
{
    if (m_selection.size() != 1 || m_selection.front()->m_bDeleted)
        return nullptr;
    return m_selection.front();
}

void CDrawView::CaptureToolMouse()
{
    if (!HasCapture())
        CaptureMouse();
}

void CDrawView::ReleaseToolMouse()
{
    wxWindow* holder = wxWindow::GetCapture();
    if (holder && dynamic_cast<CDrawView*>(holder))
        holder->ReleaseMouse();
}

void CDrawView::SetToolCursor(ToolCursor cursor)
{
    SetCursor(GetToolCursor(cursor));
}

void CDrawView::SetHandleCursor(HandleCursor cursor)
{
    SetCursor(kelmora::GetHandleCursor(cursor));
}

void CDrawView::SetRubberBand(const CRect& band)
{
    CRect normal = band;
    normal.NormalizeRect();
    m_rcRubberBand = normal;
}

void CDrawView::ClearRubberBand()
{
    if (!m_rcRubberBand)
        return;
    const CRect old = *m_rcRubberBand;
    m_rcRubberBand.reset();
    RefreshBandFrame(old);
}

void CDrawView::RefreshBandFrame(const CRect& band)
{
    // The band is a frame over the drawing: only its four edges are repainted, and no
    // object is drawn again for them.
    const CRect edges[] = {CRect(band.left, band.top, band.right, band.top + 1),
                           CRect(band.left, band.bottom - 1, band.right, band.bottom),
                           CRect(band.left, band.top, band.left + 1, band.bottom),
                           CRect(band.right - 1, band.top, band.right, band.bottom)};
    for (CRect edge : edges) {
        edge.InflateRect(kBoxSlack, kBoxSlack);
        RefreshFeedback(edge);
    }
}

// ---------------------------------------------------------------------------------------
// Mouse and keys

void CDrawView::OnToolMouse(wxMouseEvent& event)
{
    const CPoint point(event.GetX(), event.GetY());
    const unsigned flags = KeyFlags(event);
    const wxEventType type = event.GetEventType();
    try {
        CDrawTool* tool = CDrawTool::CurrentTool();
        if (type == wxEVT_LEFT_UP) {
            // A drag that began in another view ends there, whichever view the button
            // comes up over.
            CDrawView* owner = CDrawTool::s_dragView;
            if (owner && owner != this) {
                ReleaseToolMouse();
                const wxPoint there = owner->ScreenToClient(ClientToScreen(event.GetPosition()));
                if (tool)
                    tool->OnLButtonUp(owner, flags, CPoint(there.x, there.y));
                return;
            }
            if (!m_bViewActive) {
                ReleaseToolMouse();
                return;
            }
            if (tool)
                tool->OnLButtonUp(this, flags, point);
            if (!CDrawTool::IsDragging(this))
                m_dragMargins.clear();
            return;
        }
        if (!m_bViewActive) {
            event.Skip();
            return;
        }
        if (type == wxEVT_LEFT_DOWN) {
            if (m_pTextObject)
                EndTextEntry(true);
            SetFocus();
            if (tool)
                tool->OnLButtonDown(this, flags, point);
        } else if (type == wxEVT_LEFT_DCLICK) {
            if (tool)
                tool->OnLButtonDblClk(this, flags, point);
        } else if (type == wxEVT_MOTION) {
            if (FrameServices* frame = m_document.Frame()) {
                CPoint onPage = point;
                ClientToDocPoint(true, onPage);
                frame->UpdateCursorPos(float(onPage.x), float(onPage.y));
            }
            if (!tool)
                return;
            if (!CDrawTool::IsDragging(this)) {
                tool->OnMouseMove(this, flags, point);
                return;
            }
            if (const std::optional<CRect> band = m_rcRubberBand) {
                // A rubber band changes only itself.
                tool->OnMouseMove(this, flags, point);
                RefreshBandFrame(*band);
                if (m_rcRubberBand)
                    RefreshBandFrame(*m_rcRubberBand);
                return;
            }
            // A drag step repaints where the selection and the feedback were and are.
            CRect box = DragPaintBox();
            std::vector<CRect> feedback = FeedbackPaintBoxes();
            ++m_nRepaintDeferral;
            try {
                tool->OnMouseMove(this, flags, point);
            } catch (...) {
                --m_nRepaintDeferral;
                throw;
            }
            --m_nRepaintDeferral;
            m_bRepaintDeferred = false;
            box |= DragPaintBox();
            const std::vector<CRect> feedbackNow = FeedbackPaintBoxes();
            feedback.insert(feedback.end(), feedbackNow.begin(), feedbackNow.end());
            RefreshBoxes(box, feedback);
        }
    } catch (const std::exception&) {
        // A step that failed ends the drag; the drawing stays as the step left it.
        ReleaseToolMouse();
        CSelectTool::ResetDrag();
        CDrawTool::s_dragView = nullptr;
        m_dragMargins.clear();
        Refresh(true);
    }
}

void CDrawView::OnToolCaptureLost(wxMouseCaptureLostEvent&)
{
    // The mouse was taken away in the middle of a drag: the drag is taken back.
    if (CDrawTool::IsDragging(this)) {
        if (CDrawTool* tool = CDrawTool::CurrentTool())
            tool->OnCancel(this);
    }
    m_dragMargins.clear();
}

void CDrawView::OnToolKey(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    const bool plain = !event.ControlDown() && !event.AltDown();
    const bool ctrlOnly = event.ControlDown() && !event.AltDown() && !event.ShiftDown();
    const bool ctrlShift = event.ControlDown() && event.ShiftDown() && !event.AltDown();
    try {
        if (key == WXK_ESCAPE && plain) {
            OnCancelTool();
            return;
        }
        if (key == WXK_DELETE && plain && !event.ShiftDown()) {
            if (!m_selection.empty())
                OnEditClear();
            return;
        }
        if (ctrlOnly && (key == 'A' || key == 'a')) {
            OnSelectAll();
            return;
        }
        if (ctrlShift && (key == 'C' || key == 'c')) {
            OnCopyFormat();
            return;
        }
        // Keys reach the select tool whatever tool is current; a nudge does not scroll.
        if (SelectTool()->OnKeyDown(this, key))
            return;
    } catch (const std::exception&) {
        return;
    }
    event.Skip();
}

// ---------------------------------------------------------------------------------------
// What a drag repaints

CDrawView::PaintMargins& CDrawView::MarginsOf(CDrawObj* object)
{
    for (PaintMargins& margins : m_dragMargins) {
        if (margins.object == object)
            return margins;
    }
    // Taken before the drag changes the object: its bounds are still those of its last
    // drawing.
    PaintMargins margins;
    margins.object = object;
    const RectF bounds = object->m_rcBounds;
    const RectF painted = m_document.LastPainted(object, &margins.index).value_or(RectF());
    margins.width = bounds.Width;
    margins.height = bounds.Height;
    if (!painted.IsEmptyArea() && painted.IsFinite() && bounds.IsFinite()) {
        margins.left = std::max(bounds.X - painted.X, 0.0f);
        margins.top = std::max(bounds.Y - painted.Y, 0.0f);
        margins.right = std::max(painted.GetRight() - bounds.GetRight(), 0.0f);
        margins.bottom = std::max(painted.GetBottom() - bounds.GetBottom(), 0.0f);
    } else {
        // Not drawn yet: the outline and the glow room that every drawing takes.
        const float room = std::max(object->m_pen.m_fWidth, 0.0f) + std::max(object->m_fGlowRadius, 0.0f);
        margins.left = margins.top = margins.right = margins.bottom = room;
    }
    m_dragMargins.push_back(margins);
    return m_dragMargins.back();
}

CRect CDrawView::ObjectPaintBox(CDrawObj* object)
{
    CRect box;
    if (!object)
        return box;
    PaintMargins& margins = MarginsOf(object);
    // What is on the screen now.
    if (std::optional<RectF> last = m_document.LastPainted(object, &margins.index)) {
        ZoomRectF(&*last);
        box |= ClientBox(*this, *last);
    }
    // Where it will be drawn: its bounds now with the room it took, grown as it grows.
    const RectF now = object->GetPathBounds(nullptr, nullptr);
    if (now.IsFinite()) {
        float grow = 1.0f;
        if (margins.width > 0.0f)
            grow = std::max(grow, now.Width / margins.width);
        if (margins.height > 0.0f)
            grow = std::max(grow, now.Height / margins.height);
        RectF estimate(now.X - margins.left * grow, now.Y - margins.top * grow,
                       now.Width + (margins.left + margins.right) * grow,
                       now.Height + (margins.top + margins.bottom) * grow);
        ZoomRectF(&estimate);
        box |= ClientBox(*this, estimate);
    }
    // The selection marks, drawn around the handles.
    if (IsSelected(object))
        box |= MarksPaintBox(object);
    return box;
}

CRect CDrawView::MovedPaintBox(CDrawObj* object, RectF painted, PointF shift)
{
    painted.Offset(shift.X, shift.Y);
    ZoomRectF(&painted);
    CRect box = ClientBox(*this, painted);
    if (IsSelected(object))
        box |= MarksPaintBox(object);
    return box;
}

CRect CDrawView::MarksPaintBox(CDrawObj* object)
{
    const int count = object->GetHandleCount();
    // Each handle's mark about it; an arc handle's angle read-out to its right and
    // below; guide arrows run between handles or from the anchor point.
    RectF marks;
    const auto take = [&marks](const RectF& r) {
        if (marks.IsEmptyArea())
            marks = r;
        else
            RectF::Union(marks, marks, r);
    };
    bool guides = false;
    for (int n = 1; n <= count; ++n) {
        int kind = HANDLE_NONE;
        const CPoint p = object->GetHandle(n, &kind, this);
        RectF mark = CDrawObj::SelectionMarkBox(n, kind);
        if (mark.IsEmptyArea())
            continue;
        mark.Offset(float(p.x), float(p.y));
        take(mark);
        if (kind == kHandleArcCentre || kind == kHandleArcStart || kind == kHandleArcEnd)
            take(RectF(float(p.x), float(p.y), kReadoutWidth, kReadoutHeight));
        guides = guides || kind == kHandleArcStart || kind == kHandleArcEnd;
    }
    if (guides) {
        const CPoint anchor = object->GetAnchorPoint(this);
        take(RectF(float(anchor.x) - 1.0f, float(anchor.y) - 1.0f, 2.0f, 2.0f));
    }
    // A text object's frame is drawn with its marks, one unit wide.
    if (object->m_nShapeType == ShapeType::Text) {
        if (const auto* text = dynamic_cast<const CDrawRect*>(object)) {
            if (const std::optional<GraphicsPath> frame = text->FramePath(this)) {
                RectF reach = frame->GetBounds();
                reach.Inflate(1.0f, 1.0f);
                take(reach);
            }
        }
    }
    return ClientBox(*this, marks);
}

CRect CDrawView::DragPaintBox()
{
    CRect box;
    if (m_selection.size() > kMaxTrackedDragObjects) {
        const wxSize size = GetClientSize();
        return CRect(0, 0, size.x, size.y);
    }
    for (CDrawObj* object : m_selection)
        box |= ObjectPaintBox(object);
    if (m_rcRubberBand) {
        CRect band = *m_rcRubberBand;
        band.InflateRect(kBoxSlack, kBoxSlack);
        box |= band;
    }
    return box;
}

std::vector<CRect> CDrawView::FeedbackPaintBoxes()
{
    std::vector<CRect> boxes = GuidePaintBoxes();
    if (m_bHandleSnapped || m_bCenterSnapped) {
        boxes.push_back(ClientBox(*this, RectF(float(m_ptSnap.x) - kSnapMarkReach, float(m_ptSnap.y) - kSnapMarkReach,
                                               2 * kSnapMarkReach, 2 * kSnapMarkReach)));
    }
    return boxes;
}

std::vector<CRect> CDrawView::GuidePaintBoxes()
{
    std::vector<CRect> columns;
    std::vector<CRect> rows;
    if (!m_bShowGuides)
        return columns;
    // Many guides share a line or overlap along it: those are gathered in view units
    // first, so that each group is mapped to the client once.
    std::vector<RectF> lines[2];
    for (const SnapGuide& guide : m_guides) {
        RectF line = RectF::FromCorners(PointF(guide.x1, guide.y1), PointF(guide.x2, guide.y2));
        line.Inflate(2.0f, 2.0f);
        if (line.IsFinite())
            lines[guide.orientation == SnapGuide::Vertical ? 0 : 1].push_back(line);
    }
    for (int vertical : {1, 0}) {
        std::vector<RectF>& group = lines[vertical ? 0 : 1];
        const auto low = [vertical](const RectF& r) { return vertical ? r.X : r.Y; };
        std::sort(group.begin(), group.end(), [&](const RectF& a, const RectF& b) { return low(a) < low(b); });
        for (size_t i = 0; i < group.size();) {
            float left = group[i].X, top = group[i].Y, right = group[i].GetRight(), bottom = group[i].GetBottom();
            size_t j = i + 1;
            for (; j < group.size() && low(group[j]) <= (vertical ? right : bottom); ++j) {
                left = std::min(left, group[j].X);
                top = std::min(top, group[j].Y);
                right = std::max(right, group[j].GetRight());
                bottom = std::max(bottom, group[j].GetBottom());
            }
            i = j;
            const CRect box = ClientBox(*this, RectF::FromCorners(PointF(left, top), PointF(right, bottom)));
            if (!box.IsRectEmpty())
                (vertical ? columns : rows).push_back(box);
        }
    }
    // Boxes whose columns (rows) overlap become one: guides gather near the dragged
    // object's edges.
    const auto merge = [](std::vector<CRect>& boxes, auto low, auto high) {
        std::sort(boxes.begin(), boxes.end(), [&](const CRect& a, const CRect& b) { return low(a) < low(b); });
        std::vector<CRect> merged;
        for (const CRect& box : boxes) {
            if (!merged.empty() && low(box) <= high(merged.back()))
                merged.back() |= box;
            else
                merged.push_back(box);
        }
        boxes = std::move(merged);
    };
    merge(columns, [](const CRect& r) { return r.left; }, [](const CRect& r) { return r.right; });
    merge(rows, [](const CRect& r) { return r.top; }, [](const CRect& r) { return r.bottom; });
    columns.insert(columns.end(), rows.begin(), rows.end());
    return columns;
}

void CDrawView::RefreshBoxes(const CRect& box, const std::vector<CRect>& feedback)
{
    if (!box.IsRectEmpty())
        RefreshSelectionArea(box);
    for (const CRect& r : feedback) {
        if (!r.IsRectEmpty())
            RefreshFeedback(r);
    }
}

void CDrawView::RefreshSnapFeedback()
{
    RefreshBoxes(CRect(), FeedbackPaintBoxes());
}

void CDrawView::RepaintOverflow(const CRect& painted)
{
    if (!CDrawTool::IsDragging(this))
        return;
    const wxSize size = GetClientSize();
    const CRect client(0, 0, size.x, size.y);
    if (m_selection.size() > kMaxTrackedDragObjects)
        return;
    for (CDrawObj* object : m_selection) {
        std::optional<RectF> last = m_document.LastPainted(object, &MarginsOf(object).index);
        if (!last)
            continue;
        ZoomRectF(&*last);
        const CRect drawn = ClientBox(*this, *last) & client;
        if (!drawn.IsRectEmpty() && (drawn | painted) != painted)
            RefreshSelectionArea(drawn);
    }
}

namespace {

// A dotted frame, black dots between white ones, so that it shows on any colour.
void DrawDottedFrame(cairo_t* cr, const CRect& frame)
{
    static const double kDots[] = {2.0, 2.0};
    cairo_save(cr);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, frame.left + 0.5, frame.top + 0.5, std::max(frame.Width() - 1, 0), std::max(frame.Height() - 1, 0));
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_stroke_preserve(cr);
    cairo_set_dash(cr, kDots, 2, 0.0);
    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    cairo_stroke(cr);
    cairo_restore(cr);
}

} // namespace

void CDrawView::PaintToolFeedback(cairo_t* cr)
{
    if (m_rcRubberBand)
        DrawDottedFrame(cr, *m_rcRubberBand);
    if (m_nLastDropEffect != wxDragNone && m_szDragObject.cx > 0 && m_szDragObject.cy > 0)
        DrawDottedFrame(cr, CRect(m_ptDragPos, m_szDragObject));
}

void CDrawView::RefreshDragRect(CPoint position)
{
    CRect frame(position, m_szDragObject);
    frame.InflateRect(kBoxSlack, kBoxSlack);
    RefreshRect(wxRect(frame.left, frame.top, frame.Width(), frame.Height()), false);
}

void CDrawView::ForgetToolState()
{
    if (CDrawTool::IsDragging(this)) {
        if (CDrawTool* tool = CDrawTool::CurrentTool())
            tool->OnCancel(this);
    }
    for (CDrawTool* tool : CDrawTool::Tools()) {
        if (auto* poly = dynamic_cast<CPolyTool*>(tool); poly && poly->BuildsIn(this))
            poly->OnCancel(this);
    }
    if (CDrawTool::s_dragView == this) {
        ReleaseToolMouse();
        CSelectTool::ResetDrag();
        CDrawTool::s_dragView = nullptr;
    }
    m_rcRubberBand.reset();
    m_dragMargins.clear();
}

bool CDrawView::CancelToolWork()
{
    if (!CDrawTool::IsDragging(this))
        return false;
    TakeBackConstruction();
    OnCancelTool();
    return true;
}

void CDrawView::TakeBackConstruction()
{
    for (CDrawTool* tool : CDrawTool::Tools()) {
        if (auto* poly = dynamic_cast<CPolyTool*>(tool); poly && poly->BuildsIn(this))
            poly->TakeBack();
    }
}

// ---------------------------------------------------------------------------------------
// In-place text entry

void CDrawView::BeginTextEntry(CDrawObj* object)
{
    auto* text = dynamic_cast<CDrawRect*>(object);
    if (!text || text->m_nShapeType != ShapeType::Text) {
        if (object) {
            m_document.AddUndo(this, UNDO_INSERT, object);
            RefreshFrame();
        }
        return;
    }
    if (m_pTextObject)
        EndTextEntry(true);
    if (!m_pTextEntry) {
        m_pTextEntry = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                      wxTE_PROCESS_ENTER);
        m_pTextEntry->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) {
            EndTextEntry(true);
            SetFocus();
        });
        m_pTextEntry->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
            if (event.GetKeyCode() != WXK_ESCAPE) {
                event.Skip();
                return;
            }
            EndTextEntry(false);
            SetFocus();
        });
        m_pTextEntry->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
            event.Skip();
            // Closed once the focus has settled, and only the entry that lost it.
            CDrawRect* typedInto = m_pTextObject;
            CallAfter([this, typedInto] {
                if (m_pTextObject && m_pTextObject == typedInto)
                    EndTextEntry(true);
            });
        });
    }
    m_pTextObject = text;
    RectF frame = text->m_rcBounds;
    ZoomRectF(&frame);
    const CRect box = ClientBox(*this, frame);
    m_pTextEntry->SetSize(box.left, box.top, std::max(box.Width(), kMinTextEntryWidth), wxDefaultCoord);
    m_pTextEntry->ChangeValue(wxString::FromUTF8(text->m_strText));
    m_pTextEntry->Show();
    m_pTextEntry->SetFocus();
    m_pTextEntry->SelectAll();
}

void CDrawView::EndTextEntry(bool keepTyped)
{
    CDrawRect* text = std::exchange(m_pTextObject, nullptr);
    if (!text)
        return;
    // The entry goes with its typing (once its own events are done): kept hidden, it would
    // be moved along at every scroll of the view, which the toolkit refuses for a hidden
    // window.
    wxTextCtrl* entry = std::exchange(m_pTextEntry, nullptr);
    const std::string typed = entry->GetValue().utf8_string();
    entry->Hide();
    wxTheApp->ScheduleForDestruction(entry);
    // Taken away meanwhile: there is nothing to file.
    if (text->m_bDeleted)
        return;
    if (keepTyped && !typed.empty() && typed != text->m_strText) {
        text->m_strText = typed;
        text->Invalidate();
    }
    m_document.AddUndo(this, UNDO_INSERT, text);
    RefreshFrame();
}

// ---------------------------------------------------------------------------------------
// Commands

void CDrawView::OnChooseTool(ToolKind kind)
{
    if (kind != CDrawTool::s_currentKind) {
        if (CDrawTool* current = CDrawTool::CurrentTool())
            current->OnCancel(this);
    }
    CDrawTool::s_currentKind = kind;
    if (kind == TOOL_JOIN) {
        for (CDrawObj* object : m_selection)
            object->m_nJoinHandle = 0;
        m_selection.clear();
        // The status counts and the panes follow the emptied selection.
        RefreshFrame();
        Invalidate(true);
    }
}

void CDrawView::OnCopyFormat()
{
    // The pick-up copies from the first selected object; with none there is no source.
    if (m_selection.empty())
        return;
    if (CDrawTool::s_currentKind != TOOL_SELECT) {
        if (CDrawTool* current = CDrawTool::CurrentTool())
            current->OnCancel(this);
    }
    SelectTool()->state = CDrawTool::kStateCopyFormat;
    CDrawTool::s_currentKind = TOOL_SELECT;
    Invalidate(true);
}

void CDrawView::OnSelectAll()
{
    m_selection.clear();
    for (const std::unique_ptr<CDrawObj>& object : m_document.Objects()) {
        if (!object->m_bDeleted)
            m_selection.push_back(object.get());
    }
    RefreshFrame();
    Invalidate(true);
}

void CDrawView::OnSelectInverse()
{
    const std::unordered_set<CDrawObj*> before(m_selection.begin(), m_selection.end());
    m_selection.clear();
    RefreshFrame();
    for (const std::unique_ptr<CDrawObj>& object : m_document.Objects()) {
        if (!object->m_bDeleted && !before.contains(object.get()))
            m_selection.push_back(object.get());
    }
    for (CDrawObj* object : before)
        object->m_nJoinHandle = 0;
    RefreshFrame();
    Invalidate(true);
}

void CDrawView::OnEditClear()
{
    // What the tool has under way goes first, so that a half-drawn object is not part of
    // the step and cannot come back with its undo.
    TakeBackConstruction();
    if (CDrawTool* current = CDrawTool::CurrentTool())
        current->OnCancel(this);
    if (m_pTextObject)
        EndTextEntry(true);

    std::vector<CDrawObj*> removed;
    for (CDrawObj* object : m_selection) {
        if (!object->m_bDeleted)
            removed.push_back(object);
    }
    FrameServices* frame = m_document.Frame();
    if (removed.empty()) {
        m_selection.clear();
        if (frame)
            frame->RefreshSelectionInfo(this, true);
        return;
    }
    m_document.AddUndoList(this, UNDO_DELETE, removed);
    // The other windows on the drawing lose the objects from their selections in one
    // pass, and each refreshes once, however many objects go.
    const std::unordered_set<const CDrawObj*> gone(removed.begin(), removed.end());
    for (ViewServices* other : m_document.GetViews()) {
        if (other == this)
            continue;
        std::erase_if(other->m_selection, [&gone](CDrawObj* object) {
            if (!gone.contains(object))
                return false;
            object->m_nJoinHandle = 0;
            return true;
        });
    }
    m_document.UpdateAllViews(this, kHintRemoved, nullptr);
    OnUpdate(this, kHintChanged, nullptr);
    for (CDrawObj* object : removed) {
        if (frame)
            frame->RemoveObject(object);
        --m_document.m_nObjects;
        object->m_bDeleted = true;
        object->Remove();
    }
    m_selection.clear();
    m_document.SetModifiedFlag(true);
    if (frame)
        frame->RefreshSelectionInfo(this, true);
    Invalidate(true);
}

void CDrawView::OnGridLines()
{
    m_bShowGrid = !m_bShowGrid;
    Invalidate(false);
}

void CDrawView::OnSnapToGrid()
{
    m_bSnapToGrid = !m_bSnapToGrid;
}

void CDrawView::OnSnapToEdge()
{
    m_bSnapToEdge = !m_bSnapToEdge;
}

void CDrawView::OnSnapToCenter()
{
    m_bSnapToCenter = !m_bSnapToCenter;
}

void CDrawView::OnCancelTool()
{
    ReleaseToolMouse();
    if (CDrawTool* current = CDrawTool::CurrentTool())
        current->OnCancel(this);
    CDrawTool::s_currentKind = TOOL_SELECT;
    m_dragMargins.clear();
}

} // namespace kelmora
