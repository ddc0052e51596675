#pragma once
// A set of pointers that is asked whether it holds a pointer and grows by insertion only.
// Kept in one flat table with open addressing, so that a set of tens of thousands of
// objects is made with one allocation and asked without following links, as a paint does
// for every object, and an insertion of thousands of objects keeps no node per object.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelmora {

template <class T>
class PointerSet {
public:
    PointerSet() = default;
    // The set of the pointers of the range; null ones are left out.
    template <class Range>
    explicit PointerSet(const Range& pointers)
    {
        size_t count = 0;
        for (T* pointer : pointers)
            count += pointer ? 1 : 0;
        if (count == 0)
            return;
        // At most half full: a probe finds an empty slot within a few steps.
        m_slots.assign(std::bit_ceil(2 * count), nullptr);
        for (T* pointer : pointers) {
            if (!pointer)
                continue;
            Put(pointer);
        }
    }

    // An empty set with room for `count` pointers before it has to grow.
    static PointerSet WithRoom(size_t count)
    {
        PointerSet set;
        if (count > 0)
            set.m_slots.assign(std::bit_ceil(2 * count), nullptr);
        return set;
    }

    // Adds the pointer; false when the set held it already or it is null.
    bool insert(const T* pointer)
    {
        if (!pointer)
            return false;
        if (2 * (m_count + 1) > m_slots.size()) {
            if (contains(pointer))
                return false;
            Grow();
        }
        return Put(pointer);
    }

    bool contains(const T* pointer) const
    {
        if (m_slots.empty() || !pointer)
            return false;
        for (size_t at = Slot(pointer);; at = (at + 1) & (m_slots.size() - 1)) {
            if (m_slots[at] == pointer)
                return true;
            if (!m_slots[at])
                return false;
        }
    }

private:
    // Puts the pointer into the table, which has room for it.
    bool Put(const T* pointer)
    {
        size_t at = Slot(pointer);
        while (m_slots[at]) {
            if (m_slots[at] == pointer)
                return false;
            at = (at + 1) & (m_slots.size() - 1);
        }
        m_slots[at] = pointer;
        ++m_count;
        return true;
    }

    void Grow()
    {
        const std::vector<const T*> previous =
            std::exchange(m_slots, std::vector<const T*>(std::max<size_t>(16, 2 * m_slots.size()), nullptr));
        m_count = 0;
        for (const T* pointer : previous) {
            if (pointer)
                Put(pointer);
        }
    }

    size_t Slot(const T* pointer) const
    {
        // Objects are aligned: the low bits say nothing; the product spreads the rest.
        const uint64_t mixed = (uint64_t(reinterpret_cast<uintptr_t>(pointer)) >> 4) * 0x9E3779B97F4A7C15ull;
        return size_t(mixed >> 32) & (m_slots.size() - 1);
    }

    std::vector<const T*> m_slots;
    size_t m_count = 0;
};

} // namespace kelmora
