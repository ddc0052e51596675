#pragma once
// One undoable step, as an undo manager files it.

#include "platform/com/Clsid.h"
#include "platform/com/HResult.h"
#include "platform/com/Unknown.h"

#include <cstdint>
#include <string>

namespace kelmora {

class IOleUndoManager;

class IOleUndoUnit : public virtual IUnknown {
public:
    // Performs the step. A unit files its inverse with manager->Add while it is
    // performed, so that the manager puts it on the opposite stack.
    virtual HRESULT Do(IOleUndoManager* manager) = 0;

    // A short UTF-8 text for menus ("Undo <description>").
    virtual HRESULT GetDescription(std::string* description) = 0;

    // The class and the class-specific kind of the unit; CLSID_NULL and 0 when the
    // unit does not say.
    virtual HRESULT GetUnitType(CLSID* clsid, int32_t* id) = 0;

    // Called when another unit is filed in front of this one on the same stack or in
    // the same parent.
    virtual HRESULT OnNextAdd() = 0;
};

} // namespace kelmora
