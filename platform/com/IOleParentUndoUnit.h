#pragma once
// An undo unit that collects other units while it is open, so that several steps are
// undone and redone as one.

#include "platform/com/IOleUndoUnit.h"

#include <cstdint>

namespace kelmora {

// Parent states, as GetParentState and the manager's GetOpenParentState report them.
inline constexpr uint32_t UAS_NORMAL = 0;
inline constexpr uint32_t UAS_BLOCKED = 1;
inline constexpr uint32_t UAS_NOPARENTENABLE = 2;
inline constexpr uint32_t UAS_MASK = 3;

class IOleParentUndoUnit : public IOleUndoUnit {
public:
    // Opens `parent` inside this unit, or inside the innermost parent already open in it.
    virtual HRESULT Open(IOleParentUndoUnit* parent) = 0;

    // Closes the innermost open parent. S_FALSE when nothing is open inside this unit
    // (the caller is then the one to close this unit); S_OK when a nested parent was
    // closed; E_INVALIDARG when `parent` is not the innermost open one. With commit the
    // closed parent is kept as a child, without it the parent is dropped.
    virtual HRESULT Close(IOleParentUndoUnit* parent, bool commit) = 0;

    // Adds `unit` to the innermost open parent, or to this unit's own children.
    virtual HRESULT Add(IOleUndoUnit* unit) = 0;

    // S_OK when `unit` is one of this unit's children or is found inside a child that
    // is itself a parent; S_FALSE otherwise.
    virtual HRESULT FindUnit(IOleUndoUnit* unit) = 0;

    // One of the UAS_ states.
    virtual HRESULT GetParentState(uint32_t* state) = 0;
};

} // namespace kelmora
