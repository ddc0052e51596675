#include "document/UndoManager.h"

#include "document/UndoUnitEnumerator.h"
#include "platform/com/UndoUnitMatch.h"

#include <iterator>
#include <new>
#include <utility>
#include <vector>

namespace kelmora {

ComPtr<CUndoManager> CUndoManager::Create()
{
    return ComPtr<CUndoManager>(new CUndoManager);
}

CUndoManager::~CUndoManager()
{
    ReleaseAll(m_redoStack);
    ReleaseAll(m_undoStack);
    m_spOpenParent = nullptr;
}

HRESULT CUndoManager::Open(IOleParentUndoUnit* parent)
{
    if (!m_bEnabled)
        return S_OK;
    if (parent == nullptr)
        return E_POINTER;
    if (m_spOpenParent)
        return m_spOpenParent->Open(parent);
    m_spOpenParent = parent;
    return S_OK;
}

HRESULT CUndoManager::Close(IOleParentUndoUnit* parent, bool commit)
{
    if (!m_bEnabled)
        return S_OK;
    if (!m_spOpenParent)
        return S_FALSE;

    // The open parent closes whatever is open inside it; S_FALSE means nothing is, so
    // the open parent itself is the one being closed.
    HRESULT result = m_spOpenParent->Close(parent, commit);
    if (result != S_FALSE)
        return result;
    if (!IsSameObject(m_spOpenParent.Get(), parent))
        return E_INVALIDARG;

    ComPtr<IOleParentUndoUnit> closed = std::move(m_spOpenParent);
    // A closing group is filed without telling the previous front: its children were
    // told as they were added.
    if (commit)
        return File(closed.Get());
    return S_OK;
}

HRESULT CUndoManager::Add(IOleUndoUnit* unit)
{
    if (!m_bEnabled)
        return S_OK;
    if (unit == nullptr)
        return E_INVALIDARG;
    if (m_spOpenParent)
        return m_spOpenParent->Add(unit);

    UnitStack& target = m_nMode == Mode::Undoing ? m_redoStack : m_undoStack;
    if (!target.empty()) {
        ComPtr<IOleUndoUnit> front = target.front();
        front->OnNextAdd();
    }
    return File(unit);
}

HRESULT CUndoManager::File(IOleUndoUnit* unit)
{
    try {
        switch (m_nMode) {
        case Mode::Base:
            m_undoStack.emplace_front(unit);
            // A new edit makes the redo history meaningless.
            ReleaseAll(m_redoStack);
            break;
        case Mode::Undoing:
            m_redoStack.emplace_front(unit);
            break;
        case Mode::Redoing:
            m_undoStack.emplace_front(unit);
            break;
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CUndoManager::GetOpenParentState(uint32_t* state)
{
    if (state == nullptr)
        return E_POINTER;
    if (!m_bEnabled) {
        *state = UAS_BLOCKED;
        return S_OK;
    }
    if (!m_spOpenParent)
        return S_FALSE;
    return m_spOpenParent->GetParentState(state);
}

HRESULT CUndoManager::DiscardFrom(IOleUndoUnit* unit)
{
    if (!m_bEnabled)
        return E_UNEXPECTED;
    if (unit == nullptr) {
        m_spOpenParent = nullptr;
        ReleaseAll(m_undoStack);
        ReleaseAll(m_redoStack);
        return S_OK;
    }
    for (UnitStack* stack : { &m_undoStack, &m_redoStack }) {
        if (auto index = FindMatch(*stack, unit)) {
            // The match and everything older than it.
            UnitStack discarded(std::make_move_iterator(stack->begin() + std::ptrdiff_t(*index)),
                                std::make_move_iterator(stack->end()));
            stack->erase(stack->begin() + std::ptrdiff_t(*index), stack->end());
            ReleaseAll(discarded);
            return S_OK;
        }
    }
    return E_INVALIDARG;
}

HRESULT CUndoManager::UndoTo(IOleUndoUnit* unit)
{
    return PerformTo(m_undoStack, Mode::Undoing, unit);
}

HRESULT CUndoManager::RedoTo(IOleUndoUnit* unit)
{
    return PerformTo(m_redoStack, Mode::Redoing, unit);
}

HRESULT CUndoManager::PerformTo(UnitStack& stack, Mode mode, IOleUndoUnit* unit)
{
    if (!m_bEnabled)
        return E_UNEXPECTED;
    // With a parent open, the inverses would go into that parent instead of onto the
    // opposite stack; while units are being performed, a nested call would mix the
    // modes.
    if (m_spOpenParent || m_nMode != Mode::Base)
        return E_UNEXPECTED;

    // The units to perform, newest first, each held by a reference of its own so that
    // a unit stays alive through its Do even when something discards it meanwhile.
    std::vector<ComPtr<IOleUndoUnit>> toPerform;
    try {
        if (unit == nullptr) {
            if (!stack.empty())
                toPerform.push_back(stack.front());
        } else if (auto index = FindMatch(stack, unit)) {
            toPerform.assign(stack.begin(), stack.begin() + std::ptrdiff_t(*index) + 1);
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    if (toPerform.empty())
        return E_INVALIDARG;

    struct ModeScope {
        Mode& mode;
        ~ModeScope() { mode = Mode::Base; }
    } scope { m_nMode };
    m_nMode = mode;

    HRESULT result = S_OK;
    for (const ComPtr<IOleUndoUnit>& performed : toPerform) {
        HRESULT code;
        try {
            code = performed->Do(this);
        } catch (...) {
            // A unit that throws has been performed as far as it got; it leaves the
            // stack like one that failed, and the units after it stay.
            RemoveUnit(stack, performed.Get());
            throw;
        }
        // Removed by identity: the front may no longer be this unit.
        RemoveUnit(stack, performed.Get());
        if (unit == nullptr || FAILED(code))
            result = code;
    }
    // E_ABORT is a unit's own way of saying it gave up; the caller sees a failure.
    return result == E_ABORT ? E_FAIL : result;
}

std::optional<std::size_t> CUndoManager::FindMatch(const UnitStack& stack, IOleUndoUnit* unit)
{
    // By index and with a reference held: a parent's FindUnit is outside code.
    for (std::size_t i = 0; i < stack.size(); ++i) {
        ComPtr<IOleUndoUnit> entry = stack[i];
        if (UndoUnitMatches(entry.Get(), unit))
            return i;
    }
    return std::nullopt;
}

void CUndoManager::RemoveUnit(UnitStack& stack, IOleUndoUnit* unit)
{
    for (auto it = stack.begin(); it != stack.end(); ++it) {
        if (it->Get() == unit) {
            ComPtr<IOleUndoUnit> removed = std::move(*it);
            stack.erase(it);
            return;
        }
    }
}

void CUndoManager::ReleaseAll(UnitStack& stack)
{
    // Emptied before anything is released, newest first, so that a unit's destructor
    // never sees a half-cleared stack.
    UnitStack released = std::move(stack);
    stack.clear();
    while (!released.empty())
        released.pop_front();
}

HRESULT CUndoManager::EnumUndoable(IEnumOleUndoUnits** enumerator)
{
    return Enumerate(m_undoStack, enumerator);
}

HRESULT CUndoManager::EnumRedoable(IEnumOleUndoUnits** enumerator)
{
    return Enumerate(m_redoStack, enumerator);
}

HRESULT CUndoManager::Enumerate(const UnitStack& stack, IEnumOleUndoUnits** enumerator)
{
    if (enumerator == nullptr)
        return E_POINTER;
    *enumerator = nullptr;
    CUndoUnitEnumerator::Units units;
    try {
        units.assign(stack.begin(), stack.end());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return CUndoUnitEnumerator::Create(std::move(units), 0, enumerator);
}

IOleUndoUnit* CUndoManager::NextUnit(bool undo) const
{
    const UnitStack& stack = undo ? m_undoStack : m_redoStack;
    return m_bEnabled && !stack.empty() ? stack.front().Get() : nullptr;
}

HRESULT CUndoManager::GetLastUndoDescription(std::string* description)
{
    return LastDescription(m_undoStack, description);
}

HRESULT CUndoManager::GetLastRedoDescription(std::string* description)
{
    return LastDescription(m_redoStack, description);
}

HRESULT CUndoManager::LastDescription(const UnitStack& stack, std::string* description) const
{
    if (description == nullptr)
        return E_POINTER;
    if (!m_bEnabled) {
        description->clear();
        return E_UNEXPECTED;
    }
    if (stack.empty())
        return E_FAIL;
    ComPtr<IOleUndoUnit> front = stack.front();
    return front->GetDescription(description);
}

HRESULT CUndoManager::Enable(bool enable)
{
    m_bEnabled = enable;
    return S_OK;
}

} // namespace kelmora
