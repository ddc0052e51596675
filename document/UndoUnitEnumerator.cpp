#include "document/UndoUnitEnumerator.h"

#include <algorithm>
#include <new>

namespace kelmora {

CUndoUnitEnumerator::CUndoUnitEnumerator(Units units, std::size_t position)
    : m_units(std::move(units))
    , m_position(std::min(position, m_units.size()))
{
}

HRESULT CUndoUnitEnumerator::Create(Units units, std::size_t position, IEnumOleUndoUnits** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    try {
        ComPtr<IEnumOleUndoUnits> enumerator = new CUndoUnitEnumerator(std::move(units), position);
        *out = enumerator.Detach();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CUndoUnitEnumerator::Next(uint32_t count, IOleUndoUnit** units, uint32_t* fetched)
{
    if (units == nullptr)
        return E_POINTER;
    if (fetched == nullptr && count != 1)
        return E_INVALIDARG;
    std::size_t available = m_units.size() - m_position;
    uint32_t copied = uint32_t(std::min<std::size_t>(count, available));
    for (uint32_t i = 0; i < copied; ++i)
        m_units[m_position + i].CopyTo(&units[i]);
    m_position += copied;
    if (fetched != nullptr)
        *fetched = copied;
    return copied == count ? S_OK : S_FALSE;
}

HRESULT CUndoUnitEnumerator::Skip(uint32_t count)
{
    std::size_t available = m_units.size() - m_position;
    std::size_t skipped = std::min<std::size_t>(count, available);
    m_position += skipped;
    return skipped == count ? S_OK : S_FALSE;
}

HRESULT CUndoUnitEnumerator::Reset()
{
    m_position = 0;
    return S_OK;
}

HRESULT CUndoUnitEnumerator::Clone(IEnumOleUndoUnits** clone)
{
    if (clone == nullptr)
        return E_POINTER;
    *clone = nullptr;
    try {
        return Create(m_units, m_position, clone);
    } catch (const std::bad_alloc&) {
        // Copying the unit list itself failed.
        return E_OUTOFMEMORY;
    }
}

} // namespace kelmora
