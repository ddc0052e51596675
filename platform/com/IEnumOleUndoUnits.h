#pragma once
// Walks a sequence of undo units, newest first.

#include "platform/com/HResult.h"
#include "platform/com/IOleUndoUnit.h"
#include "platform/com/Unknown.h"

#include <cstdint>

namespace kelmora {

class IEnumOleUndoUnits : public virtual IUnknown {
public:
    // Copies up to `count` units into `units`, each with a new reference the caller
    // releases, and advances past them. `fetched` receives the number copied and may be
    // null only when `count` is 1. S_OK when all `count` were copied, else S_FALSE.
    virtual HRESULT Next(uint32_t count, IOleUndoUnit** units, uint32_t* fetched) = 0;

    // Advances past `count` units: S_OK, or S_FALSE when fewer remained.
    virtual HRESULT Skip(uint32_t count) = 0;

    // Back to the first unit.
    virtual HRESULT Reset() = 0;

    // A new enumerator over the same units at the same position.
    virtual HRESULT Clone(IEnumOleUndoUnits** clone) = 0;
};

} // namespace kelmora
