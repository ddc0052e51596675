#include "document/UndoUnitPlace.h"

#include "document/DrawDoc.h"
#include "document/FrameServices.h"
#include "model/DrawObjGroup.h"
#include "model/ViewServices.h"

#include <algorithm>
#include <utility>

namespace kelmora {

std::optional<DocumentTree::Location> DocumentTree::Locate(const CDrawObj* object) const
{
    if (!object)
        return std::nullopt;
    // Depth first over the list and every group in it, without recursion: nesting is
    // whatever editing built.
    struct Pending {
        Slots* slots;
        CDrawObjGroup* owner;
    };
    std::vector<Pending> pending{{&m_document.m_objects, nullptr}};
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        for (size_t i = 0; i < next.slots->size(); ++i) {
            CDrawObj* entry = (*next.slots)[i].get();
            if (entry == object)
                return Location{next.slots, next.owner, i};
            if (auto* group = dynamic_cast<CDrawObjGroup*>(entry))
                pending.push_back({&group->m_children, group});
        }
    }
    return std::nullopt;
}

std::optional<ObjectPlace> DocumentTree::Find(const CDrawObj* object) const
{
    std::optional<Location> location = Locate(object);
    if (!location)
        return std::nullopt;
    return ObjectPlace{location->owner, int(location->index)};
}

bool DocumentTree::IsListed(const CDrawObj* object) const
{
    return m_document.GetObjectZOrder(object) >= 0;
}

bool DocumentTree::IsLiveInList(const CDrawObj* object) const
{
    return IsListed(object) && !object->m_bDeleted;
}

std::optional<GroupMembers> DocumentTree::MembersOf(CDrawObj* object)
{
    auto* group = dynamic_cast<CDrawObjGroup*>(object);
    if (!group)
        return std::nullopt;
    GroupMembers members;
    members.group = group;
    for (const std::unique_ptr<CDrawObj>& child : group->m_children) {
        members.children.push_back(child.get());
        members.deleted.push_back(child && child->m_bDeleted);
    }
    return members;
}

bool DocumentTree::IsInside(const CDrawObj* inner, const CDrawObj* outer) const
{
    for (const CDrawObj* at = inner; at;) {
        if (at == outer)
            return true;
        std::optional<Location> location = Locate(at);
        at = location ? location->owner : nullptr;
    }
    return false;
}

bool DocumentTree::MoveTo(CDrawObj* object, const ObjectPlace& place)
{
    std::optional<Location> from = Locate(object);
    if (!from)
        return false;
    if (from->owner == place.owner)
        return true;
    if (place.owner && (!Locate(place.owner) || IsInside(place.owner, object)))
        return false;

    const bool wasLive = IsLiveInList(object);
    std::unique_ptr<CDrawObj> held = std::move((*from->slots)[from->index]);
    from->slots->erase(from->slots->begin() + std::ptrdiff_t(from->index));

    Slots& to = place.owner ? place.owner->m_children : m_document.m_objects;
    const size_t index = std::clamp<size_t>(place.index < 0 ? to.size() : size_t(place.index), 0, to.size());
    held->m_pDocument = &m_document;
    to.insert(to.begin() + std::ptrdiff_t(index), std::move(held));
    Settle(object, wasLive);
    m_document.SetModifiedFlag(true);
    return true;
}

void DocumentTree::SetDeleted(CDrawObj* object, bool deleted)
{
    if (!object || object->m_bDeleted == deleted)
        return;
    const bool wasLive = IsLiveInList(object);
    object->m_bDeleted = deleted;
    Settle(object, wasLive);
}

void DocumentTree::RestoreMembers(const GroupMembers& members)
{
    if (!members.group || !Locate(members.group))
        return;
    for (size_t i = 0; i < members.children.size(); ++i) {
        CDrawObj* child = members.children[i];
        if (!child || !MoveTo(child, ObjectPlace{members.group, int(i)}))
            continue;
        // Already in the group: put it at its recorded position.
        Slots& slots = members.group->m_children;
        auto it = std::find_if(slots.begin(), slots.end(), [child](const auto& e) { return e.get() == child; });
        const size_t at = size_t(it - slots.begin());
        const size_t target = std::min(i, slots.size() - 1);
        if (at != target) {
            std::unique_ptr<CDrawObj> held = std::move(*it);
            slots.erase(it);
            slots.insert(slots.begin() + std::ptrdiff_t(target), std::move(held));
        }
        SetDeleted(child, members.deleted[i]);
    }
}

void DocumentTree::Settle(CDrawObj* object, bool wasLive)
{
    const bool live = IsLiveInList(object);
    if (live == wasLive)
        return;
    FrameServices* frame = m_document.Frame();
    if (live) {
        ++m_document.m_nObjects;
        if (frame)
            frame->AddObject(object);
        return;
    }
    --m_document.m_nObjects;
    if (frame)
        frame->RemoveObject(object);
    for (ViewServices* view : m_document.GetViews()) {
        if (!view->IsSelected(object))
            continue;
        object->m_nJoinHandle = 0;
        std::erase(view->m_selection, object);
        if (frame)
            frame->RefreshSelectionInfo(view, true);
    }
}

} // namespace kelmora
