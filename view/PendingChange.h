#pragma once
// The state of some drawing objects before an edit, kept in memory: a finished edit is then
// filed as one change unit, and only when it changed anything; a cancelled one is put back
// exactly. When an object has left the document meanwhile (its contents were replaced),
// nothing is filed or put back: the record never reads an object it cannot find there.
//
// A move changes nothing but the objects' placement: for it only the placements are kept
// (PendingRecord::Placement), and the move is filed as a change unit that keeps placements
// too. A drag of thousands of objects then costs no archive work on the press or the
// release.

#include "document/UndoUnitSnapshot.h"
#include "model/DrawObj.h"
#include "platform/archive/MemoryStream.h"

#include <vector>

namespace kelmora {

class CDrawDoc;
class ViewServices;

// What a pending change keeps of its objects: their whole state, or only their placement
// (for an edit that does nothing but move them).
enum class PendingRecord { WholeState, Placement };

class PendingChange {
public:
    // Records the state of the objects of `document` now. Nothing is recorded for an empty
    // list or when the objects cannot be written.
    PendingChange(CDrawDoc& document, std::vector<CDrawObj*> objects,
                  PendingRecord record = PendingRecord::WholeState);

    PendingChange(const PendingChange&) = delete;
    PendingChange& operator=(const PendingChange&) = delete;

    bool IsRecorded() const { return m_bRecorded; }
    const std::vector<CDrawObj*>& Objects() const { return m_objects; }

    // When the objects' state differs from the recorded one, files one change unit that
    // takes them back to it; the objects keep their state now. False when nothing changed
    // or nothing could be filed.
    bool Commit(ViewServices* view);
    // Puts the recorded state back (a transform being dragged is dropped).
    void Revert();

private:
    bool StillThere() const;
    bool CommitPlacement(ViewServices* view);
    void PutPlacementBack();

    CDrawDoc& m_document;
    std::vector<CDrawObj*> m_objects;
    PendingRecord m_record;
    std::vector<CDrawObj::Placement> m_placements; // PendingRecord::Placement
    MemoryStream m_before;
    SnapshotInfo m_info;
    bool m_bRecorded = false;
};

} // namespace kelmora
