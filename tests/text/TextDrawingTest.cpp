#include "platform/text/TextDrawing.h"

#include "platform/text/TextPath.h"
#include "text/InkBox.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <memory>

namespace kelmora {
namespace {

const Color kBlue(0xFF0000FF);

// A transparent surface with a cairo context of its own.
class Canvas {
public:
    Canvas(int width, int height)
        : m_surface(*ImageSurface::Create(width, height))
        , m_cr(cairo_create(m_surface.CairoSurface()), cairo_destroy)
    {
    }

    cairo_t* Context() { return m_cr.get(); }
    const ImageSurface& Surface() const { return m_surface; }

private:
    ImageSurface m_surface;
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> m_cr;
};

Font ArialPixels(float em, FontStyle style = FontStyle::Regular)
{
    return *Font::Create(*FontFamily::Create("Arial"), em, style, FontUnit::Pixel);
}

TEST(TextDrawingTest, FillsGlyphsInTheColourWhereTheOutlineLies)
{
    Canvas canvas(200, 120);
    const Font font = ArialPixels(80);
    const StringFormat format = StringFormat::GenericTypographic();
    ASSERT_TRUE(DrawString(canvas.Context(), "I", font, PointF(20, 10), format, kBlue));
    GraphicsPath path;
    ASSERT_TRUE(AddString(path, "I", font.GetFamily(), font.GetStyle(), 80, PointF(20, 10), format));
    RectF stem = path.GetBounds();
    // The middle of the stem is solid blue; well outside it stays white.
    int cx = int(stem.Center().X), cy = int(stem.Center().Y);
    EXPECT_EQ(*canvas.Surface().GetPixel(cx, cy), kBlue);
    EXPECT_FALSE(Inked(canvas.Surface(), int(stem.GetRight()) + 3, cy));
    RectF ink = InkBox(canvas.Surface());
    EXPECT_NEAR(ink.X, stem.X, 1.0f);
    EXPECT_NEAR(ink.GetBottom(), stem.GetBottom(), 1.0f);
}

TEST(TextDrawingTest, ClipsToTheLayoutRectangleUnlessNoClip)
{
    const RectF rect(30, 30, 60, 40);
    const Font font = ArialPixels(90);
    {
        Canvas canvas(200, 200);
        ASSERT_TRUE(DrawString(canvas.Context(), "WM", font, rect, StringFormat(), kBlue));
        RectF ink = InkBox(canvas.Surface());
        ASSERT_GT(ink.Width, 0.0f);
        EXPECT_GE(ink.X, rect.X);
        EXPECT_GE(ink.Y, rect.Y);
        EXPECT_LE(ink.GetRight(), rect.GetRight());
        EXPECT_LE(ink.GetBottom(), rect.GetBottom());
    }
    {
        Canvas canvas(200, 200);
        StringFormat noClip;
        noClip.SetFormatFlags(StringFormatFlags::NoClip);
        ASSERT_TRUE(DrawString(canvas.Context(), "WM", font, rect, noClip, kBlue));
        RectF ink = InkBox(canvas.Surface());
        EXPECT_GT(ink.GetRight(), rect.GetRight());
        EXPECT_GT(ink.GetBottom(), rect.GetBottom());
    }
}

TEST(TextDrawingTest, LeavesTheContextAsItWas)
{
    Canvas canvas(100, 100);
    cairo_t* cr = canvas.Context();
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, 0, 0, 10, 10);
    ASSERT_TRUE(DrawString(cr, "x", ArialPixels(20), RectF(40, 40, 30, 30), StringFormat(), kBlue));
    EXPECT_EQ(cairo_get_fill_rule(cr), CAIRO_FILL_RULE_EVEN_ODD);
    double x1, y1, x2, y2;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    EXPECT_EQ(x2 - x1, 100.0);
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    EXPECT_EQ(x2, 10.0); // the caller's path is still there
    cairo_fill(cr);
    EXPECT_EQ(*canvas.Surface().GetPixel(5, 5), Color(0xFFFF0000));
}

TEST(TextDrawingTest, PointSizesFollowTheResolution)
{
    // 36 points on a 96-dpi device is a 48-pixel em: one line is 48 times the line spacing.
    const Font font = *Font::Create(*FontFamily::Create("Arial"), 36.0f, FontStyle::Regular, FontUnit::Point);
    std::optional<RectF> box = MeasureString("90.00", font, RectF(0, 0, 200, 50), StringFormat());
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->Height, 48.0f * 2355.0f / 2048.0f, 0.01f);
    std::optional<RectF> doubled = MeasureString("90.00", font, PointF(0, 0), StringFormat(), 192.0f);
    ASSERT_TRUE(doubled);
    EXPECT_NEAR(doubled->Height, 2.0f * box->Height, 0.01f);
    EXPECT_FLOAT_EQ(font.EmSizeInWorld(72.0f), 36.0f);
    EXPECT_FLOAT_EQ(ArialPixels(36).EmSizeInWorld(300.0f), 36.0f);
}

TEST(TextDrawingTest, CentredReadOutSitsInTheMiddleOfItsRectangle)
{
    // An angle read-out: centred across a 200 × 50 rectangle, near the top.
    Canvas canvas(300, 120);
    const Font font = *Font::Create(*FontFamily::Create("Arial"), 24.0f, FontStyle::Regular, FontUnit::Point);
    StringFormat format;
    format.SetAlignment(StringAlignment::Center);
    const RectF rect(50, 20, 200, 50);
    ASSERT_TRUE(DrawString(canvas.Context(), "90.00", font, rect, format, kBlue));
    RectF ink = InkBox(canvas.Surface());
    ASSERT_GT(ink.Width, 0.0f);
    EXPECT_NEAR(ink.Center().X, rect.Center().X, 2.0f);
    EXPECT_GE(ink.Y, rect.Y);
    EXPECT_LT(ink.Y, rect.Y + 15.0f);
}

TEST(TextDrawingTest, RefusesWhatCannotBeDrawn)
{
    Canvas canvas(50, 50);
    const Font font = ArialPixels(20);
    EXPECT_FALSE(DrawString(canvas.Context(), "A", font, RectF(0, 0, NAN, 10), StringFormat(), kBlue));
    EXPECT_FALSE(DrawString(canvas.Context(), "A", font, PointF(0, 0), StringFormat(), kBlue, 0.0f));
    EXPECT_FALSE(DrawString(nullptr, "A", font, PointF(0, 0), StringFormat(), kBlue));
    EXPECT_FALSE(MeasureString("A", font, PointF(0, 0), StringFormat(), NAN));
    // Nothing to draw is no failure.
    EXPECT_TRUE(DrawString(canvas.Context(), "", font, PointF(0, 0), StringFormat(), kBlue));
    EXPECT_TRUE(DrawString(canvas.Context(), "A", font, PointF(0, 0), StringFormat(), Color(0x000000FF)));
    EXPECT_EQ(cairo_status(canvas.Context()), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(InkBox(canvas.Surface()).Width, 0.0f);

    // A context already in an error state is left alone.
    cairo_t* cr = canvas.Context();
    cairo_scale(cr, 0, 0);
    ASSERT_NE(cairo_status(cr), CAIRO_STATUS_SUCCESS);
    EXPECT_FALSE(DrawString(cr, "A", font, PointF(0, 0), StringFormat(), kBlue));

    EXPECT_FALSE(Font::Create(font.GetFamily(), 0.0f));
    EXPECT_FALSE(Font::Create(font.GetFamily(), NAN));
    EXPECT_FALSE(Font::Create(font.GetFamily(), 10.0f, FontStyle::Regular, FontUnit(6)));
}

} // namespace
} // namespace kelmora
