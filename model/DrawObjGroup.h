#pragma once
// CDrawObjGroup: a drawing object that holds other drawing objects (shape type Group).
// The children keep their own shapes, styles and matrices; the group's matrix applies on
// top of theirs. The group owns its children, back to front.

#include "model/DrawObj.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kelmora {

class CDrawObjGroup : public CDrawObj {
    KELMORA_DECLARE_SERIAL(CDrawObjGroup)

public:
    // An empty group: shape type Group, own outline and fill off.
    CDrawObjGroup();
    CDrawObjGroup(const RectF& rc, ViewServices* pView);
    ~CDrawObjGroup() override;

    // Each child's matrix becomes child matrix × group matrix; the group's becomes the
    // identity. The children keep their place on the page when they leave the group.
    void ApplyMatrixToChildren();
    // Hands the children to the caller, in order, and leaves the group empty.
    std::vector<std::unique_ptr<CDrawObj>> ReleaseChildren();

    bool CanFill() const override;
    bool CanStroke() const override;

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

    bool m_bUseGroupSettings = false;  // draw the children with the group's style parts
    bool m_bExtra1 = false;            // stored and copied, never read
    bool m_bGroupStroke = false;       // with group settings, the group's outline replaces the children's
    bool m_bGroupFill = false;         // with group settings, the group's fill replaces the children's
    bool m_bConnected = false;         // "Connected": stored and copied
    bool m_bExtra2 = false;            // stored and copied, never read
    uint32_t m_dwExtra = 0;            // stored and copied, never read
    std::vector<std::unique_ptr<CDrawObj>> m_children;
};

} // namespace kelmora
