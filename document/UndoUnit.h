#pragma once
// The undo units of a document: CUndoUnit (on the undo stack) and CRedoUnit (on the redo
// stack) over a list of drawing objects, of one UndoKind, made in one view.
//
// Performing a unit first makes its inverse (a CRedoUnit for a CUndoUnit and the other
// way round) over the same objects, kind and view, then restores what the unit recorded,
// then files the inverse with the manager, so that undo and redo alternate without limit.
//
//   kind               recorded when made             undo side           redo side
//   UNDO_ZOOM          the view's zoom factor         zoom set back       the same
//   UNDO_SELECT_NONE   -                              selection emptied   objects selected
//   UNDO_SELECT        -                              objects selected    selection emptied
//   UNDO_INSERT        where each object lives        objects removed     objects restored
//   UNDO_DELETE        where each object lives        objects restored    objects removed
//   UNDO_CHANGE        a snapshot in the undo file    snapshot loaded     the same
//     (move only)      each object's placement        placements put back the same
//   UNDO_ZORDER        the first object's position    position set back   the same
//   other kinds        nothing                        nothing             nothing
//
// The unit keeps the objects in the reverse of the order it was given (its inverse
// reverses them again). Restoring an object puts it back where it lived when the user's
// step recorded it: into its owner (the document's list or a group) at its position,
// with its deleted flag cleared; a group gets back the children it had. Removing flags an
// object of the list deleted; an object that a restored group took back is removed by
// being there. Inverses carry the same places, so a step undone and redone any number of
// times puts every object back where it was (see UndoStepScope.h for the bookkeeping).
// Commands that move objects record accordingly: the removal of objects before they are
// taken away (so their places are known), the insertion of a group once it holds its
// children, and the removal of a group before its children are released from it.
//
// A change that only moved its objects (a drag or a nudge) keeps their placements in the
// unit instead of a snapshot: a move of thousands of objects then writes nothing to the
// undo file, and its inverse is a move unit too.
//
// Performing an insert, delete, change or stacking-order unit marks the document
// modified (the document differs from what was saved); zoom and selection units do not.
// Performing never repaints: the commands that perform units do.
//
// The objects belong to the document and are not owned. The view is not owned either: a
// view that has left the document is not used any more (zoom and selection units then do
// nothing; stacking order goes through the document itself).

#include "document/UndoKind.h"
#include "document/UndoStepScope.h"
#include "document/UndoUnitSnapshot.h"
#include "model/DrawObj.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/IOleUndoManager.h"
#include "platform/com/IOleUndoUnit.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelmora {

class CDrawDoc;
class CDrawObj;
class CUndoFile;
class ViewServices;

// What the units of one document share: the document and its undo file. The document's
// undo machinery clears `document` when it goes, so a unit that outlives it does nothing.
struct UndoUnitContext {
    CDrawDoc* document = nullptr;
    std::unique_ptr<CUndoFile> file;
};

class UndoUnitBase : public ComObject<IOleUndoUnit> {
public:
    enum class Side { Undo, Redo };
    // What a change unit records: a snapshot of the objects, a snapshot of their own fields
    // with a group's children left out (for a step that changed no child), or their
    // placements only (for a move).
    enum class ChangeRecord { Snapshot, OwnFields, Placement };

    // Makes a unit of that side. With `performed` (the unit being performed, whose
    // inverse this is) the places and members are taken from it, reversed with the list,
    // instead of being recorded anew: they say where the objects lived when the user's
    // step was recorded, which stays true however often it is undone and redone. An
    // inverse records what its unit recorded (`record` applies to new change units).
    static HRESULT Make(Side side, const std::shared_ptr<UndoUnitContext>& context,
                        const std::vector<CDrawObj*>& objects, int kind, ViewServices* view,
                        const UndoUnitBase* performed, IOleUndoUnit** out,
                        ChangeRecord record = ChangeRecord::Snapshot);

    HRESULT Do(IOleUndoManager* manager) override;
    // Performs units[first], and the units after it, together when they form a run of at
    // least two that each put one object, not flagged deleted and with no members of its
    // own to restore, back into the document's list (the redo of an insertion, the undo of
    // a removal): all are moved in one pass over the owners instead of one pass each, with
    // the result of performing them one after the other, and their inverses are filed in
    // the same order. Answers how many were performed, 0 when units[first] starts no such
    // run; a failed filing's code goes to `result`.
    static size_t DoRestoreRun(const std::vector<ComPtr<IOleUndoUnit>>& units, size_t first,
                               IOleUndoManager* manager, HRESULT& result);
    // The object's own description for a unit over one object, else "Group".
    HRESULT GetDescription(std::string* description) override;
    HRESULT GetUnitType(CLSID* clsid, int32_t* id) override;
    HRESULT OnNextAdd() override { return S_OK; }

    // ---- Members, in declared order.
    int m_nKind = UNDO_INSERT;
    std::vector<CDrawObj*> m_objects;   // the given objects, reversed; not owned
    std::uint64_t m_nFilePos = 0;       // start of the snapshot (UNDO_CHANGE)
    float m_fZoom = 1.0f;               // the view's zoom factor when made
    ViewServices* m_pView = nullptr;    // not owned
    int m_nZOrder = -1;                 // the position recorded (UNDO_ZORDER)
    // The object whose position m_nZOrder is: the first object of the list the user's
    // step gave, in this unit and all its inverses.
    CDrawObj* m_pZOrderObject = nullptr;

    // Where each object of m_objects lived (UNDO_INSERT, UNDO_DELETE); nothing for an
    // object that was not the document's.
    std::vector<std::optional<ObjectPlace>> m_places;
    // The members of the groups among the objects (UNDO_INSERT, UNDO_DELETE).
    std::vector<GroupMembers> m_members;
    // The snapshot's length in the undo file and its groups' children (UNDO_CHANGE).
    std::uint64_t m_nSnapshotSize = 0;
    SnapshotShape m_snapshotShape;
    // What a change unit records (UNDO_CHANGE), and so do all its inverses.
    ChangeRecord m_nChangeRecord = ChangeRecord::Snapshot;
    // A move's change unit: the placement of each object of m_objects instead of a snapshot.
    std::vector<CDrawObj::Placement> m_placements;

protected:
    explicit UndoUnitBase(std::shared_ptr<UndoUnitContext> context) : m_context(std::move(context)) { }

    virtual Side GetSide() const = 0;

private:
    // The view when it still belongs to the unit's document, else null.
    ViewServices* LiveView() const;
    // Whether performing the unit does no more than move its one object, not flagged
    // deleted, from wherever it is into the document's list.
    bool OnlyListsItsObject(const UndoStepScope& step) const;
    void Restore(CDrawDoc& document);
    void RemoveObjects(CDrawDoc& document);
    void ApplyZOrder(CDrawDoc& document);
    void Select(CDrawDoc& document);
    void SelectNone(CDrawDoc& document);

    std::shared_ptr<UndoUnitContext> m_context;
};

class CUndoUnit final : public UndoUnitBase {
public:
    explicit CUndoUnit(std::shared_ptr<UndoUnitContext> context) : UndoUnitBase(std::move(context)) { }

protected:
    Side GetSide() const override { return Side::Undo; }

private:
    ~CUndoUnit() override = default;
};

class CRedoUnit final : public UndoUnitBase {
public:
    explicit CRedoUnit(std::shared_ptr<UndoUnitContext> context) : UndoUnitBase(std::move(context)) { }

protected:
    Side GetSide() const override { return Side::Redo; }

private:
    ~CRedoUnit() override = default;
};

// Unit makers: each hands out one reference through `out` (E_POINTER for a null out).
// The unit's list is the given objects in reverse order. An insert or delete unit records
// where the objects live now, a change unit writes a snapshot of them (E_FAIL, nothing
// made, when the undo file cannot take it), a stacking-order unit records the position
// of the given list's first object.
HRESULT CreateUndoUnit(const std::shared_ptr<UndoUnitContext>& context, const std::vector<CDrawObj*>& objects,
                       int kind, ViewServices* view, IOleUndoUnit** out);
HRESULT CreateRedoUnit(const std::shared_ptr<UndoUnitContext>& context, const std::vector<CDrawObj*>& objects,
                       int kind, ViewServices* view, IOleUndoUnit** out);
// A change unit over objects that were only moved: it records their placements.
HRESULT CreateMoveUndoUnit(const std::shared_ptr<UndoUnitContext>& context, const std::vector<CDrawObj*>& objects,
                           ViewServices* view, IOleUndoUnit** out);
// A change unit over the one object whose snapshot leaves a group's children out: they
// are left as they are whenever it or an inverse of it is performed.
HRESULT CreateOwnFieldsUndoUnit(const std::shared_ptr<UndoUnitContext>& context, CDrawObj* object,
                                ViewServices* view, IOleUndoUnit** out);
// CreateUndoUnit over the one object (none for null).
HRESULT CreateUndoUnitForObject(const std::shared_ptr<UndoUnitContext>& context, CDrawObj* object, int kind,
                                ViewServices* view, IOleUndoUnit** out);

} // namespace kelmora
