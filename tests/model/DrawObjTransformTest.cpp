#include "model/DrawObj.h"

#include "model/ModelTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace kelmora {

using fakes::FakeDocument;
using fakes::FakeView;
using fakes::SameRect;
using fakes::TestRect;

namespace {

// A 40 × 20 rectangle at (100, 50), in a document.
struct Placed {
    FakeDocument document;
    TestRect obj{RectF(100, 50, 40, 20)};

    Placed() { obj.m_pDocument = &document; }
};

} // namespace

TEST(DrawObjTransform, MoveToTheSameRectangleChangesNothing)
{
    Placed p;
    p.obj.MoveTo(RectF(100, 50, 40, 20), nullptr);
    EXPECT_EQ(p.document.modifiedCalls, 0);
    EXPECT_TRUE(p.document.updates.empty());
    EXPECT_TRUE(p.obj.m_pMatrix->IsIdentity());
}

TEST(DrawObjTransform, MoveToOnlyMoves)
{
    Placed p;
    p.obj.m_bCustomRotateCentre = true;
    p.obj.m_ptRotateCentre = PointF(110, 60);
    p.obj.MoveTo(RectF(0, 10, 400, 400), nullptr);
    EXPECT_EQ(p.obj.m_rcBounds, RectF(0, 10, 40, 20));
    EXPECT_EQ(p.obj.m_rcRefBounds, RectF(0, 10, 40, 20));
    EXPECT_EQ(p.obj.m_ptRotateCentre, PointF(10, 20));
    EXPECT_TRUE(p.document.modified);
    ASSERT_EQ(p.document.updates.size(), 1u);
    EXPECT_EQ(p.document.updates[0].object, &p.obj);
}

TEST(DrawObjTransform, MovingWithAViewRepaintsItInstead)
{
    Placed p;
    FakeView view(2.0f);
    p.obj.Offset(PointF(20, -10), &view);
    // The delta is in view units: half of it in document units.
    EXPECT_EQ(p.obj.m_rcBounds, RectF(110, 45, 40, 20));
    EXPECT_EQ(view.invalidations, 1);
    EXPECT_TRUE(p.document.updates.empty());
    EXPECT_TRUE(p.document.modified);
}

TEST(DrawObjTransform, OffsetCarriesTheCustomCentreButScaleDoesNot)
{
    Placed p;
    p.obj.m_bCustomRotateCentre = true;
    p.obj.m_ptRotateCentre = PointF(5, 5);
    p.obj.Offset(PointF(10, 20), nullptr);
    EXPECT_EQ(p.obj.m_ptRotateCentre, PointF(15, 25));
    p.obj.Scale(2, 2, nullptr);
    EXPECT_EQ(p.obj.m_ptRotateCentre, PointF(15, 25));
}

TEST(DrawObjTransform, ScaleIsAboutTheTopLeftCorner)
{
    Placed p;
    p.obj.Scale(2.0f, 0.5f, nullptr);
    EXPECT_EQ(p.obj.m_rcBounds, RectF(100, 50, 80, 10));
    EXPECT_TRUE(p.document.modified);
}

TEST(DrawObjTransform, ScaleRefusesFactorsWithoutInverse)
{
    Placed p;
    const float bad[] = {0.0f, -0.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()};
    for (float factor : bad) {
        p.obj.Scale(factor, 1.0f, nullptr);
        p.obj.Scale(1.0f, factor, nullptr);
    }
    EXPECT_TRUE(p.obj.m_pMatrix->IsIdentity());
    EXPECT_EQ(p.document.modifiedCalls, 0);

    // A factor that is fine alone, but twice overflows the floats.
    p.obj.Scale(1e30f, 1.0f, nullptr);
    p.obj.Scale(1e30f, 1.0f, nullptr);
    EXPECT_TRUE(p.obj.m_pMatrix->IsInvertible());
    EXPECT_EQ(p.document.modifiedCalls, 1);
}

TEST(DrawObjTransform, LockedObjectsDoNotMove)
{
    Placed p;
    p.obj.m_bLocked = true;
    p.obj.MoveTo(RectF(0, 0, 40, 20), nullptr);
    p.obj.Offset(PointF(5, 5), nullptr);
    p.obj.AlignTo(RectF(0, 0, 10, 10), 0);
    EXPECT_EQ(p.obj.m_rcBounds, RectF(100, 50, 40, 20));
    EXPECT_TRUE(p.obj.m_pMatrix->IsIdentity());
    EXPECT_EQ(p.document.modifiedCalls, 0);
}

TEST(DrawObjTransform, FourQuarterTurnsAreTheIdentity)
{
    Placed p;
    for (int i = 0; i < 4; ++i)
        p.obj.Rotate90(true);
    EXPECT_TRUE(p.obj.m_pMatrix->IsIdentity());
    for (int i = 0; i < 4; ++i)
        p.obj.Rotate90(false);
    EXPECT_TRUE(p.obj.m_pMatrix->IsIdentity());
    // The caller refreshes: the turns alone do not tell the document.
    EXPECT_EQ(p.document.modifiedCalls, 0);
}

TEST(DrawObjTransform, TwoQuarterTurnsAreAHalfTurnAboutTheCentre)
{
    Placed p;
    p.obj.Rotate90(true);
    p.obj.Rotate90(true);
    Matrix half;
    half.RotateAt(180, PointF(120, 60), MatrixOrder::Append);
    EXPECT_EQ(*p.obj.m_pMatrix, half);

    p.obj.RecalcBounds(nullptr);
    EXPECT_EQ(p.obj.m_rcBounds, RectF(100, 50, 40, 20));
}

TEST(DrawObjTransform, QuarterTurnAboutACustomCentre)
{
    Placed p;
    p.obj.m_bCustomRotateCentre = true;
    p.obj.m_ptRotateCentre = PointF(100, 50);
    p.obj.Rotate90(true);
    p.obj.RecalcBounds(nullptr);
    // Turned clockwise on the screen about the top-left corner: it now hangs to the left.
    EXPECT_TRUE(SameRect(p.obj.m_rcBounds, RectF(80, 50, 20, 40)));
    EXPECT_EQ(p.obj.m_pMatrix->TransformPoint(PointF(100, 50)), PointF(100, 50));
}

TEST(DrawObjTransform, MirrorTwiceIsTheIdentity)
{
    Placed p;
    p.obj.Mirror(true);
    EXPECT_EQ(p.obj.m_pMatrix->TransformPoint(PointF(100, 50)), PointF(140, 50));
    EXPECT_EQ(p.obj.m_pMatrix->TransformPoint(PointF(140, 70)), PointF(100, 70));
    p.obj.Mirror(true);
    EXPECT_TRUE(p.obj.m_pMatrix->IsIdentity());

    p.obj.Mirror(false);
    EXPECT_EQ(p.obj.m_pMatrix->TransformPoint(PointF(100, 50)), PointF(100, 70));
    p.obj.Mirror(false);
    EXPECT_TRUE(p.obj.m_pMatrix->IsIdentity());
}

TEST(DrawObjTransform, AlignToLinesUpEachEdge)
{
    const RectF reference(0, 0, 200, 100);
    const RectF expected[] = {
        RectF(0, 50, 40, 20),    // left edges
        RectF(160, 50, 40, 20),  // right edges
        RectF(100, 0, 40, 20),   // top edges
        RectF(100, 80, 40, 20),  // bottom edges
        RectF(80, 50, 40, 20),   // vertical centre lines
        RectF(100, 40, 40, 20),  // horizontal centre lines
    };
    for (int mode = 0; mode < 6; ++mode) {
        SCOPED_TRACE(mode);
        Placed p;
        p.obj.AlignTo(reference, mode);
        EXPECT_EQ(p.obj.m_rcBounds, expected[mode]);
        EXPECT_TRUE(p.document.modified);
    }
}

TEST(DrawObjTransform, AlignToAnUnknownModeRefreshesWithoutMoving)
{
    Placed p;
    p.obj.AlignTo(RectF(0, 0, 200, 100), 7);
    EXPECT_EQ(p.obj.m_rcBounds, RectF(100, 50, 40, 20));
    EXPECT_TRUE(p.document.modified);
    EXPECT_EQ(p.document.updates.size(), 1u);
}

TEST(DrawObjTransform, CommitMakesThePendingMatrixCurrent)
{
    Placed p;
    p.obj.m_pPendingMatrix = std::make_unique<Matrix>(Matrix::Translation(10, 0));
    p.obj.CommitTransform();
    EXPECT_EQ(p.obj.m_pPendingMatrix, nullptr);
    EXPECT_EQ(*p.obj.m_pMatrix, Matrix::Translation(10, 0));
    EXPECT_EQ(p.obj.m_rcBounds, RectF(110, 50, 40, 20));
    EXPECT_EQ(p.obj.m_rcRefBounds, RectF(110, 50, 40, 20));
}

TEST(DrawObjTransform, CommitDropsAPendingMatrixWithoutInverse)
{
    Placed p;
    p.obj.m_pPendingMatrix = std::make_unique<Matrix>(Matrix::Scaling(0, 0));
    p.obj.CommitTransform();
    EXPECT_EQ(p.obj.m_pPendingMatrix, nullptr);
    EXPECT_TRUE(p.obj.m_pMatrix->IsIdentity());
    EXPECT_EQ(p.obj.m_rcBounds, RectF(100, 50, 40, 20));
}

TEST(DrawObjTransform, ViewAndObjectPointsRoundTripUnderRotationAndZoom)
{
    Placed p;
    FakeView view(2.0f);
    p.obj.m_pMatrix->RotateAt(90, PointF(120, 60), MatrixOrder::Append);
    p.obj.m_pMatrix->Translate(7, -3, MatrixOrder::Append);

    const PointF corners[] = {PointF(100, 50), PointF(140, 50), PointF(140, 70), PointF(120, 60)};
    for (PointF corner : corners) {
        const CPoint inView = p.obj.ObjectToViewPoint(corner, &view);
        const std::optional<PointF> back = p.obj.ViewToObjectPoint(inView, &view);
        ASSERT_TRUE(back.has_value());
        EXPECT_NEAR(back->X, corner.X, 1e-3);
        EXPECT_NEAR(back->Y, corner.Y, 1e-3);
    }
    // (100, 50) turns to (130, 40), moves to (137, 37) and is zoomed to (274, 74).
    EXPECT_EQ(p.obj.ObjectToViewPoint(PointF(100, 50), &view), CPoint(274, 74));
    EXPECT_EQ(p.obj.ObjectToViewPoint(PointF(100, 50), nullptr), CPoint(137, 37));

    // A drag in progress: the pending matrix takes the matrix's place.
    p.obj.m_pPendingMatrix = std::make_unique<Matrix>();
    EXPECT_EQ(p.obj.ObjectToViewPoint(PointF(100, 50), &view), CPoint(200, 100));
}

TEST(DrawObjTransform, ViewToObjectPointFailsForASingularTransform)
{
    CDrawObj obj;
    *obj.m_pMatrix = Matrix::Scaling(0, 1);
    EXPECT_FALSE(obj.ViewToObjectPoint(CPoint(10, 10), nullptr).has_value());

    CDrawObj zoomed;
    FakeView flat;
    flat.m_pZoomMatrix = std::make_unique<Matrix>(Matrix::Scaling(1, 0));
    EXPECT_FALSE(zoomed.ViewToObjectPoint(CPoint(10, 10), &flat).has_value());
}

TEST(DrawObjTransform, ObjectToViewPointSaturatesWildCoordinates)
{
    CDrawObj obj;
    *obj.m_pMatrix = Matrix::Scaling(1e30f, 1e30f);
    EXPECT_EQ(obj.ObjectToViewPoint(PointF(1, -1), nullptr), CPoint(INT32_MAX, INT32_MIN));
}

TEST(DrawObjTransform, SignedAngles)
{
    EXPECT_EQ(SignedAngle(PointF(0, 0), PointF(0, 0)), 0.0);
    EXPECT_EQ(SignedAngle(PointF(1e-10f, 0), PointF(0, 1e-10f)), 0.0);
    EXPECT_NEAR(SignedAngle(PointF(0, 1), PointF(1, 0)), std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(SignedAngle(PointF(1, 0), PointF(0, 1)), -std::numbers::pi / 2, 1e-12);
    // On the screen y grows downward: from the right of the centre to above it is a
    // counter-clockwise quarter turn.
    EXPECT_NEAR(AngleAtCentre(PointF(10, 10), PointF(20, 10), PointF(10, 0)), std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(AngleAtCentre(PointF(10, 10), PointF(20, 10), PointF(10, 20)), -std::numbers::pi / 2, 1e-12);
}

} // namespace kelmora
