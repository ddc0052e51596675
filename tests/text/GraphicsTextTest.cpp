#include "platform/text/TextDrawing.h"

#include "platform/text/TextPath.h"
#include "text/InkBox.h"

#include <gtest/gtest.h>

namespace kelmora {
namespace {

const Color kBlack(0xFF000000);

Font ArialPixels(float em, FontStyle style = FontStyle::Regular)
{
    return *Font::Create(*FontFamily::Create("Arial"), em, style, FontUnit::Pixel);
}

TEST(GraphicsTextTest, WorldTransformAppliesToText)
{
    const StringFormat format = StringFormat::GenericTypographic();
    std::optional<ImageSurface> plain = ImageSurface::Create(200, 200);
    std::optional<ImageSurface> doubled = ImageSurface::Create(200, 200);
    ASSERT_TRUE(plain && doubled);
    {
        Graphics graphics(*plain);
        ASSERT_TRUE(DrawString(graphics, "T", ArialPixels(40), PointF(10, 10), format, kBlack));
    }
    {
        Graphics graphics(*doubled);
        ASSERT_TRUE(graphics.ScaleTransform(2, 2));
        ASSERT_TRUE(DrawString(graphics, "T", ArialPixels(40), PointF(10, 10), format, kBlack));
    }
    RectF a = InkBox(*plain), b = InkBox(*doubled);
    ASSERT_GT(a.Width, 0.0f);
    EXPECT_NEAR(b.Width, 2 * a.Width, 2.0f);
    EXPECT_NEAR(b.Height, 2 * a.Height, 2.0f);
    EXPECT_NEAR(b.X, 2 * a.X, 2.0f);
}

TEST(GraphicsTextTest, ClipsToTheRectangleAndRestoresTheSurfaceClip)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(200, 200);
    ASSERT_TRUE(surface);
    Graphics graphics(*surface);
    const RectF rect(20, 20, 50, 40);
    ASSERT_TRUE(DrawString(graphics, "WWW", ArialPixels(80), rect, StringFormat(), kBlack));
    RectF ink = InkBox(*surface);
    ASSERT_GT(ink.Width, 0.0f);
    EXPECT_GE(ink.X, rect.X);
    EXPECT_GE(ink.Y, rect.Y);
    EXPECT_LE(ink.GetRight(), rect.GetRight());
    EXPECT_LE(ink.GetBottom(), rect.GetBottom());

    // The surface's own clip is back: a fill far outside the rectangle shows.
    GraphicsPath square;
    ASSERT_TRUE(square.AddRectangle(RectF(150, 150, 10, 10)));
    ASSERT_TRUE(graphics.FillPath(kBlack, square));
    EXPECT_TRUE(Inked(*surface, 155, 155));
}

TEST(GraphicsTextTest, UnderlineJoinsTheDescendersItCrosses)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(400, 150);
    ASSERT_TRUE(surface);
    Graphics graphics(*surface);
    const Font font = ArialPixels(100, FontStyle::Underline);
    const StringFormat format = StringFormat::GenericTypographic();
    ASSERT_TRUE(DrawString(graphics, "gjpqy", font, PointF(5, 5), format, kBlack));

    // The bar is the last figure of the outline; along its middle row every pixel is ink.
    GraphicsPath path;
    ASSERT_TRUE(AddString(path, "gjpqy", font.GetFamily(), font.GetStyle(), 100, PointF(5, 5), format));
    auto bar = path.Points().last(4);
    float top = std::min({bar[0].Y, bar[1].Y, bar[2].Y, bar[3].Y});
    float bottom = std::max({bar[0].Y, bar[1].Y, bar[2].Y, bar[3].Y});
    float left = std::min({bar[0].X, bar[1].X, bar[2].X, bar[3].X});
    float right = std::max({bar[0].X, bar[1].X, bar[2].X, bar[3].X});
    ASSERT_GT(bottom - top, 3.0f);
    const int row = int((top + bottom) / 2);
    int holes = 0;
    for (int x = int(left) + 2; x < int(right) - 2; ++x)
        holes += surface->GetPixel(x, row)->GetA() < 250;
    EXPECT_EQ(holes, 0);
}

} // namespace
} // namespace kelmora
