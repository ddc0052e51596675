#pragma once
// OwnedObjectList: drawing objects in order, back (first) to front (last), owned by the
// list, with a count of the list's changes. The document's objects and a group's children
// are each one of these.
//
// The entries change only through the operations below, and each operation that adds,
// removes, moves or replaces entries raises Changes() exactly once; one that finds
// nothing to do leaves it. An index kept beside the list (an object's position, the ids,
// what was painted at each position) is therefore current exactly while it saw the same
// count. Readers get the entries as a const vector: they can look, not move.
//
// Entries may be null: the list holds what it is given and never looks into the objects.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace kelmora {

class CDrawObj;

class OwnedObjectList {
public:
    using Entry = std::unique_ptr<CDrawObj>;
    using Entries = std::vector<Entry>;
    // An entry to put in, and where (see PutAt); a negative position puts it at the end,
    // the front of the drawing.
    struct Placement {
        std::ptrdiff_t index = -1;
        Entry entry;
    };

    OwnedObjectList();
    ~OwnedObjectList();
    OwnedObjectList(const OwnedObjectList&) = delete;
    OwnedObjectList& operator=(const OwnedObjectList&) = delete;

    // ---- Reading
    const Entries& Items() const { return m_entries; }
    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    const Entry& operator[](size_t index) const { return m_entries[index]; }
    Entries::const_iterator begin() const { return m_entries.begin(); }
    Entries::const_iterator end() const { return m_entries.end(); }
    Entries::const_reverse_iterator rbegin() const { return m_entries.rbegin(); }
    Entries::const_reverse_iterator rend() const { return m_entries.rend(); }
    // Starts above 0, so that an index that was never made is never current.
    uint64_t Changes() const { return m_changes; }

    // ---- Changing
    void Append(Entry entry);
    // The entries, in their order, before the one at `index` (clamped to the size).
    void InsertAt(size_t index, Entries entries);
    // Unlinks the entry at `index` and hands it over; null when there is none.
    Entry TakeAt(size_t index);
    // Moves the entry at `from` so that it stands at `to` (clamped to the last position).
    void MoveTo(size_t from, size_t to);
    // Unlinks every entry for which `which` holds, in one pass; they come in list order,
    // and the others keep theirs.
    Entries TakeWhere(const std::function<bool(const CDrawObj*)>& which);
    // Puts the entries in, in the order given, each at its position clamped to the size
    // of the list when its turn comes; the position each went in at (a later entry may
    // push it further when the positions do not rise). When several rise, as restoring a
    // recorded order asks, that is one merge pass over the list; otherwise the entries go
    // in one by one.
    std::vector<size_t> PutAt(std::vector<Placement> placements);
    // Orders the entries by rising rank, those of equal rank keeping their order; one
    // call of `rank` per entry. Whether the order changed.
    bool OrderByRank(const std::function<size_t(const CDrawObj*)>& rank);
    // Unlinks every entry and hands them over, in order.
    Entries TakeAll();
    // Holds exactly `entries` from now on; the entries it held before, in order.
    Entries ReplaceAll(Entries entries);

private:
    void Changed() { ++m_changes; }

    Entries m_entries;
    uint64_t m_changes = 1;
};

} // namespace kelmora
