#include "platform/geometry/PathThinning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace kelmora {
namespace {

// A closed figure of `count` points round a circle of radius `radius` about (r, r), every
// other point `teeth` farther out.
GraphicsPath Circle(int count, float radius, float teeth = 0.0f)
{
    std::vector<PointF> points;
    for (int i = 0; i < count; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / count;
        const double r = radius + (i % 2 ? teeth : 0.0f);
        points.emplace_back(float(radius + r * std::cos(angle)), float(radius + r * std::sin(angle)));
    }
    GraphicsPath path(FillMode::Winding);
    path.AddPolygon(points);
    return path;
}

TEST(PathThinning, PathsWithFewPointsPerPixelAreLeftAsTheyAre)
{
    const Matrix toDevice = Matrix::Scaling(0.05f, 0.05f);
    EXPECT_FALSE(ThinnedPath(Circle(200, 600.0f), toDevice));
    GraphicsPath line;
    line.AddLine(0, 0, 1000, 0);
    EXPECT_FALSE(ThinnedPath(line, Matrix::Scaling(1e-6f, 1e-6f))) << "two points are never too many";
}

TEST(PathThinning, DenseFiguresKeepTheirShapeAtAFractionOfTheirPoints)
{
    // 100,000 points round a circle 60 device pixels across.
    const Matrix toDevice = Matrix::Scaling(0.05f, 0.05f);
    const GraphicsPath dense = Circle(100000, 600.0f);
    const std::optional<GraphicsPath> thinned = ThinnedPath(dense, toDevice);
    ASSERT_TRUE(thinned);
    EXPECT_EQ(thinned->GetFillMode(), FillMode::Winding);
    const std::vector<FlattenedFigure> figures = thinned->GetFlattenedFigures(&toDevice);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_TRUE(figures[0].closed);
    EXPECT_LT(figures[0].points.size(), 3000u);
    EXPECT_GT(figures[0].points.size(), 100u);
    // Still on the circle, in the path's own units.
    for (PointF p : thinned->Points())
        EXPECT_NEAR(std::hypot(p.X - 600.0f, p.Y - 600.0f), 600.0f, 0.5f);
    EXPECT_EQ(thinned->Points().front(), dense.Points().front());
}

TEST(PathThinning, AZigzagOfSubPixelTeethStillWindsThroughItsBand)
{
    // Teeth 40 units (2 pixels) deep, a thousandth of a pixel apart: spacing cannot thin
    // them, so every n-th point is kept, n odd, and both circles keep points.
    const Matrix toDevice = Matrix::Scaling(0.05f, 0.05f);
    const std::optional<GraphicsPath> thinned = ThinnedPath(Circle(200000, 600.0f, 40.0f), toDevice);
    ASSERT_TRUE(thinned);
    const RectF extent = thinned->GetBounds(&toDevice);
    EXPECT_LE(double(thinned->PointCount()), double(kThinPointsPerPixel) * (extent.Width + extent.Height) + 2.0);
    int outer = 0;
    for (PointF p : thinned->Points())
        outer += std::hypot(p.X - 600.0f, p.Y - 600.0f) > 620.0f;
    EXPECT_GT(outer, thinned->PointCount() / 4);
    EXPECT_LT(outer, thinned->PointCount() * 3 / 4);
}

} // namespace
} // namespace kelmora
