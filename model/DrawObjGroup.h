#pragma once
// CDrawObjGroup: a drawing object that holds other drawing objects (shape type Group).
// The children keep their own shapes, styles and matrices; the group's matrix applies on
// top of theirs when the group is drawn, hit-tested or measured. The group owns its
// children, back to front, in an OwnedObjectList: they change only through the group's
// operations, each of which raises ChildChanges. Nothing is cached: every draw and
// measurement walks them.
//
// Children flagged deleted (left in a group by undo bookkeeping) are kept, but they are
// not drawn, measured, stored or copied, as removed objects of a document are not.
//
// "Use group settings" draws every child with the group's outline and/or fill imposed,
// and with the group's glow and shadow when those are on; the children's own styles are
// given back after each drawing step.

#include "model/DrawObj.h"
#include "model/OwnedObjectList.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace kelmora {

// Calls work(i) for every position of `objects`. When there are thousands, the objects
// whose paths are built from their own fields alone (shapes and curves, not text or
// groups, which reach what others share) are worked on by several threads, the others
// on this one. `work` touches nothing but objects[i] and what belongs to position i. An
// exception from it is thrown again here, once every position has been worked on or
// given up.
void ForEachObjectPath(const std::vector<CDrawObj*>& objects, const std::function<void(size_t)>& work);

class CDrawObjGroup : public CDrawObj {
    KELMORA_DECLARE_SERIAL(CDrawObjGroup)

public:
    // An empty group: shape type Group, own outline and fill off.
    CDrawObjGroup();
    CDrawObjGroup(const RectF& rc, ViewServices* pView);
    // A group of the objects of `objects` that are neither null nor flagged deleted, in
    // order; they are moved out of `objects`, which keeps the null and deleted entries.
    explicit CDrawObjGroup(std::vector<std::unique_ptr<CDrawObj>>& objects);
    ~CDrawObjGroup() override;

    // The base record, the six flags, the u32 and the children as an object list. A load
    // replaces the children with those read once all are read; a truncated or damaged
    // record throws and the group keeps the children it had.
    void Serialize(Archive& archive) override;

    // Each child's matrix becomes child matrix × group matrix; the group's becomes the
    // identity. The children keep their place on the page when they leave the group.
    void ApplyMatrixToChildren();

    // ---- The children, back (first) to front (last). See OwnedObjectList for what each
    // operation does; every one that changes the children raises ChildChanges once.
    const std::vector<std::unique_ptr<CDrawObj>>& Children() const { return m_children.Items(); }
    // Rises with each change of the children, so that a place recorded as (group, index)
    // can tell that it may have moved.
    uint64_t ChildChanges() const { return m_children.Changes(); }
    void AppendChild(std::unique_ptr<CDrawObj> child) { m_children.Append(std::move(child)); }
    // The group holds exactly `children` from now on; the children it held, in order.
    std::vector<std::unique_ptr<CDrawObj>> ReplaceChildren(std::vector<std::unique_ptr<CDrawObj>> children)
    {
        return m_children.ReplaceAll(std::move(children));
    }
    // Hands the children to the caller, in order, and leaves the group empty.
    std::vector<std::unique_ptr<CDrawObj>> ReleaseChildren() { return m_children.TakeAll(); }
    std::unique_ptr<CDrawObj> TakeChildAt(size_t index) { return m_children.TakeAt(index); }
    std::vector<std::unique_ptr<CDrawObj>> TakeChildrenWhere(const std::function<bool(const CDrawObj*)>& which)
    {
        return m_children.TakeWhere(which);
    }
    std::vector<size_t> PutChildrenAt(std::vector<OwnedObjectList::Placement> placements)
    {
        return m_children.PutAt(std::move(placements));
    }
    bool OrderChildrenByRank(const std::function<size_t(const CDrawObj*)>& rank) { return m_children.OrderByRank(rank); }

    bool CanFill() const override;
    bool CanStroke() const override;

    // The base handles only.
    int GetHandleCount() override;
    // The base drag, after which the bounds follow the children's combined path.
    void MoveHandleTo(int n, CPoint point, uint32_t keyFlags, ViewServices* pView) override;

    // The children back to front, through the group's transform and `extra`. Without group
    // settings each child draws itself and the group's own effects and clip are not used;
    // with them the group's clip object, style parts and reflection apply.
    RectF& Draw(RectF& out, Graphics& g, ViewServices* pView, const Matrix* extra, DrawPartMask parts) override;

    // The children's paths (each with its own matrix) as separate figures, placed by the
    // group's transform, `extra` and the zoom.
    std::unique_ptr<GraphicsPath> CreatePath(ViewServices* pView, const Matrix* extra) override;

    using CDrawObj::CopyTo;
    CDrawObj* Clone(DocumentServices* pDoc) const override;
    // The base attributes, the group's flags and clones of the children; with `pDoc` the
    // complete target is then added to that document.
    virtual void CopyTo(CDrawObjGroup* target, DocumentServices* pDoc) const;
    // Whether the group's outline replaces its children's.
    virtual bool UsesGroupStroke() const;

    // Every child's missing font families, each child's names once; false when any child
    // answered false.
    bool CollectFontNames(std::vector<std::string>& names) override;

    bool m_bUseGroupSettings = false;  // draw the children with the group's style parts
    bool m_bExtra1 = false;            // stored and copied, never read
    bool m_bGroupStroke = false;       // with group settings, the group's outline replaces the children's
    bool m_bGroupFill = false;         // with group settings, the group's fill replaces the children's
    bool m_bConnected = false;         // "Connected": stored and copied
    bool m_bExtra2 = false;            // stored and copied, never read
    uint32_t m_dwExtra = 0;            // stored and copied, never read

private:
    OwnedObjectList m_children;
    // One pass (kDrawShadow or kDrawBody) over the children with the group's style parts
    // imposed; the union of what they painted.
    RectF DrawWithGroupSettings(ViewServices* pView, const Matrix& m, Graphics& g, DrawPartMask pass);
    // The mirrored, fading copy of the group below `painted` (document units).
    void DrawGroupReflection(Graphics& g, ViewServices* pView, const Matrix& m, const RectF& painted,
                             DrawPartMask parts);
};

// Sets the document of `object` and, through groups, of every object inside it, so that a
// change made to a group's child marks its document and reaches its views like any other.
void SetDocumentOfTree(CDrawObj& object, DocumentServices* document);

// Gives `object` and every object inside its groups a fresh id, as loading does.
void RenewIdsOfTree(CDrawObj& object);

} // namespace kelmora
