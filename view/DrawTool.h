#pragma once
// The drawing tools. One table of 19 tools lives for the whole run; the current tool kind
// is one value for the process, and the editing view hands the mouse input of the active
// view to the first tool of that kind. The select family selects, moves, sizes, edits
// anchor points, breaks and joins outlines and copies formats; the rectangle family creates
// shapes by dragging; the poly family creates point-based objects click by click. Every
// creation tool is one-shot: after one object the select tool is current again.
//
// Drag state is shared by all views (one mouse, one drag). A drag runs from a button-down
// to the matching button-up, and a poly object is under construction from its first click
// to the click that finishes it; both belong to the view they started in, which the tools
// remember so that a view that closes or loses activation takes its drag with it.
//
// Points: "client" is window pixels; "logical" is zoomed document units (the view's
// ClientToDocPoint without unzooming), which the drawing objects' handle and hit tests take
// with the view. UI thread only.

#include "platform/geometry/CPoint.h"
#include "platform/geometry/PointF.h"

#include <cstdint>
#include <span>

namespace kelmora {

class CDrawObj;
class CDrawPoly;
class CDrawView;

enum ToolKind : int32_t {
    TOOL_SELECT = 0,
    TOOL_ANCHOR = 1,
    TOOL_BREAK = 2,
    TOOL_JOIN = 3,
    TOOL_LINE = 5,
    TOOL_POLYGON = 6,
    TOOL_BEZIER = 7,
    TOOL_CURVE = 8,
    TOOL_RECTANGLE = 9,
    TOOL_ROUNDRECT = 10,
    TOOL_ELLIPSE = 11,
    TOOL_ARC = 12,
    TOOL_STAR = 13,
    TOOL_PENTAGON = 14,
    TOOL_COMPLEXSTAR = 15,
    TOOL_SPIRAL = 16,
    TOOL_PIE = 17,
    TOOL_CIRCLE = 18,
    TOOL_TEXT = 19,
};

// Key flags of a mouse message as the tools take them.
inline constexpr unsigned kMouseShift = 4;
inline constexpr unsigned kMouseControl = 8;

// What a select-family drag does.
enum class SelectMode : int32_t {
    None = 0,
    RubberBand = 1,
    Move = 2,
    Size = 3,        // a handle of the selected object
    NewObject = 4,   // a handle of an object being created
};

class CDrawTool {
public:
    // `state` of the select tools: idle, the running drag has recorded its objects, a
    // copy-format pick-up is pending.
    static constexpr int32_t kStateIdle = 0;
    static constexpr int32_t kStateDragRecorded = 1;
    static constexpr int32_t kStateCopyFormat = 4;

    explicit CDrawTool(ToolKind kind) : kind(kind) { }
    virtual ~CDrawTool() = default;

    CDrawTool(const CDrawTool&) = delete;
    CDrawTool& operator=(const CDrawTool&) = delete;

    // Button-down takes the mouse and starts the drag; button-up ends both and, after a
    // click without movement, makes the select tool current (the edit tools stay).
    virtual void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point);
    virtual void OnLButtonDblClk(CDrawView* view, unsigned flags, const CPoint& point);
    virtual void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point);
    virtual void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point);
    virtual void OnEditProperties(CDrawView* view);
    // Escape, a lost mouse, another tool chosen: whatever the tool has under way in the
    // view is taken back (a half-drawn poly object is kept, see CPolyTool) and the select
    // tool becomes current.
    virtual void OnCancel(CDrawView* view);

    // The first tool of that kind; null when none.
    static CDrawTool* FindTool(ToolKind kind);
    // The 19 tools in registration order.
    static std::span<CDrawTool* const> Tools();
    // The tool of the current kind; null when none.
    static CDrawTool* CurrentTool() { return FindTool(s_currentKind); }
    // Whether a drag or a construction runs in `view`.
    static bool IsDragging(const CDrawView* view) { return view && s_dragView == view; }

    // Takes the object back out of the drawing without an undo unit: out of every
    // selection and the properties pane, not counted, flagged removed. It stays in the
    // document's list, where any unit that may name it still finds it.
    static void DiscardObject(CDrawView* view, CDrawObj* object);

    const ToolKind kind;
    int32_t state = kStateIdle;

    static inline ToolKind s_currentKind = TOOL_SELECT;
    static inline unsigned s_downFlags = 0;
    static inline CPoint s_downPoint;   // client
    static inline CPoint s_lastPoint;   // client
    // The view the running drag or construction belongs to; null when none.
    static inline CDrawView* s_dragView = nullptr;
};

class CSelectTool : public CDrawTool {
public:
    using CDrawTool::CDrawTool;
    ~CSelectTool() override;

    void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
    void OnLButtonDblClk(CDrawView* view, unsigned flags, const CPoint& point) override;
    void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) override;
    void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) override;
    void OnEditProperties(CDrawView* view) override;
    void OnCancel(CDrawView* view) override;
    // The arrow keys nudge the selection by one document unit while a move drag is held.
    // True when the key moved something.
    bool OnKeyDown(CDrawView* view, int key);

    // Takes back the running drag of the view: moved or sized objects return to where
    // they were, the rubber band and the snap marks go. The pick-up state stays.
    static void CancelDrag(CDrawView* view);
    // Ends the drag state of the view without touching the objects.
    static void ResetDrag();
    // The snap marks of a drag that ended go from the view, which is repainted without them.
    static void EraseSnapFeedback(CDrawView* view);

    static inline SelectMode s_selectMode = SelectMode::None;
    static inline int s_dragHandle = 0;
    static inline CPoint s_lastDocPoint;   // logical

private:
    void EditAnchor(CDrawView* view, CDrawObj* object, CPoint lp);
    void BreakAt(CDrawView* view, CDrawObj* object, CPoint lp);
    void PickJoinEnd(CDrawView* view, CDrawObj* hit, CPoint lp, unsigned flags);
    void CopyFormatTo(CDrawView* view, CDrawObj* target);
    void HoverCursor(CDrawView* view, CPoint lp);
    // One step of a move or size drag.
    void DragStep(CDrawView* view, unsigned flags, CPoint lp);
    void MoveStep(CDrawView* view, CPoint lp, PointF delta);
    void SizeStep(CDrawView* view, CDrawObj* object, unsigned flags, CPoint lp);
    // Records the selection when a drag first changes it, so that the drag files one unit.
    void RecordDrag(CDrawView* view);

    // Whether the document was modified before the drag.
    static inline bool s_bWasModified = false;
    // The top-left of the moved object's bounds as the mouse alone would put it (document
    // units); snapping places the object near it but never moves it.
    static inline PointF s_freeTopLeft;
};

class CRectTool : public CDrawTool {
public:
    using CDrawTool::CDrawTool;

    void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
    void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) override;
    void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) override;
    void OnLButtonDblClk(CDrawView*, unsigned, const CPoint&) override { }
    void OnCancel(CDrawView* view) override;

private:
    // The object this tool created at the button-down, until the button-up.
    CDrawObj* m_pCreated = nullptr;
    bool m_bWasModified = false;
};

class CPolyTool : public CDrawTool {
public:
    using CDrawTool::CDrawTool;

    void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
    void OnLButtonDblClk(CDrawView* view, unsigned flags, const CPoint& point) override;
    void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) override;
    void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) override;
    // Escape, another tool, the view closing or losing activation: the object under
    // construction is finished with the points the user clicked, filed as an insertion,
    // or discarded when too short.
    void OnCancel(CDrawView* view) override;
    // Undo or Delete during construction: the object under construction goes whole,
    // unfiled.
    void TakeBack();

    CDrawPoly* UnderConstruction() const { return m_pDrawObj; }
    bool BuildsIn(const CDrawView* view) const { return m_pDrawObj && m_pView == view; }

private:
    // The object is done: with `dropFloatingPoint` the point that followed the mouse goes;
    // kept and with enough points it is filed as an insertion, otherwise discarded.
    void Finish(CDrawView* view, bool dropFloatingPoint, bool keep = true);
    // No object under construction; the select tool is current.
    void Reset();
    // Whether the object under construction is still live in its view's document.
    bool IsValid() const;
    // The object under construction in `view`, when it is still live there.
    CDrawPoly* Live(CDrawView* view);

    CDrawPoly* m_pDrawObj = nullptr;   // owned by the document once added
    CDrawView* m_pView = nullptr;      // the view it is built in
    bool m_bWasModified = false;
};

} // namespace kelmora
