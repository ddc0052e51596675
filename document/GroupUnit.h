#pragma once
// CGroupUnit: the parent unit that bundles the units of one user action, so that they are
// undone and redone as one step described "Create group".
//
// While it is open on the manager it collects every unit added, newest first; a parent
// opened inside it collects them instead until it is closed. Performing it performs every
// child, newest first, inside a new group opened on the manager, which thereby collects
// the children's inverses and is filed on the opposite stack as one step. Consecutive
// children that each only put one object back into the document's list are performed
// together, with the same result (UndoUnitBase::DoRestoreRun). When a child fails, the
// new group is dropped and the child's code returned.

#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/IOleParentUndoUnit.h"

#include <deque>

namespace kelmora {

class CGroupUnit final : public ComObject<IOleParentUndoUnit> {
public:
    CGroupUnit() = default;

    HRESULT Do(IOleUndoManager* manager) override;
    HRESULT GetDescription(std::string* description) override;
    HRESULT GetUnitType(CLSID* clsid, int32_t* id) override;
    HRESULT OnNextAdd() override;

    HRESULT Open(IOleParentUndoUnit* parent) override;
    HRESULT Close(IOleParentUndoUnit* parent, bool commit) override;
    HRESULT Add(IOleUndoUnit* unit) override;
    HRESULT FindUnit(IOleUndoUnit* unit) override;
    HRESULT GetParentState(uint32_t* state) override;

    ComPtr<IOleParentUndoUnit> m_spOpenChild;       // a parent opened inside this one
    std::deque<ComPtr<IOleUndoUnit>> m_children;    // front = newest

private:
    ~CGroupUnit() override;
};

// A new group unit through `out`, with the one reference the caller owns; E_POINTER for
// a null out, E_OUTOFMEMORY when it cannot be made.
HRESULT CreateGroupUnit(CGroupUnit** out);

} // namespace kelmora
