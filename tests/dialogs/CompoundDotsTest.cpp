// The dot row of the compound-line editor and its conversions.

#include "dialogs/CompoundDots.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kelmora {

namespace {

// The row as '#' (ink) and '.' (gap).
std::string Shown(std::vector<float> array)
{
    CompoundDots dots;
    CompoundArrayToDots(array, dots);
    std::string row;
    for (int i = 0; i < CompoundDots::kDotCount; ++i)
        row += dots.IsInk(i) ? '#' : '.';
    return row;
}

} // namespace

TEST(CompoundDots, ArraysShowAsBandsOfTenths)
{
    EXPECT_EQ(Shown({0, 0.3f, 0.7f, 1}), "###....###");
    EXPECT_EQ(Shown({0, 0.2f, 0.5f, 0.7f, 0.9f, 1}), "##...##..#");
    EXPECT_EQ(Shown({0, 1}), "##########");
    // Widths that are no whole tenths take no dots; the ends stay ink.
    EXPECT_EQ(Shown({0, 0.25f, 0.75f, 1}), "#........#");
}

TEST(CompoundDots, ArraysAPenWouldNotDrawShowOneBand)
{
    // An empty array (every new pen), an odd one and an unsorted one that would run past
    // the tenth dot all show what the pen draws for them: one plain band.
    EXPECT_EQ(Shown({}), "##########");
    EXPECT_EQ(Shown({0, 0.7f, 1}), "##########");
    EXPECT_EQ(Shown({0, 1, 0, 1}), "##########");
    EXPECT_EQ(Shown({0, 0.5f, 2, 3}), "##########");
}

TEST(CompoundDots, RowsAlwaysGiveArraysAPenDraws)
{
    CompoundDots dots;
    std::vector<float> array;
    DotsToCompoundArray(dots, array);
    EXPECT_EQ(array, (std::vector<float>{0, 1}));

    EXPECT_FALSE(dots.Toggle(0));
    EXPECT_FALSE(dots.Toggle(CompoundDots::kDotCount - 1));
    for (int dot : {3, 4, 5, 6})
        EXPECT_TRUE(dots.Toggle(dot));
    DotsToCompoundArray(dots, array);
    EXPECT_EQ(array, (std::vector<float>{0, 0.3f, 0.7f, 1}));

    // Back and forth without a change.
    CompoundDots again;
    CompoundArrayToDots(array, again);
    EXPECT_EQ(again, dots);
}

} // namespace kelmora
