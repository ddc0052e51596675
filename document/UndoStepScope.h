#pragma once
// Where an object stands in its document, and the moves and flag changes through which
// undo units put objects back there.
//
// An object of a document is owned either by the document's list or by a group that is
// itself somewhere in the document (a child of a group). Grouping and ungrouping move
// objects between the two, so a unit that records an insertion or a removal also records
// where the object lived, and a group's members, so that performing it can put every
// object back into its owner at its position and no object is ever lost.
//
// Bookkeeping kept by every change made here: the document's live count m_nObjects counts
// the objects of its own list whose deleted flag is clear; the properties pane lists
// exactly those; an object that stops being one of them leaves every view's selection.
// The count therefore changes only when an object of the list flips its flag, or when a
// live object enters or leaves the list.

#include "model/OwnedObjectList.h"
#include "platform/base/PointerMap.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kelmora {

class CDrawDoc;
class CDrawObj;
class CDrawObjGroup;

// A position in an owner: the document's list (owner null) or a group's children.
struct ObjectPlace {
    CDrawObjGroup* owner = nullptr;
    int index = -1;

    friend bool operator==(const ObjectPlace&, const ObjectPlace&) = default;
};

// A group's children, in order, with their deleted flags, at the moment it was recorded.
struct GroupMembers {
    CDrawObjGroup* group = nullptr;
    std::vector<CDrawObj*> children;
    std::vector<bool> deleted;
};

// The record of an undo step under way: where each object of the document stands, as
// (owner, index) together with the owner's change count when it was seen there, and the
// objects that stopped being live during the step. Reached through UndoStepScope.
class UndoStepIndex {
public:
    explicit UndoStepIndex(CDrawDoc& document) : m_document(document) {}
    UndoStepIndex(const UndoStepIndex&) = delete;
    UndoStepIndex& operator=(const UndoStepIndex&) = delete;

    std::optional<ObjectPlace> Find(const CDrawObj* object) const;
    bool IsListed(const CDrawObj* object) const;
    bool IsLiveInList(const CDrawObj* object) const;
    void MoveAll(const std::vector<std::pair<CDrawObj*, ObjectPlace>>& moves);
    void SetDeleted(CDrawObj* object, bool deleted);
    void RestoreMembers(const GroupMembers& members);
    std::vector<std::unique_ptr<CDrawObj>> ReleaseLiveChildren(CDrawObjGroup* group);
    // Takes the objects that stopped being live out of the views' selections, once.
    void DeselectLeaving();
    // For the document: the objects now stand in its list from position `first` on, put
    // there by the list change after `changesBefore`; the entries they pushed back are
    // found again where they are.
    void Listed(const std::vector<CDrawObj*>& objects, size_t first, uint64_t changesBefore);

private:
    using Entries = std::vector<std::unique_ptr<CDrawObj>>;
    // A place as recorded: the owner (null: the document's list), the index in it, and
    // the owner's change count at the time. A place whose owner changed since is looked
    // for again in that owner before it is trusted.
    struct Location {
        CDrawObjGroup* owner = nullptr;
        size_t index = 0;
        uint64_t changes = 0;
    };
    // The owner's entries (null: the document's list), to look at; they change only
    // through the owner's operations (TakeAt, TakeWhere, PutAt), each raising its count.
    const Entries& EntriesOf(const CDrawObjGroup* owner) const;
    uint64_t ChangesOf(const CDrawObjGroup* owner) const;
    std::unique_ptr<CDrawObj> TakeAt(CDrawObjGroup* owner, size_t index);
    Entries TakeWhere(CDrawObjGroup* owner, const std::unordered_set<const CDrawObj*>& objects);
    std::vector<size_t> PutAt(CDrawObjGroup* owner, std::vector<OwnedObjectList::Placement> placements);
    std::optional<Location> Locate(const CDrawObj* object) const;
    // Records the places of all objects at once.
    void IndexPlaces() const;
    // Calls visit(object, location) for every object in the document, groups' children
    // included, until it returns false.
    template <class Visit>
    void VisitPlaces(Visit&& visit) const;
    bool HoldsAt(const Location& location, const CDrawObj* object) const;
    // Whether `inner` is `outer` or lies inside it.
    bool IsInside(const CDrawObj* inner, const CDrawObj* outer) const;
    // After a change that may have made the object live in the list or taken it away:
    // the count, the properties pane and the selections follow.
    void Settle(CDrawObj* object, bool wasLive);

    CDrawDoc& m_document;
    // The places of all objects, once a second object has been looked for; dropped by
    // moves of many objects and by the document's own list changes (counted as of
    // m_indexedChanges), kept by the move of one. Flat: a step over a large drawing
    // indexes tens of thousands and looks each of them up.
    mutable PointerMap<CDrawObj, Location> m_places;
    mutable bool m_placesIndexed = false;
    mutable int m_lookups = 0;
    mutable uint64_t m_indexedChanges = 0;
    // Objects that stopped being live, to leave the selections when the step finishes.
    std::unordered_set<const CDrawObj*> m_leaving;
};

// The scope of one undo step over a document (a command, an undo or redo with all its
// units, one object flagged): objects that stop being live leave the views' selections
// at Finish, in one pass, with one refresh of each view's selection display, however
// many objects the step touched. A scope opened while another is open on the same
// document joins that one's step: it works on the same record of places, and only the
// scope that opened the step ends it. So the units of one undo step look the objects up
// in one index.
//
// Whoever opens a scope calls Finish when the step is done, on every path; a joined
// scope's Finish does nothing. The destructor only drops the scope: a step left without
// Finish (an exception on its way out) leaves the selections as they are. A finished
// scope is not used again.
//
// While a step is open, the document's objects are moved only by the scope and by the
// owners' own operations (CDrawDoc::Add, Remove, InsertAfter, SetObjectZOrder, a group's
// children's operations), which raise the owner's change count that the step checks; an
// object that others shifted within its owner is looked for there again.
class UndoStepScope {
public:
    explicit UndoStepScope(CDrawDoc& document);
    UndoStepScope(const UndoStepScope&) = delete;
    UndoStepScope& operator=(const UndoStepScope&) = delete;
    ~UndoStepScope();

    // Ends the step when this scope opened it: the document no longer has a step open,
    // and the objects that stopped being live leave the views' selections.
    void Finish();

    // Where the object is owned in the document; nothing when it is in neither the list
    // nor any group in it (such an object is not the document's to move).
    std::optional<ObjectPlace> Find(const CDrawObj* object) const { return m_step->Find(object); }
    bool IsListed(const CDrawObj* object) const { return m_step->IsListed(object); }
    // One of the document's objects, live, in its own list.
    bool IsLiveInList(const CDrawObj* object) const { return m_step->IsLiveInList(object); }

    // The members of `object` when it is a group; nothing otherwise.
    static std::optional<GroupMembers> MembersOf(CDrawObj* object);

    // Puts each object back into its place's owner at the place's position (clamped to
    // the owner's size) when it is owned elsewhere now; an object already in that owner
    // stays where it is. The objects are first all taken from where they are, then put in
    // in the given order, each at its position in the owner as the ones before it left it.
    // An object not in the document, a target owner not in it or one that lies inside the
    // object itself is left out. One pass over each owner involved, however many move.
    void MoveAll(const std::vector<std::pair<CDrawObj*, ObjectPlace>>& moves) { m_step->MoveAll(moves); }
    // Sets the deleted flag, with the bookkeeping.
    void SetDeleted(CDrawObj* object, bool deleted) { m_step->SetDeleted(object, deleted); }
    // Makes the group hold exactly the recorded children again, in order and with their
    // recorded flags: each is taken from wherever it is in the document; children it
    // holds now that are not recorded stay, behind the recorded ones. One pass.
    void RestoreMembers(const GroupMembers& members) { m_step->RestoreMembers(members); }
    // Hands the group's children that are not flagged deleted to the caller, in order;
    // the flagged ones stay in the group, in theirs.
    std::vector<std::unique_ptr<CDrawObj>> ReleaseLiveChildren(CDrawObjGroup* group);

private:
    CDrawDoc& m_document;
    std::shared_ptr<UndoStepIndex> m_step;   // never null
    bool m_opened = false;                   // this scope opened the step
};

} // namespace kelmora
