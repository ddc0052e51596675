// The archive record of a group: the base record, the six flags (one byte each), a u32,
// then the children as an object list (count, then each child with its class).

#include "model/DrawObjGroup.h"

#include "platform/archive/Archive.h"

namespace kelmora {

void CDrawObjGroup::Serialize(Archive& ar)
{
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_bUseGroupSettings << m_bGroupStroke << m_bGroupFill << m_bConnected << m_bExtra1 << m_bExtra2
           << m_dwExtra;
        // Children removed by editing stay in the group for undo; the record leaves them
        // out, as the document's record leaves out its removed objects.
        std::vector<const CDrawObj*> live;
        live.reserve(m_children.size());
        for (const std::unique_ptr<CDrawObj>& child : m_children) {
            if (child && !child->m_bDeleted)
                live.push_back(child.get());
        }
        ar.WriteObjectList(live);
        return;
    }

    ar >> m_bUseGroupSettings >> m_bGroupStroke >> m_bGroupFill >> m_bConnected >> m_bExtra1 >> m_bExtra2 >>
        m_dwExtra;
    // Each child is a new drawing object the group will own: objects of other classes and
    // back-references (a child twice, or the group inside itself) are refused by the
    // archive, which also bounds how deep groups nest. The list replaces the children
    // only once it has been read whole. An empty entry holds nothing and is dropped, and
    // so is a child flagged removed, as opening a document drops its removed objects:
    // nothing would ever show, store or bring it back.
    std::vector<std::unique_ptr<CDrawObj>> children = ar.ReadObjectList<CDrawObj>();
    std::erase_if(children, [](const std::unique_ptr<CDrawObj>& child) { return !child || child->m_bDeleted; });
    m_children.ReplaceAll(std::move(children));
}

} // namespace kelmora
