#include "model/DrawObjTracker.h"

#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "ModelTestSupport.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <gtest/gtest.h>

#include <numbers>

namespace kelmora {
namespace {

using fakes::FakeView;

constexpr Color kBlack(0xFF000000);
constexpr Color kRed(0xFFFF0000);

struct Canvas {
    explicit Canvas(int side = 400) : surface(*ImageSurface::Create(side, side)) { }

    ImageSurface surface;
    Matrix world;

    void Marks(CDrawObj& object, int state, ViewServices* view = nullptr, ARGB highlight = kDefaultHighlightColor)
    {
        Graphics g(surface);
        g.SetTransform(world);
        object.DrawTrackerEx(g, state, view, highlight);
    }
    Color At(int x, int y) const { return *surface.GetPixel(x, y); }
    bool Blank() const
    {
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                if (At(x, y).GetA() != 0)
                    return false;
        return true;
    }
};

std::unique_ptr<CDrawRect> MakeRect(ShapeType type = ShapeType::Rectangle, RectF frame = RectF(100, 100, 100, 80))
{
    auto rect = std::make_unique<CDrawRect>(frame, nullptr);
    rect->m_nShapeType = type;
    rect->RecalcBounds(nullptr);
    return rect;
}

TEST(DrawObjTracker, AngleReadoutText)
{
    EXPECT_EQ(FormatAngleReadout(std::numbers::pi / 2), "90.00");
    EXPECT_EQ(FormatAngleReadout(0.0), "0.00");
    EXPECT_EQ(FormatAngleReadout(2 * std::numbers::pi - 0.0001), "359.99");
}

TEST(DrawObjTracker, SelectedRectangleShowsSizeHandlesAndCentreMarks)
{
    auto rect = MakeRect();
    Canvas canvas;
    canvas.Marks(*rect, 1);
    // Eight black squares 36 units outside the bounds.
    for (auto [x, y] : {std::pair{64, 64}, {150, 64}, {236, 64}, {236, 140}, {236, 216}, {150, 216}, {64, 216},
                        {64, 140}}) {
        EXPECT_EQ(canvas.At(x, y), kBlack) << x << "," << y;
        EXPECT_EQ(canvas.At(x + 8, y - 8), kBlack) << x << "," << y;
        EXPECT_EQ(canvas.At(x + 10, y).GetA(), 0) << x << "," << y;
    }
    // The centre cross and the ring of the rotation centre around it.
    EXPECT_EQ(canvas.At(150, 140), kBlack);
    EXPECT_EQ(canvas.At(155, 145), kBlack);
    EXPECT_EQ(canvas.At(145, 135), kBlack);
    EXPECT_EQ(canvas.At(155, 140).GetA(), 0);
    EXPECT_GT(canvas.At(168, 140).GetA(), 0);
    // The defining points of the shape are red circles with a black rim.
    EXPECT_EQ(canvas.At(100, 100), kRed);
    EXPECT_EQ(canvas.At(200, 180), kRed);
    // Rotate and skew arrows lie beyond the size handles.
    EXPECT_EQ(canvas.At(150, 90).GetA(), 0);
    EXPECT_GT(canvas.At(150, 10).GetA(), 0);
}

TEST(DrawObjTracker, MarksTooLargeToKeepAsPicturesAreDrawnInOrder)
{
    // Three device pixels a unit: the rotate and skew arrows reach too far to be kept as
    // pictures and are drawn as paths, the squares and centre marks are not.
    auto rect = MakeRect(ShapeType::Rectangle, RectF(110, 110, 10, 8));
    Canvas canvas(600);
    canvas.world = Matrix(3, 0, 0, 3, -45, -45);
    canvas.Marks(*rect, 1);
    auto at = [&](float x, float y) { return canvas.At(int(x * 3 - 45), int(y * 3 - 45)); };
    EXPECT_EQ(at(74, 74), kBlack) << "size handle";
    EXPECT_EQ(at(115, 30).GetA(), 0);
    EXPECT_EQ(at(127, 20), kBlack) << "skew arrow";
    EXPECT_EQ(at(133, 114), kBlack) << "rotation centre ring";
    // The circle of the lower defining point comes after the centre marks and covers them.
    EXPECT_EQ(at(115, 114), kRed);
    EXPECT_EQ(at(110, 110), kRed) << "defining point";
}

TEST(DrawObjTracker, StateTwoDrawsLikeStateOne)
{
    auto rect = MakeRect();
    Canvas one, two;
    one.Marks(*rect, 1);
    two.Marks(*rect, 2);
    for (int y = 0; y < 400; y += 3)
        for (int x = 0; x < 400; x += 3)
            ASSERT_EQ(one.At(x, y), two.At(x, y)) << x << "," << y;
}

TEST(DrawObjTracker, OtherStatesAndDeletedObjectsDrawNothing)
{
    auto rect = MakeRect();
    for (int state : {3, -1, 100}) {
        Canvas canvas;
        canvas.Marks(*rect, state);
        EXPECT_TRUE(canvas.Blank()) << state;
    }
    rect->m_bDeleted = true;
    for (int state : {0, 1, 2}) {
        Canvas canvas;
        canvas.Marks(*rect, state);
        EXPECT_TRUE(canvas.Blank()) << state;
    }
}

TEST(DrawObjTracker, ArcReadoutsAreDrawnInsideTheirBoxes)
{
    CDrawPoly arc;
    arc.m_nShapeType = ShapeType::Arc;
    arc.SetPoints({{100, 300}, {180, 300}, {100, 380}});
    arc.RecalcBounds(nullptr);
    ASSERT_NEAR(arc.m_fSweepAngle, std::numbers::pi / 2, 1e-6);

    Canvas quarter;
    quarter.Marks(arc, 1);
    // The read-out follows the stored sweep; only its box changes with it.
    arc.m_fSweepAngle = float(std::numbers::pi / 3);
    Canvas third;
    third.Marks(arc, 1);
    int differing = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 400; ++x) {
            if (quarter.At(x, y) == third.At(x, y))
                continue;
            ++differing;
            // The centre's read-out box, or the end point's (its angle is start + sweep).
            const bool inCentreBox = x >= 100 && x < 300 && y >= 300 && y < 350;
            const bool inEndBox = x >= 100 && x < 300 && y >= 380 && y < 400;
            EXPECT_TRUE(inCentreBox || inEndBox) << x << "," << y;
        }
    }
    EXPECT_GT(differing, 20);
    // The read-out is blue.
    bool blue = false;
    for (int y = 300; y < 350 && !blue; ++y)
        for (int x = 130; x < 270 && !blue; ++x)
            blue = quarter.At(x, y) == Color(0xFF0000FF);
    EXPECT_TRUE(blue);
}

TEST(DrawObjTracker, JoinMarksUseTheHighlightPassedIn)
{
    CDrawPoly line;
    line.m_nShapeType = ShapeType::Line;
    line.SetPoints({{50, 50}, {150, 50}, {250, 120}});
    line.RecalcBounds(nullptr);
    line.m_nJoinHandle = CDrawPoly::kFirstPointHandle;
    FakeView view;
    view.joinToolActive = true;
    view.m_selection = {&line};

    Canvas canvas;
    canvas.Marks(line, 0, &view, 0x00123456);
    EXPECT_EQ(canvas.At(50, 50), Color(0xFF123456)) << "made opaque";
    EXPECT_EQ(canvas.At(250, 120), kRed);
    EXPECT_EQ(canvas.At(150, 50).GetA(), 0) << "a middle point is no end point";
    EXPECT_EQ(canvas.At(64, 64).GetA(), 0) << "no grip handles while joining";

    view.m_selection.clear();
    Canvas unpicked;
    unpicked.Marks(line, 0, &view, 0x00123456);
    EXPECT_EQ(unpicked.At(50, 50), kRed);

    line.m_bClosed = true;
    Canvas closed;
    closed.Marks(line, 0, &view);
    EXPECT_TRUE(closed.Blank());
}

// A shape whose handle 19 leaves the kind as it found it.
class SilentHandleRect : public fakes::TestRect {
public:
    using TestRect::TestRect;
    int GetHandleCount() override { return 19; }
    CPoint GetHandle(int n, int* kind, ViewServices* view) override
    {
        if (n == 19)
            return CPoint(5, 5);
        return TestRect::GetHandle(n, kind, view);
    }
};

TEST(DrawObjTracker, HandlesWithoutAKindDrawNothing)
{
    // Handle 21 of such an arc sits at the origin, away from every other mark.
    auto arc = MakeRect(ShapeType::Arc, RectF(250, 250, 100, 80));
    arc->m_ptStart = PointF(300, 250);
    arc->m_ptEnd = PointF(350, 330);
    arc->m_rcBounds = RectF(250, 250, 100, 80);
    Canvas canvas;
    canvas.Marks(*arc, 1);
    int kind = -1;
    const CPoint p = arc->GetHandle(CDrawRect::kCornerRadiusHandle, &kind, nullptr);
    EXPECT_EQ(kind, HANDLE_NONE);
    EXPECT_EQ(canvas.At(p.x, p.y).GetA(), 0) << p.x << "," << p.y;

    SilentHandleRect silent(RectF(100, 100, 100, 80));
    Canvas other;
    other.Marks(silent, 1);
    EXPECT_EQ(other.At(5, 5).GetA(), 0);
}

TEST(DrawObjTracker, BezierControlsGetGuideArrowsAndALoneControlASquare)
{
    CDrawPoly bezier;
    bezier.m_nShapeType = ShapeType::Bezier;
    bezier.SetPoints({{50, 200}, {100, 100}, {200, 100}, {250, 200}, {300, 300}, {350, 300}});
    bezier.RecalcBounds(nullptr);
    Canvas canvas;
    canvas.Marks(bezier, 1);
    // Anchors are red circles (their centres lie under the guide arrows' wedges).
    EXPECT_EQ(canvas.At(45, 200), kRed);
    EXPECT_EQ(canvas.At(255, 195), kRed);
    // The control after the last anchor gets a guide arrow; the one after it has no
    // anchor to follow and is a black square.
    EXPECT_EQ(canvas.At(345, 295), kBlack);
    bool blue = false;
    for (int d = -3; d <= 3 && !blue; ++d)
        blue = canvas.At(275 + d, 250 + d).GetB() == 0xFF;
    EXPECT_TRUE(blue);
}

} // namespace
} // namespace kelmora
