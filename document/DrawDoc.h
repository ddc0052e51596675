#pragma once
// CDrawDoc: the document of the editor, as a core without a window system. It owns the
// drawing objects in one ordered list (back to front), the page size, the grid cell size,
// the paper and grid-line colours, the summary information and the undo machinery. The
// application's document class wraps it, attaches its views and routes commands to it.
//
// Object list invariants:
// - each object is in the list at most once, and no two entries carry the same id;
// - objects that editing removes stay in the list with their deleted flag set, so that
//   undo can bring them back; every walk here skips them;
// - every object in the list has its document pointer set to this document, which owns
//   it and deletes it in DeleteContents;
// - m_nObjects counts the live objects. Add raises it; Remove leaves it alone: whoever
//   marks an object deleted or live again adjusts it;
// - the list is an OwnedObjectList, private to this class: it changes only through the
//   operations below, each of which raises ListChanges once when it changes the list.
//   An undo step's moves are among them (the operations behind StepKey, which only the
//   step's classes can use); nothing outside this class sees more than a const view of
//   the entries. Every index of the list (the ids', the painted areas', an undo step's
//   places) is current exactly while it saw that count. A group's children follow the
//   same rule through the group's operations and its ChildChanges.
//
// Document units are 1/300 inch. UI thread only.

#include "document/ColorRef.h"
#include "document/DocumentSummary.h"
#include "document/DocumentUndo.h"
#include "document/DrawUnit.h"
#include "document/PaintedAreaIndex.h"
#include "document/UndoKind.h"
#include "model/DocumentServices.h"
#include "model/OwnedObjectList.h"
#include "platform/geometry/CPoint.h"
#include "platform/geometry/CRect.h"
#include "platform/geometry/CSize.h"
#include "platform/geometry/RectF.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kelmora {

class Archive;
class CDrawObj;
class DeviceContext;
class UndoStepIndex;
class UndoStepScope;
class DocumentMessageSink;
class DocumentEnvironment;
class FrameServices;
class Graphics;
class IOleParentUndoUnit;
class ViewServices;

class CDrawDoc : public DocumentServices {
public:
    // A colour with the value views paint (current) and the value a live preview falls
    // back to (committed).
    struct ColorPair {
        COLORREF current = 0;
        COLORREF committed = 0;
    };

    // Command ids handled by the document.
    static constexpr int kCmdPaperColor = 32781;
    static constexpr int kCmdGridLineColor = 32897;
    static constexpr int kCmdGridLineWidth = 32898;
    static constexpr int kCmdGridLineHeight = 32899;
    static constexpr int kCmdPaperWidth = 32903;
    static constexpr int kCmdPaperHeight = 32904;
    static constexpr int kCmdSummaryInfo = 1097;

    // The default page: A4 at 1/300 inch.
    static constexpr CSize kDefaultPageSize{2478, 3507};
    static constexpr CSize kDefaultGridSize{90, 90};
    // The largest page side, 100 inches: well beyond the largest paper (A0 is 46.8 inches
    // long) and small enough that the page at 1:1 fits an off-screen surface (32,767
    // pixels a side) and grid and paper loops stay bounded.
    static constexpr int32_t kMaxPageExtent = 30000;

    explicit CDrawDoc(DocumentEnvironment& environment);
    ~CDrawDoc();

    CDrawDoc(const CDrawDoc&) = delete;
    CDrawDoc& operator=(const CDrawDoc&) = delete;

    // ---- Views, title, modified flag. A view detaches itself (RemoveView) before it is
    // destroyed.
    void AddView(ViewServices* view);
    void RemoveView(ViewServices* view);
    const std::vector<ViewServices*>& GetViews() const { return m_views; }
    void UpdateAllViews(ViewServices* sender, int hint, CDrawObj* object) override;
    void SetModifiedFlag(bool modified = true) override;
    bool IsModified() const { return m_bModified; }
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(std::string title) { m_strTitle = std::move(title); }

    // ---- The object list
    // Appends the object at the front of the drawing and takes ownership: counts it,
    // points it at this document, clears its deleted flag, marks the document modified and
    // lists it in the properties pane. An object already in the list is left alone. An
    // object whose id another entry carries gets a fresh id. The list is looked over only
    // for an object that is this document's already (a group's child, one removed): any
    // other cannot be in it, and the ids are looked up in an index of the list's ids.
    void Add(CDrawObj* object) override;
    CDrawObj* Add(std::unique_ptr<CDrawObj> object);
    // For loading a file into the emptied document: appends an object whose ids and
    // document pointer the loader set, and counts it when it is live; nothing else is
    // told: neither the frame nor the views.
    void AppendLoaded(std::unique_ptr<CDrawObj> object);
    // Add for each object in turn, looking over the list once for all of them (a paste
    // may bring thousands); the objects as added, null for null.
    std::vector<CDrawObj*> Add(std::vector<std::unique_ptr<CDrawObj>> objects);
    // Objects to stand right after `anchor` in the list, in their order.
    struct Insertion {
        const CDrawObj* anchor = nullptr;
        std::vector<std::unique_ptr<CDrawObj>> objects;
    };
    // Add for the objects of every insertion, then each insertion's objects stand right
    // after its anchor (in front of the drawing when the anchor is not in the list). The
    // list is looked over a few times, however many objects come; the ids are looked up in
    // the index of IdListed. The objects as added, in the order given, null for null.
    std::vector<CDrawObj*> InsertAfter(std::vector<Insertion> insertions);
    // Unlinks the object (or, when that very object is not in the list, the entry carrying
    // its id) and hands it to the caller; null when nothing was unlinked. Drops it from the
    // properties pane and marks the document modified; with `updateViews` also takes it out
    // of every view's selection. Neither deletes it nor changes m_nObjects.
    [[nodiscard]] std::unique_ptr<CDrawObj> Remove(CDrawObj* object, bool updateViews);
    // Remove for the entries of the list among `objects` (by address), in one pass over the
    // list and over each view's selection; the entries unlinked, in list order.
    [[nodiscard]] std::vector<std::unique_ptr<CDrawObj>> Remove(const std::vector<CDrawObj*>& objects, bool updateViews);
    // Takes the objects out of every view's selection, in one pass over each, and
    // refreshes the selection info of each view that held any of them, once.
    void Deselect(const std::unordered_set<const CDrawObj*>& objects);
    bool Contains(const CDrawObj* object) const;
    // The list, back (first) to front (last), deleted entries included.
    const std::vector<std::unique_ptr<CDrawObj>>& Objects() const { return m_objects.Items(); }
    // Counts the changes of the list: every operation that adds, removes, moves or
    // replaces an entry raises it once. An index of the list is current while it saw the
    // same count.
    uint64_t ListChanges() const { return m_objects.Changes(); }
    // Whether every one of `objects` is in the list, in one pass over it.
    bool ContainsAll(const std::vector<CDrawObj*>& objects) const;
    // The frontmost live object under the point (document units), or behind `startBehind`
    // when given; null when none, or when `startBehind` is not in the list. With `outline`
    // the point must lie on an outline, otherwise a 6 × 6 probe must meet the bounds.
    CDrawObj* ObjectAt(CPoint point, bool outline, ViewServices* view, CDrawObj* startBehind = nullptr);
    // Position from the back (deleted entries counted), −1 when not in the list.
    int GetObjectZOrder(const CDrawObj* object) const;
    // Moves the object so that it stands at `position`, clamped to [0, others]; −1 and an
    // object not in the list do nothing.
    void SetObjectZOrder(int position, CDrawObj* object);

    // Paints every live object back to front, then, on screen only (not on a printer
    // page), their selection marks in the active view and the view's snap feedback. While
    // the view repaints part of its window, objects that are not selected and whose last
    // drawing lies outside the clip are left out, and so are those outside the list
    // positions the view paints a layer of (m_nDrawFrom, m_nDrawTo).
    void Draw(Graphics& g, DeviceContext& dc, ViewServices* view);
    // The list position of the backmost of the objects; the list's size when none of them
    // is listed.
    size_t BackmostPosition(const std::vector<CDrawObj*>& objects) const;
    // What the object painted at its last drawing in a view (document units, outline and
    // effects included); nothing when it has not been drawn since it was added or the list
    // last changed its order. `hint` (optional) is where to look first and is set to where
    // the object was found.
    std::optional<RectF> LastPainted(const CDrawObj* object, size_t* hint = nullptr) const;
    // The view's snap marks and edge guides, over whatever `g` holds; Draw ends with them
    // unless the view omits its feedback.
    void DrawSnapFeedback(Graphics& g, ViewServices& view);

    // ---- Snapping during a drag; each fills the view's snap feedback.
    // Snaps `point` to an anchor or centre handle of `object` within 20 units on both axes
    // (the last match wins); a handle never snaps to itself.
    bool FindHandleNear(CDrawObj* object, ViewServices* view, CDrawObj* dragged, int draggedHandle, CPoint point);
    // FindHandleNear over the live objects under the point, front to back, up to the first snap.
    void SnapToHandles(ViewServices* view, CDrawObj* dragged, int draggedHandle, CPoint point);
    // Edge guides while a handle of `dragged` is dragged to (x, y) (view units).
    void SnapHandleToEdges(CDrawObj* dragged, ViewServices* view, int x, int y);
    // Edge guides while `dragged` is moved.
    void SnapMoveToEdges(ViewServices* view, CDrawObj* dragged);

    // ---- Page, grid and colours. Sizes below 1 are refused, sides above kMaxPageExtent
    // are capped.
    static std::optional<CSize> CheckedPageSize(int64_t width, int64_t height);
    // Stores a new page size and has the views recompute their scroll sizes; equal or
    // refused values do nothing. Does not mark the document modified.
    void SetPageSize(int width, int height);
    // Stores a new grid cell size and repaints the views; equal or refused values do
    // nothing. Does not mark the document modified.
    void SetGridSize(int width, int height);
    // Live previews: kNoColor returns to the committed colour. Not modifying.
    void PreviewPaperColor(COLORREF color);
    void PreviewGridColor(COLORREF color);
    // Commits a colour (kNoColor: white paper, black grid) and marks the document modified.
    void SetPaperColor(COLORREF color);
    void SetGridColor(COLORREF color);

    // ---- Commands: the value comes from the ribbon element of the same id.
    void OnPaperColor();
    void OnGridLineColor();
    void OnGridLineWidth();
    void OnGridLineHeight();
    void OnPaperWidth();
    void OnPaperHeight();

    // ---- Undo entry points; false when there is no undo machinery or it refused. Each
    // first has the views put back a pending live preview (DropPreviews).
    bool AddUndo(ViewServices* view, UndoKind kind, CDrawObj* object);
    bool AddUndoList(ViewServices* view, UndoKind kind, const std::vector<CDrawObj*>& objects);
    // A change unit over objects that have only been moved (see DocumentUndo::AddMoveUndo).
    bool AddMoveUndo(ViewServices* view, const std::vector<CDrawObj*>& objects);
    // A change of the object's own fields only (DocumentUndo::AddUndoOwnFields).
    bool AddUndoOwnFields(ViewServices* view, CDrawObj* object);
    bool BeginUndoGroup(IOleParentUndoUnit** unit);
    bool EndUndoGroup(IOleParentUndoUnit* unit);
    // Has every view put back the live preview it shows, before the drawing changes.
    void DropPreviews();

    // ---- Life cycle
    // Empties the document and sets it up through the new-document dialog (and the chosen
    // template); false when the dialog is cancelled.
    bool OnNewDocument();
    // Deletes every object and everything that points at them (selections, the properties
    // pane's entries, undo steps), starts a fresh summary information and resets the live
    // count. Page, grid and colours stay.
    void DeleteContents();
    // Asks `canClose` (which may prompt to save) with automatic deactivation of in-place
    // items switched off meanwhile.
    bool CanCloseFrame(const std::function<bool()>& canClose);

    FrameServices* Frame() const;

    // ---- Document file (DrawDocFile.cpp)
    // The "Contents" record: storing writes a drawing (kind 0) of the live objects;
    // loading replaces page, paper colour and objects (see DrawDocFile.h).
    void Serialize(Archive& archive);
    // Saves the drawing as a document file at `path`, replacing it atomically; false
    // (reported, the document still modified) on any failure.
    bool OnSaveDocument(const std::filesystem::path& path);
    // Opens a document file into this document; false (reported) when it cannot be read,
    // and the document is then left as it was.
    bool OnOpenDocument(const std::filesystem::path& path);
    // Where the document's messages go (failures, missing fonts). Without a sink they go
    // to the standard error stream. The sink must outlive the document or be reset.
    void SetMessageSink(DocumentMessageSink* sink) { m_pMessageSink = sink; }
    DocumentMessageSink* MessageSink() const { return m_pMessageSink; }

    // ---- For an undo step (UndoStepScope.h) alone, which moves objects between the list
    // and groups and keeps the live count, the properties pane and the selections with
    // them: only the step's classes can make the key. The moves hand entries over as they
    // are and tell nobody; each raises ListChanges once, as every change of the list does.
    class StepKey {
        friend class UndoStepIndex;
        friend class UndoStepScope;
        StepKey() = default;
    };
    std::unique_ptr<CDrawObj> TakeAtForStep(StepKey, size_t index);
    std::vector<std::unique_ptr<CDrawObj>> TakeWhereForStep(StepKey, const std::function<bool(const CDrawObj*)>& which);
    std::vector<size_t> PutAtForStep(StepKey, std::vector<OwnedObjectList::Placement> placements);
    // The record of the undo step under way, if any: held by the scopes of the step, seen
    // here so that later scopes join it.
    std::weak_ptr<UndoStepIndex>& OpenStep(StepKey) { return m_openStep; }

    // ---- Members, in declared order.
    std::unique_ptr<DocumentSummary> m_pSummaryInfo;  // never null
    std::unique_ptr<DocumentUndo> m_pUndoManager;     // null: no undo
    DrawUnit m_nUnit = DrawUnit::Inches;              // display unit; not stored in the file
    bool m_bAutoDeactivate = true;
    int m_nObjects = 0;                               // live objects
    CSize m_sizePage = kDefaultPageSize;
    CSize m_sizeGrid = kDefaultGridSize;
    ColorPair m_clrGrid{kBlack, kBlack};
    ColorPair m_clrPaper{kWhite, kWhite};
    uint32_t m_dwFormat[2] = {1, 0};                  // format words at the head of the contents
    uint32_t m_nKind = 0;                             // kind of the last archive read

private:
    // Appends an object that is not in the list and whose id no entry carries, with the
    // bookkeeping of Add.
    void Adopt(CDrawObj* object);
    // Adds the objects of a template: a group is dissolved into its children, which keep
    // their place on the page; anything else is added as it is.
    void AddTemplateObject(std::unique_ptr<CDrawObj> object);
    // Deletes the objects and what points at them; the live count becomes 0.
    void ReleaseObjects();
    // What Add does for an object it takes in, but for putting it in the list: counted,
    // pointed at this document, live, the document modified, listed in the properties pane.
    void TakeIn(CDrawObj* object);
    // TakeIn without the properties pane, for callers that list many objects at once.
    void Welcome(CDrawObj* object);
    // Whether an entry of the list carries the id. The index of ids is made again when
    // the list changed since it was made.
    bool IdListed(uint32_t id) const;
    bool IdIndexCurrent() const { return m_idIndex.changes == ListChanges(); }
    void RecordGuide(ViewServices& view, int orientation, float x1, float y1, float x2, float y2);
    // The overhang E and the snap distance D of edge guides, in document units at the
    // view's zoom; nothing when the zoom cannot be inverted.
    std::optional<CPoint> GuideMetrics(ViewServices& view) const;

    // What each object of the list painted at its last drawing in a view, at the same
    // index, so that a partial repaint of a large drawing tests one compact array instead
    // of every object. An entry counts only while it names the object at its index; the
    // list's own changes empty it.
    struct PaintedArea {
        const CDrawObj* object = nullptr;
        RectF area;   // document units
    };
    std::vector<PaintedArea> m_painted;
    // m_painted as a grid of areas, with the index of each object in the list; made for
    // the list as of m_paintedIndexChanges (ListChanges), kept up by every drawing.
    PaintedAreaIndex m_paintedIndex;
    std::unordered_map<const CDrawObj*, uint32_t> m_paintedPositions;
    uint64_t m_paintedIndexChanges = 0;
    // Empties m_painted and its index.
    void ForgetPainted();
    // The indexes of the objects a repaint of `areas` (document units) has to look at, in
    // list order and each once: those whose last drawing may reach into one of them, those
    // not drawn yet and the `selected`; nothing when every object is to be looked at.
    std::optional<std::vector<uint32_t>> PaintCandidates(std::span<const RectF> areas,
                                                         const std::vector<CDrawObj*>& selected);
    // The indexes, in list order, of the objects whose GetBounds may meet `probe` (view
    // units): PaintCandidates around it, with the view's selection and `dragged`; nothing
    // when every object is to be tested.
    std::optional<std::vector<uint32_t>> ObjectsNearProbe(const CRect& probe, ViewServices* view, CDrawObj* dragged);
    // Calls `visit` for the live objects other than `dragged`, front to back, that may
    // have an edge or centre line within `distance` (document units) of one of the
    // vertical lines `xs` or horizontal lines `ys`; every such object is visited.
    void ForEachNearEdges(ViewServices* view, CDrawObj* dragged, std::span<const float> xs, std::span<const float> ys,
                          float distance, const std::function<void(const CDrawObj*)>& visit);

    OwnedObjectList m_objects;    // back (first) to front (last); its count is ListChanges

    // The index of IdListed, and the count of list changes it saw.
    struct IdIndex {
        std::unordered_set<uint32_t> ids;
        uint64_t changes = 0;
    };
    mutable IdIndex m_idIndex;
    // See OpenStep.
    std::weak_ptr<UndoStepIndex> m_openStep;

    DocumentEnvironment& m_environment;
    DocumentMessageSink* m_pMessageSink = nullptr;
    std::vector<ViewServices*> m_views;
    std::string m_strTitle;
    bool m_bModified = false;
};

} // namespace kelmora
