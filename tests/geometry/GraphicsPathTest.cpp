#include "platform/geometry/GraphicsPath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kelmora {

namespace {

std::vector<uint8_t> TypesOf(const GraphicsPath& path)
{
    return {path.Types().begin(), path.Types().end()};
}

std::vector<PointF> PointsOf(const GraphicsPath& path)
{
    return {path.Points().begin(), path.Points().end()};
}

} // namespace

TEST(GraphicsPath, RectangleIsClosedClockwiseFromTopLeft)
{
    GraphicsPath path;
    ASSERT_TRUE(path.AddRectangle(RectF(1, 2, 10, 20)));
    EXPECT_EQ(PointsOf(path), (std::vector<PointF>{{1, 2}, {11, 2}, {11, 22}, {1, 22}}));
    EXPECT_EQ(TypesOf(path), (std::vector<uint8_t>{0x00, 0x01, 0x01, 0x81}));
    RectF rects[] = {RectF(0, 0, 1, 1), RectF(5, 5, 2, 2)};
    ASSERT_TRUE(path.AddRectangles(rects));
    EXPECT_EQ(path.PointCount(), 12);
    EXPECT_EQ(path.Types()[4], 0x00);
    EXPECT_EQ(path.Types()[8], 0x00);
}

TEST(GraphicsPath, OpenBuildersContinueTheFigureUntilStartOrClose)
{
    GraphicsPath path;
    path.AddLine(0, 0, 10, 0);
    path.AddLine(20, 0, 30, 0); // joined by a line from (10, 0)
    path.AddLine(30, 0, 30, 10); // starts where the figure ends: no zero-length joint
    EXPECT_EQ(TypesOf(path), (std::vector<uint8_t>{0, 1, 1, 1, 1}));
    EXPECT_EQ(path.GetLastPoint(), PointF(30, 10));

    path.StartFigure();
    path.AddLine(50, 50, 60, 60);
    EXPECT_EQ(path.Types()[5], 0x00);
    path.CloseFigure();
    EXPECT_EQ(path.Types()[6], 0x81);
    path.AddLine(70, 70, 80, 80);
    EXPECT_EQ(path.Types()[7], 0x00);

    path.CloseAllFigures();
    EXPECT_EQ(TypesOf(path), (std::vector<uint8_t>{0, 1, 1, 1, 0x81, 0, 0x81, 0, 0x81}));

    path.SetMarker();
    EXPECT_EQ(path.Types().back(), 0xA1);
    path.ClearMarkers();
    EXPECT_EQ(path.Types().back(), 0x81);

    path.Reset();
    EXPECT_TRUE(path.IsEmpty());
    EXPECT_FALSE(path.GetLastPoint());
}

TEST(GraphicsPath, ClosedShapesAlwaysStartTheirOwnFigure)
{
    GraphicsPath path;
    path.AddLine(0, 0, 10, 0);
    PointF triangle[] = {{0, 0}, {5, 5}, {0, 5}};
    ASSERT_TRUE(path.AddPolygon(triangle));
    EXPECT_EQ(TypesOf(path), (std::vector<uint8_t>{0, 1, 0, 1, 0x81}));
    path.AddLine(1, 1, 2, 2);
    EXPECT_EQ(path.Types()[5], 0x00);
}

TEST(GraphicsPath, DegenerateInputAddsNothing)
{
    GraphicsPath path;
    path.AddLine(0, 0, 10, 10);
    auto before = PointsOf(path);
    PointF one[] = {{1, 1}};
    PointF withNaN[] = {{0, 0}, {NAN, 1}, {2, 2}};
    PointF withInfinity[] = {{0, 0}, {INFINITY, 1}};
    PointF five[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}};
    EXPECT_FALSE(path.AddLines(one));
    EXPECT_FALSE(path.AddLines(withNaN));
    EXPECT_FALSE(path.AddPolygon(one));
    EXPECT_FALSE(path.AddPolygon(withInfinity));
    EXPECT_FALSE(path.AddBeziers(five));
    EXPECT_FALSE(path.AddBeziers(one));
    EXPECT_FALSE(path.AddRectangle(RectF(0, 0, 0, 5)));
    EXPECT_FALSE(path.AddRectangle(RectF(0, 0, NAN, 5)));
    RectF mixed[] = {RectF(0, 0, 5, 5), RectF(0, 0, 5, 0)};
    EXPECT_FALSE(path.AddRectangles(mixed));
    EXPECT_FALSE(path.AddEllipse(RectF(0, 0, 10, 0)));
    EXPECT_FALSE(path.AddArc(RectF(0, 0, 10, 10), NAN, 90));
    EXPECT_FALSE(path.AddPie(RectF(0, 0, 10, 10), 0, INFINITY));
    EXPECT_FALSE(path.AddCurve(one));
    EXPECT_FALSE(path.AddCurve(withNaN));
    EXPECT_FALSE(path.AddClosedCurve(five, NAN));
    EXPECT_FALSE(path.AddPath(GraphicsPath(), true));
    EXPECT_FALSE(path.Transform(Matrix(1, 0, 0, 1, NAN, 0)));
    // A matrix that overflows the points refuses too.
    EXPECT_FALSE(path.Transform(Matrix::Scaling(1e38f, 1e38f)));
    EXPECT_EQ(PointsOf(path), before);
    EXPECT_EQ(TypesOf(path), (std::vector<uint8_t>{0, 1}));
}

TEST(GraphicsPath, FromPathDataAcceptsOnlyWellFormedData)
{
    std::vector<PointF> pts = {{0, 0}, {1, 0}, {2, 1}, {3, 3}, {0, 5}};
    std::vector<uint8_t> types = {0x00, 0x03, 0x03, 0x23, 0x81};
    auto path = GraphicsPath::FromPathData(pts, types, FillMode::Winding);
    ASSERT_TRUE(path);
    EXPECT_EQ(PointsOf(*path), pts);
    EXPECT_EQ(TypesOf(*path), types);
    EXPECT_EQ(path->GetFillMode(), FillMode::Winding);
    EXPECT_TRUE(GraphicsPath::FromPathData({}, {}));

    auto rejects = [&](std::vector<uint8_t> t, std::vector<PointF> p) {
        return !GraphicsPath::FromPathData(p, t).has_value();
    };
    EXPECT_TRUE(rejects({0x00, 0x01}, {{0, 0}}));                               // lengths differ
    EXPECT_TRUE(rejects({0x01, 0x01}, {{0, 0}, {1, 1}}));                       // no Start first
    EXPECT_TRUE(rejects({0x00, 0x02}, {{0, 0}, {1, 1}}));                       // undefined kind
    EXPECT_TRUE(rejects({0x00, 0x41}, {{0, 0}, {1, 1}}));                       // undefined flag
    EXPECT_TRUE(rejects({0x00, 0x03, 0x03}, {{0, 0}, {1, 1}, {2, 2}}));         // short Bézier
    EXPECT_TRUE(rejects({0x00, 0x03, 0x01, 0x03}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    EXPECT_TRUE(rejects({0x00, 0x83, 0x03, 0x03}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}})); // closed mid-Bézier
    EXPECT_TRUE(rejects({0x00, 0x81, 0x01}, {{0, 0}, {1, 1}, {2, 2}}));         // segment after close
    EXPECT_TRUE(rejects({0x00, 0x01}, {{0, 0}, {NAN, 1}}));                     // not finite
}

TEST(GraphicsPath, ReverseKeepsFiguresValid)
{
    GraphicsPath path;
    path.AddLine(0, 0, 10, 0);
    path.AddBezier(PointF(10, 0), PointF(11, 1), PointF(12, 2), PointF(13, 3));
    path.CloseFigure();
    path.AddLine(100, 100, 200, 200);
    path.Reverse();
    // The last figure comes first, read backwards.
    EXPECT_EQ(PointsOf(path), (std::vector<PointF>{{200, 200}, {100, 100}, {13, 3}, {12, 2}, {11, 1}, {10, 0}, {0, 0}}));
    EXPECT_EQ(TypesOf(path), (std::vector<uint8_t>{0x00, 0x01, 0x00, 0x03, 0x03, 0x03, 0x81}));
    EXPECT_TRUE(GraphicsPath::FromPathData(path.Points(), path.Types()));
    path.Reverse();
    EXPECT_EQ(TypesOf(path), (std::vector<uint8_t>{0x00, 0x01, 0x03, 0x03, 0x83, 0x00, 0x01}));
    EXPECT_EQ(path.Points()[4], PointF(13, 3));
}

TEST(GraphicsPath, AddPathCopiesOrConnects)
{
    GraphicsPath other;
    other.AddLine(10, 10, 20, 10);
    other.AddRectangle(RectF(0, 0, 5, 5));

    GraphicsPath separate;
    separate.AddLine(0, 0, 5, 0);
    ASSERT_TRUE(separate.AddPath(other, false));
    EXPECT_EQ(TypesOf(separate), (std::vector<uint8_t>{0, 1, 0, 1, 0, 1, 1, 0x81}));

    GraphicsPath joined;
    joined.AddLine(0, 0, 5, 0);
    ASSERT_TRUE(joined.AddPath(other, true));
    EXPECT_EQ(TypesOf(joined), (std::vector<uint8_t>{0, 1, 1, 1, 0, 1, 1, 0x81}));

    // A path added to itself doubles.
    GraphicsPath self;
    self.AddRectangle(RectF(0, 0, 1, 1));
    self.AddPath(self, false);
    EXPECT_EQ(self.PointCount(), 8);
}

TEST(GraphicsPath, TransformMapsEveryPointAndRefreshesBounds)
{
    GraphicsPath path;
    path.AddRectangle(RectF(0, 0, 10, 10));
    EXPECT_EQ(path.GetBounds(), RectF(0, 0, 10, 10));
    ASSERT_TRUE(path.Transform(Matrix(2, 0, 0, 3, 5, 5)));
    EXPECT_EQ(path.GetBounds(), RectF(5, 5, 20, 30));
    path.AddLine(0, 0, 1, 1);
    EXPECT_EQ(path.GetBounds(), RectF(0, 0, 25, 35));
}

} // namespace kelmora
