#include "model/DrawObj.h"

#include "model/HandleKind.h"
#include "model/ModelTestSupport.h"

#include <gtest/gtest.h>

namespace kelmora {

using fakes::FakeView;
using fakes::TestRect;

TEST(DrawObjHandles, PositionsAndKindsAroundTheBounds)
{
    CDrawObj obj(RectF(100, 50, 40, 20), nullptr);
    struct Expected {
        int n;
        CPoint position;
        int kind;
    };
    const Expected table[] = {
        {1, CPoint(64, 14), HANDLE_SIZE},       {4, CPoint(176, 60), HANDLE_SIZE},
        {5, CPoint(176, 106), HANDLE_SIZE},     {9, CPoint(120, 60), HANDLE_ROTATE_CENTRE},
        {10, CPoint(120, 60), HANDLE_MOVE},     {11, CPoint(10, -40), HANDLE_ROTATE},
        {13, CPoint(230, -22), HANDLE_ROTATE},  {14, CPoint(230, 60), HANDLE_SKEW},
        {17, CPoint(28, 160), HANDLE_ROTATE},   {18, CPoint(10, 60), HANDLE_SKEW},
        {0, CPoint(64, 14), HANDLE_SIZE},       {99, CPoint(64, 14), HANDLE_SIZE},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.n);
        int kind = HANDLE_NONE;
        EXPECT_EQ(obj.GetHandle(e.n, &kind, nullptr), e.position);
        EXPECT_EQ(kind, e.kind);
    }
    EXPECT_EQ(obj.GetHandleCount(), 18);
    EXPECT_EQ(obj.GetHandleRect(10, nullptr, nullptr), CRect(111, 51, 129, 69));
    EXPECT_EQ(obj.GetAnchorPoint(nullptr), CPoint(120, 60));
}

TEST(DrawObjHandles, ViewOffsetsStayInPixels)
{
    FakeView view(2.0f);
    CDrawObj obj(RectF(100, 50, 40, 20), nullptr);
    obj.m_bCustomRotateCentre = true;
    obj.m_ptRotateCentre = PointF(110, 55);
    // The bounds are zoomed to (200, 100, 80, 40); the gaps are not.
    EXPECT_EQ(obj.GetHandle(1, nullptr, &view), CPoint(164, 64));
    EXPECT_EQ(obj.GetHandle(10, nullptr, &view), CPoint(240, 120));
    EXPECT_EQ(obj.GetHandle(9, nullptr, &view), CPoint(220, 110));
    EXPECT_EQ(obj.GetHandle(9, nullptr, nullptr), CPoint(110, 55));
}

TEST(DrawObjHandles, HitTest)
{
    CDrawObj obj(RectF(100, 50, 40, 20), nullptr);
    EXPECT_EQ(obj.HitTest(CPoint(140, 70), nullptr, false, 0), 1);
    EXPECT_EQ(obj.HitTest(CPoint(141, 70), nullptr, false, 0), 0);

    // Selected: the centre handle answers only when asked for by its kind.
    EXPECT_EQ(obj.HitTest(CPoint(120, 60), nullptr, true, 0), 9);
    EXPECT_EQ(obj.HitTest(CPoint(120, 60), nullptr, true, HANDLE_MOVE), 10);
    // Handle boxes grow by 1; their right and bottom edges stay outside.
    EXPECT_EQ(obj.HitTest(CPoint(54, 4), nullptr, true, 0), 1);
    EXPECT_EQ(obj.HitTest(CPoint(74, 24), nullptr, true, 0), 0);
}

TEST(DrawObjHandles, BoundsTestUsesTheTransformedPath)
{
    TestRect obj(RectF(0, 0, 10, 10));
    obj.m_pMatrix->Translate(100, 0, MatrixOrder::Append);
    EXPECT_TRUE(obj.GetBounds(CRect(105, 5, 120, 20), nullptr));
    EXPECT_FALSE(obj.GetBounds(CRect(0, 0, 10, 10), nullptr));
    // Touching edges do not overlap.
    EXPECT_FALSE(obj.GetBounds(CRect(110, 0, 120, 10), nullptr));

    FakeView view(2.0f);
    EXPECT_TRUE(obj.GetBounds(CRect(210, 10, 215, 15), &view));
}

TEST(DrawObjHandles, OutlineHitsReachHalfTheTolerance)
{
    TestRect obj(RectF(100, 100, 100, 50));
    // Width 3 and the default tolerance: a pen 9 units wide, 4.5 on either side.
    EXPECT_TRUE(obj.HitTestOutline(96, 120, -1, nullptr));
    EXPECT_TRUE(obj.HitTestOutline(104, 120, -1, nullptr));
    EXPECT_FALSE(obj.HitTestOutline(95, 120, -1, nullptr));
    EXPECT_FALSE(obj.HitTestOutline(150, 125, -1, nullptr));
    EXPECT_TRUE(obj.HitTestOutline(93, 120, 15, nullptr));

    // With a view the point is in view units and the tolerance is zoomed with it.
    FakeView view(2.0f);
    EXPECT_TRUE(obj.HitTestOutline(192, 240, -1, &view));
    EXPECT_FALSE(obj.HitTestOutline(190, 240, -1, &view));
}

TEST(DrawObjHandles, IntersectsTestsTheOutlineSegments)
{
    TestRect obj(RectF(100, 100, 100, 50));
    EXPECT_TRUE(obj.Intersects(CRect(90, 90, 110, 110), 0, nullptr));
    // No corner of the outline lies inside, but the top and bottom edges cross it.
    EXPECT_TRUE(obj.Intersects(CRect(120, 90, 130, 200), 0, nullptr));
    // Inside the outline without touching it.
    EXPECT_FALSE(obj.Intersects(CRect(120, 110, 130, 140), 0, nullptr));
    EXPECT_FALSE(obj.Intersects(CRect(0, 0, 10, 10), 0, nullptr));
}

TEST(DrawObjHandles, DraggingASizeHandleScalesAboutTheOppositeCorner)
{
    TestRect obj(RectF(100, 100, 100, 50));
    obj.MoveHandleTo(5, CPoint(300, 200), 0, nullptr);
    ASSERT_NE(obj.m_pPendingMatrix, nullptr);
    EXPECT_TRUE(obj.m_pMatrix->IsIdentity());
    EXPECT_EQ(obj.m_pPendingMatrix->TransformPoint(PointF(100, 100)), PointF(100, 100));
    EXPECT_EQ(obj.m_pPendingMatrix->TransformPoint(PointF(200, 150)), PointF(300, 200));

    // Each move starts again from the committed matrix.
    obj.MoveHandleTo(1, CPoint(150, 125), 0, nullptr);
    EXPECT_EQ(obj.m_pPendingMatrix->TransformPoint(PointF(200, 150)), PointF(200, 150));
    EXPECT_EQ(obj.m_pPendingMatrix->TransformPoint(PointF(100, 100)), PointF(150, 125));
    obj.CommitTransform();
    EXPECT_EQ(obj.m_rcBounds, RectF(150, 125, 50, 25));
}

TEST(DrawObjHandles, SkewHandlesShearAlongTheirEdge)
{
    TestRect obj(RectF(100, 100, 100, 50));
    // The top edge follows the pointer sideways; the bottom edge stays.
    obj.MoveHandleTo(12, CPoint(170, 0), 0, nullptr);
    EXPECT_EQ(obj.m_pPendingMatrix->TransformPoint(PointF(150, 100)), PointF(170, 100));
    EXPECT_EQ(obj.m_pPendingMatrix->TransformPoint(PointF(150, 150)), PointF(150, 150));
    // The right edge follows the pointer up and down; the left edge stays.
    obj.MoveHandleTo(14, CPoint(0, 145), 0, nullptr);
    EXPECT_EQ(obj.m_pPendingMatrix->TransformPoint(PointF(200, 125)), PointF(200, 145));
    EXPECT_EQ(obj.m_pPendingMatrix->TransformPoint(PointF(100, 125)), PointF(100, 125));
}

TEST(DrawObjHandles, RotationHandlesTurnAboutTheCustomCentre)
{
    TestRect obj(RectF(100, 100, 100, 50));
    FakeView view(2.0f);
    obj.MoveHandleTo(9, CPoint(200, 200), 0, &view);
    EXPECT_TRUE(obj.m_bCustomRotateCentre);
    EXPECT_EQ(obj.m_ptRotateCentre, PointF(100, 100));
    EXPECT_EQ(obj.m_pPendingMatrix, nullptr);

    // Handle 15 starts at (210, 160); dragged a quarter turn clockwise about (100, 100).
    obj.MoveHandleTo(15, CPoint(40, 210), 0, nullptr);
    ASSERT_NE(obj.m_pPendingMatrix, nullptr);
    const PointF turned = obj.m_pPendingMatrix->TransformPoint(PointF(200, 100));
    EXPECT_NEAR(turned.X, 100, 1e-3);
    EXPECT_NEAR(turned.Y, 200, 1e-3);
}

TEST(DrawObjHandles, HandlesThatWouldDivideByZeroDoNothing)
{
    // A vertical line: its reference bounds have no width.
    CDrawObj line;
    line.m_rcRefBounds = RectF(100, 100, 0, 50);
    for (int n : {1, 3, 4, 5, 7, 8, 14, 18}) {
        line.MoveHandleTo(n, CPoint(300, 300), 0, nullptr);
        EXPECT_EQ(line.m_pPendingMatrix, nullptr) << n;
    }
    line.MoveHandleTo(6, CPoint(300, 200), 0, nullptr);
    EXPECT_NE(line.m_pPendingMatrix, nullptr);

    TestRect locked(RectF(0, 0, 10, 10));
    locked.m_bLocked = true;
    locked.MoveHandleTo(5, CPoint(20, 20), 0, nullptr);
    EXPECT_EQ(locked.m_pPendingMatrix, nullptr);
}

} // namespace kelmora
