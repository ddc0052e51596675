#pragma once
// CDrawObj: the base of every drawing object. It carries the object's identity (id, name,
// shape type), its bounds and transform, its outline, fill and effects, and declares the
// operations through which the document, the view, the tools, the undo units and the
// properties pane handle any object. A bare CDrawObj is complete and creatable: it carries
// a picked-up style, and archives create it by name.
//
// Coordinates. An object keeps its shape in object space; m_pMatrix (or m_pPendingMatrix
// while a handle is dragged) maps it into document units (1/300 inch), and a view's zoom
// matrix maps those to view units. Matrix products are appended: a new operation acts
// after the transform that is already there.
//
// Ownership. The object owns its matrices, clip object and image, never its document.
// It belongs to at most one document (m_pDocument, set by the document when it adds or
// loads it). Operations that notify the document do nothing of that when it has none, so
// free objects, clones and clipboard copies can be styled and moved freely.
//
// Threads: the UI thread, and thumbnail workers on objects they made themselves. Ids come
// from one atomic counter shared by all threads.

#include "model/Argb.h"
#include "model/BrushMan.h"
#include "model/DrawPartMask.h"
#include "model/HandleCursor.h"
#include "model/PenMan.h"
#include "model/ShapeType.h"
#include "model/StyleCopyMask.h"
#include "platform/archive/CObject.h"
#include "platform/geometry/CPoint.h"
#include "platform/geometry/CRect.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/Matrix.h"
#include "platform/geometry/PenGeometry.h"
#include "platform/geometry/PointF.h"
#include "platform/geometry/RectF.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelmora {

class Bitmap;
class DeviceContext;
struct DrawTools;
class EffectLayer;
struct EffectLayers;
struct LayerReach;
class DocumentServices;
class Graphics;
class ViewServices;

// The one counter of drawing objects. Ids are the pre-incremented counter (the first id
// is 1); default names ("Rectangle - %d") use its value right after construction.
extern std::atomic<uint32_t> g_nObjectCounter;

// A fresh object id: the counter incremented once, atomically.
uint32_t NextObjectId();

// The selection highlight of the desktop when the caller has none to pass.
inline constexpr ARGB kDefaultHighlightColor = 0xFF0078D7; // ViewServices::HighlightColor's default

class CDrawObj : public CObject {
    KELMORA_DECLARE_SERIAL(CDrawObj)

public:
    // The number of base grip handles: eight size, four rotation, four skew handles, the
    // rotation centre (9) and the centre (10).
    static constexpr int kBaseHandleCount = 18;
    static constexpr int kCentreHandle = 10;

    // An object at the defaults, with the next id.
    CDrawObj();
    // Defaults, then m_rcBounds = m_rcRefBounds = rc. With a view, m_rcBounds is rc mapped
    // from view to document units (m_rcRefBounds keeps rc).
    CDrawObj(const RectF& rc, ViewServices* pView);
    ~CDrawObj() override;

    CDrawObj(const CDrawObj&) = delete;
    CDrawObj& operator=(const CDrawObj&) = delete;

    std::string GetName() const { return m_strName; }
    void SetName(std::string name) { m_strName = std::move(name); }

    void Serialize(Archive& archive) override;

    // ---- Handles and hit testing. Handle positions are in view units when a view is
    // given, else in document units.
    virtual int GetHandleCount();
    // Position and kind (HandleKind) of handle n; numbers outside 1..18 answer as handle 1.
    // `kind` may be null.
    virtual CPoint GetHandle(int n, int* kind, ViewServices* pView);
    // The 18 × 18 box around handle n.
    virtual CRect GetHandleRect(int n, int* kind, ViewServices* pView);
    virtual HandleCursor GetHandleCursor(int n);
    // Whether the outline has a point inside the rectangle.
    virtual bool Intersects(const CRect& rect, int tolerance, ViewServices* pView);
    // Whether (x, y) lies on the outline drawn `tolerance` wide (−1: pen width + 6).
    virtual bool HitTestOutline(int x, int y, int tolerance, ViewServices* pView);

    // ---- Style
    virtual bool CanFill() const;
    virtual bool CanStroke() const;
    // Each setter refreshes the bounds and the views of the object's document, and marks
    // the document modified unless `quiet`; an object without a document only changes.
    virtual void SetFillColor(ARGB color, bool quiet);
    virtual void SetLineColor(ARGB color, bool quiet);
    virtual void SetLineWidth(float width, bool quiet);
    // Styles 5 and above load dash preset style − 5.
    virtual void SetDashStyle(int style, bool quiet);
    // Switch the fill or the outline; no refresh (callers refresh). Returns the new state.
    virtual bool EnableFill(bool enable);
    virtual bool EnableLine(bool enable);

    // ---- Drawing. `out` receives the bounds of what was painted (document units, after
    // the object's matrix and `extra`, before the zoom); the same reference is returned.
    virtual RectF& Draw(RectF& out, Graphics& g, ViewServices* pView, const Matrix* extra, DrawPartMask parts);
    // Drawing for a view; embedded objects paint on the device context instead.
    virtual RectF& DrawInView(RectF& out, Graphics& g, DeviceContext* pDC, ViewServices* pView,
                              const Matrix* extra, DrawPartMask parts);
    virtual RectF& DrawAlt(RectF& out, Graphics& g, ViewServices* pView, const Matrix* extra, DrawPartMask parts);
    virtual RectF& DrawPlain(RectF& out, Graphics& g, ViewServices* pView);
    virtual RectF& DrawPlainAlt(RectF& out, Graphics& g, ViewServices* pView, const Matrix* extra);

    // ---- Transforms of the whole object, appended to the matrix. With a view these repaint
    // that view; without one they refresh the bounds and the document's views. They mark
    // the document modified.
    // Moves so that the bounds start at the target's X, Y (its size is not used). Nothing
    // while locked or when the target equals the bounds.
    virtual void MoveTo(const RectF& target, ViewServices* pView);
    // Moves by `delta` (view units with a view); the custom rotation centre moves along.
    // Nothing while locked.
    virtual void Offset(const PointF& delta, ViewServices* pView);
    // Scales about the top-left corner of the bounds, locked or not. A factor that is 0 or
    // not finite, or a result without inverse, is ignored.
    virtual void Scale(float sx, float sy, ViewServices* pView);

    // Everything MoveTo and Offset change, and nothing else: what a move gesture keeps of
    // the objects it moves, instead of their whole records, to take the move back exactly
    // or to put the state before it back for the moment its undo step is recorded.
    struct Placement {
        Matrix matrix;
        PointF rotateCentre;
        RectF bounds;
        RectF refBounds;
        RectF item; // a subclass's own rectangle that moves (CDrawOleObj's m_rcItem)
        // Equal in every bit, as the records written from them would be.
        bool SameAs(const Placement& other) const;
    };
    virtual Placement GetPlacement() const;
    // Puts a placement back as it was read; the caller repaints.
    virtual void SetPlacement(const Placement& placement);

    // ---- Selection marks, drawn in view units: state 1 or 2 the grip handles with their
    // arrows, guides and angle read-outs; 0 the end points of open polylines for the join
    // tool, the picked one in `highlight` (made opaque); any other state nothing. Deleted
    // objects show nothing. DrawTracker has no surface of its own to draw on and draws
    // nothing; it is kept for callers of the device-context interface.
    virtual void DrawTracker(DeviceContext& dc, int state, ViewServices* pView);
    virtual void DrawTrackerEx(Graphics& g, int state, ViewServices* pView, ARGB highlight = kDefaultHighlightColor);
    // The box, about handle n of this kind at (0, 0), that the selection mark DrawTrackerEx
    // draws there covers (view units, outline and antialiased edge included); empty where
    // no mark is drawn. A guide arrow's head is counted at its handle, its shaft and the
    // angle read-outs are not.
    static RectF SelectionMarkBox(int n, int kind);

    // Drags handle n to `point` (view units with a view): rebuilds the pending matrix from
    // the matrix and the reference bounds; CommitTransform makes it current. Handle 9 moves
    // the rotation centre instead. Nothing while locked.
    virtual void MoveHandleTo(int n, CPoint point, uint32_t keyFlags, ViewServices* pView);
    // Not selected: 1 when the point lies in m_rcBounds (edges included), else 0.
    // Selected: the first handle whose box holds the point and whose kind passes `kind`
    // (0: every kind but HANDLE_MOVE), else 0.
    virtual int HitTest(CPoint point, ViewServices* pView, bool selected, int kind);
    // Whether the integer bounds of the transformed path overlap the rectangle.
    virtual bool GetBounds(const CRect& rect, ViewServices* pView);
    // Double click: edits the properties.
    virtual void OnOpen(ViewServices* pView);
    virtual void OnEditProperties(ViewServices* pView);

    // ---- Copies
    // Copies the base attributes into `target` and gives it a fresh id. The target keeps
    // its own document membership; with `pDoc` it is added to that document (which then
    // owns it).
    virtual void CopyTo(CDrawObj* target, DocumentServices* pDoc) const;
    // A new object of the same class with this object's attributes and a fresh id.
    // Without a document the caller owns it; with one, the document does.
    virtual CDrawObj* Clone(DocumentServices* pDoc) const;
    // Clone without a document, owned by the caller.
    std::unique_ptr<CDrawObj> CloneDetached() const;

    // Makes the pending matrix, if any, current (one without inverse is dropped) and
    // refreshes the bounds.
    virtual void CommitTransform();
    // Text for undo units.
    virtual std::string GetDescription() const;
    // Marks the object deleted; it stays in its document's list so that undo can bring it back.
    virtual void Remove();

    // Bounds of the transformed path; with a pen (its geometry, as the drawing pen hands it
    // down) grown by what its stroke can add.
    virtual RectF GetPathBounds(ViewServices* pView, const PenGeometry* pen);
    // The outline with the object's transform, then `extra`, then (with a view) the zoom.
    // Never null: the base object has no outline and gives an empty path.
    virtual std::unique_ptr<GraphicsPath> CreatePath(ViewServices* pView, const Matrix* extra);

    // A quarter turn about the rotation centre, clockwise on the screen when `clockwise`.
    // The caller refreshes.
    virtual void Rotate90(bool clockwise);
    // Mirrors about the centre of the bounds (left and right swap when horizontal). The
    // caller refreshes.
    virtual void Mirror(bool horizontal);
    // Offsets the object to line up with the reference: 0 left edges, 1 right edges, 2 top
    // edges, 3 bottom edges, 4 vertical centre lines, 5 horizontal centre lines; other
    // modes move nothing but refresh all the same.
    virtual void AlignTo(const RectF& reference, int mode);

    // ---- Point editing (polylines)
    virtual bool CanDeletePoint() const;
    virtual bool CanInsertPoint() const;
    virtual bool DeletePoint(int handle, ViewServices* pView);
    // Index of the new point, −1 when none was inserted.
    virtual int InsertPoint(CPoint point, ViewServices* pView);
    virtual bool SplitAtPoint(CPoint point, ViewServices* pView);

    // Where a drag of the object is anchored: the centre handle.
    virtual CPoint GetAnchorPoint(ViewServices* pView);
    // m_rcBounds and m_rcRefBounds become the path bounds. The view is not used.
    virtual void RecalcBounds(ViewServices* pView);

    // ---- Conversion to polylines
    virtual bool CanConvertToPoly() const;
    // Appends the outline as line and Bézier objects (those of the clip object first),
    // each with this object's outline style.
    virtual void ConvertToPoly(std::vector<std::unique_ptr<CDrawObj>>& out, ViewServices* pView);
    // The outline as one custom polyline with this object's outline, fill and effects.
    virtual std::unique_ptr<CDrawObj> ConvertToCustomPoly(ViewServices* pView);
    virtual bool IsEndPointHandle(int n) const;
    virtual bool JoinAtEndPoints(CDrawObj* other, bool keepBoth);

    // ---- Style copies (format painter)
    // A bare CDrawObj carrying the parts of this object's style that `mask` selects.
    virtual std::unique_ptr<CDrawObj> CreateStyleCopy(StyleCopyMask mask) const;
    // Gives `target` this object's shape type and the parts that `mask` selects.
    virtual void CopyStyleTo(CDrawObj* target, StyleCopyMask mask) const;
    // Takes the parts that `mask` selects from `source`; the shape type stays.
    virtual void CopyStyleFrom(const CDrawObj* source, StyleCopyMask mask);
    // Adds the names of font families the object uses that the system lacks.
    virtual bool CollectFontNames(std::vector<std::string>& names);

    // ---- Not virtual
    // A hand-edited dash pattern: style 5 with a copy of `dashes`; then the refresh, with
    // the modified flag.
    void SetDashArray(const std::vector<float>& dashes);
    // Refreshes the bounds and the views of the object's document.
    void Invalidate();
    // Object space to an integer point, through the pending-or-current matrix and, with a
    // view, the zoom; truncated toward zero.
    CPoint ObjectToViewPoint(PointF point, ViewServices* pView) const;
    // The inverse; nothing when the transform is singular (the point has no object-space
    // position).
    std::optional<PointF> ViewToObjectPoint(CPoint point, ViewServices* pView) const;
    // The pending matrix while a handle is dragged, else the matrix.
    const Matrix& ActiveMatrix() const { return m_pPendingMatrix ? *m_pPendingMatrix : *m_pMatrix; }
    // The custom rotation centre when set, else the centre of m_rcBounds.
    PointF RotationCentre() const;

    // ---- Members, in declared order. Lengths and positions in document units.
    uint32_t m_nID = 0;
    DocumentServices* m_pDocument = nullptr; // not owned
    std::string m_strName;
    RectF m_rcAux;           // bounds of the untransformed outline (object space, no pen)
    RectF m_rcBounds;        // bounds of the transformed shape
    RectF m_rcRefBounds;     // bounds at the last recalculation; fixed while a handle is dragged
    ShapeType m_nShapeType = ShapeType::None;
    bool m_bDeleted = false;
    bool m_bReservedA = false;   // stored and copied, never read
    bool m_bReservedB = true;    // stored and copied, never read
    bool m_bLocked = false;      // move, offset, align and handle drags do nothing
    bool m_bClosed = false;      // closed curves, spirals and custom paths
    bool m_bLineEnabled = true;
    PenMan m_pen;
    bool m_bFillEnabled = false;
    BrushMan m_brush;
    std::unique_ptr<Matrix> m_pMatrix;          // object to document; never null
    std::unique_ptr<Matrix> m_pPendingMatrix;   // present only during a handle drag
    bool m_bCustomRotateCentre = false;
    PointF m_ptRotateCentre;
    int32_t m_nSnapHandle = 0;   // last handle matched by the document's snap search
    int32_t m_nJoinHandle = 0;   // end point picked for joining (0 none); not stored, not copied

    bool m_bGlow = false;
    bool m_bInnerGlow = false;
    ARGB m_clrGlow = 0xFF000000;
    float m_fGlowRadius = 30.0f;

    bool m_bShadow = false;
    BrushMan m_shadowBrush;
    uint32_t m_nShadowDirection = 45;   // degrees
    float m_fShadowDepth = 20.0f;
    float m_fShadowBlur = 6.0f;
    uint32_t m_nShadowScaleX = 100;     // percent
    uint32_t m_nShadowScaleY = 100;

    bool m_bReflection = false;
    uint32_t m_nReflectionStartTransparency = 200;
    uint32_t m_nReflectionEndTransparency = 20;
    uint32_t m_nReflectionShown = 100;
    float m_fReflectionDistance = 0.0f;
    uint32_t m_nReflectionReserved = 100;   // stored and copied with the reflection

    std::array<bool, 5> m_bReservedFlags{};   // stored and copied; in a file the second marks an inner-only glow
    uint32_t m_nObjReserved = 0;              // stored and copied, never read
    std::unique_ptr<CDrawObj> m_pClipObject;  // the object is drawn clipped to this one's path
    // The picture of image objects. Pictures are immutable once made and shared by the
    // copies of an object; a change makes a new picture.
    std::shared_ptr<const Bitmap> m_pImage;
    RectF m_rcFrame;                          // frame of the rectangle family

    // The body stage of the drawing: fill, picture, glow and outline in the order the glow
    // flags choose. `path` is in the coordinates of `g`.
    void DrawFillStroke(Graphics& g, ViewServices* pView, const GraphicsPath& path, const DrawTools& tools,
                        const Matrix* extra, bool drawPicture);
    // Paints the object's picture into its frame, placed as the object is.
    void DrawObjectImage(Graphics& g, ViewServices* pView, const Matrix* extra);

protected:
    // Narrows the clip of `g` to the clip object's outline, placed as this object is; the
    // caller saves and restores the Graphics' state around it. False when nothing is left
    // to draw (DrawObjRender.cpp).
    bool ApplyClipObject(Graphics& g, ViewServices* pView, const Matrix* extra);
    // The common end of every path build: stores the untransformed bounds in m_rcAux and
    // hands them, the path and the transform to the pen and the fill; then transforms the
    // path by the pending-or-current matrix (copying m_rcBounds into m_rcRefBounds when no
    // drag is under way), `extra`, and, with a view, the zoom.
    void PlacePath(GraphicsPath& path, ViewServices* pView, const Matrix* extra);

private:
    // After a change of style: bounds, views, and the modified flag unless quiet.
    void RefreshAfterStyleChange(bool quiet);
    // After a move: with a view its window is repainted, else the bounds and the views
    // are refreshed; then the document is marked modified.
    void RefreshAfterMove(ViewServices* pView);
    void RefreshBoundsFromPath();

    // Drawing steps (DrawObjRender.cpp).
    DrawTools CreateDrawTools(ViewServices* pView);
    // Grows the painted bounds by the glow's room and the outline (Draw, step 14).
    void GrowForPainting(RectF& out, const RectF& pathBounds, bool emptyPath) const;
    // DrawFillStroke's body, with the glow painted from `glow` when given.
    void DrawBody(Graphics& g, ViewServices* pView, const GraphicsPath& path, const DrawTools& tools,
                  const Matrix* extra, bool drawPicture, const EffectLayer* glow);
    void FillBody(Graphics& g, const GraphicsPath& path, const DrawTools& tools);
    void StrokeOutline(Graphics& g, const GraphicsPath& path, const DrawTools& tools);
    void DrawGlow(Graphics& g, ViewServices* pView, const GraphicsPath& path, const DrawTools& tools);
    // Effects (DrawObjEffects.cpp).
    std::unique_ptr<GraphicsPath> BuildShadowPath(const GraphicsPath& path);
    // The shadow's offset and its scale about the centre of m_rcBounds, in document units.
    Matrix ShadowMatrix() const;
    std::unique_ptr<EffectLayer> DrawShadow(Graphics& g, ViewServices* pView, const GraphicsPath& shadowPath,
                                            const DrawTools& tools, const Matrix* extra, const RectF& body,
                                            bool withReflection, std::unique_ptr<EffectLayer>& reflection,
                                            const LayerReach& reach);
    static void PlaceShadow(Graphics& g, const EffectLayer& layer, EffectLayer* reflection);
    void DrawReflection(Graphics& g, ViewServices* pView, EffectLayer& layer, RectF& out);
    void GrowForReflection(RectF& out) const;
    void PlaceReflection(Graphics& g, ViewServices* pView, const EffectLayer& layer) const;
    std::unique_ptr<EffectLayer> CreateReflectionLayer(const RectF& body, const LayerReach& reach);
    // The effect cache (DrawObjEffectCache.cpp).
    EffectLayers OpenEffectLayers(Graphics& g, ViewServices* pView, const Matrix* extra, DrawPartMask parts,
                                  const GraphicsPath& path, const GraphicsPath* shadowPath, const DrawTools& tools,
                                  const RectF& body, LayerReach& reach);
    std::optional<std::vector<uint8_t>> EffectFingerprint(const GraphicsPath& path, ViewServices* pView,
                                                          const Matrix* extra, const std::optional<RectF>& tiles);
    std::shared_ptr<const EffectLayer> GlowLayer(Graphics& g, ViewServices* pView, const GraphicsPath& path,
                                                 const DrawTools& tools, const EffectLayers& layers,
                                                 const LayerReach& reach);
};

// The signed angle (radians, in (−π, π]) that turns vector b into vector a, positive
// counter-clockwise in axes whose y grows upward; 0 when both the cross and the dot
// product are within 1e-9 of zero, so that (near) zero vectors give 0, never NaN.
double SignedAngle(PointF a, PointF b);
// The angle (radians) at `centre` that turns the direction to `from` into the direction
// to `to`, positive counter-clockwise as seen on the screen (whose y grows downward).
double AngleAtCentre(PointF centre, PointF from, PointF to);

} // namespace kelmora
