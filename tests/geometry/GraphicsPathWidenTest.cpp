#include "platform/geometry/GraphicsPath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelmora {

namespace {

PenGeometry Pen(float width, LineJoin join = LineJoin::Miter, LineCap cap = LineCap::Flat, float miterLimit = 10)
{
    PenGeometry pen;
    pen.width = width;
    pen.join = join;
    pen.startCap = cap;
    pen.endCap = cap;
    pen.miterLimit = miterLimit;
    return pen;
}

} // namespace

TEST(GraphicsPathWiden, OutlineHitIsWithinHalfTheWidth)
{
    GraphicsPath line;
    line.AddLine(0, 0, 100, 0);
    PenGeometry pen = Pen(10);
    EXPECT_TRUE(line.IsOutlineVisible(50, 4.9f, pen));
    EXPECT_TRUE(line.IsOutlineVisible(50, -4.9f, pen));
    EXPECT_FALSE(line.IsOutlineVisible(50, 5.1f, pen));
    EXPECT_FALSE(line.IsOutlineVisible(-1, 0, pen)); // flat cap ends at the point
    EXPECT_FALSE(line.IsOutlineVisible(NAN, 0, pen));
    EXPECT_FALSE(line.IsOutlineVisible(50, 0, Pen(-1)));
    EXPECT_FALSE(line.IsOutlineVisible(50, 0, Pen(0)));
}

TEST(GraphicsPathWiden, CapsShapeTheOpenEnds)
{
    GraphicsPath line;
    line.AddLine(0, 0, 100, 0);
    EXPECT_TRUE(line.IsOutlineVisible(-4, 4, Pen(10, LineJoin::Miter, LineCap::Square)));
    EXPECT_FALSE(line.IsOutlineVisible(-6, 0, Pen(10, LineJoin::Miter, LineCap::Square)));
    EXPECT_TRUE(line.IsOutlineVisible(-4, 0, Pen(10, LineJoin::Miter, LineCap::Round)));
    EXPECT_FALSE(line.IsOutlineVisible(-4, 4, Pen(10, LineJoin::Miter, LineCap::Round)));
    EXPECT_TRUE(line.IsOutlineVisible(104, 0.5f, Pen(10, LineJoin::Miter, LineCap::Triangle)));
    EXPECT_FALSE(line.IsOutlineVisible(104, 2, Pen(10, LineJoin::Miter, LineCap::Triangle)));
    // Anchor caps belong to the full pen: here they end flat.
    EXPECT_FALSE(line.IsOutlineVisible(-2, 0, Pen(10, LineJoin::Miter, LineCap::ArrowAnchor)));
}

TEST(GraphicsPathWiden, JoinsShapeTheCorners)
{
    GraphicsPath square;
    square.AddRectangle(RectF(0, 0, 100, 100));
    // Corner at (0, 0); outside it along the diagonal.
    EXPECT_TRUE(square.IsOutlineVisible(-4, -4, Pen(10, LineJoin::Miter)));
    EXPECT_FALSE(square.IsOutlineVisible(-4, -4, Pen(10, LineJoin::Bevel)));
    EXPECT_TRUE(square.IsOutlineVisible(-2, -2, Pen(10, LineJoin::Bevel)));
    EXPECT_TRUE(square.IsOutlineVisible(-3, -3, Pen(10, LineJoin::Round)));
    EXPECT_FALSE(square.IsOutlineVisible(-4, -4, Pen(10, LineJoin::Round)));
    // The closing corner (back at the first point) is joined too.
    EXPECT_TRUE(square.IsOutlineVisible(-4, 104, Pen(10, LineJoin::Miter)));
    // Inside the square, away from the stroke.
    EXPECT_FALSE(square.IsOutlineVisible(50, 50, Pen(10)));
}

TEST(GraphicsPathWiden, SharpMiterIsCutAtTheLimit)
{
    // A spike turning back at (100, 5): the full miter would reach far to the right.
    GraphicsPath spike;
    PointF pts[] = {{0, 0}, {100, 5}, {0, 10}};
    spike.AddLines(pts);
    // Miter: cut square at limit × half width = 2 × 5 = 10 beyond the vertex.
    EXPECT_TRUE(spike.IsOutlineVisible(108, 5, Pen(10, LineJoin::Miter, LineCap::Flat, 2)));
    EXPECT_FALSE(spike.IsOutlineVisible(112, 5, Pen(10, LineJoin::Miter, LineCap::Flat, 2)));
    // MiterClipped falls back to a bevel.
    EXPECT_FALSE(spike.IsOutlineVisible(108, 5, Pen(10, LineJoin::MiterClipped, LineCap::Flat, 2)));
    // Within a generous limit the whole miter stands.
    EXPECT_TRUE(spike.IsOutlineVisible(150, 5, Pen(10, LineJoin::Miter, LineCap::Flat, 100)));
}

TEST(GraphicsPathWiden, WidenBuildsAFillableOutlineMatchingTheHitTest)
{
    GraphicsPath path;
    path.AddRectangle(RectF(0, 0, 100, 100));
    path.AddArc(RectF(150, 0, 100, 100), 0, 180);
    GraphicsPath widened = path;
    PenGeometry pen = Pen(10, LineJoin::Miter, LineCap::Round);
    ASSERT_TRUE(widened.Widen(pen));
    EXPECT_EQ(widened.GetFillMode(), FillMode::Winding);
    for (uint8_t type : widened.Types())
        EXPECT_NE(type & PathPointType::TypeMask, PathPointType::Bezier);
    RectF box = widened.GetBounds();
    EXPECT_NEAR(box.X, -5, 1e-3);
    EXPECT_NEAR(box.Y, -5, 1e-3);
    EXPECT_NEAR(box.GetBottom(), 105, 0.1);
    for (float y = -10; y <= 110; y += 3.5f) {
        for (float x = -10; x <= 260; x += 3.5f)
            ASSERT_EQ(widened.IsVisible(x, y), path.IsOutlineVisible(x, y, pen)) << x << ", " << y;
    }

    // An invalid pen or matrix leaves the path alone.
    GraphicsPath untouched = path;
    EXPECT_FALSE(untouched.Widen(Pen(NAN)));
    Matrix broken(NAN, 0, 0, 1, 0, 0);
    EXPECT_FALSE(untouched.Widen(pen, &broken));
    EXPECT_EQ(untouched.PointCount(), path.PointCount());

    // With a matrix the path is mapped first and the pen applies in the mapped space.
    GraphicsPath line;
    line.AddLine(0, 0, 10, 0);
    Matrix scale = Matrix::Scaling(10, 10);
    ASSERT_TRUE(line.Widen(Pen(2), &scale));
    EXPECT_EQ(line.GetBounds(), RectF(0, -1, 100, 2));
}

} // namespace kelmora
