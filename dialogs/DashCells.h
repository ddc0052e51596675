#pragma once
// The cells of the dash-style editor: a row of kCellCount on/off cells, one cell one pen
// width, of which the first m_nLength make up the pattern (the end bar sits after them).
// An on cell is dash, an off cell gap. No window here, so the conversions between cells
// and dash arrays can be checked without a display.
//
// A dash array is dash, gap, dash, ... in pen widths, starting with a dash. The cells keep
// a pattern that a pen can draw: whenever the pattern is not empty, it is at least two
// cells long, its first cell is on and its last cell is off. So GetDashArray always
// answers an even count of whole lengths of at least 1 that add up to no more than
// kCellCount, or nothing. A loaded array that breaks this (starting with a gap, ending on
// a dash, one cell long) is brought into line as it is loaded.

#include <array>
#include <span>
#include <vector>

namespace kelmora {

class DashCells {
public:
    // Cells shown and the longest pattern the editor holds.
    static constexpr int kCellCount = 60;
    // A pattern needs one dash and one gap.
    static constexpr int kMinLength = 2;

    int GetLength() const { return m_nLength; }
    bool IsOn(int cell) const { return cell >= 0 && cell < kCellCount && m_cells[cell]; }

    // Loads the array: lengths truncated toward zero, dash lengths turn cells on, gap
    // lengths leave them off; the pattern length is the sum, capped at kCellCount. Values
    // that are not finite numbers or are below 1 take no cells. An empty array (or one
    // whose lengths are all below 1) gives the empty pattern.
    void SetFromDashArray(std::span<const float> array);
    // The run lengths of the pattern's cells, first run on; empty for the empty pattern.
    void GetDashArray(std::vector<float>& out) const;

    // Turns an inner cell of the pattern (1 .. length − 2) on or off; the first and last
    // cells stay as they are. False, nothing changed, for any other cell.
    bool Toggle(int cell);
    // Moves the end bar: the length is capped at kCellCount and raised to kMinLength, and
    // the new last cell is turned off. False when the length stays as it was.
    bool SetLength(int length);

private:
    std::array<bool, kCellCount> m_cells{};
    int m_nLength = 0;
};

// Whether a pen draws the array as a pattern of the editor: an even count of finite
// lengths above 0. The empty array (a solid line) counts.
bool IsValidDashArray(std::span<const float> array);

} // namespace kelmora
