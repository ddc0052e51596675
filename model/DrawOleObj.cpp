// CDrawOleObj: an embedded object of another program, shown as a placeholder frame.

#include "model/DrawOleObj.h"

#include "model/DeviceContext.h"
#include "model/DocumentServices.h"
#include "model/DrawObjGroup.h"
#include "model/ViewServices.h"
#include "platform/archive/Archive.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/DashStyle.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Pen.h"

#include <cmath>
#include <optional>
#include <span>

namespace kelmora {

KELMORA_IMPLEMENT_SERIAL(CDrawOleObj, CDrawObj, 1)

namespace {

// Coordinates beyond this are no place on any page: a rectangle reaching them is not drawn
// (and cannot be truncated to integers safely).
constexpr float kMaxCoordinate = 1.0e9f;

bool IsDrawable(float value)
{
    return std::isfinite(value) && std::fabs(value) <= kMaxCoordinate;
}

// The rectangle with its corners truncated to integers, as the item is placed; nothing
// when a corner is not a usable coordinate.
std::optional<RectF> TruncatedRect(const RectF& rect)
{
    const float right = rect.X + rect.Width;
    const float bottom = rect.Y + rect.Height;
    if (!IsDrawable(rect.X) || !IsDrawable(rect.Y) || !IsDrawable(right) || !IsDrawable(bottom))
        return std::nullopt;
    const float left = std::trunc(rect.X);
    const float top = std::trunc(rect.Y);
    return RectF(left, top, std::trunc(right) - left, std::trunc(bottom) - top);
}

} // namespace

CDrawOleObj::CDrawOleObj() : CDrawOleObj(RectF()) { }

CDrawOleObj::CDrawOleObj(const RectF& rc) : CDrawObj(rc, nullptr)
{
    m_rcItem = m_rcBounds;
    m_nShapeType = ShapeType::OleObject;
}

CDrawOleObj::~CDrawOleObj() = default;

void CDrawOleObj::SetItem(std::unique_ptr<CDrawItem> item)
{
    m_pClientItem = std::move(item);
    if (m_pClientItem)
        m_pClientItem->m_pDrawObj = this;
}

void CDrawOleObj::Serialize(Archive& ar)
{
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_rcItem.X << m_rcItem.Y << m_rcItem.Width << m_rcItem.Height;
        ar << m_extent.cx << m_extent.cy;
        ar.WriteObject(m_pClientItem.get());
        return;
    }

    RectF item;
    item.X = ar.ReadFloat();
    item.Y = ar.ReadFloat();
    item.Width = ar.ReadFloat();
    item.Height = ar.ReadFloat();
    CSize extent;
    extent.cx = ar.ReadInt32();
    extent.cy = ar.ReadInt32();
    // The item is owned by this object: a reference to an object read earlier, or to one
    // of another class, is refused by ReadObject.
    std::unique_ptr<CDrawItem> client = ar.ReadObject<CDrawItem>();
    // The record carries the item's number, not its storage. Read back into an object that
    // already shows an item (an undo step restoring a snapshot), it is the same embedded
    // object: its storage stays.
    if (client && !client->HasStorage() && m_pClientItem)
        client->ShareStorage(*m_pClientItem);
    m_rcItem = item;
    m_extent = extent;
    SetItem(std::move(client));
}

int CDrawOleObj::GetHandleCount()
{
    return 0;
}

bool CDrawOleObj::CanFill() const
{
    return false;
}

bool CDrawOleObj::CanStroke() const
{
    return false;
}

RectF& CDrawOleObj::Draw(RectF& out, Graphics& g, ViewServices* pView, const Matrix*, DrawPartMask)
{
    out = RectF();
    if (m_pClientItem && pView)
        DrawItem(g, pView, m_rcBounds, pView->m_bPrinting);
    return out;
}

RectF& CDrawOleObj::DrawInView(RectF& out, Graphics& g, DeviceContext* pDC, ViewServices* pView, const Matrix*,
                               DrawPartMask)
{
    out = RectF();
    if (m_pClientItem)
        DrawItem(g, pView, m_rcItem, pDC && pDC->IsPrinting());
    return out;
}

// No program can draw the item here: a pale frame stands in for its picture. With the
// views' object indication on (and not on paper), a frame on top tells embedded items
// (solid) from linked ones (dotted).
void CDrawOleObj::DrawItem(Graphics& g, ViewServices* pView, const RectF& rect, bool printing)
{
    std::optional<RectF> placed = TruncatedRect(rect);
    if (!placed)
        return;
    if (pView)
        pView->ZoomRectF(&*placed);
    GraphicsPath frame;
    if (!frame.AddRectangle(*placed))
        return;
    g.FillPath(Color(kPlaceholderFill), frame);
    g.DrawPath(Color(kPlaceholderBorder), 0.0f, frame);
    if (printing || !ViewServices::s_bOleIndication)
        return;
    Pen indication(Color(kIndicationFrame), 1.0f);
    if (m_pClientItem->IsLinked())
        indication.SetDashStyle(DashStyle::Dot);
    g.DrawPath(indication, frame);
}

void CDrawOleObj::MoveTo(const RectF& target, ViewServices*)
{
    if (m_bLocked || target == m_rcItem)
        return;
    m_rcItem = target;
    // The bounds follow the item, and a moved object is a changed document.
    Invalidate();
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(true);
}

void CDrawOleObj::Offset(const PointF& delta, ViewServices* pView)
{
    if (m_bLocked)
        return;
    PointF moved = delta;
    if (pView && !pView->UnzoomPointsF(std::span<PointF>(&moved, 1)))
        return;
    if (!moved.IsFinite())
        return;
    m_rcItem.X += moved.X;
    m_rcItem.Y += moved.Y;
    if (pView) {
        RecalcBounds(pView);
        pView->Invalidate();
    } else {
        Invalidate();
    }
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(true);
}

CDrawObj::Placement CDrawOleObj::GetPlacement() const
{
    Placement placement = CDrawObj::GetPlacement();
    placement.item = m_rcItem;
    return placement;
}

void CDrawOleObj::SetPlacement(const Placement& placement)
{
    CDrawObj::SetPlacement(placement);
    m_rcItem = placement.item;
}

void CDrawOleObj::MoveHandleTo(int, CPoint, uint32_t, ViewServices*) { }

void CDrawOleObj::OnOpen(ViewServices*) { }

void CDrawOleObj::OnEditProperties(ViewServices*) { }

void CDrawOleObj::CopyTo(CDrawOleObj* target, DocumentServices* pDoc) const
{
    if (!target || target == this)
        return;
    CDrawObj::CopyTo(target, nullptr);
    target->m_rcItem = m_rcItem;
    if (pDoc)
        pDoc->Add(target);
}

CDrawObj* CDrawOleObj::Clone(DocumentServices* pDoc) const
{
    auto copy = std::make_unique<CDrawOleObj>(m_rcBounds);
    CopyTo(copy.get(), nullptr);
    if (m_pClientItem) {
        // The copy is a second embedded object with the same data; the document gives it a
        // storage name of its own when it saves.
        auto item = std::make_unique<CDrawItem>();
        item->m_nDrawAspect = m_pClientItem->m_nDrawAspect;
        item->ShareStorage(*m_pClientItem);
        copy->SetItem(std::move(item));
        copy->m_extent = m_extent;
    }
    if (pDoc)
        pDoc->Add(copy.get());
    // Owned by the document when one was given, else by the caller.
    return copy.release();
}

std::unique_ptr<GraphicsPath> CDrawOleObj::CreatePath(ViewServices* pView, const Matrix*)
{
    auto path = std::make_unique<GraphicsPath>();
    path->AddRectangle(m_rcItem);
    if (pView && pView->m_pZoomMatrix)
        path->Transform(*pView->m_pZoomMatrix);
    return path;
}

void CollectClientItems(CDrawObj* object, std::vector<CDrawItem*>& items)
{
    if (!object)
        return;
    if (auto* ole = dynamic_cast<CDrawOleObj*>(object); ole && ole->m_pClientItem)
        items.push_back(ole->m_pClientItem.get());
    if (auto* group = dynamic_cast<CDrawObjGroup*>(object)) {
        // Children flagged deleted are not part of the group's record.
        for (const std::unique_ptr<CDrawObj>& child : group->Children()) {
            if (!child->m_bDeleted)
                CollectClientItems(child.get(), items);
        }
    }
    CollectClientItems(object->m_pClipObject.get(), items);
}

} // namespace kelmora
