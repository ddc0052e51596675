#include "view/PendingChange.h"

#include "document/DrawDoc.h"
#include "model/DrawObj.h"

#include <exception>

namespace kelmora {

PendingChange::PendingChange(CDrawDoc& document, std::vector<CDrawObj*> objects, PendingRecord record)
    : m_document(document), m_objects(std::move(objects)), m_record(record)
{
    if (m_objects.empty())
        return;
    try {
        if (m_record == PendingRecord::Placement) {
            m_placements.reserve(m_objects.size());
            for (const CDrawObj* object : m_objects)
                m_placements.push_back(object->GetPlacement());
            m_bRecorded = true;
            return;
        }
        m_info = WriteSnapshot(m_before, m_objects);
        m_bRecorded = true;
    } catch (const std::exception&) {
        m_bRecorded = false;
    }
}

bool PendingChange::StillThere() const
{
    return m_document.ContainsAll(m_objects);
}

bool PendingChange::Commit(ViewServices* view)
{
    if (!m_bRecorded || !StillThere())
        return false;
    try {
        if (m_record == PendingRecord::Placement)
            return CommitPlacement(view);
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

bool PendingChange::CommitPlacement(ViewServices* view)
{
    std::vector<CDrawObj::Placement> after;
    after.reserve(m_objects.size());
    bool changed = false;
    for (size_t i = 0; i < m_objects.size(); ++i) {
        after.push_back(m_objects[i]->GetPlacement());
        changed = changed || !after.back().SameAs(m_placements[i]);
    }
    if (!changed)
        return false;
    // The unit records the state before the move: it is put back for that moment.
    PutPlacementBack();
    bool filed = false;
    try {
        filed = m_document.AddMoveUndo(view, m_objects);
    } catch (...) {
        for (size_t i = 0; i < m_objects.size(); ++i)
            m_objects[i]->SetPlacement(after[i]);
        throw;
    }
    for (size_t i = 0; i < m_objects.size(); ++i)
        m_objects[i]->SetPlacement(after[i]);
    return filed;
}

void PendingChange::PutPlacementBack()
{
    for (size_t i = 0; i < m_objects.size(); ++i)
        m_objects[i]->SetPlacement(m_placements[i]);
}

void PendingChange::Revert()
{
    if (!m_bRecorded || !StillThere())
        return;
    if (m_record == PendingRecord::Placement) {
        PutPlacementBack();
    } else {
        try {
            LoadSnapshot(m_before, m_info, m_objects);
        } catch (const std::exception&) {
            return;
        }
    }
    for (CDrawObj* object : m_objects) {
        object->m_pPendingMatrix.reset();
        object->RecalcBounds(nullptr);
    }
}

} // namespace kelmora
