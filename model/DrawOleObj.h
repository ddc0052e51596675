#pragma once
// CDrawOleObj: the drawing object that places an embedded or linked object of another
// program on the page (shape type 19). The object itself is its client item (CDrawItem),
// kept as an opaque storage: no program can open, edit or activate it here, so the
// commands that would need one (open, properties) do nothing.
//
// The object keeps its rectangle directly in document units (m_rcItem): it has no
// outline, fill or effects, no grip handles, and its matrix is not applied. It is drawn by
// DrawInView as a placeholder frame over its rectangle; with the views' object indication
// on (ViewServices::s_bOleIndication) a frame on top says whether the item is embedded
// (solid) or linked (dotted).
//
// Record, after the base record:
//   f32 x, y, width, height of m_rcItem; i32 cx, i32 cy of m_extent (HIMETRIC);
//   the client item as an object reference (a CDrawItem, or none).
//
// The object owns its item. A removed object keeps its item, so that undo can bring the
// object back whole; the document saves only live objects and so only their items.

#include "model/DrawItem.h"
#include "model/DrawObj.h"
#include "platform/geometry/CSize.h"

#include <memory>
#include <vector>

namespace kelmora {

class CDrawOleObj : public CDrawObj {
    KELMORA_DECLARE_SERIAL(CDrawOleObj)

public:
    // Frame colours of the placeholder (ARGB).
    static constexpr ARGB kPlaceholderFill = 0x20808080;
    static constexpr ARGB kPlaceholderBorder = 0xFF808080;
    static constexpr ARGB kIndicationFrame = 0xFF000000;

    CDrawOleObj();
    // The base object from the rectangle (document units); the item rectangle is its bounds.
    explicit CDrawOleObj(const RectF& rc);
    ~CDrawOleObj() override;

    void Serialize(Archive& archive) override;

    int GetHandleCount() override;
    bool CanFill() const override;
    bool CanStroke() const override;

    // Both return an empty rectangle. Draw paints the item only for a view, in m_rcBounds;
    // DrawInView paints it in m_rcItem. Nothing is drawn for an object without an item.
    RectF& Draw(RectF& out, Graphics& g, ViewServices* pView, const Matrix* extra, DrawPartMask parts) override;
    RectF& DrawInView(RectF& out, Graphics& g, DeviceContext* pDC, ViewServices* pView, const Matrix* extra,
                      DrawPartMask parts) override;

    // The rectangle becomes m_rcItem; nothing while locked or when it is already there.
    void MoveTo(const RectF& target, ViewServices* pView) override;
    // Moves m_rcItem by `delta` (view units with a view). Nothing while locked.
    void Offset(const PointF& delta, ViewServices* pView) override;
    Placement GetPlacement() const override;
    void SetPlacement(const Placement& placement) override;
    void MoveHandleTo(int n, CPoint point, uint32_t keyFlags, ViewServices* pView) override;
    // No program can open the item or show its properties here: both do nothing.
    void OnOpen(ViewServices* pView) override;
    void OnEditProperties(ViewServices* pView) override;

    using CDrawObj::CopyTo;
    // The base attributes and m_rcItem; the item and the extent are not copied. With
    // `pDoc` the target is added to that document.
    void CopyTo(CDrawOleObj* target, DocumentServices* pDoc) const;
    // A copy with an item of its own that shares this item's storage (and the extent).
    CDrawObj* Clone(DocumentServices* pDoc) const override;

    // The path (and so the bounds) is m_rcItem, mapped only by the view's zoom.
    std::unique_ptr<GraphicsPath> CreatePath(ViewServices* pView, const Matrix* extra) override;

    bool QueryOption(int, int, int) const { return false; }
    bool QueryState() const { return false; }

    // Attaches `item` (its back pointer set to this object), replacing any item.
    void SetItem(std::unique_ptr<CDrawItem> item);

    // ---- Members, in declared order.
    RectF m_rcItem;                              // document units
    std::unique_ptr<CDrawItem> m_pClientItem;    // null: no item
    CSize m_extent;                              // HIMETRIC; (0, 0) until first known

private:
    void DrawItem(Graphics& g, ViewServices* pView, const RectF& rect, bool printing);
};

// Appends the client items carried by `object` (an embedded object, the members of a
// group that are not flagged deleted, a clip object), in the order their records hold them.
void CollectClientItems(CDrawObj* object, std::vector<CDrawItem*>& items);

} // namespace kelmora
