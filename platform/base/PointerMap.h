#pragma once
// A map from pointers to small values, looked up far more often than it changes. Kept in
// one flat table with open addressing, so that a map over the tens of thousands of objects
// of a large drawing is filled with one allocation and asked without following links, as
// a paint asks for every object. Removal shifts the entries behind back into place, so the table never
// fills up with markers of removed entries.
//
// Null is never a key: it is not stored, found or removed. Values must be default
// constructible and movable. Pointers to values stay valid only until the next insertion
// or removal.

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelmora {

template <class K, class V>
class PointerMap {
public:
    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }

    // Room for `count` entries before the table has to grow.
    void reserve(size_t count)
    {
        if (2 * count > m_slots.size())
            Rehash(std::bit_ceil(2 * count));
    }

    // Forgets every entry and keeps the table.
    void clear()
    {
        if (m_count == 0)
            return;
        for (Slot& slot : m_slots)
            slot = Slot{};
        m_count = 0;
    }

    V* find(const K* key)
    {
        const size_t at = IndexOf(key);
        return at == kNone ? nullptr : &m_slots[at].value;
    }
    const V* find(const K* key) const
    {
        const size_t at = IndexOf(key);
        return at == kNone ? nullptr : &m_slots[at].value;
    }
    bool contains(const K* key) const { return IndexOf(key) != kNone; }

    // Adds the entry unless the key has one already, which keeps its value; false then,
    // and for a null key.
    bool insert(const K* key, V value)
    {
        if (!key)
            return false;
        const auto [at, added] = Claim(key);
        if (added)
            m_slots[at].value = std::move(value);
        return added;
    }

    // The key's value, default constructed when the key had none. The key is not null.
    V& operator[](const K* key)
    {
        assert(key);
        return m_slots[Claim(key).first].value;
    }

    // Drops the key's entry; false when it had none.
    bool erase(const K* key)
    {
        size_t hole = IndexOf(key);
        if (hole == kNone)
            return false;
        // Linear probing: each entry of the run after the hole moves into it unless its
        // own slot lies between the hole and where it stands, so that every entry stays
        // reachable from its own slot without crossing an empty one.
        const size_t mask = m_slots.size() - 1;
        for (size_t at = (hole + 1) & mask; m_slots[at].key; at = (at + 1) & mask) {
            const size_t home = Home(m_slots[at].key);
            const bool stays = hole <= at ? (hole < home && home <= at) : (hole < home || home <= at);
            if (stays)
                continue;
            m_slots[hole] = std::move(m_slots[at]);
            hole = at;
        }
        m_slots[hole] = Slot{};
        --m_count;
        return true;
    }

private:
    struct Slot {
        const K* key = nullptr;
        // An empty value (a set's) takes no room.
        [[no_unique_address]] V value{};
    };
    static constexpr size_t kNone = ~size_t(0);

    size_t IndexOf(const K* key) const
    {
        if (m_slots.empty() || !key)
            return kNone;
        const size_t mask = m_slots.size() - 1;
        for (size_t at = Home(key);; at = (at + 1) & mask) {
            if (m_slots[at].key == key)
                return at;
            if (!m_slots[at].key)
                return kNone;
        }
    }

    // The key's slot, found or taken in one probe (a taken one holds a default value),
    // and whether it was taken.
    std::pair<size_t, bool> Claim(const K* key)
    {
        // At most half full: a probe finds an empty slot within a few steps. The room is
        // made before the probe, whether or not the key is new.
        if (2 * (m_count + 1) > m_slots.size())
            Rehash(std::max<size_t>(16, 2 * m_slots.size()));
        const size_t mask = m_slots.size() - 1;
        size_t at = Home(key);
        for (; m_slots[at].key; at = (at + 1) & mask) {
            if (m_slots[at].key == key)
                return {at, false};
        }
        m_slots[at].key = key;
        ++m_count;
        return {at, true};
    }

    void Rehash(size_t slots)
    {
        std::vector<Slot> previous = std::exchange(m_slots, std::vector<Slot>(slots));
        const size_t mask = slots - 1;
        for (Slot& slot : previous) {
            if (!slot.key)
                continue;
            size_t at = Home(slot.key);
            while (m_slots[at].key)
                at = (at + 1) & mask;
            m_slots[at] = std::move(slot);
        }
    }

    size_t Home(const K* key) const
    {
        // Objects are aligned: the low bits say nothing; the product spreads the rest.
        const uint64_t mixed = (uint64_t(reinterpret_cast<uintptr_t>(key)) >> 4) * 0x9E3779B97F4A7C15ull;
        return size_t(mixed >> 32) & (m_slots.size() - 1);
    }

    std::vector<Slot> m_slots;
    size_t m_count = 0;
};

} // namespace kelmora
