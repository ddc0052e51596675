#include "document/GroupUnit.h"

#include "document/UndoUnit.h"

#include "platform/com/IOleUndoManager.h"
#include "platform/com/UndoUnitMatch.h"

#include <new>
#include <utility>
#include <vector>

namespace kelmora {

HRESULT CreateGroupUnit(CGroupUnit** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    try {
        ComPtr<CGroupUnit> unit(new CGroupUnit);
        *out = unit.Detach();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

CGroupUnit::~CGroupUnit()
{
    m_children.clear();
    m_spOpenChild = nullptr;
}

HRESULT CGroupUnit::Do(IOleUndoManager* manager)
{
    ComPtr<CGroupUnit> inverse;
    if (manager) {
        CGroupUnit* made = nullptr;
        if (FAILED(CreateGroupUnit(&made)))
            return E_ABORT;
        inverse = ComPtr<CGroupUnit>::Adopt(made);
        const HRESULT opened = manager->Open(inverse.Get());
        if (FAILED(opened))
            return opened;
    }

    // A copy: performing a child must not depend on this group staying as it is.
    const std::vector<ComPtr<IOleUndoUnit>> children(m_children.begin(), m_children.end());
    HRESULT result = S_OK;
    for (size_t i = 0; i < children.size();) {
        // Many units that each put one object back (the children of an ungrouped group)
        // are performed as one move.
        if (const size_t performed = UndoUnitBase::DoRestoreRun(children, i, manager, result)) {
            i += performed;
            continue;
        }
        const HRESULT code = children[i]->Do(manager);
        if (FAILED(code))
            result = code;
        ++i;
    }

    if (manager) {
        const HRESULT closed = manager->Close(inverse.Get(), SUCCEEDED(result));
        if (SUCCEEDED(result))
            result = closed;
    }
    return result;
}

HRESULT CGroupUnit::GetDescription(std::string* description)
{
    if (!description)
        return E_POINTER;
    *description = "Create group";
    return S_OK;
}

HRESULT CGroupUnit::GetUnitType(CLSID* clsid, int32_t* id)
{
    if (!clsid || !id)
        return E_POINTER;
    *clsid = CLSID_NULL;
    *id = 0;
    return S_OK;
}

HRESULT CGroupUnit::OnNextAdd()
{
    if (!m_children.empty())
        m_children.front()->OnNextAdd();
    return S_OK;
}

HRESULT CGroupUnit::Open(IOleParentUndoUnit* parent)
{
    if (!parent)
        return E_POINTER;
    if (m_spOpenChild)
        return m_spOpenChild->Open(parent);
    m_spOpenChild = parent;
    return S_OK;
}

HRESULT CGroupUnit::Close(IOleParentUndoUnit* parent, bool commit)
{
    if (!m_spOpenChild)
        return S_FALSE;
    const HRESULT result = m_spOpenChild->Close(parent, commit);
    if (result != S_FALSE)
        return result;
    if (!IsSameObject(m_spOpenChild.Get(), parent))
        return E_INVALIDARG;
    ComPtr<IOleParentUndoUnit> closed = std::move(m_spOpenChild);
    if (commit)
        m_children.push_front(closed);
    return S_OK;
}

HRESULT CGroupUnit::Add(IOleUndoUnit* unit)
{
    if (!unit)
        return E_INVALIDARG;
    if (m_spOpenChild)
        return m_spOpenChild->Add(unit);
    if (!m_children.empty())
        m_children.front()->OnNextAdd();
    m_children.push_front(unit);
    return S_OK;
}

HRESULT CGroupUnit::FindUnit(IOleUndoUnit* unit)
{
    for (const ComPtr<IOleUndoUnit>& child : m_children) {
        if (UndoUnitMatches(child.Get(), unit))
            return S_OK;
    }
    return S_FALSE;
}

HRESULT CGroupUnit::GetParentState(uint32_t* state)
{
    if (!state)
        return E_POINTER;
    if (m_spOpenChild)
        return m_spOpenChild->GetParentState(state);
    *state = UAS_NORMAL;
    return S_OK;
}

} // namespace kelmora
