#pragma once
// A set of pointers made once and then only asked: whether it holds a pointer. Kept in one
// flat table with open addressing, so that a set of tens of thousands of objects is made
// with one allocation and asked without following links, as a paint does for every object.

#include <bit>
#include <cstddef>
#include <cstdint>
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
            size_t at = Slot(pointer);
            while (m_slots[at] && m_slots[at] != pointer)
                at = (at + 1) & (m_slots.size() - 1);
            m_slots[at] = pointer;
        }
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
    size_t Slot(const T* pointer) const
    {
        // Objects are aligned: the low bits say nothing; the product spreads the rest.
        const uint64_t mixed = (uint64_t(reinterpret_cast<uintptr_t>(pointer)) >> 4) * 0x9E3779B97F4A7C15ull;
        return size_t(mixed >> 32) & (m_slots.size() - 1);
    }

    std::vector<const T*> m_slots;
};

} // namespace kelmora
