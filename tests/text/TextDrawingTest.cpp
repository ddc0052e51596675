#include "platform/text/TextDrawing.h"

#include "platform/text/TextPath.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <memory>

namespace kelmora {
namespace {

const Color kBlue(0xFF0000FF);

// A white ARGB32 canvas with its cairo context.
class Canvas {
public:
    Canvas(int width, int height)
        : m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy)
        , m_cr(cairo_create(m_surface.get()), cairo_destroy)
    {
        cairo_set_source_rgb(m_cr.get(), 1, 1, 1);
        cairo_paint(m_cr.get());
    }

    cairo_t* Context() { return m_cr.get(); }

    uint32_t Pixel(int x, int y)
    {
        cairo_surface_flush(m_surface.get());
        const unsigned char* row = cairo_image_surface_get_data(m_surface.get())
            + size_t(y) * size_t(cairo_image_surface_get_stride(m_surface.get()));
        return reinterpret_cast<const uint32_t*>(row)[x];
    }
    bool Inked(int x, int y) { return Pixel(x, y) != 0xFFFFFFFF; }

    int Width() const { return cairo_image_surface_get_width(m_surface.get()); }
    int Height() const { return cairo_image_surface_get_height(m_surface.get()); }

    // The box of every pixel that is not white; empty when there is none.
    RectF InkBox()
    {
        int x0 = Width(), y0 = Height(), x1 = -1, y1 = -1;
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                if (Inked(x, y)) {
                    x0 = std::min(x0, x);
                    y0 = std::min(y0, y);
                    x1 = std::max(x1, x);
                    y1 = std::max(y1, y);
                }
            }
        }
        if (x1 < 0)
            return RectF();
        return RectF(float(x0), float(y0), float(x1 - x0 + 1), float(y1 - y0 + 1));
    }

private:
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> m_surface;
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
    EXPECT_EQ(canvas.Pixel(cx, cy), 0xFF0000FFu);
    EXPECT_FALSE(canvas.Inked(int(stem.GetRight()) + 3, cy));
    RectF ink = canvas.InkBox();
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
        RectF ink = canvas.InkBox();
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
        RectF ink = canvas.InkBox();
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
    EXPECT_EQ(canvas.Pixel(5, 5), 0xFFFF0000u);
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
    RectF ink = canvas.InkBox();
    ASSERT_GT(ink.Width, 0.0f);
    EXPECT_NEAR(ink.Center().X, rect.Center().X, 2.0f);
    EXPECT_GE(ink.Y, rect.Y);
    EXPECT_LT(ink.Y, rect.Y + 15.0f);
}

TEST(TextDrawingTest, MeasureAgreesWithTheLaidOutPath)
{
    const Font font = ArialPixels(30, FontStyle::Bold);
    StringFormat format;
    format.SetAlignment(StringAlignment::Center);
    const RectF rect(0, 0, 150, 400);
    std::optional<RectF> box = MeasureString("Measure this wrapped text", font, rect, format);
    ASSERT_TRUE(box);
    GraphicsPath path;
    ASSERT_TRUE(AddString(path, "Measure this wrapped text", font.GetFamily(), font.GetStyle(), 30, rect, format));
    RectF ink = path.GetBounds();
    EXPECT_LE(box->X, ink.X + 0.5f);
    EXPECT_GE(box->GetRight(), ink.GetRight() - 0.5f);
    EXPECT_LE(box->Y, ink.Y);
    EXPECT_GE(box->GetBottom(), ink.GetBottom());
    EXPECT_LE(box->Width, rect.Width + 0.01f);
}

TEST(TextDrawingTest, RefusesWhatCannotBeDrawn)
{
    Canvas canvas(50, 50);
    const Font font = ArialPixels(20);
    EXPECT_FALSE(DrawString(canvas.Context(), "A", font, RectF(0, 0, NAN, 10), StringFormat(), kBlue));
    EXPECT_FALSE(DrawString(canvas.Context(), "A", font, PointF(0, 0), StringFormat(), kBlue, 0.0f));
    EXPECT_FALSE(DrawString(nullptr, "A", font, PointF(0, 0), StringFormat(), kBlue));
    EXPECT_FALSE(MeasureString("A", font, PointF(0, 0), StringFormat(), NAN));
    EXPECT_EQ(cairo_status(canvas.Context()), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(canvas.InkBox().Width, 0.0f);

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
