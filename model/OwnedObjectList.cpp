#include "model/OwnedObjectList.h"

#include "model/DrawObj.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <utility>

namespace kelmora {

OwnedObjectList::OwnedObjectList() = default;
OwnedObjectList::~OwnedObjectList() = default;

void OwnedObjectList::Append(Entry entry)
{
    m_entries.push_back(std::move(entry));
    Changed();
}

void OwnedObjectList::InsertAt(size_t index, Entries entries)
{
    if (entries.empty())
        return;
    const auto at = m_entries.begin() + std::ptrdiff_t(std::min(index, m_entries.size()));
    m_entries.insert(at, std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
    Changed();
}

OwnedObjectList::Entry OwnedObjectList::TakeAt(size_t index)
{
    if (index >= m_entries.size())
        return nullptr;
    Entry taken = std::move(m_entries[index]);
    m_entries.erase(m_entries.begin() + std::ptrdiff_t(index));
    Changed();
    return taken;
}

void OwnedObjectList::MoveTo(size_t from, size_t to)
{
    if (from >= m_entries.size())
        return;
    to = std::min(to, m_entries.size() - 1);
    if (from == to)
        return;
    // The entries between the two places shift by one towards `from`.
    const auto first = m_entries.begin();
    if (from < to)
        std::rotate(first + std::ptrdiff_t(from), first + std::ptrdiff_t(from) + 1, first + std::ptrdiff_t(to) + 1);
    else
        std::rotate(first + std::ptrdiff_t(to), first + std::ptrdiff_t(from), first + std::ptrdiff_t(from) + 1);
    Changed();
}

OwnedObjectList::Entries OwnedObjectList::TakeWhere(const std::function<bool(const CDrawObj*)>& which)
{
    Entries taken;
    size_t kept = 0;
    for (Entry& entry : m_entries) {
        if (which(entry.get()))
            taken.push_back(std::move(entry));
        else
            m_entries[kept++] = std::move(entry);
    }
    m_entries.resize(kept);
    if (!taken.empty())
        Changed();
    return taken;
}

std::vector<size_t> OwnedObjectList::PutAt(std::vector<Placement> placements)
{
    std::vector<size_t> at(placements.size());
    if (placements.empty())
        return at;
    const bool rising = placements.front().index >= 0
        && std::adjacent_find(placements.begin(), placements.end(), [](const Placement& a, const Placement& b) {
               return b.index <= a.index;
           }) == placements.end();
    // A lone entry goes in where it belongs: that moves only the entries behind it, in
    // place, where a merge would move every entry into a new array (an undo step of many
    // one-object units puts each in on its own).
    if (!rising || placements.size() == 1) {
        for (size_t i = 0; i < placements.size(); ++i) {
            const size_t size = m_entries.size();
            const std::ptrdiff_t index = placements[i].index;
            at[i] = index < 0 ? size : std::min(size_t(index), size);
            m_entries.insert(m_entries.begin() + std::ptrdiff_t(at[i]), std::move(placements[i].entry));
        }
        Changed();
        return at;
    }
    // Rising positions: the list is dealt out once, each entry going in where the ones
    // before it left room, which is where inserting them one by one would put it.
    Entries merged;
    merged.reserve(m_entries.size() + placements.size());
    auto next = m_entries.begin();
    for (size_t i = 0; i < placements.size(); ++i) {
        while (merged.size() < size_t(placements[i].index) && next != m_entries.end())
            merged.push_back(std::move(*next++));
        at[i] = merged.size();
        merged.push_back(std::move(placements[i].entry));
    }
    std::move(next, m_entries.end(), std::back_inserter(merged));
    m_entries = std::move(merged);
    Changed();
    return at;
}

bool OwnedObjectList::OrderByRank(const std::function<size_t(const CDrawObj*)>& rank)
{
    std::vector<size_t> ranks(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i)
        ranks[i] = rank(m_entries[i].get());
    if (std::is_sorted(ranks.begin(), ranks.end()))
        return false;
    std::vector<size_t> order(m_entries.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&ranks](size_t a, size_t b) { return ranks[a] < ranks[b]; });
    Entries sorted;
    sorted.reserve(m_entries.size());
    for (size_t i : order)
        sorted.push_back(std::move(m_entries[i]));
    m_entries = std::move(sorted);
    Changed();
    return true;
}

OwnedObjectList::Entries OwnedObjectList::TakeAll()
{
    if (m_entries.empty())
        return {};
    Changed();
    return std::exchange(m_entries, {});
}

OwnedObjectList::Entries OwnedObjectList::ReplaceAll(Entries entries)
{
    if (m_entries.empty() && entries.empty())
        return {};
    Changed();
    return std::exchange(m_entries, std::move(entries));
}

} // namespace kelmora
