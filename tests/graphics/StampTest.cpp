#include "platform/graphics/Graphics.h"
#include "platform/graphics/Stamp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace kelmora {

namespace {

constexpr int kSide = 64;
const Color kRed(255, 0, 0);
const Color kBlack(0, 0, 0);

// A red disc with a thin black rim and a line through it, about p, and two dots far apart
// on the rows below it.
void DrawShape(Graphics& g, PointF p)
{
    GraphicsPath dots;
    dots.AddRectangle(RectF(p.X - 9.5f, p.Y + 7, 2, 2));
    dots.AddRectangle(RectF(p.X + 7.5f, p.Y + 7, 2, 2));
    g.FillPath(kBlack, dots);
    GraphicsPath disc;
    disc.AddEllipse(RectF(p.X - 6, p.Y - 6, 12, 12));
    g.FillPath(kRed, disc);
    g.DrawPath(kBlack, 1.0f, disc);
    GraphicsPath line;
    line.AddLine(p.X - 9, p.Y + 2, p.X + 9, p.Y - 3);
    g.DrawPath(Color(128, 0, 0, 255), 1.0f, line);
}

const RectF kReach(-10, -10, 20, 20);

// The largest difference of any channel between the two surfaces.
int LargestDifference(const ImageSurface& a, const ImageSurface& b)
{
    int largest = 0;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const uint32_t p = a.GetPixel(x, y)->GetValue();
            const uint32_t q = b.GetPixel(x, y)->GetValue();
            for (int shift = 0; shift < 32; shift += 8)
                largest = std::max(largest, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
        }
    }
    return largest;
}

class StampOnTransform : public ::testing::TestWithParam<Matrix> { };

TEST_P(StampOnTransform, LandsOnThePixelsThePathsGiveAtTheNearestPixelCentre)
{
    const Matrix world = GetParam();
    const Matrix back = *world.Inverted();
    auto stamped = ImageSurface::Create(kSide, kSide);
    Graphics g(*stamped);
    g.SetSmoothingMode(SmoothingMode::AntiAlias);
    g.SetTransform(world);
    const std::optional<Stamp> stamp = Stamp::Create(g, kReach, [](Graphics& s) { DrawShape(s, PointF()); });
    ASSERT_TRUE(stamp);
    ASSERT_TRUE(stamp->Fits(g));

    // On a pixel centre, and a little off one: both land on the pixel centre's pixels.
    for (PointF device : {PointF(31, 30), PointF(31.4f, 29.6f)}) {
        auto drawn = ImageSurface::Create(kSide, kSide);
        auto placed = ImageSurface::Create(kSide, kSide);
        {
            Graphics paths(*drawn);
            paths.SetSmoothingMode(SmoothingMode::AntiAlias);
            paths.SetTransform(world);
            DrawShape(paths, back.TransformPoint(PointF(std::round(device.X), std::round(device.Y))));
            Graphics stamps(*placed);
            stamps.SetSmoothingMode(SmoothingMode::AntiAlias);
            stamps.SetTransform(world);
            const StampAt at[] = {{&*stamp, back.TransformPoint(device)}};
            ASSERT_TRUE(stamps.DrawStamps(at));
        }
        EXPECT_EQ(LargestDifference(*drawn, *placed), 0) << device.X << "," << device.Y;
        EXPECT_EQ(placed->GetPixel(31, 30)->GetA(), 255);
    }
}

INSTANTIATE_TEST_SUITE_P(Transforms, StampOnTransform,
                         ::testing::Values(Matrix(), Matrix(0.32f, 0, 0, 0.32f, 3.3f, 7.7f),
                                           Matrix(1.3f, 0.75f, -0.75f, 1.3f, 2, -1)));

TEST(Stamp, PaintsInOrderInsideTheClipWhetherBlendedOrDrawnThroughCairo)
{
    const Matrix scale = Matrix::Scaling(0.5f, 0.5f);
    // Stamps overlapping one another, in the order given.
    auto paint = [&](Graphics& g) {
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        g.SetTransform(scale);
        const std::optional<Stamp> stamp = Stamp::Create(g, kReach, [](Graphics& s) { DrawShape(s, PointF()); });
        ASSERT_TRUE(stamp);
        const StampAt at[] = {{&*stamp, PointF(50, 60)}, {&*stamp, PointF(60, 60)}, {&*stamp, PointF(70, 64)}};
        ASSERT_TRUE(g.DrawStamps(at));
    };
    // A clip of pixel rectangles: blended directly.
    auto blended = ImageSurface::Create(kSide, kSide);
    {
        Graphics g(*blended);
        GraphicsPath inside;
        inside.AddRectangle(RectF(0, 0, 34, kSide));
        g.SetClip(inside);
        paint(g);
    }
    EXPECT_EQ(blended->GetPixel(34, 30)->GetA(), 0);
    EXPECT_EQ(blended->GetPixel(30, 30)->GetA(), 255);
    // An antialiased clip is no set of pixel rectangles: cairo paints.
    auto throughCairo = ImageSurface::Create(kSide, kSide);
    {
        cairo_t* cr = cairo_create(throughCairo->CairoSurface());
        cairo_rectangle(cr, 0, 0, 34, kSide);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 60, 4, 2.5, 0, 6.3);
        cairo_clip(cr);
        Graphics g(cr);
        cairo_destroy(cr);
        paint(g);
    }
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < 34; ++x)
            ASSERT_EQ(blended->GetPixel(x, y), throughCairo->GetPixel(x, y)) << x << "," << y;
    EXPECT_EQ(throughCairo->GetPixel(34, 30)->GetA(), 0);
}

TEST(Stamp, FitsOnlyTheTransformAndSmoothingItWasMadeFor)
{
    auto surface = ImageSurface::Create(kSide, kSide);
    Graphics g(*surface);
    g.SetSmoothingMode(SmoothingMode::AntiAlias);
    const std::optional<Stamp> stamp = Stamp::Create(g, kReach, [](Graphics& s) { DrawShape(s, PointF()); });
    ASSERT_TRUE(stamp);
    g.TranslateTransform(5.5f, 3.25f);
    EXPECT_TRUE(stamp->Fits(g)) << "a move keeps it";
    g.ScaleTransform(2, 2);
    EXPECT_FALSE(stamp->Fits(g));
    const StampAt at[] = {{&*stamp, PointF(10, 10)}};
    EXPECT_FALSE(g.DrawStamps(at));
    g.ResetTransform();
    g.SetSmoothingMode(SmoothingMode::None);
    EXPECT_FALSE(stamp->Fits(g));
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            ASSERT_EQ(surface->GetPixel(x, y)->GetA(), 0);

    // A shape too large to hold as a stamp is refused.
    g.ScaleTransform(float(kMaxStampSide) / 20.0f, 1);
    EXPECT_FALSE(Stamp::Create(g, kReach, [](Graphics&) { }));
}

} // namespace

} // namespace kelmora
