// Stop list rules and marker hit testing of the gradient strip.

#include "dialogs/GradientStops.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelmora {
namespace {

TEST(GradientStops, AddKeepsOrderAndSelectsFirstAtEqualPosition)
{
    GradientStopList stops{{0.25f, 0xFF0000FF}, {0.75f, 0xFF00FF00}};
    EXPECT_EQ(AddGradientStop(stops, 0.5f), 1);
    ASSERT_EQ(stops.size(), 3u);
    EXPECT_FLOAT_EQ(stops[1].position, 0.5f);
    EXPECT_EQ(stops[1].colour, kNewStopColour);
    EXPECT_EQ(stops[2].colour, 0xFF00FF00u);

    // A second stop at an occupied position goes after the earlier one, which stays the
    // one reported.
    EXPECT_EQ(AddGradientStop(stops, 0.25f, 0xFFFFFFFF), 0);
    EXPECT_EQ(stops[0].colour, 0xFF0000FFu);
    EXPECT_EQ(stops[1].colour, 0xFFFFFFFFu);
}

TEST(GradientStops, MovePastNeighbourReordersAndFollowsTheStop)
{
    GradientStopList stops{{0.2f, 1}, {0.4f, 2}, {0.6f, 3}};
    EXPECT_EQ(MoveGradientStop(stops, 0, 0.9f), 2);
    EXPECT_EQ(stops[0].colour, 2u);
    EXPECT_EQ(stops[1].colour, 3u);
    EXPECT_EQ(stops[2].colour, 1u);
    EXPECT_FLOAT_EQ(stops[2].position, 0.9f);

    // Onto a neighbour's position: it lands after the stop already there.
    EXPECT_EQ(MoveGradientStop(stops, 2, 0.4f), 1);
    EXPECT_EQ(stops[1].colour, 1u);
    // A stale index changes nothing.
    const GradientStopList before = stops;
    EXPECT_EQ(MoveGradientStop(stops, 7, 0.1f), 7);
    EXPECT_EQ(stops.size(), before.size());
    EXPECT_FLOAT_EQ(stops[0].position, before[0].position);
}

TEST(GradientStops, EndsAreNoStopsAndCannotBeRemoved)
{
    GradientStopList stops{{0.5f, 1}};
    EXPECT_FALSE(RemoveGradientStop(stops, kStartHandle));
    EXPECT_FALSE(RemoveGradientStop(stops, kEndHandle));
    EXPECT_FALSE(RemoveGradientStop(stops, 1));
    EXPECT_EQ(stops.size(), 1u);
    EXPECT_TRUE(RemoveGradientStop(stops, 0));
    EXPECT_TRUE(stops.empty());

    uint32_t start = 10, end = 20;
    EXPECT_TRUE(SetGradientStopColour(stops, start, end, kEndHandle, 30));
    EXPECT_EQ(end, 30u);
    EXPECT_FALSE(SetGradientStopColour(stops, start, end, kNoStop, 40));
    EXPECT_EQ(GetGradientStopColour(stops, start, end, kStartHandle), 10u);
}

TEST(GradientStops, PositionIsClampedAndSafeWithoutWidth)
{
    const StopMarkerGeometry bar{10, 200, 220, 20};
    EXPECT_FLOAT_EQ(bar.PositionAt(-50), 0.0f);
    EXPECT_FLOAT_EQ(bar.PositionAt(500), 1.0f);
    EXPECT_FLOAT_EQ(bar.PositionAt(110), 0.5f);

    const StopMarkerGeometry empty{10, 0, 20, 20};
    EXPECT_FLOAT_EQ(empty.PositionAt(10), 0.0f);
    EXPECT_FLOAT_EQ(empty.PositionAt(11), 1.0f);
}

TEST(GradientStops, HitTestAtMarkerEdges)
{
    // Bar 220 × 20 (middle row 10), strip from x 10, 200 wide: a stop at 0.5 sits at x 110
    // and is hit on [106, 114) × [6, 14).
    const StopMarkerGeometry bar{10, 200, 220, 20};
    const GradientStopList stops{{0.5f, 1}, {0.52f, 2}};
    EXPECT_EQ(bar.HitTest(stops, 106, 6), 0);
    EXPECT_EQ(bar.HitTest(stops, 105, 10), kNoStop);
    EXPECT_EQ(bar.HitTest(stops, 110, 5), kNoStop);
    EXPECT_EQ(bar.HitTest(stops, 110, 14), kNoStop);
    // Overlapping markers: the first in list order wins, past its right edge the next.
    EXPECT_EQ(bar.HitTest(stops, 113, 10), 0);
    EXPECT_EQ(bar.HitTest(stops, 114, 10), 1);
    EXPECT_EQ(bar.HitTest(stops, 118, 10), kNoStop);

    // End handles: [0, 6) and [213, 220) across rows [7, 13).
    EXPECT_EQ(bar.HitTest(stops, 0, 7), kStartHandle);
    EXPECT_EQ(bar.HitTest(stops, 6, 10), kNoStop);
    EXPECT_EQ(bar.HitTest(stops, 5, 13), kNoStop);
    EXPECT_EQ(bar.HitTest(stops, 213, 12), kEndHandle);
    EXPECT_EQ(bar.HitTest(stops, 212, 10), kNoStop);
}

} // namespace
} // namespace kelmora
