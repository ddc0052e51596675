#include "view/PendingChange.h"

#include "document/DrawDoc.h"
#include "model/DrawObj.h"

#include <exception>

namespace kelmora {

PendingChange::PendingChange(std::vector<CDrawObj*> objects) : m_objects(std::move(objects))
{
    if (m_objects.empty())
        return;
    try {
        m_info = WriteSnapshot(m_before, m_objects);
        m_bRecorded = true;
    } catch (const std::exception&) {
        m_bRecorded = false;
    }
}

bool PendingChange::Commit(CDrawDoc& document, ViewServices* view)
{
    if (!m_bRecorded)
        return false;
    try {
        MemoryStream after;
        const SnapshotInfo afterInfo = WriteSnapshot(after, m_objects);
        if (after.Bytes() == m_before.Bytes())
            return false;
        // The unit takes its snapshot when it is filed, so the objects are put back for
        // that moment and then given their new state again.
        LoadSnapshot(m_before, m_info, m_objects);
        const bool filed = document.AddUndoList(view, UNDO_CHANGE, m_objects);
        LoadSnapshot(after, afterInfo, m_objects);
        return filed;
    } catch (const std::exception&) {
        return false;
    }
}

void PendingChange::Revert()
{
    if (!m_bRecorded)
        return;
    try {
        LoadSnapshot(m_before, m_info, m_objects);
    } catch (const std::exception&) {
        return;
    }
    for (CDrawObj* object : m_objects) {
        object->m_pPendingMatrix.reset();
        object->RecalcBounds(nullptr);
    }
}

} // namespace kelmora
