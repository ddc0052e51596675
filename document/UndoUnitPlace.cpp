#include "document/UndoUnitPlace.h"

#include "document/DrawDoc.h"
#include "document/FrameServices.h"
#include "model/DrawObjGroup.h"
#include "model/ViewServices.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <unordered_map>
#include <utility>

namespace kelmora {

DocumentTree::DocumentTree(CDrawDoc& document) : m_document(document)
{
    if (document.m_pOpenTree)
        m_root = document.m_pOpenTree;
    else
        document.m_pOpenTree = this;
}

DocumentTree::~DocumentTree()
{
    if (m_root != this)
        return;
    m_document.m_pOpenTree = nullptr;
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
    std::vector<Pending> pending{{&m_document.SlotsForMoves(), nullptr}};
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

void DocumentTree::IndexPlaces() const
{
    m_places.clear();
    VisitPlaces([this](const CDrawObj* entry, const Location& location) {
        m_places.emplace(entry, location);
        return true;
    });
    m_placesIndexed = true;
    m_indexedChanges = m_document.m_listChanges;
}

void DocumentTree::Listed(const std::vector<CDrawObj*>& objects, size_t first, uint64_t changesBefore)
{
    if (!m_placesIndexed || m_indexedChanges != changesBefore)
        return;
    for (size_t i = 0; i < objects.size(); ++i)
        m_places[objects[i]] = Location{&m_document.SlotsForMoves(), nullptr, first + i};
    m_indexedChanges = m_document.m_listChanges;
}

std::optional<DocumentTree::Location> DocumentTree::Locate(const CDrawObj* object) const
{
    if (!object)
        return std::nullopt;
    // A step over many objects asks for each: from the second question on, all places
    // are known at once.
    if (!m_placesIndexed && ++m_lookups > 1)
        IndexPlaces();
    if (m_placesIndexed) {
        if (m_indexedChanges != m_document.m_listChanges)
            IndexPlaces();
        auto found = m_places.find(object);
        if (found != m_places.end() && !HoldsAt(found->second, object)) {
            // Moves of others shifted it within its owner: it is looked for there first,
            // everywhere only when it left.
            Slots& slots = *found->second.slots;
            const auto at = std::find_if(slots.begin(), slots.end(), [object](const auto& e) { return e.get() == object; });
            if (at != slots.end()) {
                found->second.index = size_t(at - slots.begin());
            } else {
                IndexPlaces();
                found = m_places.find(object);
            }
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
    if (m_root != this)
        return m_root->Find(object);
    std::optional<Location> location = Locate(object);
    if (!location)
        return std::nullopt;
    return ObjectPlace{location->owner, int(location->index)};
}

bool DocumentTree::IsListed(const CDrawObj* object) const
{
    if (m_root != this)
        return m_root->IsListed(object);
    const std::optional<Location> location = Locate(object);
    return location && !location->owner;
}

bool DocumentTree::IsLiveInList(const CDrawObj* object) const
{
    if (m_root != this)
        return m_root->IsLiveInList(object);
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

void DocumentTree::MoveAll(const std::vector<std::pair<CDrawObj*, ObjectPlace>>& moves)
{
    if (m_root != this)
        return m_root->MoveAll(moves);
    if (moves.empty())
        return;
    if (moves.size() > 1 && !m_placesIndexed)
        IndexPlaces();
    struct Move {
        CDrawObj* object;
        ObjectPlace place;
        bool wasLive;
        std::unique_ptr<CDrawObj> held;
        size_t at = 0;   // where it was put
    };
    std::vector<Move> accepted;
    // A move of this many objects or fewer (as an undo step of many small units makes) is
    // done where they stand, and keeps the record of places: the moved objects' own places
    // are known and the others they shifted are found again where they are. More are
    // taken out in one pass over each owner and looked up again afterwards.
    constexpr size_t kFew = 16;
    // What leaves each owner, and where it stands there.
    struct Leaving {
        std::unordered_set<const CDrawObj*> objects;
        std::vector<size_t> indexes;
    };
    std::unordered_map<Slots*, Leaving> leaving;
    for (const auto& [object, place] : moves) {
        const std::optional<Location> from = Locate(object);
        if (!from || from->owner == place.owner)
            continue;
        if (place.owner && (!Locate(place.owner) || IsInside(place.owner, object)))
            continue;
        Leaving& out = leaving[from->slots];
        if (!out.objects.insert(object).second)
            continue;
        out.indexes.push_back(from->index);
        accepted.push_back(Move{object, place, IsLiveInList(object), nullptr, 0});
    }
    if (accepted.empty())
        return;

    std::unordered_map<const CDrawObj*, std::unique_ptr<CDrawObj>> taken;
    for (auto& [slots, out] : leaving) {
        if (out.objects.size() <= kFew) {
            std::sort(out.indexes.begin(), out.indexes.end(), std::greater<>());
            for (size_t index : out.indexes) {
                const auto at = slots->begin() + std::ptrdiff_t(index);
                taken.emplace(at->get(), std::move(*at));
                slots->erase(at);
            }
            continue;
        }
        size_t kept = 0;
        for (std::unique_ptr<CDrawObj>& entry : *slots) {
            if (out.objects.contains(entry.get()))
                taken.emplace(entry.get(), std::move(entry));
            else
                (*slots)[kept++] = std::move(entry);
        }
        slots->resize(kept);
    }

    // Into every owner in one pass each, when the positions asked of it rise (as restoring
    // a recorded order asks); otherwise one by one.
    std::unordered_map<Slots*, std::vector<Move*>> arriving;
    std::vector<Slots*> owners;
    for (Move& move : accepted) {
        move.held = std::move(taken[move.object]);
        move.held->m_pDocument = &m_document;
        Slots* to = move.place.owner ? &move.place.owner->m_children : &m_document.SlotsForMoves();
        std::vector<Move*>& into = arriving[to];
        if (into.empty())
            owners.push_back(to);
        into.push_back(&move);
    }
    for (Slots* to : owners) {
        const std::vector<Move*>& into = arriving[to];
        const bool rising = std::adjacent_find(into.begin(), into.end(), [](const Move* a, const Move* b) {
                                return a->place.index < 0 || b->place.index <= a->place.index;
                            }) == into.end() && into.back()->place.index >= 0;
        if (!rising) {
            for (Move* move : into) {
                const size_t size = to->size();
                move->at = move->place.index < 0 ? size : std::min(size_t(move->place.index), size);
                to->insert(to->begin() + std::ptrdiff_t(move->at), std::move(move->held));
            }
            continue;
        }
        Slots merged;
        merged.reserve(to->size() + into.size());
        auto next = to->begin();
        for (Move* move : into) {
            while (merged.size() < size_t(move->place.index) && next != to->end())
                merged.push_back(std::move(*next++));
            move->at = merged.size();
            merged.push_back(std::move(move->held));
        }
        std::move(next, to->end(), std::back_inserter(merged));
        *to = std::move(merged);
    }
    // The document's list changed when anything left it or came into it: its ids may have
    // changed too (an object in another's place leaves its length and ends as they were).
    Slots* const list = &m_document.SlotsForMoves();
    if (leaving.contains(list) || arriving.contains(list)) {
        const bool current = m_placesIndexed && m_indexedChanges == m_document.m_listChanges;
        m_document.ListChanged();
        if (current)
            m_indexedChanges = m_document.m_listChanges;
    }
    if (accepted.size() <= kFew && m_placesIndexed) {
        for (const Move& move : accepted) {
            Slots* to = move.place.owner ? &move.place.owner->m_children : &m_document.SlotsForMoves();
            m_places[move.object] = Location{to, move.place.owner, move.at};
        }
    } else {
        m_placesIndexed = false;
    }
    for (const Move& move : accepted)
        Settle(move.object, move.wasLive);
    m_document.SetModifiedFlag(true);
}

void DocumentTree::SetDeleted(CDrawObj* object, bool deleted)
{
    if (m_root != this)
        return m_root->SetDeleted(object, deleted);
    if (!object || object->m_bDeleted == deleted)
        return;
    const bool wasLive = IsLiveInList(object);
    object->m_bDeleted = deleted;
    Settle(object, wasLive);
}

void DocumentTree::RestoreMembers(const GroupMembers& members)
{
    if (m_root != this)
        return m_root->RestoreMembers(members);
    if (!members.group || !Locate(members.group))
        return;
    std::vector<std::pair<CDrawObj*, ObjectPlace>> moves;
    for (size_t i = 0; i < members.children.size(); ++i) {
        if (members.children[i])
            moves.emplace_back(members.children[i], ObjectPlace{members.group, int(i)});
    }
    MoveAll(moves);

    // The recorded children the group holds now, in their order, then the others.
    Slots& slots = members.group->m_children;
    std::unordered_map<const CDrawObj*, size_t> recorded;
    for (size_t i = 0; i < members.children.size(); ++i) {
        if (members.children[i])
            recorded.emplace(members.children[i], i);
    }
    const size_t unrecorded = members.children.size();
    const auto rank = [&recorded, unrecorded](const std::unique_ptr<CDrawObj>& entry) {
        const auto found = recorded.find(entry.get());
        return found == recorded.end() ? unrecorded : found->second;
    };
    if (!std::is_sorted(slots.begin(), slots.end(), [&rank](const auto& a, const auto& b) { return rank(a) < rank(b); })) {
        std::stable_sort(slots.begin(), slots.end(), [&rank](const auto& a, const auto& b) { return rank(a) < rank(b); });
        m_placesIndexed = false;
    }
    for (const std::unique_ptr<CDrawObj>& entry : slots) {
        const auto found = recorded.find(entry.get());
        if (found != recorded.end())
            SetDeleted(entry.get(), members.deleted[found->second]);
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
