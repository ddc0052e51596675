#include "model/ShapePathBuilders.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

namespace kelmora {

namespace {

void ExpectPoint(PointF actual, double x, double y)
{
    EXPECT_NEAR(actual.X, x, 1e-4);
    EXPECT_NEAR(actual.Y, y, 1e-4);
}

int FigureCount(const GraphicsPath& path)
{
    int count = 0;
    for (uint8_t type : path.Types())
        count += PathTypeKind(type) == PathPointType::Start;
    return count;
}

} // namespace

TEST(ShapePathBuilders, RegularPolygonStartsStraightAboveAndTurnsClockwise)
{
    GraphicsPath path;
    ASSERT_TRUE(BuildRegularPolygon(path, PointF(0, 0), 5, 5));
    ASSERT_EQ(path.PointCount(), 5);
    ExpectPoint(path.Points()[0], 0, -5);
    ExpectPoint(path.Points()[1], 5 * std::sin(2 * M_PI / 5), -5 * std::cos(2 * M_PI / 5)); // upper right
    EXPECT_EQ(path.Types()[0], PathPointType::Start);
    EXPECT_EQ(path.Types()[4], PathPointType::Line | PathPointType::CloseSubpath);
}

TEST(ShapePathBuilders, StarAlternatesInnerAndOuterFromStraightBelow)
{
    GraphicsPath path;
    ASSERT_TRUE(BuildStar(path, PointF(100, 100), 5, 50, 20));
    ASSERT_EQ(path.PointCount(), 10);
    ExpectPoint(path.Points()[0], 100, 120);                    // inner, below the centre
    ExpectPoint(path.Points()[1], 100 + 50 * std::sin(M_PI / 5), 100 + 50 * std::cos(M_PI / 5)); // outer
    ExpectPoint(path.Points()[5], 100, 50);                     // odd n: an outer point straight above
    EXPECT_TRUE(IsClosingPathType(path.Types()[9]));
}

TEST(ShapePathBuilders, OddComplexStarIsOneSelfCrossingFigure)
{
    GraphicsPath path;
    ASSERT_TRUE(BuildComplexStar(path, PointF(0, 0), 5, 10));
    ASSERT_EQ(path.PointCount(), 5);
    EXPECT_EQ(FigureCount(path), 1);
    // Vertices 0, 2, 4, 1, 3 of the pentagon.
    GraphicsPath pentagon;
    BuildRegularPolygon(pentagon, PointF(0, 0), 5, 10);
    int order[] = {0, 2, 4, 1, 3};
    for (int j = 0; j < 5; ++j)
        EXPECT_EQ(path.Points()[j], pentagon.Points()[order[j]]) << j;
    // The alternate fill leaves the centre empty, the points filled.
    EXPECT_FALSE(path.IsVisible(0, 0));
    EXPECT_TRUE(path.IsVisible(0, -8));
}

TEST(ShapePathBuilders, EvenComplexStarTurnsOnlyItsOwnPolygon)
{
    GraphicsPath path;
    path.AddRectangle(RectF(0, 0, 10, 10));
    ASSERT_TRUE(BuildComplexStar(path, PointF(0, 0), 6, 10));
    ASSERT_EQ(path.PointCount(), 4 + 3 + 3);
    EXPECT_EQ(FigureCount(path), 3);
    // The rectangle that was already there has not turned.
    ExpectPoint(path.Points()[1], 10, 0);
    ExpectPoint(path.Points()[2], 10, 10);
    // First triangle turned by 60°, second at 0°: together the six vertices of the hexagon.
    GraphicsPath hexagon;
    BuildRegularPolygon(hexagon, PointF(0, 0), 6, 10);
    for (int i = 0; i < 3; ++i) {
        ExpectPoint(path.Points()[4 + i], hexagon.Points()[2 * i + 1].X, hexagon.Points()[2 * i + 1].Y);
        ExpectPoint(path.Points()[7 + i], hexagon.Points()[2 * i].X, hexagon.Points()[2 * i].Y);
    }
}

TEST(ShapePathBuilders, StopPolygonRunsAlongTheEllipse)
{
    GraphicsPath ends;
    float two[] = {0, 1};
    ASSERT_TRUE(AddEllipseStopPolygon(ends, PointF(50, 50), 40, 20, two));
    ASSERT_EQ(ends.PointCount(), 2);
    ExpectPoint(ends.Points()[0], 10, 50); // left end
    ExpectPoint(ends.Points()[1], 90, 50); // right end

    GraphicsPath path;
    float stops[] = {0, 0.5f, 1};
    ASSERT_TRUE(AddEllipseStopPolygon(path, PointF(0, 0), 40, 20, stops));
    ASSERT_EQ(path.PointCount(), 4);
    ExpectPoint(path.Points()[0], -40, 0);
    ExpectPoint(path.Points()[1], 0, 20);  // angle 1.5π: the bottom (y grows downward)
    ExpectPoint(path.Points()[2], 40, 0);
    ExpectPoint(path.Points()[3], 0, -20); // back along the top
}

TEST(ShapePathBuilders, FaultyParametersAddNothing)
{
    GraphicsPath path;
    path.AddLine(0, 0, 1, 1);
    float one[] = {0.5f};
    float withNaN[] = {0, NAN, 1};
    EXPECT_FALSE(BuildRegularPolygon(path, PointF(0, 0), 1, 10));
    EXPECT_FALSE(BuildRegularPolygon(path, PointF(0, 0), -5, 10));
    EXPECT_FALSE(BuildRegularPolygon(path, PointF(0, 0), 5, NAN));
    EXPECT_FALSE(BuildRegularPolygon(path, PointF(INFINITY, 0), 5, 10));
    EXPECT_FALSE(BuildStar(path, PointF(0, 0), 1, 10, 5));
    EXPECT_FALSE(BuildStar(path, PointF(0, 0), 5, 10, INFINITY));
    EXPECT_FALSE(BuildComplexStar(path, PointF(0, 0), 0, 10));
    EXPECT_FALSE(BuildComplexStar(path, PointF(0, 0), 2, 10)); // two one-point "polygons"
    EXPECT_FALSE(BuildComplexStar(path, PointF(0, 0), 7, NAN));
    EXPECT_FALSE(AddEllipseStopPolygon(path, PointF(0, 0), 10, 10, one));
    EXPECT_FALSE(AddEllipseStopPolygon(path, PointF(0, 0), 10, 10, {}));
    EXPECT_FALSE(AddEllipseStopPolygon(path, PointF(0, 0), 10, 10, withNaN));
    EXPECT_FALSE(AddEllipseStopPolygon(path, PointF(0, 0), NAN, 10, std::vector<float>{0, 1}));
    EXPECT_EQ(path.PointCount(), 2);
}

TEST(ShapePathBuilders, HugeSideCountsAreCapped)
{
    GraphicsPath polygon;
    ASSERT_TRUE(BuildRegularPolygon(polygon, PointF(0, 0), INT_MAX, 10));
    EXPECT_EQ(polygon.PointCount(), kMaxShapeSides);
    GraphicsPath star;
    ASSERT_TRUE(BuildStar(star, PointF(0, 0), INT_MAX, 10, 5));
    EXPECT_EQ(star.PointCount(), 2 * kMaxShapeSides);
    GraphicsPath complex;
    ASSERT_TRUE(BuildComplexStar(complex, PointF(0, 0), INT_MAX, 10));
    EXPECT_EQ(complex.PointCount(), kMaxShapeSides);
}

} // namespace kelmora
