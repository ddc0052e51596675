#include "document/UndoUnit.h"

#include "document/DrawDoc.h"
#include "document/FrameServices.h"
#include "document/UndoUnitFile.h"
#include "model/DrawObj.h"
#include "model/ViewServices.h"
#include "platform/com/ComPtr.h"

#include <algorithm>
#include <exception>
#include <new>
#include <numeric>

namespace kelmora {

HRESULT UndoUnitBase::Make(Side side, const std::shared_ptr<UndoUnitContext>& context,
                           const std::vector<CDrawObj*>& objects, int kind, ViewServices* view,
                           const UndoUnitBase* performed, IOleUndoUnit** out, ChangeRecord record)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    ComPtr<UndoUnitBase> unit;
    try {
        if (side == Side::Undo)
            unit = ComPtr<UndoUnitBase>(new CUndoUnit(context));
        else
            unit = ComPtr<UndoUnitBase>(new CRedoUnit(context));
        unit->m_nKind = kind;
        unit->m_pView = view;
        if (view)
            unit->m_fZoom = view->m_fZoom;
        unit->m_objects.assign(objects.rbegin(), objects.rend());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }

    CDrawDoc* document = context ? context->document : nullptr;
    try {
        switch (kind) {
        case UNDO_INSERT:
        case UNDO_DELETE:
            if (performed && performed->m_places.size() == objects.size()) {
                unit->m_places.assign(performed->m_places.rbegin(), performed->m_places.rend());
                unit->m_members = performed->m_members;
            } else if (document) {
                UndoStepScope step(*document);
                for (CDrawObj* object : unit->m_objects) {
                    unit->m_places.push_back(step.Find(object));
                    if (unit->m_places.back()) {
                        if (std::optional<GroupMembers> members = UndoStepScope::MembersOf(object))
                            unit->m_members.push_back(std::move(*members));
                    }
                }
                step.Finish();
            }
            break;
        case UNDO_CHANGE: {
            if (performed)
                record = performed->m_nChangeRecord;
            if (record == ChangeRecord::Placement) {
                if (!document)
                    return E_UNEXPECTED;
                unit->m_nChangeRecord = record;
                unit->m_placements.reserve(unit->m_objects.size());
                for (const CDrawObj* object : unit->m_objects)
                    unit->m_placements.push_back(object->GetPlacement());
                break;
            }
            if (!document || !context->file)
                return E_UNEXPECTED;
            unit->m_nChangeRecord = record;
            SnapshotInfo info = WriteSnapshot(context->file->Stream(), unit->m_objects, record != ChangeRecord::OwnFields);
            unit->m_nFilePos = info.position;
            unit->m_nSnapshotSize = info.size;
            unit->m_snapshotShape = std::move(info.shape);
            break;
        }
        case UNDO_ZORDER:
            unit->m_pZOrderObject = performed ? performed->m_pZOrderObject : (objects.empty() ? nullptr : objects.front());
            if (unit->m_pZOrderObject && document) {
                ViewServices* live = unit->LiveView();
                unit->m_nZOrder = live ? live->GetObjectZOrder(unit->m_pZOrderObject)
                                       : document->GetObjectZOrder(unit->m_pZOrderObject);
            }
            break;
        default:
            break;
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception&) {
        // The undo file could not take the snapshot.
        return E_FAIL;
    }
    *out = unit.Detach();
    return S_OK;
}

HRESULT CreateUndoUnit(const std::shared_ptr<UndoUnitContext>& context, const std::vector<CDrawObj*>& objects,
                       int kind, ViewServices* view, IOleUndoUnit** out)
{
    return UndoUnitBase::Make(UndoUnitBase::Side::Undo, context, objects, kind, view, nullptr, out);
}

HRESULT CreateRedoUnit(const std::shared_ptr<UndoUnitContext>& context, const std::vector<CDrawObj*>& objects,
                       int kind, ViewServices* view, IOleUndoUnit** out)
{
    return UndoUnitBase::Make(UndoUnitBase::Side::Redo, context, objects, kind, view, nullptr, out);
}

HRESULT CreateMoveUndoUnit(const std::shared_ptr<UndoUnitContext>& context, const std::vector<CDrawObj*>& objects,
                           ViewServices* view, IOleUndoUnit** out)
{
    return UndoUnitBase::Make(UndoUnitBase::Side::Undo, context, objects, UNDO_CHANGE, view, nullptr, out,
                              UndoUnitBase::ChangeRecord::Placement);
}

HRESULT CreateOwnFieldsUndoUnit(const std::shared_ptr<UndoUnitContext>& context, CDrawObj* object,
                                ViewServices* view, IOleUndoUnit** out)
{
    std::vector<CDrawObj*> objects;
    if (object)
        objects.push_back(object);
    return UndoUnitBase::Make(UndoUnitBase::Side::Undo, context, objects, UNDO_CHANGE, view, nullptr, out,
                              UndoUnitBase::ChangeRecord::OwnFields);
}

HRESULT CreateUndoUnitForObject(const std::shared_ptr<UndoUnitContext>& context, CDrawObj* object, int kind,
                                ViewServices* view, IOleUndoUnit** out)
{
    std::vector<CDrawObj*> objects;
    if (object)
        objects.push_back(object);
    return CreateUndoUnit(context, objects, kind, view, out);
}

HRESULT UndoUnitBase::Do(IOleUndoManager* manager)
{
    CDrawDoc* document = m_context ? m_context->document : nullptr;
    if (!document)
        return E_UNEXPECTED;

    // The inverse records the present state before this unit changes it. When it cannot
    // be made the step is still performed; it just cannot be redone.
    const Side inverseSide = GetSide() == Side::Undo ? Side::Redo : Side::Undo;
    ComPtr<IOleUndoUnit> inverse;
    {
        IOleUndoUnit* made = nullptr;
        // A view that has left the document may be gone: the inverse is made without it.
        if (SUCCEEDED(Make(inverseSide, m_context, m_objects, m_nKind, LiveView(), this, &made)))
            inverse = ComPtr<IOleUndoUnit>::Adopt(made);
    }

    const bool undoSide = GetSide() == Side::Undo;
    HRESULT result = S_OK;
    switch (m_nKind) {
    case UNDO_ZOOM:
        if (ViewServices* view = LiveView()) {
            view->m_fZoom = m_fZoom;
            view->ReapplyZoom();
        }
        break;
    case UNDO_SELECT_NONE:
        undoSide ? SelectNone(*document) : Select(*document);
        break;
    case UNDO_SELECT:
        undoSide ? Select(*document) : SelectNone(*document);
        break;
    case UNDO_INSERT:
        undoSide ? RemoveObjects(*document) : Restore(*document);
        break;
    case UNDO_DELETE:
        undoSide ? Restore(*document) : RemoveObjects(*document);
        break;
    case UNDO_CHANGE:
        if (m_nChangeRecord == ChangeRecord::Placement) {
            for (size_t i = 0; i < m_objects.size() && i < m_placements.size(); ++i)
                m_objects[i]->SetPlacement(m_placements[i]);
            break;
        }
        try {
            LoadSnapshot(m_context->file->Stream(), m_nFilePos, m_nSnapshotSize, m_snapshotShape, m_objects);
        } catch (const std::exception&) {
            result = E_FAIL;
        }
        break;
    case UNDO_ZORDER:
        ApplyZOrder(*document);
        break;
    default:
        break;
    }
    if (m_nKind >= UNDO_INSERT && m_nKind <= UNDO_ZORDER)
        document->SetModifiedFlag(true);

    if (inverse && manager) {
        const HRESULT added = manager->Add(inverse.Get());
        return FAILED(result) ? result : added;
    }
    return result;
}

HRESULT UndoUnitBase::GetDescription(std::string* description)
{
    if (!description)
        return E_POINTER;
    if (m_objects.size() == 1 && m_context && m_context->document)
        *description = m_objects.front()->GetDescription();
    else
        *description = "Group";
    return S_OK;
}

HRESULT UndoUnitBase::GetUnitType(CLSID* clsid, int32_t* id)
{
    if (!clsid || !id)
        return E_POINTER;
    *clsid = CLSID_NULL;
    *id = 0;
    return S_OK;
}

ViewServices* UndoUnitBase::LiveView() const
{
    if (!m_pView || !m_context || !m_context->document)
        return nullptr;
    const std::vector<ViewServices*>& views = m_context->document->GetViews();
    return std::find(views.begin(), views.end(), m_pView) != views.end() ? m_pView : nullptr;
}

bool UndoUnitBase::OnlyListsItsObject(const UndoStepScope& step) const
{
    const bool restores = m_nKind == (GetSide() == Side::Undo ? UNDO_DELETE : UNDO_INSERT);
    if (!restores || m_objects.size() != 1 || m_places.size() != 1 || !m_places.front() ||
        m_places.front()->owner || !m_members.empty())
        return false;
    // Restoring an object also clears its deleted flag; in a run the flags are left alone.
    return !step.Find(m_objects.front()) || !m_objects.front()->m_bDeleted;
}

size_t UndoUnitBase::DoRestoreRun(const std::vector<ComPtr<IOleUndoUnit>>& units, size_t first,
                                  IOleUndoManager* manager, HRESULT& result)
{
    auto* head = dynamic_cast<UndoUnitBase*>(units[first].Get());
    CDrawDoc* document = head && head->m_context ? head->m_context->document : nullptr;
    if (!document)
        return 0;
    UndoStepScope step(*document);
    std::vector<UndoUnitBase*> run;
    for (size_t i = first; i < units.size(); ++i) {
        auto* unit = dynamic_cast<UndoUnitBase*>(units[i].Get());
        if (!unit || unit->m_context != head->m_context || !unit->OnlyListsItsObject(step))
            break;
        run.push_back(unit);
    }
    if (run.size() < 2) {
        step.Finish();
        return 0;
    }

    // The inverses of insert and delete units take the places from the units themselves,
    // not from the document: they can all be made first.
    std::vector<ComPtr<IOleUndoUnit>> inverses(run.size());
    std::vector<std::pair<CDrawObj*, ObjectPlace>> moves;
    moves.reserve(run.size());
    for (size_t i = 0; i < run.size(); ++i) {
        UndoUnitBase* unit = run[i];
        const Side inverseSide = unit->GetSide() == Side::Undo ? Side::Redo : Side::Undo;
        IOleUndoUnit* made = nullptr;
        if (SUCCEEDED(Make(inverseSide, unit->m_context, unit->m_objects, unit->m_nKind, unit->LiveView(), unit, &made)))
            inverses[i] = ComPtr<IOleUndoUnit>::Adopt(made);
        moves.emplace_back(unit->m_objects.front(), *unit->m_places.front());
    }
    // Every move goes into the list and none leaves it, so moving them together puts each
    // where moving them one by one would.
    step.MoveAll(moves);
    step.Finish();
    document->SetModifiedFlag(true);
    for (const ComPtr<IOleUndoUnit>& inverse : inverses) {
        if (inverse && manager) {
            const HRESULT added = manager->Add(inverse.Get());
            if (FAILED(added))
                result = added;
        }
    }
    return run.size();
}

void UndoUnitBase::Restore(CDrawDoc& document)
{
    UndoStepScope step(document);
    // Objects go back in the order of their recorded positions, so that each position
    // is taken in the list as it stood when it was recorded.
    std::vector<size_t> order(m_objects.size());
    std::iota(order.begin(), order.end(), size_t(0));
    auto indexOf = [this](size_t i) { return i < m_places.size() && m_places[i] ? m_places[i]->index : -1; };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return indexOf(a) < indexOf(b); });
    std::vector<std::pair<CDrawObj*, ObjectPlace>> moves;
    for (size_t i : order) {
        if (i < m_places.size() && m_places[i])
            moves.emplace_back(m_objects[i], *m_places[i]);
    }
    step.MoveAll(moves);
    for (size_t i : order) {
        if (step.Find(m_objects[i]))
            step.SetDeleted(m_objects[i], false);
    }
    for (const GroupMembers& members : m_members)
        step.RestoreMembers(members);
    step.Finish();
}

void UndoUnitBase::RemoveObjects(CDrawDoc& document)
{
    UndoStepScope step(document);
    for (size_t i = 0; i < m_objects.size(); ++i) {
        CDrawObj* object = m_objects[i];
        std::optional<ObjectPlace> now = step.Find(object);
        if (!now)
            continue;
        // An object in the list is flagged; one in a group only when that is where the
        // step put it. Otherwise a group restored just before took it back, and being
        // there is what removes it from the drawing.
        const bool recordedHere = i < m_places.size() && m_places[i] && m_places[i]->owner == now->owner;
        if (!now->owner || recordedHere)
            step.SetDeleted(object, true);
    }
    step.Finish();
}

void UndoUnitBase::ApplyZOrder(CDrawDoc& document)
{
    CDrawObj* object = m_pZOrderObject;
    if (!object || m_nZOrder < 0 || !document.Contains(object))
        return;
    const int position = std::min(m_nZOrder, int(document.Objects().size()) - 1);
    if (ViewServices* view = LiveView())
        view->SetObjectZOrder(position, object);
    else
        document.SetObjectZOrder(position, object);
}

void UndoUnitBase::Select(CDrawDoc&)
{
    if (ViewServices* view = LiveView())
        view->SelectObjects(m_objects);
}

void UndoUnitBase::SelectNone(CDrawDoc& document)
{
    ViewServices* view = LiveView();
    if (!view)
        return;
    view->m_selection.clear();
    if (FrameServices* frame = document.Frame())
        frame->RefreshSelectionInfo(view, true);
}

} // namespace kelmora
