#pragma once
// How an undo manager or a parent unit recognises a unit among the ones it holds.

#include "platform/com/IOleUndoUnit.h"

namespace kelmora {

// True when `entry` is the same object as `unit`, or when `entry` is a parent unit
// whose FindUnit finds `unit` among its children. A null `unit` matches nothing but a
// null `entry`.
bool UndoUnitMatches(IOleUndoUnit* entry, IOleUndoUnit* unit);

} // namespace kelmora
