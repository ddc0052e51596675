#pragma once
// The enumerator the undo manager hands out for its stacks.

#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/IEnumOleUndoUnits.h"

#include <cstddef>
#include <vector>

namespace kelmora {

// Walks its own copy of a stack, taken when it was made, newest first: performing,
// adding or discarding units afterwards changes neither what it yields nor whether the
// units it yields are alive, since the copy holds a reference to each of them.
class CUndoUnitEnumerator final : public ComObject<IEnumOleUndoUnits> {
public:
    using Units = std::vector<ComPtr<IOleUndoUnit>>;

    // A new enumerator over `units` starting at `position`, handed out with one
    // reference through `out`. E_POINTER for a null `out`, E_OUTOFMEMORY when it cannot
    // be allocated (with *out null).
    static HRESULT Create(Units units, std::size_t position, IEnumOleUndoUnits** out);

    HRESULT Next(uint32_t count, IOleUndoUnit** units, uint32_t* fetched) override;
    HRESULT Skip(uint32_t count) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumOleUndoUnits** clone) override;

private:
    CUndoUnitEnumerator(Units units, std::size_t position);
    ~CUndoUnitEnumerator() override = default;

    Units m_units;
    std::size_t m_position;
};

} // namespace kelmora
