#include "dialogs/DashCells.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

// The whole cells a length takes, kept within the row so that no value (huge, negative,
// not a number) reaches an integer conversion it does not fit.
int WholeCells(float value)
{
    if (!std::isfinite(value) || value < 1.0f)
        return 0;
    return int(std::min(value, float(DashCells::kCellCount)));
}

} // namespace

void DashCells::SetFromDashArray(std::span<const float> array)
{
    m_cells.fill(false);
    int position = 0;
    for (size_t k = 0; k < array.size() && position < kCellCount; ++k) {
        const int n = WholeCells(array[k]);
        const bool dash = k % 2 == 0;
        const int end = std::min(position + n, kCellCount);
        if (dash)
            std::fill(m_cells.begin() + position, m_cells.begin() + end, true);
        position = end;
    }
    m_nLength = position;
    if (m_nLength == 0)
        return;
    // Start with a dash and end with a gap, as the editor's own edits keep it.
    m_nLength = std::max(m_nLength, kMinLength);
    m_cells[0] = true;
    m_cells[m_nLength - 1] = false;
}

void DashCells::GetDashArray(std::vector<float>& out) const
{
    if (m_nLength < 1)
        return;
    int run = 0;
    bool current = true;
    for (int i = 0; i < m_nLength; ++i) {
        if (m_cells[i] != current) {
            out.push_back(float(run));
            run = 1;
            current = m_cells[i];
        } else {
            ++run;
        }
    }
    if (run != 0)
        out.push_back(float(run));
}

bool DashCells::Toggle(int cell)
{
    if (cell < 1 || cell > m_nLength - 2)
        return false;
    m_cells[cell] = !m_cells[cell];
    return true;
}

bool DashCells::SetLength(int length)
{
    length = std::clamp(length, kMinLength, kCellCount);
    const bool changed = length != m_nLength || !m_cells[0] || m_cells[length - 1];
    m_nLength = length;
    m_cells[0] = true;
    m_cells[length - 1] = false;
    return changed;
}

bool IsValidDashArray(std::span<const float> array)
{
    return array.size() % 2 == 0
        && std::all_of(array.begin(), array.end(), [](float v) { return std::isfinite(v) && v > 0.0f; });
}

} // namespace kelmora
