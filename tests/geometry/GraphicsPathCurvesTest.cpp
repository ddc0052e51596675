#include "platform/geometry/GraphicsPath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kelmora {

namespace {

constexpr float kKappa = float(kEllipseKappa);

void ExpectPoint(PointF actual, double x, double y, double tolerance = 1e-3)
{
    EXPECT_NEAR(actual.X, x, tolerance);
    EXPECT_NEAR(actual.Y, y, tolerance);
}

std::vector<uint8_t> TypesOf(const GraphicsPath& path)
{
    return {path.Types().begin(), path.Types().end()};
}

} // namespace

TEST(GraphicsPathCurves, EllipseIsFourQuartersClockwiseFromTheRight)
{
    GraphicsPath path;
    ASSERT_TRUE(path.AddEllipse(RectF(0, 0, 200, 100)));
    ASSERT_EQ(path.PointCount(), 13);
    EXPECT_EQ(TypesOf(path), (std::vector<uint8_t>{0, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 0x83}));
    auto p = path.Points();
    ExpectPoint(p[0], 200, 50);  // rightmost
    ExpectPoint(p[1], 200, 50 + 50 * kKappa);
    ExpectPoint(p[2], 100 + 100 * kKappa, 100);
    ExpectPoint(p[3], 100, 100); // bottom next: clockwise on screen
    ExpectPoint(p[6], 0, 50);
    ExpectPoint(p[9], 100, 0);
    EXPECT_EQ(p[12], p[0]);
    // Control points lie on the box, so the point box is the ellipse's box.
    EXPECT_EQ(path.GetBounds(), RectF(0, 0, 200, 100));
    // A negative width describes the same ellipse.
    GraphicsPath mirrored;
    mirrored.AddEllipse(RectF(200, 0, -200, 100));
    EXPECT_EQ(std::vector<PointF>(mirrored.Points().begin(), mirrored.Points().end()),
              std::vector<PointF>(p.begin(), p.end()));
}

TEST(GraphicsPathCurves, QuarterArcIsOneBezierWithKappaControls)
{
    GraphicsPath path;
    ASSERT_TRUE(path.AddArc(RectF(-100, -100, 200, 200), 0, 90));
    ASSERT_EQ(path.PointCount(), 4);
    EXPECT_EQ(TypesOf(path), (std::vector<uint8_t>{0, 3, 3, 3}));
    auto p = path.Points();
    ExpectPoint(p[0], 100, 0);
    ExpectPoint(p[1], 100, 100 * kKappa);
    ExpectPoint(p[2], 100 * kKappa, 100);
    ExpectPoint(p[3], 0, 100);
}

TEST(GraphicsPathCurves, ArcsAreSplitIntoPiecesOfAtMostNinetyDegrees)
{
    auto count = [](float start, float sweep) {
        GraphicsPath path;
        path.AddArc(RectF(-100, -100, 200, 200), start, sweep);
        return path.PointCount();
    };
    EXPECT_EQ(count(0, 90), 4);
    EXPECT_EQ(count(0, 90.5f), 7);
    EXPECT_EQ(count(30, 270), 10);
    EXPECT_EQ(count(0, 360), 13);
    EXPECT_EQ(count(0, 720), 13); // cut to one full turn
    EXPECT_EQ(count(0, -180), 7);
    EXPECT_EQ(count(0, 0), 4);    // one degenerate piece

    // A 180° arc is cut into two equal halves: the middle anchor is at 90°.
    GraphicsPath half;
    half.AddArc(RectF(-100, -100, 200, 200), 0, 180);
    ExpectPoint(half.Points()[3], 0, 100);
    ExpectPoint(half.Points()[6], -100, 0);

    // Negative sweeps run counter-clockwise on screen.
    GraphicsPath back;
    back.AddArc(RectF(-100, -100, 200, 200), 0, -90);
    ExpectPoint(back.Points()[3], 0, -100);
    ExpectPoint(back.Points()[1], 100, -100 * kKappa);

    GraphicsPath full;
    full.AddArc(RectF(-100, -100, 200, 200), 45, 400);
    EXPECT_EQ(full.Points()[12], full.Points()[0]);
}

TEST(GraphicsPathCurves, ArcAnglesAreTrueAnglesOnAFlattenedEllipse)
{
    GraphicsPath path;
    ASSERT_TRUE(path.AddArc(RectF(-200, -100, 400, 200), 45, 45));
    PointF start = path.Points()[0];
    // On the ray at 45°: x = y, and on the ellipse x²/200² + y²/100² = 1.
    EXPECT_NEAR(start.X, start.Y, 1e-3);
    EXPECT_NEAR(start.X * start.X / 40000.0 + start.Y * start.Y / 10000.0, 1.0, 1e-5);
    ExpectPoint(path.GetLastPoint().value(), 0, 100);
    // Past the quarter the ray keeps its quadrant.
    GraphicsPath far;
    far.AddArc(RectF(-200, -100, 400, 200), 135, 90);
    EXPECT_NEAR(far.Points()[0].X, -far.Points()[0].Y, 1e-3);
    EXPECT_LT(far.Points()[0].X, 0);
    EXPECT_NEAR(far.GetLastPoint()->X, far.GetLastPoint()->Y, 1e-3);
    EXPECT_LT(far.GetLastPoint()->X, 0);
}

TEST(GraphicsPathCurves, ArcContinuesTheFigureAndPieClosesItsOwn)
{
    GraphicsPath path;
    path.AddLine(0, 0, 50, 0);
    path.AddArc(RectF(-100, -100, 200, 200), 0, 90);
    // (50, 0) is joined to the arc start (100, 0) by a line.
    EXPECT_EQ(TypesOf(path), (std::vector<uint8_t>{0, 1, 1, 3, 3, 3}));

    GraphicsPath pie;
    ASSERT_TRUE(pie.AddPie(RectF(0, 0, 100, 100), 0, 180));
    EXPECT_EQ(TypesOf(pie), (std::vector<uint8_t>{0, 1, 3, 3, 3, 3, 3, 0x83}));
    ExpectPoint(pie.Points()[0], 50, 50);
    ExpectPoint(pie.Points()[1], 100, 50);
    ExpectPoint(pie.Points()[7], 0, 50);
}

TEST(GraphicsPathCurves, CardinalSplineControlPointsFollowTheTension)
{
    PointF pts[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    GraphicsPath path;
    ASSERT_TRUE(path.AddCurve(pts, 0.5f));
    ASSERT_EQ(path.PointCount(), 10);
    EXPECT_EQ(TypesOf(path), (std::vector<uint8_t>{0, 3, 3, 3, 3, 3, 3, 3, 3, 3}));
    auto p = path.Points();
    const double s = 10.0 / 6.0; // tension / 3 × a side of 10
    ExpectPoint(p[0], 0, 0);
    ExpectPoint(p[1], s, 0);           // end tangent along the first chord
    ExpectPoint(p[2], 10 - s, -s);
    ExpectPoint(p[3], 10, 0);
    ExpectPoint(p[4], 10 + s, s);
    ExpectPoint(p[5], 10 + s, 10 - s);
    ExpectPoint(p[6], 10, 10);
    ExpectPoint(p[7], 10 - s, 10 + s);
    ExpectPoint(p[8], s, 10);          // end tangent along the last chord
    ExpectPoint(p[9], 0, 10);

    // Two points give one straight Bézier.
    PointF two[] = {{0, 0}, {30, 0}};
    GraphicsPath line;
    ASSERT_TRUE(line.AddCurve(two));
    ASSERT_EQ(line.PointCount(), 4);
    ExpectPoint(line.Points()[1], 5, 0);
    ExpectPoint(line.Points()[2], 25, 0);
}

TEST(GraphicsPathCurves, ClosedCurveWrapsAroundAndCloses)
{
    PointF pts[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    GraphicsPath path;
    ASSERT_TRUE(path.AddClosedCurve(pts));
    ASSERT_EQ(path.PointCount(), 13);
    EXPECT_EQ(path.Types().back(), 0x83);
    auto p = path.Points();
    const double s = 10.0 / 6.0;
    // The first control uses the last point as the neighbour before the first.
    ExpectPoint(p[1], s, -s);
    ExpectPoint(p[11], -s, s);
    EXPECT_EQ(p[12], p[0]);
}

} // namespace kelmora
