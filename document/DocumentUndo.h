#pragma once
// What the document core needs of its undo machinery: the entry points through which
// every edit records itself, and a way to forget everything. The undo module implements it
// over the document's undo manager and undo file.

#include "document/UndoKind.h"

#include <vector>

namespace kelmora {

class CDrawObj;
class IOleParentUndoUnit;
class ViewServices;

class DocumentUndo {
public:
    virtual ~DocumentUndo() = default;

    // Files one unit of `kind` over the object (none for null); false when the unit
    // cannot be made or the manager refuses it (the change itself stays made).
    virtual bool AddUndo(ViewServices* view, UndoKind kind, CDrawObj* object) = 0;
    virtual bool AddUndoList(ViewServices* view, UndoKind kind, const std::vector<CDrawObj*>& objects) = 0;
    // Files a change unit over objects that have only been moved since the state it is to
    // restore (they stand in that state now); a machinery without a lighter record for
    // moves files an ordinary change unit.
    virtual bool AddMoveUndo(ViewServices* view, const std::vector<CDrawObj*>& objects)
    {
        return AddUndoList(view, UNDO_CHANGE, objects);
    }
    // Files a change unit over the object that records its own fields only, a group's
    // children left out, for a step that changes none of them. By default a whole change.
    virtual bool AddUndoOwnFields(ViewServices* view, CDrawObj* object) { return AddUndo(view, UNDO_CHANGE, object); }
    // Opens a group that collects every unit until EndUndoGroup; the caller owns the
    // reference handed out through `unit`.
    virtual bool BeginUndoGroup(IOleParentUndoUnit** unit) = 0;
    virtual bool EndUndoGroup(IOleParentUndoUnit* unit) = 0;

    // Forgets every undo and redo step and any open group: they refer to objects that are
    // about to be destroyed.
    virtual void DiscardAll() = 0;
};

} // namespace kelmora
