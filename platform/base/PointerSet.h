#pragma once
// A set of pointers that is asked whether it holds a pointer and grows by insertion only:
// a PointerMap without values, so that a set of tens of thousands of objects is made with
// one allocation and asked without following links, as a paint does for every object, and
// an insertion of thousands of objects keeps no node per object.

#include "platform/base/PointerMap.h"

#include <cstddef>

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
        m_pointers.reserve(count);
        for (T* pointer : pointers)
            m_pointers.insert(pointer, {});
    }

    // An empty set with room for `count` pointers before it has to grow.
    static PointerSet WithRoom(size_t count)
    {
        PointerSet set;
        set.m_pointers.reserve(count);
        return set;
    }

    // Adds the pointer; false when the set held it already or it is null.
    bool insert(const T* pointer) { return m_pointers.insert(pointer, {}); }
    bool contains(const T* pointer) const { return m_pointers.contains(pointer); }

private:
    struct Nothing {};
    PointerMap<T, Nothing> m_pointers;
};

} // namespace kelmora
