#include "dialogs/DashCells.h"

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace kelmora {

namespace {

std::vector<float> RoundTrip(DashCells& cells, std::vector<float> array)
{
    cells.SetFromDashArray(array);
    std::vector<float> out;
    cells.GetDashArray(out);
    return out;
}

std::vector<int> OnCells(const DashCells& cells)
{
    std::vector<int> on;
    for (int i = 0; i < DashCells::kCellCount; ++i) {
        if (cells.IsOn(i))
            on.push_back(i);
    }
    return on;
}

std::vector<int> Range(int from, int to)
{
    std::vector<int> r;
    for (int i = from; i < to; ++i)
        r.push_back(i);
    return r;
}

} // namespace

TEST(DashCellsTest, PresetPatternFillsItsCellsAndComesBackUnchanged)
{
    DashCells cells;
    const std::vector<float> preset{16, 4, 8, 4, 16, 4};
    EXPECT_EQ(RoundTrip(cells, preset), preset);
    EXPECT_EQ(cells.GetLength(), 52);
    std::vector<int> expected = Range(0, 16);
    for (int i : Range(20, 28))
        expected.push_back(i);
    for (int i : Range(32, 48))
        expected.push_back(i);
    EXPECT_EQ(OnCells(cells), expected);
}

TEST(DashCellsTest, FractionsAreTruncatedAndTheTrailingGapIsKeptByTheLength)
{
    DashCells cells;
    EXPECT_EQ(RoundTrip(cells, {2.9f, 1.2f, 1, 3}), (std::vector<float>{2, 1, 1, 3}));
    EXPECT_EQ(cells.GetLength(), 7);
}

TEST(DashCellsTest, EmptyArrayGivesTheEmptyPattern)
{
    DashCells cells;
    cells.SetFromDashArray(std::vector<float>{4, 4});
    EXPECT_TRUE(RoundTrip(cells, {}).empty());
    EXPECT_EQ(cells.GetLength(), 0);
    EXPECT_TRUE(OnCells(cells).empty());
}

TEST(DashCellsTest, OverlongArrayStopsAtTheLastCellAndEndsWithAGap)
{
    DashCells cells;
    EXPECT_EQ(RoundTrip(cells, {40, 10, 30, 5}), (std::vector<float>{40, 10, 9, 1}));
    EXPECT_EQ(cells.GetLength(), DashCells::kCellCount);
    // A row whose cells are all dash still keeps its gap.
    EXPECT_EQ(RoundTrip(cells, {1000}), (std::vector<float>{59, 1}));
}

// Arrays a pen would refuse or that do not start with a dash and end with a gap are
// brought into a shape that draws, instead of a leading zero or an odd count.
TEST(DashCellsTest, LoadedPatternAlwaysStartsWithADashAndEndsWithAGap)
{
    DashCells cells;
    EXPECT_EQ(RoundTrip(cells, {0.5f, 4}), (std::vector<float>{1, 3}));
    EXPECT_EQ(RoundTrip(cells, {3, 2, 3}), (std::vector<float>{3, 2, 2, 1}));
    EXPECT_EQ(RoundTrip(cells, {1}), (std::vector<float>{1, 1}));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(RoundTrip(cells, {4, nan, -3, 2, inf, 2}), (std::vector<float>{4, 4}));
    EXPECT_EQ(RoundTrip(cells, {nan, -1, 0}), std::vector<float>{});
    for (const auto& array : {std::vector<float>{0.5f, 4}, {3, 2, 3}, {1}, {1e30f, 1e30f}, {-1e30f, 7}}) {
        const std::vector<float> out = RoundTrip(cells, array);
        EXPECT_TRUE(IsValidDashArray(out)) << "from " << array.size() << " values";
    }
}

TEST(DashCellsTest, OnlyInnerCellsOfThePatternToggle)
{
    DashCells cells;
    cells.SetFromDashArray(std::vector<float>{4, 4});
    EXPECT_TRUE(cells.Toggle(5));
    std::vector<float> out;
    cells.GetDashArray(out);
    EXPECT_EQ(out, (std::vector<float>{4, 1, 1, 2}));
    EXPECT_TRUE(cells.Toggle(5));
    EXPECT_FALSE(cells.Toggle(0));
    EXPECT_FALSE(cells.Toggle(7));
    EXPECT_FALSE(cells.Toggle(8));
    EXPECT_FALSE(cells.Toggle(-1));
    out.clear();
    cells.GetDashArray(out);
    EXPECT_EQ(out, (std::vector<float>{4, 4}));
}

TEST(DashCellsTest, EndBarStaysWithinTheRowAndLeavesAGapAtTheEnd)
{
    DashCells cells;
    cells.SetFromDashArray(std::vector<float>{4, 4});
    EXPECT_TRUE(cells.SetLength(-5));
    EXPECT_EQ(cells.GetLength(), DashCells::kMinLength);
    std::vector<float> out;
    cells.GetDashArray(out);
    EXPECT_EQ(out, (std::vector<float>{1, 1}));
    EXPECT_FALSE(cells.SetLength(2));

    // Cells beyond the bar keep their state and come back with it; the new last cell is a gap.
    EXPECT_TRUE(cells.SetLength(4));
    out.clear();
    cells.GetDashArray(out);
    EXPECT_EQ(out, (std::vector<float>{1, 1, 1, 1}));
    EXPECT_TRUE(cells.SetLength(500));
    EXPECT_EQ(cells.GetLength(), DashCells::kCellCount);

    // Dragging out of the empty pattern starts with a dash.
    DashCells empty;
    EXPECT_TRUE(empty.SetLength(5));
    out.clear();
    empty.GetDashArray(out);
    EXPECT_EQ(out, (std::vector<float>{1, 4}));
}

TEST(DashCellsTest, ValidArraysHaveAnEvenCountOfPositiveLengths)
{
    EXPECT_TRUE(IsValidDashArray(std::vector<float>{}));
    EXPECT_TRUE(IsValidDashArray(std::vector<float>{0.5f, 2}));
    EXPECT_FALSE(IsValidDashArray(std::vector<float>{1, 2, 3}));
    EXPECT_FALSE(IsValidDashArray(std::vector<float>{0, 2}));
    EXPECT_FALSE(IsValidDashArray(std::vector<float>{-1, 2}));
    EXPECT_FALSE(IsValidDashArray(std::vector<float>{std::nanf(""), 2}));
}

} // namespace kelmora
