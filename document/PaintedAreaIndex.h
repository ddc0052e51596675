#pragma once
// An index of the areas the objects of a document's list painted at their last drawing,
// so that a repaint of a small part of a large drawing looks at the objects near that
// part instead of at every object. Objects are known by their index in the list.
//
// The index is a grid of cells over the areas' extent; each cell lists the objects whose
// area reaches into it. An object whose area is not known, or reaches over many cells, is
// "loose": it is a candidate of every query. The index only narrows: whatever it answers
// is tested by the caller as before.

#include "platform/geometry/RectF.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kelmora {

class PaintedAreaIndex {
public:
    // Indexes `areas` (nothing: not known), one per object of the list, in list order.
    void Build(const std::vector<std::optional<RectF>>& areas);
    void Clear();
    bool IsBuilt() const { return m_built; }
    size_t Size() const { return m_filed.size(); }
    // The object at `index` painted `area` now.
    void Update(size_t index, const RectF& area);
    // The indexes, ascending and each once, of every object whose area may overlap `area`
    // (edges touching count) and of every loose object, and of `extra`; nothing when the
    // query would look at so much of the grid that a walk over every object costs less.
    std::optional<std::vector<uint32_t>> Query(const RectF& area, const std::vector<uint32_t>& extra);
    // The same for the union of `areas`: nothing when any one of them would look at too
    // much of the grid.
    std::optional<std::vector<uint32_t>> Query(std::span<const RectF> areas, const std::vector<uint32_t>& extra);

private:
    // The cells an area covers, inclusive; `loose` when it is not filed in any cell.
    struct Span {
        int32_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;
        bool loose = true;
        friend bool operator==(const Span&, const Span&) = default;
    };
    // An object's area over too many cells is loose; a query's area (`filed` false) only
    // when it is not finite.
    Span SpanOf(const RectF& area, bool filed = true) const;
    void File(uint32_t index, const Span& span);
    void Unfile(uint32_t index, const Span& span);
    std::vector<uint32_t>& Cell(int32_t x, int32_t y) { return m_cells[size_t(y) * size_t(m_columns) + size_t(x)]; }

    bool m_built = false;
    float m_left = 0.0f, m_top = 0.0f;   // the grid's origin (document units)
    float m_cellWidth = 1.0f, m_cellHeight = 1.0f;
    int32_t m_columns = 0, m_rows = 0;
    std::vector<std::vector<uint32_t>> m_cells;
    std::vector<Span> m_filed;           // where each object is filed
    std::vector<uint32_t> m_loose;       // ascending; an entry may be filed in cells too
    // Query's marks of the indexes it has taken, so that an object filed in many cells is
    // listed once without sorting every entry: an index is taken when its mark is the
    // query's number.
    std::vector<uint32_t> m_taken;
    uint32_t m_queryNumber = 0;
};

} // namespace kelmora
