#include "platform/com/UndoUnitMatch.h"

#include "platform/com/IOleParentUndoUnit.h"

namespace kelmora {

bool UndoUnitMatches(IOleUndoUnit* entry, IOleUndoUnit* unit)
{
    if (IsSameObject(entry, unit))
        return true;
    if (entry == nullptr || unit == nullptr)
        return false;
    auto* parent = dynamic_cast<IOleParentUndoUnit*>(entry);
    return parent != nullptr && parent->FindUnit(unit) == S_OK;
}

} // namespace kelmora
