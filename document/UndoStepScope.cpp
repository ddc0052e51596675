#include "document/UndoStepScope.h"

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

UndoStepScope::UndoStepScope(CDrawDoc& document) : m_document(document)
{
    std::weak_ptr<UndoStepIndex>& open = document.OpenStep({});
    m_step = open.lock();
    if (!m_step) {
        m_step = std::make_shared<UndoStepIndex>(document);
        open = m_step;
        m_opened = true;
    }
}

UndoStepScope::~UndoStepScope()
{
    if (m_opened && m_document.OpenStep({}).lock() == m_step)
        m_document.OpenStep({}).reset();
}

void UndoStepScope::Finish()
{
    if (!m_opened)
        return;
    m_opened = false;
    if (m_document.OpenStep({}).lock() == m_step)
        m_document.OpenStep({}).reset();
    m_step->DeselectLeaving();
}

std::vector<std::unique_ptr<CDrawObj>> UndoStepScope::ReleaseLiveChildren(CDrawObjGroup* group)
{
    return m_step->ReleaseLiveChildren(group);
}

void UndoStepIndex::DeselectLeaving()
{
    if (m_leaving.empty())
        return;
    const std::unordered_set<const CDrawObj*> leaving = std::exchange(m_leaving, {});
    m_document.Deselect(leaving);
}

const UndoStepIndex::Entries& UndoStepIndex::EntriesOf(const CDrawObjGroup* owner) const
{
    return owner ? owner->Children() : m_document.Objects();
}

uint64_t UndoStepIndex::ChangesOf(const CDrawObjGroup* owner) const
{
    return owner ? owner->ChildChanges() : m_document.ListChanges();
}

std::unique_ptr<CDrawObj> UndoStepIndex::TakeAt(CDrawObjGroup* owner, size_t index)
{
    return owner ? owner->TakeChildAt(index) : m_document.TakeAtForStep({}, index);
}

UndoStepIndex::Entries UndoStepIndex::TakeWhere(CDrawObjGroup* owner, const std::unordered_set<const CDrawObj*>& objects)
{
    const auto which = [&objects](const CDrawObj* entry) { return objects.contains(entry); };
    return owner ? owner->TakeChildrenWhere(which) : m_document.TakeWhereForStep({}, which);
}

std::vector<size_t> UndoStepIndex::PutAt(CDrawObjGroup* owner, std::vector<OwnedObjectList::Placement> placements)
{
    return owner ? owner->PutChildrenAt(std::move(placements)) : m_document.PutAtForStep({}, std::move(placements));
}

bool UndoStepIndex::HoldsAt(const Location& location, const CDrawObj* object) const
{
    const Entries& slots = EntriesOf(location.owner);
    return location.index < slots.size() && slots[location.index].get() == object;
}

template <class Visit>
void UndoStepIndex::VisitPlaces(Visit&& visit) const
{
    // Depth first over the list and every group in it, without recursion: nesting is
    // whatever editing built.
    std::vector<CDrawObjGroup*> pending{nullptr};
    while (!pending.empty()) {
        CDrawObjGroup* const owner = pending.back();
        pending.pop_back();
        const Entries& slots = EntriesOf(owner);
        const uint64_t changes = ChangesOf(owner);
        for (size_t i = 0; i < slots.size(); ++i) {
            CDrawObj* entry = slots[i].get();
            if (!visit(entry, Location{owner, i, changes}))
                return;
            if (auto* group = dynamic_cast<CDrawObjGroup*>(entry))
                pending.push_back(group);
        }
    }
}

void UndoStepIndex::IndexPlaces() const
{
    m_places.clear();
    // Room for the list at least: a step over a large drawing indexes tens of thousands.
    m_places.reserve(m_document.Objects().size());
    VisitPlaces([this](const CDrawObj* entry, const Location& location) {
        m_places.insert(entry, location);
        return true;
    });
    m_placesIndexed = true;
    m_indexedChanges = m_document.ListChanges();
}

void UndoStepIndex::Listed(const std::vector<CDrawObj*>& objects, size_t first, uint64_t changesBefore)
{
    if (!m_placesIndexed || m_indexedChanges != changesBefore)
        return;
    for (size_t i = 0; i < objects.size(); ++i)
        m_places[objects[i]] = Location{nullptr, first + i, m_document.ListChanges()};
    m_indexedChanges = m_document.ListChanges();
}

std::optional<UndoStepIndex::Location> UndoStepIndex::Locate(const CDrawObj* object) const
{
    if (!object)
        return std::nullopt;
    // A step over many objects asks for each: from the second question on, all places
    // are known at once.
    if (!m_placesIndexed && ++m_lookups > 1)
        IndexPlaces();
    if (m_placesIndexed) {
        if (m_indexedChanges != m_document.ListChanges())
            IndexPlaces();
        Location* found = m_places.find(object);
        if (found && (found->changes != ChangesOf(found->owner) || !HoldsAt(*found, object))) {
            // Its owner changed since: where it was seen is checked, then it is looked for
            // in that owner, and everywhere only when it left.
            Location& place = *found;
            const Entries& slots = EntriesOf(place.owner);
            const auto at = HoldsAt(place, object)
                ? slots.begin() + std::ptrdiff_t(place.index)
                : std::find_if(slots.begin(), slots.end(), [object](const auto& e) { return e.get() == object; });
            if (at != slots.end()) {
                place.index = size_t(at - slots.begin());
                place.changes = ChangesOf(place.owner);
            } else {
                IndexPlaces();
                found = m_places.find(object);
            }
        }
        return found ? std::optional<Location>(*found) : std::nullopt;
    }
    std::optional<Location> found;
    VisitPlaces([&](const CDrawObj* entry, const Location& location) {
        if (entry == object)
            found = location;
        return !found;
    });
    return found;
}

std::optional<ObjectPlace> UndoStepIndex::Find(const CDrawObj* object) const
{
    std::optional<Location> location = Locate(object);
    if (!location)
        return std::nullopt;
    return ObjectPlace{location->owner, int(location->index)};
}

bool UndoStepIndex::IsListed(const CDrawObj* object) const
{
    const std::optional<Location> location = Locate(object);
    return location && !location->owner;
}

bool UndoStepIndex::IsLiveInList(const CDrawObj* object) const
{
    return IsListed(object) && !object->m_bDeleted;
}

std::optional<GroupMembers> UndoStepScope::MembersOf(CDrawObj* object)
{
    auto* group = dynamic_cast<CDrawObjGroup*>(object);
    if (!group)
        return std::nullopt;
    GroupMembers members;
    members.group = group;
    for (const std::unique_ptr<CDrawObj>& child : group->Children()) {
        members.children.push_back(child.get());
        members.deleted.push_back(child && child->m_bDeleted);
    }
    return members;
}

bool UndoStepIndex::IsInside(const CDrawObj* inner, const CDrawObj* outer) const
{
    for (const CDrawObj* at = inner; at;) {
        if (at == outer)
            return true;
        std::optional<Location> location = Locate(at);
        at = location ? location->owner : nullptr;
    }
    return false;
}

void UndoStepIndex::MoveAll(const std::vector<std::pair<CDrawObj*, ObjectPlace>>& moves)
{
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
    std::unordered_map<CDrawObjGroup*, Leaving> leaving;
    for (const auto& [object, place] : moves) {
        const std::optional<Location> from = Locate(object);
        if (!from || from->owner == place.owner)
            continue;
        if (place.owner && (!Locate(place.owner) || IsInside(place.owner, object)))
            continue;
        Leaving& out = leaving[from->owner];
        if (!out.objects.insert(object).second)
            continue;
        out.indexes.push_back(from->index);
        accepted.push_back(Move{object, place, IsLiveInList(object), nullptr, 0});
    }
    if (accepted.empty())
        return;

    // Whether the record of places saw the document's list as it is before the moves: the
    // moves below keep it current.
    const bool current = m_placesIndexed && m_indexedChanges == m_document.ListChanges();
    std::unordered_map<const CDrawObj*, std::unique_ptr<CDrawObj>> taken;
    for (auto& [owner, out] : leaving) {
        if (out.objects.size() <= kFew) {
            std::sort(out.indexes.begin(), out.indexes.end(), std::greater<>());
            for (size_t index : out.indexes) {
                std::unique_ptr<CDrawObj> entry = TakeAt(owner, index);
                CDrawObj* const raw = entry.get();
                taken.emplace(raw, std::move(entry));
            }
            continue;
        }
        for (std::unique_ptr<CDrawObj>& entry : TakeWhere(owner, out.objects)) {
            CDrawObj* const raw = entry.get();
            taken.emplace(raw, std::move(entry));
        }
    }

    // Into every owner in one pass each, when the positions asked of it rise (as restoring
    // a recorded order asks); otherwise one by one.
    std::unordered_map<CDrawObjGroup*, std::vector<Move*>> arriving;
    std::vector<CDrawObjGroup*> owners;
    for (Move& move : accepted) {
        move.held = std::move(taken[move.object]);
        move.held->m_pDocument = &m_document;
        std::vector<Move*>& into = arriving[move.place.owner];
        if (into.empty())
            owners.push_back(move.place.owner);
        into.push_back(&move);
    }
    for (CDrawObjGroup* owner : owners) {
        const std::vector<Move*>& into = arriving[owner];
        std::vector<OwnedObjectList::Placement> placements;
        placements.reserve(into.size());
        for (Move* move : into)
            placements.push_back({move->place.index, std::move(move->held)});
        const std::vector<size_t> at = PutAt(owner, std::move(placements));
        for (size_t i = 0; i < into.size(); ++i)
            into[i]->at = at[i];
    }
    // Every owner's count rose with its changes; the record of places follows the
    // document's list through them.
    if (current)
        m_indexedChanges = m_document.ListChanges();
    if (accepted.size() <= kFew && m_placesIndexed) {
        for (const Move& move : accepted) {
            m_places[move.object] = Location{move.place.owner, move.at, ChangesOf(move.place.owner)};
        }
    } else {
        m_placesIndexed = false;
    }
    for (const Move& move : accepted)
        Settle(move.object, move.wasLive);
    m_document.SetModifiedFlag(true);
}

void UndoStepIndex::SetDeleted(CDrawObj* object, bool deleted)
{
    if (!object || object->m_bDeleted == deleted)
        return;
    const bool wasLive = IsLiveInList(object);
    object->m_bDeleted = deleted;
    Settle(object, wasLive);
}

void UndoStepIndex::RestoreMembers(const GroupMembers& members)
{
    if (!members.group || !Locate(members.group))
        return;
    std::vector<std::pair<CDrawObj*, ObjectPlace>> moves;
    for (size_t i = 0; i < members.children.size(); ++i) {
        if (members.children[i])
            moves.emplace_back(members.children[i], ObjectPlace{members.group, int(i)});
    }
    MoveAll(moves);

    // The recorded children the group holds now, in their order, then the others.
    std::unordered_map<const CDrawObj*, size_t> recorded;
    for (size_t i = 0; i < members.children.size(); ++i) {
        if (members.children[i])
            recorded.emplace(members.children[i], i);
    }
    const size_t unrecorded = members.children.size();
    const auto rank = [&recorded, unrecorded](const CDrawObj* entry) {
        const auto found = recorded.find(entry);
        return found == recorded.end() ? unrecorded : found->second;
    };
    if (members.group->OrderChildrenByRank(rank))
        m_placesIndexed = false;
    for (const std::unique_ptr<CDrawObj>& entry : members.group->Children()) {
        const auto found = recorded.find(entry.get());
        if (found != recorded.end())
            SetDeleted(entry.get(), members.deleted[found->second]);
    }
}

std::vector<std::unique_ptr<CDrawObj>> UndoStepIndex::ReleaseLiveChildren(CDrawObjGroup* group)
{
    std::vector<std::unique_ptr<CDrawObj>> released;
    if (!group)
        return released;
    released = group->TakeChildrenWhere([](const CDrawObj* entry) { return entry && !entry->m_bDeleted; });
    for (const std::unique_ptr<CDrawObj>& entry : released)
        m_places.erase(entry.get());
    return released;
}

void UndoStepIndex::Settle(CDrawObj* object, bool wasLive)
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
