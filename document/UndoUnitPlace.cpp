#include "document/UndoUnitPlace.h"

#include "document/DrawDoc.h"
#include "document/FrameServices.h"
#include "model/DrawObjGroup.h"
#include "model/ViewServices.h"

#include <algorithm>
#include <utility>

namespace kelmora {

DocumentTree::~DocumentTree()
{
    if (!m_leaving.empty())
        m_document.Deselect(m_leaving);
}

bool DocumentTree::HoldsAt(const Location& location, const CDrawObj* object)
{
    return location.index < location.slots->size() && (*location.slots)[location.index].get() == object;
}

template <class Visit>
void DocumentTree::VisitPlaces(Visit&& visit) const
{
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
            if (!visit(entry, Location{next.slots, next.owner, i}))
                return;
            if (auto* group = dynamic_cast<CDrawObjGroup*>(entry))
                pending.push_back({&group->m_children, group});
        }
    }
}

std::optional<DocumentTree::Location> DocumentTree::Locate(const CDrawObj* object) const
{
    if (!object)
        return std::nullopt;
    // A step over many objects asks for each: from the second question on, all places
    // are known at once.
    const auto index = [this] {
        m_places.clear();
        VisitPlaces([this](const CDrawObj* entry, const Location& location) {
            m_places.emplace(entry, location);
            return true;
        });
        m_placesIndexed = true;
    };
    if (!m_placesIndexed && ++m_lookups > 1)
        index();
    if (m_placesIndexed) {
        auto found = m_places.find(object);
        // A place that no longer holds the object means the list changed behind the
        // tree's back: everything is looked up again.
        if (found != m_places.end() && !HoldsAt(found->second, object)) {
            index();
            found = m_places.find(object);
        }
        return found == m_places.end() ? std::nullopt : std::optional<Location>(found->second);
    }
    std::optional<Location> found;
    VisitPlaces([&](const CDrawObj* entry, const Location& location) {
        if (entry == object)
            found = location;
        return !found;
    });
    return found;
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
    const std::optional<Location> location = Locate(object);
    return location && !location->owner;
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
    m_placesIndexed = false;
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
            m_placesIndexed = false;
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
        m_leaving.erase(object);
        return;
    }
    --m_document.m_nObjects;
    if (frame)
        frame->RemoveObject(object);
    m_leaving.insert(object);
}

} // namespace kelmora
