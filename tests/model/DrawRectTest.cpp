// Paths, shape handles and copies of the rectangle family.

#include "model/DrawRect.h"
#include "model/HandleKind.h"
#include "model/ModelTestSupport.h"
#include "model/ShapePathBuilders.h"
#include "platform/imaging/Bitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelmora {

using fakes::FakeDocument;
using fakes::FakeView;
using fakes::SameRect;

namespace {

std::unique_ptr<CDrawRect> MakeShape(ShapeType type, const RectF& frame)
{
    auto obj = std::make_unique<CDrawRect>(frame, nullptr);
    obj->m_nShapeType = type;
    obj->RecalcBounds(nullptr);
    return obj;
}

RectF PathBounds(CDrawRect& obj)
{
    return obj.CreatePath(nullptr, nullptr)->GetBounds();
}

} // namespace

TEST(DrawRectPath, RoundRectangleCornerRadius)
{
    // A radius above half the height is cut to it: the corners meet in the middle.
    GraphicsPath clamped;
    BuildRoundRectPath(clamped, 50.0f, CORNER_ROUND, RectF(0, 0, 200, 40));
    ASSERT_FALSE(clamped.IsEmpty());
    const RectF b = clamped.GetBounds();
    EXPECT_NEAR(b.Height, 39.0f, 1e-3f);     // the bottom arcs sit one unit inside
    EXPECT_NEAR(b.X, 0.0f, 1e-3f);
    EXPECT_NEAR(b.GetRight(), 199.0f, 1e-3f);

    // Radius 10: diameter 20 enlarges the boxes to 21 and moves the right and bottom arcs
    // one further unit inside.
    GraphicsPath enlarged;
    BuildRoundRectPath(enlarged, 10.0f, CORNER_ROUND, RectF(0, 0, 100, 100));
    EXPECT_NEAR(enlarged.GetBounds().GetRight(), 98.0f, 1e-3f);
    EXPECT_NEAR(enlarged.GetBounds().GetBottom(), 98.0f, 1e-3f);
    GraphicsPath plain;
    BuildRoundRectPath(plain, 12.0f, CORNER_ROUND, RectF(0, 0, 100, 100));
    EXPECT_NEAR(plain.GetBounds().GetRight(), 99.0f, 1e-3f);

    // A negative radius counts as 0: square corners.
    GraphicsPath square;
    BuildRoundRectPath(square, -5.0f, CORNER_ROUND, RectF(0, 0, 100, 50));
    EXPECT_TRUE(square.IsVisible(1.0f, 1.0f));
    EXPECT_EQ(square.GetBounds(), RectF(0, 0, 100, 50));

    // Chamfers cut the corners off; scallops curve into the shape.
    GraphicsPath chamfered;
    BuildRoundRectPath(chamfered, 20.0f, CORNER_CHAMFERED, RectF(0, 0, 100, 100));
    EXPECT_FALSE(chamfered.IsVisible(3.0f, 3.0f));
    EXPECT_TRUE(chamfered.IsVisible(50.0f, 50.0f));
    GraphicsPath scalloped;
    BuildRoundRectPath(scalloped, 20.0f, CORNER_SCALLOPED, RectF(0, 0, 100, 100));
    EXPECT_FALSE(scalloped.IsVisible(10.0f, 10.0f));
    EXPECT_TRUE(scalloped.IsVisible(20.0f, 20.0f));

    GraphicsPath unknown;
    BuildRoundRectPath(unknown, 20.0f, 7, RectF(0, 0, 100, 100));
    EXPECT_TRUE(unknown.IsEmpty());
}

TEST(DrawRectPath, ShapesInTheirFrames)
{
    auto circle = MakeShape(ShapeType::Circle, RectF(10, 20, 100, 40));
    EXPECT_TRUE(SameRect(PathBounds(*circle), RectF(10, 20, 40, 40)));

    auto ellipse = MakeShape(ShapeType::Ellipse, RectF(10, 20, 100, 40));
    EXPECT_TRUE(SameRect(PathBounds(*ellipse), RectF(10, 20, 100, 40)));

    // Stars and polygons are centred on the frame's top-left corner.
    auto pentagon = MakeShape(ShapeType::Pentagon, RectF(100, 100, 50, 50));
    pentagon->m_fRadius = 20.0f;
    const RectF pb = PathBounds(*pentagon);
    EXPECT_NEAR(pb.Y, 80.0f, 1e-3f);
    EXPECT_NEAR(pb.X + pb.Width / 2.0f, 100.0f, 1e-3f);

    for (ShapeType empty : {ShapeType::Arc, ShapeType::Pie, ShapeType::Polygon, ShapeType::Line,
                            ShapeType::Bezier, ShapeType::Curve}) {
        auto obj = MakeShape(empty, RectF(0, 0, 10, 10));
        EXPECT_TRUE(obj->CreatePath(nullptr, nullptr)->IsEmpty());
    }

    // The object's matrix, then the extra matrix, then the zoom place the path.
    auto rect = MakeShape(ShapeType::Rectangle, RectF(0, 0, 10, 10));
    rect->m_pMatrix->Translate(5, 0, MatrixOrder::Append);
    const Matrix extra = Matrix::Scaling(2, 2);
    FakeView view(3.0f);
    EXPECT_TRUE(SameRect(rect->CreatePath(&view, &extra)->GetBounds(), RectF(30, 0, 60, 60)));
    EXPECT_EQ(rect->m_rcAux, RectF(0, 0, 10, 10));
}

TEST(DrawRectPath, HostileSideCountsAndRadii)
{
    for (int32_t sides : {0, -5, 1, std::numeric_limits<int32_t>::max()}) {
        for (ShapeType type : {ShapeType::Star, ShapeType::Pentagon, ShapeType::ComplexStar}) {
            SCOPED_TRACE(sides);
            auto obj = MakeShape(type, RectF(100, 100, 50, 50));
            obj->m_nSides = sides;
            std::unique_ptr<GraphicsPath> path = obj->CreatePath(nullptr, nullptr);
            EXPECT_LE(path->PointCount(), 4 * kMaxShapeSides + 4);
        }
    }
    auto star = MakeShape(ShapeType::Star, RectF(100, 100, 50, 50));
    star->m_fRadius = -30.0f;
    star->m_fInnerRadius = std::numeric_limits<float>::quiet_NaN();
    const RectF b = PathBounds(*star);   // every vertex collapses onto the centre
    EXPECT_TRUE(b.IsFinite());
}

TEST(DrawRectPath, Spiral)
{
    // Step 0: 45° per point. The first point lies straight below the centre at the start
    // radius.
    auto spiral = MakeShape(ShapeType::Spiral, RectF(0, 0, 200, 200));
    spiral->m_nSpiralStep = 0;
    spiral->m_nSpiralStyle = 1;   // straight segments: the points are the path
    spiral->m_fInnerRadius = 10.0f;
    spiral->m_fSpiralDelta = 5.0f;
    std::unique_ptr<GraphicsPath> path = spiral->CreatePath(nullptr, nullptr);
    ASSERT_GE(path->PointCount(), 3);
    const auto pts = path->Points();
    EXPECT_NEAR(pts[0].X, 100.0f, 1e-4f);
    EXPECT_NEAR(pts[0].Y, 110.0f, 1e-4f);
    const float r1 = 15.0f;
    EXPECT_NEAR(pts[1].X, 100.0f + r1 * std::sin(float(M_PI) / 4.0f), 1e-3f);
    EXPECT_NEAR(pts[1].Y, 100.0f + r1 * std::cos(float(M_PI) / 4.0f), 1e-3f);
    // The last point is the first one outside the frame horizontally.
    const PointF last = pts[pts.size() - 1];
    EXPECT_TRUE(last.X < 0.0f || last.X > 200.0f);
    for (size_t i = 0; i + 1 < pts.size(); ++i)
        EXPECT_TRUE(pts[i].X >= 0.0f && pts[i].X <= 200.0f);

    // A frame far wider than the spiral ever grows stops at 2,000 points.
    auto wide = MakeShape(ShapeType::Spiral, RectF(-1e7f, 0, 2e7f, 100));
    wide->m_nSpiralStyle = 1;
    EXPECT_EQ(wide->CreatePath(nullptr, nullptr)->PointCount(), kMaxSpiralPoints);
    wide->m_bClosed = true;
    EXPECT_EQ(wide->CreatePath(nullptr, nullptr)->PointCount(), kMaxSpiralPoints + 1);
    // The smooth style is one Bézier segment per pair of points.
    wide->m_bClosed = false;
    wide->m_nSpiralStyle = 0;
    EXPECT_EQ(wide->CreatePath(nullptr, nullptr)->PointCount(), 1 + 3 * (kMaxSpiralPoints - 1));
}

TEST(DrawRectHandles, ShapeHandles)
{
    auto round = MakeShape(ShapeType::RoundRectangle, RectF(100, 200, 300, 400));
    EXPECT_EQ(round->GetHandleCount(), 21);
    int kind = -1;
    EXPECT_EQ(round->GetHandle(19, &kind, nullptr), CPoint(100, 200));
    EXPECT_EQ(kind, HANDLE_POINT);
    EXPECT_EQ(round->GetHandle(20, &kind, nullptr), CPoint(400, 600));
    EXPECT_EQ(round->GetHandle(21, &kind, nullptr), CPoint(390, 590));
    EXPECT_EQ(kind, kHandleCornerRadius);
    FakeView view(2.0f);
    EXPECT_EQ(round->GetHandle(21, &kind, &view), CPoint(780, 1180));
    EXPECT_EQ(round->GetHandleCursor(21), HandleCursor::ShapePoint);
    EXPECT_EQ(round->GetHandleCursor(5), HandleCursor::SizeNorthWestSouthEast);

    auto rect = MakeShape(ShapeType::Rectangle, RectF(100, 200, 300, 400));
    EXPECT_EQ(rect->GetHandleCount(), 20);
    kind = -1;
    rect->GetHandle(21, &kind, nullptr);
    EXPECT_EQ(kind, HANDLE_NONE);

    auto circle = MakeShape(ShapeType::Circle, RectF(0, 0, 100, 100));
    circle->GetHandle(19, &kind, nullptr);
    EXPECT_EQ(kind, HANDLE_NONE);
    EXPECT_EQ(MakeShape(ShapeType::Arc, RectF(0, 0, 1, 1))->GetHandleCount(), 22);

    // Handles follow the object's transform.
    rect->m_pMatrix->Translate(10, 20, MatrixOrder::Append);
    EXPECT_EQ(rect->GetHandle(19, nullptr, nullptr), CPoint(110, 220));
    EXPECT_EQ(rect->GetAnchorPoint(nullptr), CPoint(260, 420));
}

TEST(DrawRectHandles, DraggingShapeHandles)
{
    FakeDocument doc;
    auto round = MakeShape(ShapeType::RoundRectangle, RectF(0, 0, 100, 60));
    round->m_pDocument = &doc;
    // The corner handle is held inside the lower-right quarter.
    round->MoveHandleTo(21, CPoint(90, 55), 0, nullptr);
    EXPECT_FLOAT_EQ(round->m_fInnerRadius, 5.0f);
    round->MoveHandleTo(21, CPoint(-500, -500), 0, nullptr);
    EXPECT_FLOAT_EQ(round->m_fInnerRadius, 30.0f);
    round->MoveHandleTo(21, CPoint(500, 500), 0, nullptr);
    EXPECT_FLOAT_EQ(round->m_fInnerRadius, 1.0f);
    EXPECT_TRUE(doc.modified);

    // Handle 20 of a rounded rectangle resets the radius to a quarter of the smaller side.
    round->MoveHandleTo(20, CPoint(200, 80), 0, nullptr);
    EXPECT_EQ(round->m_rcFrame, RectF(0, 0, 200, 80));
    EXPECT_FLOAT_EQ(round->m_fInnerRadius, 20.0f);
    EXPECT_EQ(round->m_rcRefBounds, round->m_rcBounds);

    // A star's centre is handle 19; dragging 20 above and left of it flips the frame.
    auto star = MakeShape(ShapeType::Star, RectF(100, 100, 30, 40));
    star->MoveHandleTo(20, CPoint(70, 60), 0, nullptr);
    EXPECT_EQ(star->m_rcFrame, RectF(70, 60, 30, 40));
    EXPECT_FLOAT_EQ(star->m_fRadius, 50.0f);
    EXPECT_FLOAT_EQ(star->m_fInnerRadius, 25.0f);

    // A circle: 19 is the centre, 20 a point on it.
    auto circle = MakeShape(ShapeType::Circle, RectF(0, 0, 10, 10));
    circle->MoveHandleTo(19, CPoint(50, 50), 0, nullptr);
    circle->MoveHandleTo(20, CPoint(80, 90), 0, nullptr);
    EXPECT_EQ(circle->m_rcFrame, RectF(0, 0, 100, 100));

    // Handle 21 of a type without it changes nothing but the bounds.
    auto rect = MakeShape(ShapeType::Rectangle, RectF(0, 0, 100, 60));
    rect->MoveHandleTo(21, CPoint(90, 55), 0, nullptr);
    EXPECT_EQ(rect->m_rcFrame, RectF(0, 0, 100, 60));
    EXPECT_FLOAT_EQ(rect->m_fInnerRadius, 10.0f);
}

TEST(DrawRectCopy, CopyCarriesEveryMemberAndThePicture)
{
    auto image = MakeShape(ShapeType::Image, RectF(0, 0, 4, 3));
    image->m_pImage = std::make_shared<Bitmap>(Bitmap::Create(4, 3));
    image->m_strImageFile = "/tmp/logo.png";
    image->m_nImageAlpha = 128;
    image->m_pColorMatrix = std::make_unique<ColorMatrix25>();
    (*image->m_pColorMatrix)[24] = 1.0f;
    image->m_dwExtra = 77;
    image->m_nSides = 9;
    image->m_pMatrix->Translate(3, 4);

    FakeDocument doc;
    CDrawObj* raw = image->Clone(&doc);
    ASSERT_EQ(doc.added.size(), 1u);
    auto* copy = dynamic_cast<CDrawRect*>(raw);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->m_nID, image->m_nID);
    EXPECT_EQ(copy->m_pImage, image->m_pImage);
    EXPECT_EQ(copy->m_strImageFile, "/tmp/logo.png");
    EXPECT_EQ(copy->m_nImageAlpha, 128);
    ASSERT_TRUE(copy->m_pColorMatrix);
    EXPECT_NE(copy->m_pColorMatrix.get(), image->m_pColorMatrix.get());
    EXPECT_EQ(*copy->m_pColorMatrix, *image->m_pColorMatrix);
    EXPECT_FALSE(copy->m_pGrayMatrix);
    EXPECT_EQ(copy->m_dwExtra, 77u);
    EXPECT_EQ(copy->m_nSides, 9);
    EXPECT_EQ(copy->m_rcFrame, image->m_rcFrame);
    EXPECT_EQ(*copy->m_pMatrix, *image->m_pMatrix);
    EXPECT_EQ(copy->m_pDocument, &doc);
}

TEST(DrawRectCopy, TextFontTravelsBetweenTextObjectsOnly)
{
    auto text = MakeShape(ShapeType::Text, RectF(0, 0, 10, 10));
    text->m_strFontName = "Liberation Serif";
    text->m_fFontSize = 72.0f;
    text->m_nTextStyle = 2;
    auto other = MakeShape(ShapeType::Rectangle, RectF(0, 0, 10, 10));
    text->CopyStyleTo(other.get(), StyleCopyMask::TextFont);
    // The target takes the shape type and so becomes a text object.
    EXPECT_EQ(other->m_nShapeType, ShapeType::Text);
    EXPECT_EQ(other->m_strFontName, "Liberation Serif");
    EXPECT_EQ(other->m_nTextStyle, 2);

    auto plain = MakeShape(ShapeType::Text, RectF(0, 0, 10, 10));
    plain->CopyStyleFrom(text.get(), StyleCopyMask::Line);
    EXPECT_EQ(plain->m_strFontName, "Arial");
    std::unique_ptr<CDrawObj> picked = text->CreateStyleCopy(StyleCopyMask::All);
    auto* pickedRect = dynamic_cast<CDrawRect*>(picked.get());
    ASSERT_NE(pickedRect, nullptr);
    EXPECT_FLOAT_EQ(pickedRect->m_fFontSize, 72.0f);
}

} // namespace kelmora
