// Conversion of objects to polylines, and the point edits, breaks and joins of polylines.

#include "model/DrawPoly.h"
#include "model/DrawRect.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

namespace kelmora {
namespace {

using fakes::FakeDocument;

constexpr uint8_t S = PathPointType::Start;
constexpr uint8_t L = PathPointType::Line;
constexpr uint8_t B = PathPointType::Bezier;
constexpr uint8_t C = PathPointType::CloseSubpath;

std::unique_ptr<CDrawPoly> MakePoly(ShapeType type, std::vector<PointF> points, std::vector<uint8_t> types = {})
{
    auto poly = std::make_unique<CDrawPoly>();
    poly->m_nShapeType = type;
    poly->SetPoints(std::move(points), std::move(types));
    poly->RecalcBounds(nullptr);
    return poly;
}

std::vector<PointF> Points(const CDrawPoly& poly)
{
    return {poly.m_points.begin(), poly.m_points.begin() + poly.m_nPoints};
}

std::vector<uint8_t> Types(const CDrawPoly& poly)
{
    return {poly.m_pointTypes.begin(), poly.m_pointTypes.begin() + poly.m_nPoints};
}

bool BuildsPath(const CDrawPoly& poly)
{
    return GraphicsPath::FromPathData(Points(poly), Types(poly)).has_value();
}

int Handle(int point)
{
    return CDrawPoly::kFirstPointHandle + point;
}

// Seven points: a start, two Bézier segments, and a closing line point.
std::unique_ptr<CDrawPoly> TwoBeziersThenLine()
{
    return MakePoly(ShapeType::Custom,
                    {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}, {50, 0}, {60, 0}, {60, 60}},
                    {S, B, B, B, B, B, B, L | C});
}

TEST(DrawObjConvert, RectangleBecomesOneClosedCustomPathWithItsStyle)
{
    CDrawRect rect(RectF(10, 20, 100, 50), nullptr);
    rect.m_nShapeType = ShapeType::Rectangle;
    rect.m_pMatrix->Translate(5, 7, MatrixOrder::Append);
    rect.SetFillColor(0xFF112233, true);
    rect.SetLineColor(0xFF445566, true);
    rect.m_bShadow = true;
    rect.RecalcBounds(nullptr);

    std::unique_ptr<CDrawObj> converted = rect.ConvertToCustomPoly(nullptr);
    auto* poly = dynamic_cast<CDrawPoly*>(converted.get());
    ASSERT_NE(poly, nullptr);
    EXPECT_EQ(poly->m_nShapeType, ShapeType::Custom);
    EXPECT_EQ(poly->GetName(), "Custom - " + std::to_string(poly->m_nID));
    ASSERT_EQ(poly->m_nPoints, 4);
    EXPECT_EQ(Types(*poly), (std::vector<uint8_t>{S, L, L, L | C}));
    EXPECT_TRUE(poly->m_pMatrix->IsIdentity());
    EXPECT_TRUE(fakes::SameRect(poly->GetPathBounds(nullptr, nullptr), rect.GetPathBounds(nullptr, nullptr)));
    EXPECT_TRUE(poly->m_bFillEnabled);
    EXPECT_EQ(poly->m_brush.m_clrFore, 0xFF112233u);
    EXPECT_EQ(poly->m_pen.m_brush.m_clrFore, 0xFF445566u);
    EXPECT_TRUE(poly->m_bShadow);

    // Exploded: three edges, then the closing one back to the start.
    std::vector<std::unique_ptr<CDrawObj>> pieces;
    rect.ConvertToPoly(pieces, nullptr);
    ASSERT_EQ(pieces.size(), 4u);
    auto* closing = dynamic_cast<CDrawPoly*>(pieces[3].get());
    ASSERT_NE(closing, nullptr);
    EXPECT_EQ(closing->m_nShapeType, ShapeType::Line);
    EXPECT_EQ(Points(*closing), (std::vector<PointF>{{15, 77}, {15, 27}}));
    EXPECT_EQ(closing->m_pen.m_brush.m_clrFore, 0xFF445566u);
    EXPECT_FALSE(closing->m_bFillEnabled);
}

TEST(DrawObjConvert, ExplodesEveryFigureIntoLinesAndBeziers)
{
    // A closed triangle, then an open chain of two Béziers.
    auto source = MakePoly(ShapeType::Custom,
                           {{0, 0}, {10, 0}, {10, 10}, {20, 0}, {21, 0}, {22, 0}, {23, 0}, {24, 0}, {25, 0}, {26, 0}},
                           {S, L, L | C, S, B, B, B, B, B, B});
    std::vector<std::unique_ptr<CDrawObj>> pieces;
    source->ConvertToPoly(pieces, nullptr);
    ASSERT_EQ(pieces.size(), 5u);
    std::vector<ShapeType> kinds;
    for (auto& piece : pieces)
        kinds.push_back(piece->m_nShapeType);
    EXPECT_EQ(kinds, (std::vector<ShapeType>{ShapeType::Line, ShapeType::Line, ShapeType::Line, ShapeType::Bezier,
                                             ShapeType::Bezier}));
    // The triangle's closing edge comes when the second figure starts.
    EXPECT_EQ(Points(dynamic_cast<CDrawPoly&>(*pieces[2])), (std::vector<PointF>{{10, 10}, {0, 0}}));
    EXPECT_EQ(dynamic_cast<CDrawPoly&>(*pieces[4]).m_nPoints, 4);
    // Names take the counter as each piece is made.
    EXPECT_EQ(pieces[0]->GetName(), "Line - " + std::to_string(pieces[0]->m_nID));
    EXPECT_EQ(pieces[4]->GetName(), "Bezier - " + std::to_string(pieces[4]->m_nID));

    // Nothing to convert: a custom path without points.
    CDrawObj empty(RectF(0, 0, 10, 10), nullptr);
    std::unique_ptr<CDrawObj> none = empty.ConvertToCustomPoly(nullptr);
    EXPECT_EQ(dynamic_cast<CDrawPoly&>(*none).m_nPoints, 0);
}

TEST(DrawPolyEdit, DeletingFromCustomPathsKeepsAValidPath)
{
    // A middle anchor takes a control on each side with it.
    auto poly = TwoBeziersThenLine();
    ASSERT_TRUE(poly->DeletePoint(Handle(3), nullptr));
    EXPECT_EQ(Types(*poly), (std::vector<uint8_t>{S, B, B, B, L | C}));
    EXPECT_EQ(Points(*poly)[1], PointF(10, 0));
    EXPECT_EQ(Points(*poly)[2], PointF(50, 0));

    // The start of a Bézier goes with its controls; the next anchor starts the figure.
    poly = TwoBeziersThenLine();
    ASSERT_TRUE(poly->DeletePoint(Handle(0), nullptr));
    EXPECT_EQ(Types(*poly), (std::vector<uint8_t>{S, B, B, B, L | C}));
    EXPECT_EQ(Points(*poly)[0], PointF(30, 0));

    // A first control takes the rest of its segment.
    poly = TwoBeziersThenLine();
    ASSERT_TRUE(poly->DeletePoint(Handle(4), nullptr));
    EXPECT_EQ(Points(*poly)[4], PointF(60, 60));
    EXPECT_TRUE(BuildsPath(*poly));

    // The point that closes a figure hands the close flag on.
    poly = TwoBeziersThenLine();
    ASSERT_TRUE(poly->DeletePoint(Handle(7), nullptr));
    EXPECT_EQ(Types(*poly).back(), uint8_t(B | C));
    EXPECT_TRUE(BuildsPath(*poly));

    // Deleting the start of a second figure whose first segment is a Bézier.
    poly = MakePoly(ShapeType::Custom, {{0, 0}, {5, 5}, {9, 9}, {10, 0}, {11, 0}, {12, 0}, {13, 0}},
                    {S, L, L | C, S, B, B, B});
    ASSERT_TRUE(poly->DeletePoint(Handle(3), nullptr));
    EXPECT_EQ(Types(*poly), (std::vector<uint8_t>{S, L, L | C, S}));
}

TEST(DrawPolyEdit, DeletionIsRefusedWhereItWouldBreakTheShape)
{
    auto line = MakePoly(ShapeType::Line, {{0, 0}, {10, 0}});
    EXPECT_FALSE(line->CanDeletePoint());
    EXPECT_FALSE(line->DeletePoint(Handle(0), nullptr));
    EXPECT_EQ(line->m_nPoints, 2);

    auto bezier = MakePoly(ShapeType::Bezier, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}});
    EXPECT_FALSE(bezier->DeletePoint(Handle(1), nullptr));   // a control
    EXPECT_FALSE(bezier->DeletePoint(Handle(7), nullptr));   // no such point
    ASSERT_TRUE(bezier->DeletePoint(Handle(3), nullptr));
    EXPECT_EQ(Points(*bezier), (std::vector<PointF>{{0, 0}, {1, 1}, {5, 5}, {6, 6}}));
    EXPECT_FALSE(bezier->DeletePoint(Handle(0), nullptr));

    auto custom = MakePoly(ShapeType::Custom, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}, {S, B, B, B});
    EXPECT_FALSE(custom->CanDeletePoint());
    EXPECT_FALSE(custom->DeletePoint(Handle(3), nullptr));
    EXPECT_EQ(custom->m_nPoints, 4);
}

TEST(DrawPolyEdit, InsertsOnTheSegmentUnderThePoint)
{
    FakeDocument doc;
    auto poly = TwoBeziersThenLine();
    poly->m_pDocument = &doc;
    // On the closing line from (60, 60) back to the start.
    EXPECT_EQ(poly->InsertPoint(CPoint(30, 31), nullptr), 8);
    EXPECT_EQ(Types(*poly).back(), uint8_t(L | C));
    EXPECT_TRUE(doc.modified);
    // On the first Bézier (a straight one): a new anchor at the point with its controls.
    EXPECT_EQ(poly->InsertPoint(CPoint(15, 2), nullptr), 3);
    EXPECT_EQ(Points(*poly)[3], PointF(15, 2));
    EXPECT_EQ(Points(*poly)[2], PointF(-15, -28));
    EXPECT_EQ(poly->m_nPoints, 12);
    EXPECT_TRUE(BuildsPath(*poly));
    // Far from the outline.
    EXPECT_EQ(poly->InsertPoint(CPoint(500, 500), nullptr), -1);
    EXPECT_EQ(poly->m_nPoints, 12);

    // A polygon's closing edge takes the point after its last vertex.
    auto polygon = MakePoly(ShapeType::Polygon, {{0, 0}, {100, 0}, {100, 100}});
    EXPECT_EQ(polygon->InsertPoint(CPoint(50, 52), nullptr), 3);
    EXPECT_EQ(Points(*polygon).back(), PointF(50, 52));

    // Arcs keep their three points.
    auto arc = MakePoly(ShapeType::Arc, {{0, 0}, {100, 0}, {0, 100}});
    EXPECT_EQ(arc->InsertPoint(CPoint(50, 0), nullptr), -1);
}

TEST(DrawPolyEdit, JoiningLinesOfOneKindConcatenatesThem)
{
    auto first = MakePoly(ShapeType::Line, {{0, 0}, {10, 0}, {20, 0}});
    first->SetName("Line - 1");
    auto second = MakePoly(ShapeType::Line, {{0, 0}, {0, 10}});
    second->m_pMatrix->Translate(20, 0, MatrixOrder::Append);   // its start lies on first's end
    first->m_nJoinHandle = Handle(2);
    second->m_nJoinHandle = Handle(0);

    ASSERT_TRUE(first->JoinAtEndPoints(second.get(), false));
    EXPECT_EQ(Points(*first), (std::vector<PointF>{{0, 0}, {10, 0}, {20, 0}, {20, 10}}));
    EXPECT_EQ(first->GetName(), "Line - 1");
    EXPECT_EQ(first->m_nShapeType, ShapeType::Line);
    // The other object is untouched, so that it can be restored as it was.
    EXPECT_EQ(Points(*second), (std::vector<PointF>{{0, 0}, {0, 10}}));

    // Handles that are no end points join nothing.
    auto third = MakePoly(ShapeType::Line, {{0, 0}, {5, 5}, {9, 9}});
    third->m_nJoinHandle = Handle(1);
    EXPECT_FALSE(first->JoinAtEndPoints(third.get(), false));
    EXPECT_EQ(first->m_nPoints, 4);

    // Two whole Bézier chains kept apart are bridged by a segment of their own.
    auto a = MakePoly(ShapeType::Bezier, {{0, 0}, {1, 1}, {2, 2}, {3, 3}});
    auto b = MakePoly(ShapeType::Bezier, {{6, 6}, {7, 7}, {8, 8}, {9, 9}});
    a->m_nJoinHandle = Handle(3);
    b->m_nJoinHandle = Handle(3);
    ASSERT_TRUE(a->JoinAtEndPoints(b.get(), true));
    EXPECT_EQ(a->m_nPoints, 10);
    EXPECT_EQ(Points(*a)[4], PointF(5, 5));
    EXPECT_EQ(Points(*a)[6], PointF(9, 9));
}

TEST(DrawPolyEdit, JoiningDifferentKindsGivesOneCustomFigure)
{
    // A Bézier chain joined at its start to the start of a line: the line comes reversed
    // before it, and the result is one figure.
    auto bezier = MakePoly(ShapeType::Bezier, {{0, 0}, {10, -10}, {20, -10}, {30, 0}});
    auto line = MakePoly(ShapeType::Line, {{0, 0}, {0, 50}, {50, 50}});
    bezier->m_nJoinHandle = Handle(0);
    line->m_nJoinHandle = Handle(0);
    const uint32_t before = g_nObjectCounter.load();
    ASSERT_TRUE(bezier->JoinAtEndPoints(line.get(), false));
    EXPECT_EQ(bezier->m_nShapeType, ShapeType::Custom);
    EXPECT_EQ(bezier->GetName(), "Custom - " + std::to_string(before + 1));
    EXPECT_EQ(Points(*bezier), (std::vector<PointF>{{50, 50}, {0, 50}, {0, 0}, {10, -10}, {20, -10}, {30, 0}}));
    EXPECT_EQ(Types(*bezier), (std::vector<uint8_t>{S, L, L, B, B, B}));

    // Merging drops the other's end point, here the end of a Bézier: the joint completes
    // the run it leaves short.
    auto stroke = MakePoly(ShapeType::Custom, {{-10, 0}, {0, 0}}, {S, L});
    auto chain = MakePoly(ShapeType::Custom, {{0, 0}, {10, 10}, {20, 10}, {30, 0}}, {S, B, B, B});
    stroke->m_nJoinHandle = Handle(1);
    chain->m_nJoinHandle = Handle(3);
    ASSERT_TRUE(stroke->JoinAtEndPoints(chain.get(), false));
    EXPECT_EQ(Points(*stroke), (std::vector<PointF>{{-10, 0}, {0, 0}, {20, 10}, {10, 10}, {0, 0}}));
    EXPECT_EQ(Types(*stroke), (std::vector<uint8_t>{S, L, B, B, B}));
}

TEST(DrawPolyEdit, JoiningAFigureToItselfClosesIt)
{
    auto line = MakePoly(ShapeType::Line, {{0, 0}, {10, 0}, {10, 10}});
    line->m_nJoinHandle = Handle(0);
    ASSERT_TRUE(line->JoinAtEndPoints(line.get(), false));
    EXPECT_EQ(line->m_nShapeType, ShapeType::Custom);
    EXPECT_TRUE(line->m_bClosed);
    EXPECT_EQ(line->m_nPoints, 3);
    EXPECT_FALSE(line->IsEndPointHandle(Handle(0)));
    // Closed already: nothing more to join.
    EXPECT_FALSE(line->JoinAtEndPoints(line.get(), false));

    auto curve = MakePoly(ShapeType::Curve, {{0, 0}, {10, 0}, {10, 10}, {0, 0}});
    ASSERT_TRUE(curve->JoinAtEndPoints(curve.get(), false));
    EXPECT_TRUE(curve->m_bClosed);
    EXPECT_EQ(curve->m_nPoints, 3);   // the last point lay on the first
}

TEST(DrawPolyEdit, BreakingOpensAClosedFigureAndSplitsAnOpenOne)
{
    FakeDocument doc;
    // An open line broken on its first segment: two figures meeting at the break.
    auto line = MakePoly(ShapeType::Line, {{0, 0}, {100, 0}, {100, 100}});
    line->m_pDocument = &doc;
    line->m_pMatrix->Translate(1000, 0, MatrixOrder::Append);
    ASSERT_TRUE(line->SplitAtPoint(CPoint(1040, 3), nullptr));
    EXPECT_EQ(line->m_nShapeType, ShapeType::Custom);
    EXPECT_EQ(line->GetName().rfind("Custom - ", 0), 0u);
    EXPECT_EQ(Points(*line), (std::vector<PointF>{{0, 0}, {40, 0}, {40, 0}, {100, 0}, {100, 100}}));
    EXPECT_EQ(Types(*line), (std::vector<uint8_t>{S, L, S, L, L}));
    EXPECT_EQ(line->m_pMatrix->OffsetX(), 1000.0f) << "the object stays where it is";
    EXPECT_TRUE(doc.modified);

    // A closed polygon broken on its closing edge: one open figure from the break round
    // to the break.
    auto polygon = MakePoly(ShapeType::Polygon, {{0, 0}, {100, 0}, {100, 100}});
    ASSERT_TRUE(polygon->SplitAtPoint(CPoint(49, 51), nullptr));
    EXPECT_EQ(Points(*polygon), (std::vector<PointF>{{50, 50}, {0, 0}, {100, 0}, {100, 100}, {50, 50}}));
    EXPECT_EQ(Types(*polygon), (std::vector<uint8_t>{S, L, L, L, L}));
    EXPECT_TRUE(polygon->IsEndPointHandle(Handle(0)));
    EXPECT_TRUE(polygon->IsEndPointHandle(Handle(4)));

    // A Bézier is cut into two halves on the same curve.
    auto bezier = MakePoly(ShapeType::Bezier, {{0, 0}, {0, 100}, {100, 100}, {100, 0}});
    ASSERT_TRUE(bezier->SplitAtPoint(CPoint(50, 75), nullptr));
    ASSERT_EQ(bezier->m_nPoints, 8);
    EXPECT_EQ(Types(*bezier), (std::vector<uint8_t>{S, B, B, B, S, B, B, B}));
    EXPECT_NEAR(Points(*bezier)[3].X, 50.0f, 0.5f);
    EXPECT_NEAR(Points(*bezier)[3].Y, 75.0f, 0.5f);
    EXPECT_EQ(Points(*bezier)[3], Points(*bezier)[4]);
    EXPECT_EQ(Points(*bezier)[7], PointF(100, 0));

    // Off the outline, or at an open end, nothing changes.
    auto other = MakePoly(ShapeType::Line, {{0, 0}, {100, 0}});
    other->SetName("Line - 7");
    EXPECT_FALSE(other->SplitAtPoint(CPoint(50, 40), nullptr));
    EXPECT_FALSE(other->SplitAtPoint(CPoint(0, 0), nullptr));
    EXPECT_EQ(other->m_nShapeType, ShapeType::Line);
    EXPECT_EQ(other->GetName(), "Line - 7");
    EXPECT_EQ(other->m_nPoints, 2);
}

} // namespace
} // namespace kelmora
