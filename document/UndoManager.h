#pragma once
// The document's undo manager: an undo stack, a redo stack and at most one open parent
// unit that collects the units of a group while the group is open.
//
// A unit files its inverse with Add while it is performed; the manager's mode decides
// where that inverse lands: while undoing on the redo stack, while redoing on the undo
// stack, and otherwise (a new edit) on the undo stack, which also empties the redo
// stack. The stacks have no depth limit. Every stack entry and the open parent hold one
// reference to their unit.
//
// Results:
//   Open      S_OK; E_POINTER for a null parent; with a parent open, that parent's Open.
//   Close     S_FALSE when nothing is open; E_INVALIDARG when `parent` is not the
//             innermost open parent (it stays open); S_OK otherwise. Committing the
//             outermost parent files it; closing without commit drops it.
//   Add       S_OK; E_INVALIDARG for a null unit; with a parent open, that parent's Add.
//   UndoTo    E_UNEXPECTED while a parent is open or while units are being performed;
//   RedoTo    E_INVALIDARG for an empty stack or a unit that is not on it; otherwise
//             the code of the last unit that failed (E_ABORT reported as E_FAIL), or,
//             for a null unit, the newest unit's code. Performed units leave the stack
//             even when they fail.
//   DiscardFrom  E_INVALIDARG when the unit is on neither stack. Null discards the
//             open parent and both stacks.
//   Out-pointers that are null give E_POINTER.
// While disabled (Enable(false)): Open, Close and Add do nothing and answer S_OK,
// UndoTo, RedoTo and DiscardFrom answer E_UNEXPECTED, GetOpenParentState reports
// UAS_BLOCKED, the description getters clear their text and answer E_UNEXPECTED.
//
// Single-threaded, like every COM-style object here.

#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/IOleUndoManager.h"

#include <cstddef>
#include <deque>
#include <optional>

namespace kelmora {

class CUndoManager final : public ComObject<IOleUndoManager> {
public:
    // A new, enabled manager with empty stacks.
    static ComPtr<CUndoManager> Create();

    HRESULT Open(IOleParentUndoUnit* parent) override;
    HRESULT Close(IOleParentUndoUnit* parent, bool commit) override;
    HRESULT Add(IOleUndoUnit* unit) override;
    HRESULT GetOpenParentState(uint32_t* state) override;
    HRESULT DiscardFrom(IOleUndoUnit* unit) override;
    HRESULT UndoTo(IOleUndoUnit* unit) override;
    HRESULT RedoTo(IOleUndoUnit* unit) override;
    HRESULT EnumUndoable(IEnumOleUndoUnits** enumerator) override;
    HRESULT EnumRedoable(IEnumOleUndoUnits** enumerator) override;
    HRESULT GetLastUndoDescription(std::string* description) override;
    HRESULT GetLastRedoDescription(std::string* description) override;
    HRESULT Enable(bool enable) override;
    // The unit the next undo (redo) performs, not referenced; null when there is none or
    // the manager is disabled.
    IOleUndoUnit* NextUnit(bool undo) const;

private:
    // Front = newest unit.
    using UnitStack = std::deque<ComPtr<IOleUndoUnit>>;

    enum class Mode {
        Base,     // idle: a filed unit is a new edit
        Undoing,  // inside UndoTo: inverses go to the redo stack
        Redoing,  // inside RedoTo: inverses go to the undo stack
    };

    CUndoManager() = default;
    ~CUndoManager() override;

    HRESULT File(IOleUndoUnit* unit);
    HRESULT PerformTo(UnitStack& stack, Mode mode, IOleUndoUnit* unit);
    static std::optional<std::size_t> FindMatch(const UnitStack& stack, IOleUndoUnit* unit);
    static void RemoveUnit(UnitStack& stack, IOleUndoUnit* unit);
    static void ReleaseAll(UnitStack& stack);
    static HRESULT Enumerate(const UnitStack& stack, IEnumOleUndoUnits** enumerator);
    HRESULT LastDescription(const UnitStack& stack, std::string* description) const;

    bool m_bEnabled = true;
    ComPtr<IOleParentUndoUnit> m_spOpenParent;
    UnitStack m_undoStack;
    UnitStack m_redoStack;
    Mode m_nMode = Mode::Base;
};

} // namespace kelmora
