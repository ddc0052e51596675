#include "model/DrawPoly.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kelmora {
namespace {

using fakes::FakeDocument;

std::unique_ptr<CDrawPoly> MakePoly(ShapeType type, std::vector<PointF> points, std::vector<uint8_t> types = {})
{
    auto poly = std::make_unique<CDrawPoly>();
    poly->m_nShapeType = type;
    poly->SetPoints(std::move(points), std::move(types));
    poly->RecalcBounds(nullptr);
    return poly;
}

std::vector<PointF> PathPoints(CDrawPoly& poly)
{
    auto path = poly.CreatePath(nullptr, nullptr);
    return {path->Points().begin(), path->Points().end()};
}

void ExpectNear(PointF actual, PointF expected, float tolerance = 1e-3f)
{
    EXPECT_NEAR(actual.X, expected.X, tolerance);
    EXPECT_NEAR(actual.Y, expected.Y, tolerance);
}

TEST(DrawPolyPath, BezierLeavesOutAnIncompleteTrailingSegment)
{
    std::vector<PointF> pts;
    for (int i = 0; i < 8; ++i)
        pts.emplace_back(float(10 * i), float(i % 2 ? 40 : 0));
    EXPECT_EQ(PathPoints(*MakePoly(ShapeType::Bezier, pts)).size(), 7u);
    EXPECT_TRUE(PathPoints(*MakePoly(ShapeType::Bezier, {pts.begin(), pts.begin() + 3})).empty());
    EXPECT_EQ(PathPoints(*MakePoly(ShapeType::Bezier, {pts.begin(), pts.begin() + 4})).size(), 4u);
}

TEST(DrawPolyPath, PolygonOfTwoPointsIsAnOpenLine)
{
    auto two = MakePoly(ShapeType::Polygon, {{0, 0}, {100, 50}});
    auto path = two->CreatePath(nullptr, nullptr);
    ASSERT_EQ(path->PointCount(), 2);
    EXPECT_FALSE(IsClosingPathType(path->Types()[1]));

    auto three = MakePoly(ShapeType::Polygon, {{0, 0}, {100, 50}, {0, 80}});
    path = three->CreatePath(nullptr, nullptr);
    ASSERT_EQ(path->PointCount(), 3);
    EXPECT_TRUE(IsClosingPathType(path->Types()[2]));
}

TEST(DrawPolyPath, CurveUsesTensionInHundredthsAndTheClosedFlag)
{
    const std::vector<PointF> pts{{0, 0}, {100, 40}, {200, 0}, {150, 120}};
    auto curve = MakePoly(ShapeType::Curve, pts);
    curve->m_nTension = 50;
    curve->m_bClosed = true;
    GraphicsPath expected;
    expected.AddClosedCurve(pts, 0.5f);
    auto path = curve->CreatePath(nullptr, nullptr);
    ASSERT_EQ(path->PointCount(), expected.PointCount());
    for (int i = 0; i < path->PointCount(); ++i)
        ExpectNear(path->Points()[size_t(i)], expected.Points()[size_t(i)]);
}

TEST(DrawPolyPath, CustomPathsValidateTheirTypes)
{
    const std::vector<PointF> pts{{0, 0}, {10, 0}, {20, 10}, {30, 0}};
    auto good = MakePoly(ShapeType::Custom, pts, {0, 3, 3, 3});
    good->m_bClosed = true;
    auto path = good->CreatePath(nullptr, nullptr);
    ASSERT_EQ(path->PointCount(), 4);
    EXPECT_EQ(path->Types()[3], 0x83);
    EXPECT_EQ(good->m_pointTypes[3], 3) << "the close flag is not kept in the type bytes";

    EXPECT_TRUE(PathPoints(*MakePoly(ShapeType::Custom, pts, {1, 1, 1, 1})).empty()) << "first type not a start";
    EXPECT_TRUE(PathPoints(*MakePoly(ShapeType::Custom, pts, {0, 1, 3, 3})).empty()) << "truncated Bezier";
    EXPECT_TRUE(PathPoints(*MakePoly(ShapeType::Custom, {})).empty());

    auto untyped = MakePoly(ShapeType::Custom, pts);
    untyped->m_pointTypes.clear();
    EXPECT_TRUE(PathPoints(*untyped).empty());
}

TEST(DrawPolyPath, ArrowStyleOneGivesItsSixPoints)
{
    // tan(angle) = 0.75: the head is 20 long and 30 wide.
    GraphicsPath path;
    CDrawPoly::AddArrowHead(path, PointF(0, 0), PointF(100, 0), 30.0f, float(std::atan(0.75)), 1);
    const std::vector<PointF> expected{{0, 0}, {80, 0}, {80, 15}, {100, 0}, {80, -15}, {80, 0}};
    ASSERT_EQ(path.PointCount(), 6);
    for (size_t i = 0; i < expected.size(); ++i)
        ExpectNear(path.Points()[i], expected[i]);
}

TEST(DrawPolyPath, DegenerateArrowHeadsBecomePlainLines)
{
    for (auto [size, angle, style] : {std::tuple{0.0f, 1.0f, 1u}, std::tuple{30.0f, 0.0f, 1u},
                                      std::tuple{30.0f, float(std::numbers::pi), 3u}, std::tuple{30.0f, 1.0f, 0u},
                                      std::tuple{30.0f, 1.0f, 8u}, std::tuple{NAN, 1.0f, 1u}}) {
        GraphicsPath path;
        CDrawPoly::AddArrowHead(path, PointF(0, 0), PointF(100, 0), size, angle, style);
        EXPECT_EQ(path.PointCount(), 2) << size << " " << angle << " " << style;
    }
}

TEST(DrawPolyPath, LineWithArrowsAtBothEnds)
{
    auto line = MakePoly(ShapeType::Line, {{0, 0}, {100, 0}, {100, 100}});
    line->m_nArrowEnds = 3;
    line->m_nArrowStyle = 7;
    auto path = line->CreatePath(nullptr, nullptr);
    // Each segment: a head at its end and a head at its start, five points each.
    EXPECT_GE(path->PointCount(), 20);
    const RectF b = path->GetBounds();
    EXPECT_LT(b.X, 0.0f) << "the head at the first point reaches past it";
}

TEST(DrawPolyArc, QuarterArcAnglesAndRadii)
{
    auto arc = MakePoly(ShapeType::Arc, {{0, 0}, {100, 0}, {0, 100}});
    auto path = arc->CreatePath(nullptr, nullptr);
    EXPECT_NEAR(arc->m_fStartAngle, 0.0, 1e-6);
    EXPECT_NEAR(arc->m_fSweepAngle, std::numbers::pi / 2, 1e-6);
    EXPECT_FLOAT_EQ(arc->m_fRadiusX, 100.0f);
    // A quarter is cut into two pieces (one more than its whole quarters).
    ASSERT_EQ(path->PointCount(), 7);
    ExpectNear(path->Points()[0], PointF(100, 0));
    ExpectNear(path->Points()[3], PointF(70.7107f, 70.7107f), 0.01f);
    ExpectNear(path->Points()[6], PointF(0, 100));
    // The arc bulges away from the centre: its midpoint lies on the circle.
    const RectF b = path->GetBounds();
    EXPECT_NEAR(b.Width, 100.0f, 1e-3f);

    auto pie = MakePoly(ShapeType::Pie, {{0, 0}, {100, 0}, {0, 100}});
    auto piePath = pie->CreatePath(nullptr, nullptr);
    ASSERT_EQ(piePath->PointCount(), 9);
    ExpectNear(piePath->Points()[7], PointF(0, 0));
    ExpectNear(piePath->Points()[8], PointF(100, 0));
}

TEST(DrawPolyArc, DraggingTheEndAcrossTheStartKeepsTheSweepInRangeAndTakesTheLargeArc)
{
    auto arc = MakePoly(ShapeType::Arc, {{0, 0}, {100, 0}, {0, 100}});
    arc->MoveHandleTo(21, CPoint(100, -10), 0, nullptr);
    EXPECT_EQ(arc->m_points[2], PointF(100, -10));
    auto path = arc->CreatePath(nullptr, nullptr);
    EXPECT_GT(arc->m_fSweepAngle, std::numbers::pi);
    EXPECT_LT(arc->m_fSweepAngle, 2 * std::numbers::pi);
    const RectF b = path->GetBounds();
    EXPECT_LT(b.X, -90.0f);
    EXPECT_GT(b.Y + b.Height, 90.0f);
}

TEST(DrawPolyArc, ArcToPathPointsGuards)
{
    std::vector<PointF> out;
    ArcToPathPoints(out, PointF(5, 5), PointF(5, 5), 10, 10, 0, false, true);
    ArcToPathPoints(out, PointF(0, 0), PointF(10, 0), 0, 10, 0, false, true);
    ArcToPathPoints(out, PointF(0, 0), PointF(10, 0), 10, NAN, 0, false, true);
    EXPECT_TRUE(out.empty());
    // Radii too small for the chord grow to half of it: a half circle.
    ArcToPathPoints(out, PointF(0, 0), PointF(100, 0), 1, 1, 0, false, true);
    ASSERT_EQ(out.size() % 3, 0u);
    ExpectNear(out.back(), PointF(100, 0));
}

TEST(DrawPolyArc, EditsFromThePropertiesPaneMoveThePoints)
{
    auto arc = MakePoly(ShapeType::Arc, {{0, 0}, {100, 0}, {0, 50}});
    arc->CreatePath(nullptr, nullptr);
    arc->m_fStartAngle = float(std::numbers::pi / 2);
    arc->UpdateArcFromStartAngle();
    ExpectNear(arc->m_points[1], PointF(0, 50));
    arc->CreatePath(nullptr, nullptr);
    EXPECT_NEAR(arc->m_fRadiusX, 50.0f, 1e-3f) << "radii are rewritten from the points";

    arc->m_fRadiusY = 80.0f;
    arc->UpdateArcRadiusY();
    EXPECT_NEAR(std::hypot(arc->m_points[2].X, arc->m_points[2].Y), 80.0, 1e-3);
}

TEST(DrawPolyBounds, ThinLinesAreTestedFiftyUnitsWide)
{
    auto horizontal = MakePoly(ShapeType::Line, {{0, 100}, {200, 100}});
    EXPECT_TRUE(horizontal->GetBounds(CRect(50, 120, 60, 130), nullptr));
    EXPECT_FALSE(horizontal->GetBounds(CRect(50, 130, 60, 140), nullptr));
    EXPECT_TRUE(horizontal->GetBounds(CRect(50, 70, 60, 80), nullptr));

    auto narrow = MakePoly(ShapeType::Line, {{100, 0}, {149, 200}});
    EXPECT_TRUE(narrow->GetBounds(CRect(170, 50, 174, 60), nullptr));
    EXPECT_FALSE(narrow->GetBounds(CRect(175, 50, 180, 60), nullptr));

    auto polygon = MakePoly(ShapeType::Polygon, {{0, 100}, {200, 100}, {100, 100}});
    EXPECT_FALSE(polygon->GetBounds(CRect(50, 120, 60, 130), nullptr)) << "only lines are widened";
}

TEST(DrawPolyPoints, AddPointGrowsABezierChain)
{
    FakeDocument doc;
    CDrawPoly bezier;
    bezier.m_nShapeType = ShapeType::Bezier;
    bezier.m_pDocument = &doc;
    bezier.AddPoint(CPoint(0, 0), nullptr);
    bezier.AddPoint(CPoint(0, 0), nullptr);
    EXPECT_EQ(bezier.m_nPoints, 1) << "a repeated point is ignored";
    bezier.AddPoint(CPoint(100, 0), nullptr);
    bezier.AddPoint(CPoint(200, 0), nullptr);
    ASSERT_EQ(bezier.m_nPoints, 4);
    EXPECT_EQ(bezier.m_points[1], PointF(210, 10));
    EXPECT_EQ(bezier.m_points[2], PointF(210, 10));
    EXPECT_EQ(bezier.m_points[3], PointF(200, 0));
    bezier.AddPoint(CPoint(300, 0), nullptr);
    ASSERT_EQ(bezier.m_nPoints, 5);
    EXPECT_EQ(bezier.m_points[3], PointF(300, 0));
    EXPECT_EQ(bezier.m_points[4], PointF(310, 10));
    EXPECT_GE(bezier.m_nMaxPoints, CDrawPoly::kGrowPoints);
    EXPECT_TRUE(doc.modified);
    EXPECT_FALSE(doc.updates.empty());
    EXPECT_EQ(bezier.m_rcBounds.Width, 300.0f);
}

TEST(DrawPolyHandles, KindsByShape)
{
    auto kinds = [](CDrawPoly& poly) {
        std::vector<int> out;
        for (int n = 19; n <= poly.GetHandleCount(); ++n) {
            int kind = -1;
            poly.GetHandle(n, &kind, nullptr);
            out.push_back(kind);
        }
        return out;
    };
    std::vector<PointF> seven(7, PointF());
    EXPECT_EQ(kinds(*MakePoly(ShapeType::Bezier, seven)), (std::vector<int>{1, 7, 8, 1, 7, 8, 1}));
    EXPECT_EQ(kinds(*MakePoly(ShapeType::Arc, {{0, 0}, {1, 0}, {0, 1}})), (std::vector<int>{3, 5, 6}));
    EXPECT_EQ(kinds(*MakePoly(ShapeType::Custom, {{}, {}, {}, {}, {}, {}}, {0, 1, 3, 3, 3, 1})),
              (std::vector<int>{1, 1, 7, 8, 1, 1}));
    EXPECT_EQ(kinds(*MakePoly(ShapeType::Line, {{}, {}})), (std::vector<int>{1, 1}));
}

TEST(DrawPolyHandles, BezierControlsMirrorUnlessControlIsHeld)
{
    const std::vector<PointF> pts{{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}, {50, 0}, {60, 0}};
    auto bezier = MakePoly(ShapeType::Bezier, pts);
    bezier->MoveHandleTo(19 + 4, CPoint(40, 20), 0, nullptr);
    EXPECT_EQ(bezier->m_points[4], PointF(40, 20));
    EXPECT_EQ(bezier->m_points[2], PointF(20, -20)) << "partner turned about anchor 3";

    bezier = MakePoly(ShapeType::Bezier, pts);
    bezier->MoveHandleTo(19 + 4, CPoint(40, 20), kKeyControl, nullptr);
    EXPECT_EQ(bezier->m_points[2], PointF(20, 0));

    bezier = MakePoly(ShapeType::Bezier, pts);
    bezier->MoveHandleTo(19 + 3, CPoint(30, 5), 0, nullptr);
    EXPECT_EQ(bezier->m_points[2], PointF(20, 5));
    EXPECT_EQ(bezier->m_points[4], PointF(40, 5));

    bezier->m_bLocked = true;
    bezier->MoveHandleTo(19 + 3, CPoint(0, 0), 0, nullptr);
    EXPECT_EQ(bezier->m_points[3], PointF(30, 5));
}

TEST(DrawPolyHandles, CustomPathControlsMirrorThroughTheirAnchor)
{
    const std::vector<PointF> pts{{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}, {50, 0}, {60, 0}};
    auto custom = MakePoly(ShapeType::Custom, pts, {0, 3, 3, 3, 3, 3, 3});
    custom->MoveHandleTo(19 + 2, CPoint(20, 10), 0, nullptr);
    EXPECT_EQ(custom->m_points[4], PointF(40, -10));
    custom->MoveHandleTo(19 + 0, CPoint(0, 10), 0, nullptr);
    EXPECT_EQ(custom->m_points[1], PointF(10, 10)) << "a start point takes its control along";
}

TEST(DrawPolyCopies, CopyHasExactRoomAndEveryParameter)
{
    auto source = MakePoly(ShapeType::Custom, {{1, 2}, {3, 4}}, {0, 1});
    source->ReservePoints(40);
    source->m_nArrowStyle = 3;
    source->m_nArrowEnds = 2;
    source->m_fArrowSize = 12.5f;
    source->m_fArrowAngle = 0.5f;
    source->m_nTension = 70;
    source->m_nReserved = 9;
    FakeDocument doc;
    std::unique_ptr<CDrawObj> clone = source->CloneDetached();
    auto* copy = dynamic_cast<CDrawPoly*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->m_nMaxPoints, 2);
    EXPECT_EQ(copy->m_points.size(), 2u);
    EXPECT_EQ(copy->m_pointTypes, (std::vector<uint8_t>{0, 1}));
    EXPECT_EQ(copy->m_fArrowSize, 12.5f);
    EXPECT_EQ(copy->m_fArrowAngle, 0.5f);
    EXPECT_EQ(copy->m_nArrowStyle, 3u);
    EXPECT_EQ(copy->m_nArrowEnds, 2u);
    EXPECT_EQ(copy->m_nTension, 70);
    EXPECT_EQ(copy->m_nReserved, 9u);
    EXPECT_NE(copy->m_nID, source->m_nID);

    CDrawObj* added = source->Clone(&doc);
    EXPECT_EQ(doc.added.size(), 1u);
    EXPECT_EQ(doc.added[0].get(), added);
}

TEST(DrawPolyPoints, ReservePointsKeepsPointsAndCreatesMissingTypes)
{
    auto custom = MakePoly(ShapeType::Custom, {{1, 1}, {2, 2}});
    custom->m_pointTypes.clear();
    custom->ReservePoints(1);
    EXPECT_EQ(custom->m_pointTypes.size(), 2u);
    custom->EnsureRoom(1);
    EXPECT_EQ(custom->m_nMaxPoints, 22);
    EXPECT_EQ(custom->m_points[1], PointF(2, 2));
    EXPECT_EQ(custom->m_pointTypes.size(), 22u);
}

} // namespace
} // namespace kelmora
