#pragma once
// The state of some drawing objects before an edit, kept in memory: a finished edit is then
// filed as one change unit, and only when it changed anything; a cancelled one is put back
// exactly. The objects must stay in their document while the record lives (the document
// never frees an object it holds before it is closed).

#include "document/UndoUnitSnapshot.h"
#include "platform/archive/MemoryStream.h"

#include <vector>

namespace kelmora {

class CDrawDoc;
class CDrawObj;
class ViewServices;

class PendingChange {
public:
    // Records the objects' state now. Nothing is recorded for an empty list or when the
    // objects cannot be written.
    explicit PendingChange(std::vector<CDrawObj*> objects);

    PendingChange(const PendingChange&) = delete;
    PendingChange& operator=(const PendingChange&) = delete;

    bool IsRecorded() const { return m_bRecorded; }
    const std::vector<CDrawObj*>& Objects() const { return m_objects; }

    // When the objects' state differs from the recorded one, files one change unit in
    // `document` that takes them back to it; the objects keep their state now. False
    // when nothing changed or nothing could be filed.
    bool Commit(CDrawDoc& document, ViewServices* view);
    // Puts the recorded state back (a transform being dragged is dropped).
    void Revert();

private:
    std::vector<CDrawObj*> m_objects;
    MemoryStream m_before;
    SnapshotInfo m_info;
    bool m_bRecorded = false;
};

} // namespace kelmora
