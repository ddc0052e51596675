#include "document/PaintedAreaIndex.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

// The grid has at most this many cells a side: enough that a small repaint of a drawing of
// many thousand objects looks at few of them, few enough to be made in one pass.
constexpr int32_t kMaxCellsPerSide = 128;
// An area over more cells than this is loose: a large object is drawn in most repaints.
constexpr int64_t kMaxCellsPerObject = 64;

int32_t CellOf(float value, float origin, float cell, int32_t count)
{
    const double at = std::floor((double(value) - origin) / cell);
    return int32_t(std::clamp(at, 0.0, double(count - 1)));
}

bool Finite(const RectF& area)
{
    return std::isfinite(area.X) && std::isfinite(area.Y) && std::isfinite(area.Width) && std::isfinite(area.Height);
}

} // namespace

void PaintedAreaIndex::Clear()
{
    m_built = false;
    m_cells.clear();
    m_filed.clear();
    m_loose.clear();
}

void PaintedAreaIndex::Build(const std::vector<std::optional<RectF>>& areas)
{
    Clear();
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
    bool any = false;
    for (const std::optional<RectF>& area : areas) {
        if (!area || !Finite(*area))
            continue;
        left = any ? std::min(left, area->X) : area->X;
        top = any ? std::min(top, area->Y) : area->Y;
        right = any ? std::max(right, area->GetRight()) : area->GetRight();
        bottom = any ? std::max(bottom, area->GetBottom()) : area->GetBottom();
        any = true;
    }
    m_left = left;
    m_top = top;
    const double side = std::ceil(std::sqrt(double(areas.size())));
    m_columns = int32_t(std::clamp(side, 1.0, double(kMaxCellsPerSide)));
    m_rows = m_columns;
    m_cellWidth = std::max((right - left) / float(m_columns), 1.0f);
    m_cellHeight = std::max((bottom - top) / float(m_rows), 1.0f);
    m_cells.assign(size_t(m_columns) * size_t(m_rows), {});
    m_filed.assign(areas.size(), Span{});
    for (size_t i = 0; i < areas.size(); ++i) {
        const Span span = areas[i] ? SpanOf(*areas[i]) : Span{};
        File(uint32_t(i), span);
        m_filed[i] = span;
    }
    m_built = true;
}

PaintedAreaIndex::Span PaintedAreaIndex::SpanOf(const RectF& area, bool filed) const
{
    if (!Finite(area))
        return Span{};
    // Corners in either order: an area of negative width still overlaps what lies
    // between its edges.
    const float left = std::min(area.X, area.GetRight());
    const float right = std::max(area.X, area.GetRight());
    const float top = std::min(area.Y, area.GetBottom());
    const float bottom = std::max(area.Y, area.GetBottom());
    const Span span{CellOf(left, m_left, m_cellWidth, m_columns), CellOf(top, m_top, m_cellHeight, m_rows),
                    CellOf(right, m_left, m_cellWidth, m_columns), CellOf(bottom, m_top, m_cellHeight, m_rows), false};
    if (filed && int64_t(span.x1 - span.x0 + 1) * int64_t(span.y1 - span.y0 + 1) > kMaxCellsPerObject)
        return Span{};
    return span;
}

void PaintedAreaIndex::File(uint32_t index, const Span& span)
{
    if (span.loose) {
        // Build files the objects in list order: the loose list stays ascending.
        m_loose.push_back(index);
        return;
    }
    for (int32_t y = span.y0; y <= span.y1; ++y) {
        for (int32_t x = span.x0; x <= span.x1; ++x)
            Cell(x, y).push_back(index);
    }
}

void PaintedAreaIndex::Unfile(uint32_t index, const Span& span)
{
    if (span.loose)
        return;
    for (int32_t y = span.y0; y <= span.y1; ++y) {
        for (int32_t x = span.x0; x <= span.x1; ++x) {
            std::vector<uint32_t>& cell = Cell(x, y);
            const auto at = std::find(cell.begin(), cell.end(), index);
            if (at != cell.end()) {
                *at = cell.back();
                cell.pop_back();
            }
        }
    }
}

void PaintedAreaIndex::Update(size_t index, const RectF& area)
{
    if (!m_built || index >= m_filed.size())
        return;
    const Span span = SpanOf(area);
    Span& filed = m_filed[index];
    if (span == filed)
        return;
    Unfile(uint32_t(index), filed);
    filed = span;
    if (!span.loose) {
        File(uint32_t(index), span);
        return;
    }
    // An entry that was loose once stays listed as loose (Query takes each index once).
    const auto at = std::lower_bound(m_loose.begin(), m_loose.end(), uint32_t(index));
    if (at == m_loose.end() || *at != uint32_t(index))
        m_loose.insert(at, uint32_t(index));
}

std::optional<std::vector<uint32_t>> PaintedAreaIndex::Query(const RectF& area, const std::vector<uint32_t>& extra)
{
    return Query(std::span(&area, 1), extra);
}

std::optional<std::vector<uint32_t>> PaintedAreaIndex::Query(std::span<const RectF> areas,
                                                             const std::vector<uint32_t>& extra)
{
    if (!m_built || m_loose.size() * 4 > m_filed.size())
        return std::nullopt;
    std::vector<Span> spans;
    spans.reserve(areas.size());
    for (const RectF& area : areas) {
        const Span span = SpanOf(area, false);
        if (span.loose || int64_t(span.x1 - span.x0 + 1) * int64_t(span.y1 - span.y0 + 1) * 4 > int64_t(m_cells.size()))
            return std::nullopt;
        spans.push_back(span);
    }
    if (m_taken.size() != m_filed.size() || ++m_queryNumber == 0) {
        m_taken.assign(m_filed.size(), 0);
        m_queryNumber = 1;
    }
    std::vector<uint32_t> found;
    const auto take = [&](uint32_t index) {
        if (index < m_taken.size() && m_taken[index] != m_queryNumber) {
            m_taken[index] = m_queryNumber;
            found.push_back(index);
        }
    };
    for (uint32_t index : m_loose)
        take(index);
    for (uint32_t index : extra)
        take(index);
    for (const Span& span : spans) {
        for (int32_t y = span.y0; y <= span.y1; ++y) {
            for (int32_t x = span.x0; x <= span.x1; ++x) {
                for (uint32_t index : m_cells[size_t(y) * size_t(m_columns) + size_t(x)])
                    take(index);
            }
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace kelmora
