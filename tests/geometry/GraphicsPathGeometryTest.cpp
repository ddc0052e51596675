#include "platform/geometry/GraphicsPath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelmora {

namespace {

// Largest distance of the flattened figure (corners and segment midpoints) from a circle.
double WorstDistanceFromCircle(const FlattenedFigure& figure, double cx, double cy, double r)
{
    double worst = 0;
    const auto& p = figure.points;
    for (size_t i = 0; i < p.size(); ++i) {
        PointF a = p[i];
        PointF b = p[(i + 1) % p.size()];
        double mx = (a.X + b.X) / 2.0;
        double my = (a.Y + b.Y) / 2.0;
        worst = std::max(worst, std::fabs(std::hypot(a.X - cx, a.Y - cy) - r));
        worst = std::max(worst, std::fabs(std::hypot(mx - cx, my - cy) - r));
    }
    return worst;
}

} // namespace

TEST(GraphicsPathGeometry, FlattenStaysWithinTheTolerance)
{
    GraphicsPath circle;
    circle.AddEllipse(RectF(-100, -100, 200, 200));
    // The quarter Béziers themselves stray up to 0.027 % of the radius from the circle.
    const double bezierError = 100 * 0.00028;
    size_t previousCount = 0;
    for (float tolerance : {2.0f, 0.25f, 0.01f}) {
        auto figures = circle.GetFlattenedFigures(nullptr, tolerance);
        ASSERT_EQ(figures.size(), 1u);
        EXPECT_TRUE(figures[0].closed);
        EXPECT_LE(WorstDistanceFromCircle(figures[0], 0, 0, 100), tolerance + bezierError) << tolerance;
        EXPECT_GT(figures[0].points.size(), previousCount);
        previousCount = figures[0].points.size();
    }

    // Flatten replaces the curves by lines, keeps the close flag, and maps by the matrix first.
    GraphicsPath flat = circle;
    ASSERT_TRUE(flat.Flatten(Matrix::Scaling(2, 2)));
    for (size_t i = 1; i < flat.Types().size(); ++i)
        EXPECT_EQ(flat.Types()[i] & PathPointType::TypeMask, PathPointType::Line);
    EXPECT_TRUE(IsClosingPathType(flat.Types().back()));
    FlattenedFigure scaled{{flat.Points().begin(), flat.Points().end()}, true};
    EXPECT_LE(WorstDistanceFromCircle(scaled, 0, 0, 200), 0.25 + 2 * bezierError);

    // A nonsensical tolerance means the default one.
    EXPECT_EQ(circle.GetFlattenedFigures(nullptr, -1)[0].points.size(),
              circle.GetFlattenedFigures(nullptr, 0.25f)[0].points.size());
}

TEST(GraphicsPathGeometry, FlattenBoundsTheWorkOnHugeCurves)
{
    GraphicsPath path;
    path.AddBezier(PointF(0, 0), PointF(3e30f, 0), PointF(-3e30f, 0), PointF(1, 0));
    auto figures = path.GetFlattenedFigures();
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_LE(figures[0].points.size(), 1025u);
}

TEST(GraphicsPathGeometry, BoundsWithoutPenIncludeControlPoints)
{
    GraphicsPath empty;
    EXPECT_EQ(empty.GetBounds(), RectF());

    // A −45°…45° arc of a circle of radius 100: its controls reach past x = 100.
    GraphicsPath arc;
    arc.AddArc(RectF(-100, -100, 200, 200), -45, 90);
    RectF box = arc.GetBounds();
    EXPECT_NEAR(box.GetRight(), 100 * (std::sqrt(2.0) / 2 + 4.0 / 3 * std::tan(M_PI / 8) * std::sqrt(2.0) / 2), 1e-3);
    EXPECT_GT(box.GetRight(), 104.0f);
    EXPECT_NEAR(box.GetLeft(), 70.711, 1e-3);

    GraphicsPath rect;
    rect.AddRectangle(RectF(0, 0, 10, 20));
    Matrix turn = Matrix::Rotation(90);
    RectF turned = rect.GetBounds(&turn);
    EXPECT_NEAR(turned.X, -20, 1e-4);
    EXPECT_NEAR(turned.Y, 0, 1e-4);
    EXPECT_NEAR(turned.Width, 20, 1e-4);
    EXPECT_NEAR(turned.Height, 10, 1e-4);
    EXPECT_EQ(rect.GetBounds(), RectF(0, 0, 10, 20)); // the path itself is unchanged
}

TEST(GraphicsPathGeometry, BoundsWithPenGrowByTheLooseRule)
{
    GraphicsPath rect;
    rect.AddRectangle(RectF(0, 0, 100, 100));
    PenGeometry pen;
    pen.width = 4;
    // Miter joins on corners: half the width times the miter limit (10).
    EXPECT_EQ(rect.GetBounds(nullptr, &pen), RectF(-20, -20, 140, 140));
    pen.miterLimit = 0.5f; // counts as 1
    EXPECT_EQ(rect.GetBounds(nullptr, &pen), RectF(-2, -2, 104, 104));
    pen.miterLimit = 10;
    pen.join = LineJoin::Round;
    EXPECT_EQ(rect.GetBounds(nullptr, &pen), RectF(-2, -2, 104, 104));

    // A single segment has no corner: only its caps count.
    GraphicsPath line;
    line.AddLine(0, 0, 100, 0);
    pen.join = LineJoin::Miter;
    EXPECT_EQ(line.GetBounds(nullptr, &pen), RectF(-2, -2, 104, 4));
    pen.endCap = LineCap::Square;
    RectF squared = line.GetBounds(nullptr, &pen);
    EXPECT_NEAR(squared.X, -2 * std::sqrt(2.0), 1e-5);

    // An invalid pen is ignored rather than poisoning the box.
    PenGeometry broken;
    broken.width = NAN;
    EXPECT_EQ(rect.GetBounds(nullptr, &broken), RectF(0, 0, 100, 100));
}

TEST(GraphicsPathGeometry, PointInFillFollowsTheFillMode)
{
    // Two nested squares wound the same way.
    GraphicsPath path;
    path.AddRectangle(RectF(0, 0, 100, 100));
    path.AddRectangle(RectF(25, 25, 50, 50));
    EXPECT_TRUE(path.IsVisible(10, 10));
    EXPECT_FALSE(path.IsVisible(50, 50)); // alternate: the inner square is a hole
    EXPECT_FALSE(path.IsVisible(150, 50));
    path.SetFillMode(FillMode::Winding);
    EXPECT_TRUE(path.IsVisible(50, 50));  // winding: counted twice, still inside
    EXPECT_TRUE(path.IsVisible(10, 10));
    EXPECT_FALSE(path.IsVisible(-1, 50));
    EXPECT_FALSE(path.IsVisible(NAN, 50));

    // Inner square reversed: a hole under both rules.
    GraphicsPath reversed;
    reversed.AddRectangle(RectF(0, 0, 100, 100));
    PointF inner[] = {{25, 25}, {25, 75}, {75, 75}, {75, 25}};
    reversed.AddPolygon(inner);
    reversed.SetFillMode(FillMode::Winding);
    EXPECT_FALSE(reversed.IsVisible(50, 50));

    // Open figures fill as if closed; curves by their flattened form.
    GraphicsPath open;
    PointF triangle[] = {{0, 0}, {100, 0}, {0, 100}};
    open.AddLines(triangle);
    EXPECT_TRUE(open.IsVisible(20, 20));
    EXPECT_FALSE(open.IsVisible(60, 60));
    GraphicsPath circle;
    circle.AddEllipse(RectF(-100, -100, 200, 200));
    EXPECT_TRUE(circle.IsVisible(69, 69));
    EXPECT_FALSE(circle.IsVisible(72, 72));
}

} // namespace kelmora
