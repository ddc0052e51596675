#pragma once
// What drawing objects and the document use of an editing view. The editing view
// implements it; tests implement it with fakes.
//
// Coordinates: document units are 1/300 inch; view units are the zoomed coordinates of
// the view's window. The zoom matrix maps document to view units; it is the identity
// scaled by the zoom factor, and a view without one (null) maps 1:1.
//
// The view also keeps the snap feedback of a drag (handle and centre snaps, edge guides):
// the select tool clears it at the start of each drag step, the document's snapping
// operations fill it, and the document's drawing paints it.

#include "platform/geometry/CPoint.h"
#include "platform/geometry/CRect.h"
#include "platform/geometry/Matrix.h"
#include "platform/geometry/PointF.h"
#include "platform/geometry/RectF.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace kelmora {

class CDrawObj;

// One edge guide: a line between two points already mapped to view units.
struct SnapGuide {
    enum Orientation : int32_t {
        Vertical = 0,
        Horizontal = 1,
    };

    int32_t orientation = Vertical;
    float x1 = 0.0f;
    float y1 = 0.0f;
    float x2 = 0.0f;
    float y2 = 0.0f;
};

class ViewServices {
public:
    virtual ~ViewServices() = default;

    // Zoom: document units to view units (null: 1:1), and the factor it scales by.
    std::unique_ptr<Matrix> m_pZoomMatrix;
    float m_fZoom = 1.0f;
    // Set only while the view prints a page to a printer (not in print preview).
    bool m_bPrinting = false;
    // The view is the active one; selection marks are drawn only there.
    bool m_bViewActive = false;
    // The selection, in selection order. The document owns the objects.
    std::vector<CDrawObj*> m_selection;
    // Set while the view repaints only part of its window: objects that did not change
    // since their last drawing and lie outside that part need not be drawn again.
    bool m_bPartialPaint = false;
    // Set while the view paints its picture without the drag feedback (snap marks, edge
    // guides and its own tool feedback), which it lays over that picture afterwards.
    bool m_bOmitFeedback = false;
    // Set while the view paints its picture in layers: of the list, only the objects at
    // positions from m_nDrawFrom up to (not including) m_nDrawTo are drawn on screen.
    size_t m_nDrawFrom = 0;
    size_t m_nDrawTo = SIZE_MAX;

    // Snap feedback of the current drag step.
    bool m_bHandleSnapped = false;
    bool m_bCenterSnapped = false;
    CPoint m_ptSnap;       // document units
    CRect m_rcSnapMark;    // the square drawn around the snap point
    bool m_bShowGuides = false;
    std::vector<SnapGuide> m_guides;

    // Shared by all views: embedded objects draw a frame showing whether they are
    // embedded (solid) or linked (dotted).
    static inline bool s_bOleIndication = false;

    // The zoom matrix, or the identity when the view has none.
    Matrix ZoomMatrix() const { return m_pZoomMatrix ? *m_pZoomMatrix : Matrix(); }

    // View to document units, in place. False, with the points unchanged, when the zoom
    // matrix cannot be inverted.
    bool UnzoomPointsF(std::span<PointF> points) const;
    // The same for integer points: converted to float, mapped, rounded back to the
    // nearest integer. Rounding, not truncation toward zero: a document point zoomed to
    // whole logical units (ZoomPoints truncates) and unzoomed again then comes back
    // exactly at every zoom of 1 or more, where truncation would lose a unit (1 at 1.5
    // zooms to 1, which unzooms to 0.67), and a mouse point maps to the nearest document
    // point alike on both sides of the origin.
    bool UnzoomPoints(std::span<CPoint> points) const;
    // Document to view units, in place.
    void ZoomPointsF(std::span<PointF> points) const;
    // Maps the corners (X, Y) and (X + Width, Y + Height) and writes the result back as
    // X, Y, Width, Height (a mirroring zoom would give a negative size; ours never mirrors).
    void ZoomRectF(RectF* rect) const;

    bool IsSelected(const CDrawObj* object) const;
    // The join tool is current, the object is selected and it has a join end point picked.
    bool IsJoinCandidate(const CDrawObj* object) const;

    // Empties the snap feedback (the select tool does this at each drag step).
    void ClearSnapFeedback();

    virtual bool IsJoinToolActive() const = 0;
    // The desktop's selection highlight colour, opaque ARGB; join candidates are marked in it.
    // Views without a desktop theme keep the default blue.
    virtual uint32_t HighlightColor() const { return 0xFF0078D7; }
    // Invalidates the whole client area.
    virtual void Invalidate(bool erase = true) = 0;
    // Recomputes the scroll sizes from the document's page size.
    virtual void OnInitialUpdate() = 0;
    // The document's UpdateAllViews reaches every view but the sender through this.
    virtual void OnUpdate(ViewServices* sender, int hint, CDrawObj* object) = 0;
    // Replaces the selection by the objects of the list that are not deleted.
    virtual void SelectObjects(const std::vector<CDrawObj*>& objects) = 0;
    // The object's position in its document's object list (deleted ones counted), −1
    // when it is not there.
    virtual int GetObjectZOrder(CDrawObj* object) = 0;
    // Moves the object to that position of the document's list and repaints; −1 does
    // nothing.
    virtual void SetObjectZOrder(int position, CDrawObj* object) = 0;
    // Zooms again with the current factor around the remembered centre.
    virtual void ReapplyZoom() = 0;
    // Imports an XPS file into the view's document as one undoable insertion and selects
    // what it adds.
    virtual void ImportXps(const std::string& path) = 0;
    // The document is about to change (an edit is recorded, an undo step performed, the
    // objects released): a live preview pending in the view is put back first, so that
    // what is recorded and kept is the drawing without it. Views without previews ignore it.
    virtual void DropPreview() {}
};

} // namespace kelmora
