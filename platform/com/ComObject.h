#pragma once
// The reference count behind a concrete COM-style class.
//
//     class CUndoManager final : public ComObject<IOleUndoManager> { ... };
//
// A new object's count is 0; whoever creates it takes the first reference (usually by
// putting it into a ComPtr). Destructors of derived classes should be private or
// protected so that only Release can delete the object.

#include "platform/com/Unknown.h"

#include <cassert>
#include <cstdint>

namespace kelmora {

template <class... Interfaces>
class ComObject : public Interfaces... {
public:
    uint32_t AddRef() override { return ++m_refCount; }

    uint32_t Release() override
    {
        assert(m_refCount > 0 && "Release without a matching AddRef");
        uint32_t count = --m_refCount;
        if (count == 0)
            delete this;
        return count;
    }

protected:
    ComObject() = default;
    ~ComObject() override = default;

private:
    uint32_t m_refCount = 0;
};

} // namespace kelmora
