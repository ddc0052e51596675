#include "model/DrawObjGroup.h"

#include "model/DocumentServices.h"

#include <utility>

namespace kelmora {

KELMORA_IMPLEMENT_SERIAL(CDrawObjGroup, CDrawObj, 0)

CDrawObjGroup::CDrawObjGroup()
{
    m_nShapeType = ShapeType::Group;
    m_bLineEnabled = false;
    m_bFillEnabled = false;
}

CDrawObjGroup::CDrawObjGroup(const RectF& rc, ViewServices* pView) : CDrawObj(rc, pView)
{
    m_nShapeType = ShapeType::Group;
    m_bLineEnabled = false;
    m_bFillEnabled = false;
}

CDrawObjGroup::~CDrawObjGroup() = default;

void CDrawObjGroup::ApplyMatrixToChildren()
{
    for (const std::unique_ptr<CDrawObj>& child : m_children) {
        if (child)
            *child->m_pMatrix = *child->m_pMatrix * *m_pMatrix;
    }
    m_pMatrix->Reset();
}

std::vector<std::unique_ptr<CDrawObj>> CDrawObjGroup::ReleaseChildren()
{
    return std::exchange(m_children, {});
}

bool CDrawObjGroup::CanFill() const
{
    return m_bUseGroupSettings && m_bGroupFill;
}

bool CDrawObjGroup::CanStroke() const
{
    return m_bUseGroupSettings && m_bGroupStroke;
}

bool CDrawObjGroup::UsesGroupStroke() const
{
    return CanStroke();
}

std::unique_ptr<GraphicsPath> CDrawObjGroup::CreatePath(ViewServices* pView, const Matrix* extra)
{
    auto path = std::make_unique<GraphicsPath>();
    for (const std::unique_ptr<CDrawObj>& child : m_children) {
        if (child)
            path->AddPath(*child->CreatePath(nullptr, nullptr), false);
    }
    PlacePath(*path, pView, extra);
    return path;
}

CDrawObj* CDrawObjGroup::Clone(DocumentServices* pDoc) const
{
    auto copy = std::make_unique<CDrawObjGroup>(m_rcBounds, nullptr);
    CopyTo(copy.get(), pDoc);
    // Owned by the document when one was given, else by the caller.
    return copy.release();
}

void CDrawObjGroup::CopyTo(CDrawObjGroup* target, DocumentServices* pDoc) const
{
    if (!target || target == this)
        return;
    CDrawObj::CopyTo(target, nullptr);
    target->m_bUseGroupSettings = m_bUseGroupSettings;
    target->m_bExtra1 = m_bExtra1;
    target->m_bGroupStroke = m_bGroupStroke;
    target->m_bGroupFill = m_bGroupFill;
    target->m_bConnected = m_bConnected;
    target->m_bExtra2 = m_bExtra2;
    target->m_dwExtra = m_dwExtra;
    target->m_children.clear();
    for (const std::unique_ptr<CDrawObj>& child : m_children) {
        if (child)
            target->m_children.push_back(child->CloneDetached());
    }
    if (pDoc)
        pDoc->Add(target);
}

} // namespace kelmora
