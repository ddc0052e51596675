#include "platform/geometry/RectF.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelmora {

TEST(RectF, ContainsTakesLeftTopInsideRightBottomOutside)
{
    RectF r(1, 2, 10, 20);
    EXPECT_FLOAT_EQ(r.GetRight(), 11);
    EXPECT_FLOAT_EQ(r.GetBottom(), 22);
    EXPECT_TRUE(r.Contains(1, 2));
    EXPECT_FALSE(r.Contains(11, 5));
    EXPECT_FALSE(r.Contains(5, 22));
    EXPECT_TRUE(r.Contains(RectF(1, 2, 10, 20)));
    EXPECT_FALSE(r.Contains(RectF(0, 2, 10, 20)));
    EXPECT_FALSE(r.Contains(NAN, 5));
}

TEST(RectF, EmptyAreaIncludesNegativeAndNaN)
{
    EXPECT_TRUE(RectF(0, 0, 0, 5).IsEmptyArea());
    EXPECT_TRUE(RectF(0, 0, -1, 5).IsEmptyArea());
    EXPECT_TRUE(RectF(0, 0, NAN, 5).IsEmptyArea());
    EXPECT_FALSE(RectF(0, 0, 1, 1).IsEmptyArea());
    EXPECT_FALSE(RectF(0, 0, INFINITY, 1).IsFinite());
}

TEST(RectF, InflateIntersectUnion)
{
    RectF r(10, 10, 10, 10);
    r.Inflate(2, 3);
    EXPECT_EQ(r, RectF(8, 7, 14, 16));

    RectF out;
    EXPECT_TRUE(RectF::Intersect(out, RectF(0, 0, 10, 10), RectF(5, 5, 10, 10)));
    EXPECT_EQ(out, RectF(5, 5, 5, 5));
    EXPECT_FALSE(RectF::Intersect(out, RectF(0, 0, 10, 10), RectF(20, 0, 5, 5)));
    EXPECT_TRUE(out.IsEmptyArea());
    EXPECT_FALSE(RectF(0, 0, 10, 10).IntersectsWith(RectF(10, 0, 5, 5)));
    EXPECT_TRUE(RectF(0, 0, 10, 10).IntersectsWith(RectF(9, 9, 5, 5)));

    // GDI+ unions include empty operands.
    EXPECT_TRUE(RectF::Union(out, RectF(0, 0, 10, 10), RectF(20, 30, 0, 0)));
    EXPECT_EQ(out, RectF(0, 0, 20, 30));

    RectF self(0, 0, 10, 10);
    EXPECT_TRUE(self.Intersect(RectF(2, 3, 20, 20)));
    EXPECT_EQ(self, RectF(2, 3, 8, 7));
    EXPECT_EQ(RectF::FromCorners(PointF(5, 1), PointF(1, 5)), RectF(1, 1, 4, 4));
}

} // namespace kelmora
