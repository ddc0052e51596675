#include "view/PendingChange.h"

#include "document/DrawDoc.h"
#include "model/DrawObj.h"

#include <algorithm>
#include <exception>

namespace kelmora {

PendingChange::PendingChange(CDrawDoc& document, std::vector<CDrawObj*> objects)
    : m_document(document), m_objects(std::move(objects))
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

bool PendingChange::StillThere() const
{
    return std::all_of(m_objects.begin(), m_objects.end(),
                       [this](const CDrawObj* object) { return m_document.Contains(object); });
}

bool PendingChange::Commit(ViewServices* view)
{
    if (!m_bRecorded || !StillThere())
        return false;
    try {
        MemoryStream after;
        const SnapshotInfo afterInfo = WriteSnapshot(after, m_objects);
        if (after.Bytes() == m_before.Bytes())
            return false;
        // The unit takes its snapshot when it is filed, so the objects are put back for
        // that moment and then given their new state again.
        LoadSnapshot(m_before, m_info, m_objects);
        const bool filed = m_document.AddUndoList(view, UNDO_CHANGE, m_objects);
        LoadSnapshot(after, afterInfo, m_objects);
        return filed;
    } catch (const std::exception&) {
        return false;
    }
}

void PendingChange::Revert()
{
    if (!m_bRecorded || !StillThere())
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
