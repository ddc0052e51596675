#pragma once
// Undo units for the manager's tests: they record every call in a shared log and file
// their inverse while performed, as the document's units do.

#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/IOleUndoManager.h"
#include "platform/com/UndoUnitMatch.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kelmora::testing {

using UndoLog = std::vector<std::string>;

// Counts the live test units of every kind, so a test can check that every reference
// taken was given back.
inline int g_liveUnits = 0;

// Performing "A" files "~A"; performing "~A" files "A" again.
inline std::string InverseName(const std::string& name)
{
    return name.starts_with('~') ? name.substr(1) : "~" + name;
}

class RecordingUnit final : public ComObject<IOleUndoUnit> {
public:
    static ComPtr<RecordingUnit> Make(std::string name, UndoLog& log)
    {
        return ComPtr<RecordingUnit>(new RecordingUnit(std::move(name), log));
    }

    HRESULT Do(IOleUndoManager* manager) override
    {
        m_log.push_back("do " + m_name);
        if (onDo)
            onDo(manager);
        if (fileInverse && manager != nullptr) {
            auto inverse = Make(InverseName(m_name), m_log);
            HRESULT added = manager->Add(inverse.Get());
            if (FAILED(added))
                return added;
        }
        return doResult;
    }

    HRESULT GetDescription(std::string* description) override
    {
        *description = m_name;
        return S_OK;
    }

    HRESULT GetUnitType(CLSID* clsid, int32_t* id) override
    {
        *clsid = CLSID_NULL;
        *id = 0;
        return S_OK;
    }

    HRESULT OnNextAdd() override
    {
        m_log.push_back("next " + m_name);
        return S_OK;
    }

    const std::string& Name() const { return m_name; }

    HRESULT doResult = S_OK;
    bool fileInverse = true;
    std::function<void(IOleUndoManager*)> onDo;

private:
    RecordingUnit(std::string name, UndoLog& log) : m_name(std::move(name)), m_log(log) { ++g_liveUnits; }
    ~RecordingUnit() override { --g_liveUnits; }

    std::string m_name;
    UndoLog& m_log;
};

// A parent unit that behaves as the document's group unit does: it collects the units
// added while it is open, newest first, and performing it performs them all inside a
// new group that it files on the manager.
class RecordingGroup final : public ComObject<IOleParentUndoUnit> {
public:
    static ComPtr<RecordingGroup> Make(std::string name, UndoLog& log)
    {
        return ComPtr<RecordingGroup>(new RecordingGroup(std::move(name), log));
    }

    HRESULT Do(IOleUndoManager* manager) override
    {
        m_log.push_back("do " + m_name);
        auto inverse = Make(InverseName(m_name), m_log);
        HRESULT result = manager->Open(inverse.Get());
        if (FAILED(result))
            return result;
        result = S_OK;
        for (auto child : m_children) {
            HRESULT code = child->Do(manager);
            if (FAILED(code))
                result = code;
        }
        HRESULT closed = manager->Close(inverse.Get(), SUCCEEDED(result));
        return SUCCEEDED(result) ? closed : result;
    }

    HRESULT GetDescription(std::string* description) override
    {
        *description = m_name;
        return S_OK;
    }

    HRESULT GetUnitType(CLSID* clsid, int32_t* id) override
    {
        *clsid = CLSID_NULL;
        *id = 0;
        return S_OK;
    }

    HRESULT OnNextAdd() override
    {
        m_log.push_back("next " + m_name);
        return S_OK;
    }

    HRESULT Open(IOleParentUndoUnit* parent) override
    {
        if (parent == nullptr)
            return E_POINTER;
        if (m_openChild)
            return m_openChild->Open(parent);
        m_openChild = parent;
        return S_OK;
    }

    HRESULT Close(IOleParentUndoUnit* parent, bool commit) override
    {
        if (!m_openChild)
            return S_FALSE;
        HRESULT result = m_openChild->Close(parent, commit);
        if (result != S_FALSE)
            return result;
        if (!IsSameObject(m_openChild.Get(), parent))
            return E_INVALIDARG;
        ComPtr<IOleParentUndoUnit> closed = std::move(m_openChild);
        if (commit)
            m_children.push_front(closed);
        return S_OK;
    }

    HRESULT Add(IOleUndoUnit* unit) override
    {
        if (m_openChild)
            return m_openChild->Add(unit);
        if (!m_children.empty())
            m_children.front()->OnNextAdd();
        m_children.push_front(unit);
        return S_OK;
    }

    HRESULT FindUnit(IOleUndoUnit* unit) override
    {
        for (auto& child : m_children) {
            if (UndoUnitMatches(child.Get(), unit))
                return S_OK;
        }
        return S_FALSE;
    }

    HRESULT GetParentState(uint32_t* state) override
    {
        if (m_openChild)
            return m_openChild->GetParentState(state);
        *state = UAS_NORMAL;
        return S_OK;
    }

    // Descriptions of the children, newest first.
    std::vector<std::string> ChildNames() const
    {
        std::vector<std::string> names;
        for (auto& child : m_children) {
            std::string name;
            child->GetDescription(&name);
            names.push_back(name);
        }
        return names;
    }

private:
    RecordingGroup(std::string name, UndoLog& log) : m_name(std::move(name)), m_log(log) { ++g_liveUnits; }
    ~RecordingGroup() override { --g_liveUnits; }

    std::string m_name;
    UndoLog& m_log;
    ComPtr<IOleParentUndoUnit> m_openChild;
    std::deque<ComPtr<IOleUndoUnit>> m_children;
};

// The descriptions of the units an enumerator yields, in order.
inline std::vector<std::string> Descriptions(IEnumOleUndoUnits* enumerator)
{
    std::vector<std::string> names;
    IOleUndoUnit* unit = nullptr;
    while (enumerator->Next(1, &unit, nullptr) == S_OK) {
        ComPtr<IOleUndoUnit> held = ComPtr<IOleUndoUnit>::Adopt(unit);
        std::string name;
        held->GetDescription(&name);
        names.push_back(name);
    }
    return names;
}

inline std::vector<std::string> UndoStack(IOleUndoManager* manager)
{
    ComPtr<IEnumOleUndoUnits> enumerator;
    if (manager->EnumUndoable(enumerator.ReleaseAndGetAddressOf()) != S_OK)
        return { "<no enumerator>" };
    return Descriptions(enumerator.Get());
}

inline std::vector<std::string> RedoStack(IOleUndoManager* manager)
{
    ComPtr<IEnumOleUndoUnits> enumerator;
    if (manager->EnumRedoable(enumerator.ReleaseAndGetAddressOf()) != S_OK)
        return { "<no enumerator>" };
    return Descriptions(enumerator.Get());
}

} // namespace kelmora::testing
