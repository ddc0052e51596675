#pragma once
// Keeps the undo and redo stacks of one document and the parent unit that is open.

#include "platform/com/HResult.h"
#include "platform/com/IEnumOleUndoUnits.h"
#include "platform/com/IOleParentUndoUnit.h"
#include "platform/com/IOleUndoUnit.h"
#include "platform/com/Unknown.h"

#include <cstdint>
#include <string>

namespace kelmora {

class IOleUndoManager : public virtual IUnknown {
public:
    // Opens a parent unit; units added until it is closed go into it.
    virtual HRESULT Open(IOleParentUndoUnit* parent) = 0;

    // Closes the innermost open parent; with commit, an outermost parent is filed.
    virtual HRESULT Close(IOleParentUndoUnit* parent, bool commit) = 0;

    // Files a unit (or adds it to the open parent).
    virtual HRESULT Add(IOleUndoUnit* unit) = 0;

    // The open parent's state (UAS_ values); S_FALSE when no parent is open.
    virtual HRESULT GetOpenParentState(uint32_t* state) = 0;

    // Discards `unit` and every older unit of the stack that holds it.
    virtual HRESULT DiscardFrom(IOleUndoUnit* unit) = 0;

    // Performs the undo units from the newest down to and including `unit`; null
    // performs the newest one only. RedoTo is the same on the redo stack.
    virtual HRESULT UndoTo(IOleUndoUnit* unit) = 0;
    virtual HRESULT RedoTo(IOleUndoUnit* unit) = 0;

    // Enumerators over the stacks, newest first.
    virtual HRESULT EnumUndoable(IEnumOleUndoUnits** enumerator) = 0;
    virtual HRESULT EnumRedoable(IEnumOleUndoUnits** enumerator) = 0;

    // The description of the newest unit of a stack.
    virtual HRESULT GetLastUndoDescription(std::string* description) = 0;
    virtual HRESULT GetLastRedoDescription(std::string* description) = 0;

    virtual HRESULT Enable(bool enable) = 0;
};

} // namespace kelmora
