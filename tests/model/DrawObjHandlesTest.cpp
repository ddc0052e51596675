// Handle table, pointer tests and handle drags of the base object, measured on the base
// object itself, on a plain rectangle shape and on a test shape.

#include "model/DrawObj.h"
#include "model/DrawRect.h"
#include "model/HandleKind.h"
#include "model/ModelTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelmora {

using fakes::FakeDocument;
using fakes::FakeView;
using fakes::SameRect;
using fakes::TestRect;

namespace {

std::unique_ptr<CDrawRect> MakeRect(const RectF& frame)
{
    auto obj = std::make_unique<CDrawRect>(frame, nullptr);
    obj->m_nShapeType = ShapeType::Rectangle;
    obj->RecalcBounds(nullptr);
    return obj;
}

RectF BoundsAfterCommit(CDrawObj& obj)
{
    obj.CommitTransform();
    return obj.m_rcBounds;
}

} // namespace

TEST(DrawObjHandlesTable, AllEighteenWithoutViewAndAtZoomTwo)
{
    auto obj = MakeRect(RectF(100, 200, 300, 400));
    struct Expected {
        int n;
        CPoint doc;     // no view: offsets in document units
        CPoint zoomed;  // zoom 2: bounds (200, 400, 600, 800), offsets in pixels
        int kind;
        HandleCursor cursor;
    };
    const Expected table[] = {
        {1, {64, 164}, {164, 364}, HANDLE_SIZE, HandleCursor::SizeNorthWestSouthEast},
        {2, {250, 164}, {500, 364}, HANDLE_SIZE, HandleCursor::SizeNorthSouth},
        {3, {436, 164}, {836, 364}, HANDLE_SIZE, HandleCursor::SizeNorthEastSouthWest},
        {4, {436, 400}, {836, 800}, HANDLE_SIZE, HandleCursor::SizeWestEast},
        {5, {436, 636}, {836, 1236}, HANDLE_SIZE, HandleCursor::SizeNorthWestSouthEast},
        {6, {250, 636}, {500, 1236}, HANDLE_SIZE, HandleCursor::SizeNorthSouth},
        {7, {64, 636}, {164, 1236}, HANDLE_SIZE, HandleCursor::SizeNorthEastSouthWest},
        {8, {64, 400}, {164, 800}, HANDLE_SIZE, HandleCursor::SizeWestEast},
        {9, {250, 400}, {500, 800}, HANDLE_ROTATE_CENTRE, HandleCursor::RotateCentre},
        {10, {250, 400}, {500, 800}, HANDLE_MOVE, HandleCursor::Arrow},
        {11, {10, 110}, {110, 310}, HANDLE_ROTATE, HandleCursor::Rotate},
        {12, {250, 110}, {500, 310}, HANDLE_SKEW, HandleCursor::SkewHorizontal},
        {13, {490, 128}, {890, 328}, HANDLE_ROTATE, HandleCursor::Rotate},
        {14, {490, 400}, {890, 800}, HANDLE_SKEW, HandleCursor::SkewVertical},
        {15, {490, 690}, {890, 1290}, HANDLE_ROTATE, HandleCursor::Rotate},
        {16, {250, 690}, {500, 1290}, HANDLE_SKEW, HandleCursor::SkewHorizontal},
        {17, {28, 690}, {128, 1290}, HANDLE_ROTATE, HandleCursor::Rotate},
        {18, {10, 400}, {110, 800}, HANDLE_SKEW, HandleCursor::SkewVertical},
    };
    FakeView view(2.0f);
    for (const Expected& e : table) {
        SCOPED_TRACE(e.n);
        int kind = HANDLE_NONE;
        EXPECT_EQ(obj->GetHandle(e.n, &kind, nullptr), e.doc);
        EXPECT_EQ(kind, e.kind);
        EXPECT_EQ(obj->GetHandle(e.n, &kind, &view), e.zoomed);
        EXPECT_EQ(kind, e.kind);
        EXPECT_EQ(obj->CDrawObj::GetHandleCursor(e.n), e.cursor);
        EXPECT_EQ(obj->GetHandleRect(e.n, nullptr, nullptr),
                  CRect(e.doc.x - 9, e.doc.y - 9, e.doc.x + 9, e.doc.y + 9));
    }
}

TEST(DrawObjHandlesHitTest, EdgesAndKindFilter)
{
    auto obj = MakeRect(RectF(100, 200, 300, 400));
    // Not selected: the bounds with all four edges included.
    EXPECT_EQ(obj->HitTest(CPoint(100, 200), nullptr, false, 0), 1);
    EXPECT_EQ(obj->HitTest(CPoint(400, 600), nullptr, false, 0), 1);
    EXPECT_EQ(obj->HitTest(CPoint(401, 600), nullptr, false, 0), 0);
    EXPECT_EQ(obj->HitTest(CPoint(400, 601), nullptr, false, 0), 0);

    // Selected: handle 5 at (436, 636), box (427, 627)-(445, 645) grown by 1 to
    // (426, 626)-(446, 646), right and bottom edges outside.
    EXPECT_EQ(obj->HitTest(CPoint(426, 626), nullptr, true, 0), 5);
    EXPECT_EQ(obj->HitTest(CPoint(445, 645), nullptr, true, 0), 5);
    EXPECT_EQ(obj->HitTest(CPoint(446, 636), nullptr, true, 0), 0);
    EXPECT_EQ(obj->HitTest(CPoint(436, 646), nullptr, true, 0), 0);

    // Kind filter: the centre answers as the rotation centre unless the move kind is asked for.
    EXPECT_EQ(obj->HitTest(CPoint(250, 400), nullptr, true, 0), 9);
    EXPECT_EQ(obj->HitTest(CPoint(250, 400), nullptr, true, HANDLE_MOVE), 10);
    EXPECT_EQ(obj->HitTest(CPoint(436, 636), nullptr, true, HANDLE_ROTATE), 0);
    EXPECT_EQ(obj->HitTest(CPoint(490, 690), nullptr, true, HANDLE_ROTATE), 15);
    // Shape handles: 20 sits on the frame's bottom-right corner.
    EXPECT_EQ(obj->HitTest(CPoint(400, 600), nullptr, true, HANDLE_POINT), 20);
}

TEST(DrawObjHandlesHitTest, IntersectsFindsEdgesCrossingTheRectangle)
{
    auto obj = MakeRect(RectF(0, 0, 100, 100));
    // A rectangle across the top edge with no corner of the shape inside it.
    EXPECT_TRUE(obj->Intersects(CRect(40, -10, 60, 10), 0, nullptr));
    // Inside the shape, touching no edge.
    EXPECT_FALSE(obj->Intersects(CRect(40, 40, 60, 60), 0, nullptr));
    // Far away.
    EXPECT_FALSE(obj->Intersects(CRect(200, 200, 210, 210), 0, nullptr));

    // A diagonal edge of a turned square crosses a small box that the bounds test alone
    // would not tell apart from the empty corner region.
    obj->m_pMatrix->RotateAt(45.0f, PointF(50, 50), MatrixOrder::Append);
    obj->RecalcBounds(nullptr);
    // The corner region of the bounds beside the turned square is empty …
    EXPECT_FALSE(obj->Intersects(CRect(-18, -18, -10, -10), 0, nullptr));
    // … and a box on its upper-left edge (through (−20.7, 50) and (50, −20.7)) meets it.
    EXPECT_TRUE(obj->Intersects(CRect(10, 10, 20, 20), 0, nullptr));
}

TEST(DrawObjHandlesDrag, SizeHandleDoublesAboutTheOppositeCorner)
{
    auto obj = MakeRect(RectF(100, 200, 300, 400));
    obj->MoveHandleTo(5, CPoint(700, 1000), 0, nullptr);
    ASSERT_TRUE(obj->m_pPendingMatrix);
    EXPECT_TRUE(obj->m_pMatrix->IsIdentity());
    EXPECT_TRUE(SameRect(BoundsAfterCommit(*obj), RectF(100, 200, 600, 800)));

    // With a view the point is in view pixels.
    auto zoomed = MakeRect(RectF(100, 200, 300, 400));
    FakeView view(2.0f);
    zoomed->MoveHandleTo(1, CPoint(-400, -400), 0, &view);   // document (−200, −200)
    EXPECT_TRUE(SameRect(BoundsAfterCommit(*zoomed), RectF(-200, -200, 600, 800)));
}

TEST(DrawObjHandlesDrag, ScaleToZeroKeepsThePreviousStep)
{
    auto obj = MakeRect(RectF(100, 200, 300, 400));
    obj->MoveHandleTo(4, CPoint(250, 300), 0, nullptr);   // half the width
    ASSERT_TRUE(obj->m_pPendingMatrix);
    const Matrix halfWidth = *obj->m_pPendingMatrix;
    obj->MoveHandleTo(4, CPoint(100, 300), 0, nullptr);   // onto the left edge: scale 0
    ASSERT_TRUE(obj->m_pPendingMatrix);
    EXPECT_EQ(*obj->m_pPendingMatrix, halfWidth);
    obj->MoveHandleTo(5, CPoint(100, 200), 0, nullptr);   // onto the opposite corner
    EXPECT_EQ(*obj->m_pPendingMatrix, halfWidth);
    // Through the other side mirrors, which is a usable transform.
    obj->MoveHandleTo(4, CPoint(-200, 300), 0, nullptr);
    EXPECT_TRUE(SameRect(BoundsAfterCommit(*obj), RectF(-200, 200, 300, 400)));
}

TEST(DrawObjHandlesDrag, RotateHandleQuarterTurns)
{
    auto obj = MakeRect(RectF(0, 0, 100, 100));
    // Handle 15 is measured from (110, 110); the centre is (50, 50).
    obj->MoveHandleTo(15, CPoint(-10, 110), 0, nullptr);   // a quarter turn clockwise on screen
    ASSERT_TRUE(obj->m_pPendingMatrix);
    const Matrix& cw = *obj->m_pPendingMatrix;
    EXPECT_NEAR(cw.M11(), 0.0f, 1e-5f);
    EXPECT_NEAR(cw.M12(), 1.0f, 1e-5f);   // +x turns toward +y: +90°
    EXPECT_NEAR(cw.M21(), -1.0f, 1e-5f);
    EXPECT_NEAR(cw.TransformPoint(PointF(50, 50)).X, 50.0f, 1e-3f);

    obj->MoveHandleTo(15, CPoint(110, -10), 0, nullptr);   // the other way: −90°
    EXPECT_NEAR(obj->m_pPendingMatrix->M12(), -1.0f, 1e-5f);
    EXPECT_NEAR(obj->m_pPendingMatrix->M21(), 1.0f, 1e-5f);
}

TEST(DrawObjHandlesDrag, LeftSkewHandleShearsVerticallyAboutTheRightEdge)
{
    auto left = MakeRect(RectF(0, 0, 100, 100));
    left->MoveHandleTo(18, CPoint(-90, 20), 0, nullptr);
    const Matrix& m18 = *left->m_pPendingMatrix;
    EXPECT_NEAR(m18.TransformPoint(PointF(0, 0)).Y, -30.0f, 1e-3f);
    EXPECT_NEAR(m18.TransformPoint(PointF(100, 0)).Y, 0.0f, 1e-3f);
    EXPECT_NEAR(m18.TransformPoint(PointF(0, 0)).X, 0.0f, 1e-3f);
}

TEST(DrawObjHandlesDrag, LockedObjectIgnoresEveryHandle)
{
    FakeDocument doc;
    auto locked = MakeRect(RectF(0, 0, 100, 100));
    locked->m_pDocument = &doc;
    locked->m_bLocked = true;
    for (int n : {5, 9, 11, 12, 19, 20}) {
        locked->MoveHandleTo(n, CPoint(300, 300), 0, nullptr);
    }
    EXPECT_FALSE(locked->m_pPendingMatrix);
    EXPECT_FALSE(locked->m_bCustomRotateCentre);
    EXPECT_EQ(locked->m_rcFrame, RectF(0, 0, 100, 100));
    EXPECT_EQ(doc.modifiedCalls, 0);
}

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
