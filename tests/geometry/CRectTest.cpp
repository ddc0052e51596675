#include "platform/geometry/CRect.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelmora {

TEST(CRect, EdgesRightAndBottomLieOutside)
{
    CRect r(10, 20, 30, 50);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 30);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_TRUE(r.PtInRect(CPoint(29, 49)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 30)));
    EXPECT_FALSE(r.PtInRect(CPoint(15, 50)));
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 35));
}

TEST(CRect, EmptyNullAndNormalize)
{
    CRect inverted(30, 50, 10, 20);
    EXPECT_TRUE(inverted.IsRectEmpty());
    EXPECT_FALSE(inverted.IsRectNull());
    EXPECT_FALSE(inverted.PtInRect(CPoint(20, 30)));
    inverted.NormalizeRect();
    EXPECT_EQ(inverted, CRect(10, 20, 30, 50));
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    // Centre rounds toward zero like integer division.
    EXPECT_EQ(CRect(-3, -3, 0, 0).CenterPoint(), CPoint(-1, -1));
}

TEST(CRect, InflateDeflateOffset)
{
    CRect r(10, 10, 20, 20);
    r.InflateRect(2, 3);
    EXPECT_EQ(r, CRect(8, 7, 22, 23));
    r.DeflateRect(2, 3);
    EXPECT_EQ(r, CRect(10, 10, 20, 20));
    r.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(9, 8, 23, 24));
    EXPECT_EQ(r - CSize(9, 8), CRect(0, 0, 14, 16));
}

TEST(CRect, IntersectAndUnion)
{
    CRect a(0, 0, 10, 10);
    CRect b(5, 5, 15, 15);
    CRect c;
    EXPECT_TRUE(c.IntersectRect(a, b));
    EXPECT_EQ(c, CRect(5, 5, 10, 10));
    EXPECT_EQ(a & b, CRect(5, 5, 10, 10));
    // Touching rectangles do not overlap: the result is the null rectangle.
    CRect touching(10, 0, 20, 10);
    c = CRect(1, 2, 3, 4);
    EXPECT_FALSE(c.IntersectRect(a, touching));
    EXPECT_TRUE(c.IsRectNull());

    EXPECT_TRUE(c.UnionRect(a, b));
    EXPECT_EQ(c, CRect(0, 0, 15, 15));
    // An empty operand does not stretch the union.
    EXPECT_TRUE(c.UnionRect(a, CRect(100, 100, 100, 200)));
    EXPECT_EQ(c, a);
    EXPECT_FALSE(c.UnionRect(CRect(), CRect(3, 3, 1, 1)));
    EXPECT_TRUE(c.IsRectNull());
    // Operating on itself.
    a |= b;
    EXPECT_EQ(a, CRect(0, 0, 15, 15));
}

TEST(CRect, ExtremeValuesWrapWithoutOverflow)
{
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    CRect huge(kMin, kMin, kMax, kMax);
    EXPECT_EQ(huge.Width(), -1); // 2^32 − 1 wrapped, as 32-bit arithmetic gives
    EXPECT_EQ(huge.CenterPoint(), CPoint(0, 0));
    huge.OffsetRect(1, 1);
    EXPECT_EQ(huge.right, kMin);
    EXPECT_EQ(CPoint(kMax, 0) + CSize(1, 0), CPoint(kMin, 0));
}

} // namespace kelmora
