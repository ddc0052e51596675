#include "platform/graphics/Graphics.h"

#include <gtest/gtest.h>

namespace kelmora {

namespace {

const Color kRed(255, 0, 0);
const Color kClear(0);

GraphicsPath Square(float x, float y, float side)
{
    GraphicsPath path;
    path.AddRectangle(RectF(x, y, side, side));
    return path;
}

} // namespace

TEST(GraphicsTransform, PrependActsFirstAppendActsLast)
{
    // Translate(10, 10) then Scale(2, 2). Prepended: p·S·T, the square 0..4 lands on 10..18.
    auto prepended = ImageSurface::Create(40, 40);
    {
        Graphics g(*prepended);
        g.TranslateTransform(10, 10);
        g.ScaleTransform(2, 2);
        EXPECT_EQ(g.GetTransform(), Matrix(2, 0, 0, 2, 10, 10));
        g.FillPath(kRed, Square(0, 0, 4));
    }
    EXPECT_EQ(prepended->GetPixel(10, 10), kRed);
    EXPECT_EQ(prepended->GetPixel(17, 17), kRed);
    EXPECT_EQ(prepended->GetPixel(18, 18), kClear);

    // Appended: p·T·S, the square lands on 20..28.
    auto appended = ImageSurface::Create(40, 40);
    {
        Graphics g(*appended);
        g.TranslateTransform(10, 10, MatrixOrder::Append);
        g.ScaleTransform(2, 2, MatrixOrder::Append);
        EXPECT_EQ(g.GetTransform(), Matrix(2, 0, 0, 2, 20, 20));
        g.FillPath(kRed, Square(0, 0, 4));
    }
    EXPECT_EQ(appended->GetPixel(15, 15), kClear);
    EXPECT_EQ(appended->GetPixel(20, 20), kRed);
    EXPECT_EQ(appended->GetPixel(27, 27), kRed);

    // Rotation by 90° turns +x onto +y: the square 2..6 × 0..2 goes to −2..0 × 2..6, moved
    // right by 10 when the translation is applied last.
    auto rotated = ImageSurface::Create(20, 20);
    {
        Graphics g(*rotated);
        g.TranslateTransform(10, 0);
        g.RotateTransform(90);
        GraphicsPath bar;
        bar.AddRectangle(RectF(2, 0, 4, 2));
        g.FillPath(kRed, bar);
    }
    EXPECT_EQ(rotated->GetPixel(8, 2), kRed);
    EXPECT_EQ(rotated->GetPixel(9, 5), kRed);
    EXPECT_EQ(rotated->GetPixel(10, 3), kClear);
    EXPECT_EQ(rotated->GetPixel(8, 6), kClear);
}

TEST(GraphicsTransform, BadMatricesAreRefusedWithoutPoisoningLaterDrawing)
{
    auto surface = ImageSurface::Create(20, 20);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    g.TranslateTransform(5, 5);
    Matrix before = g.GetTransform();
    EXPECT_FALSE(g.SetTransform(Matrix(NAN, 0, 0, 1, 0, 0)));
    EXPECT_FALSE(g.SetTransform(Matrix(1, 2, 2, 4, 0, 0))); // singular
    EXPECT_FALSE(g.MultiplyTransform(Matrix(1, 0, 0, 1, INFINITY, 0)));
    EXPECT_FALSE(g.ScaleTransform(0, 1));
    EXPECT_FALSE(g.RotateTransform(NAN));
    EXPECT_FALSE(g.TranslateTransform(NAN, 0));
    EXPECT_EQ(g.GetTransform(), before);

    // The context never saw the bad values: drawing still works.
    ASSERT_TRUE(g.FillPath(kRed, Square(0, 0, 4)));
    EXPECT_EQ(surface->GetPixel(6, 6), kRed);
    EXPECT_EQ(cairo_status(g.CairoContext()), CAIRO_STATUS_SUCCESS);

    g.ResetTransform();
    EXPECT_TRUE(g.GetTransform().IsIdentity());
}

TEST(GraphicsTransform, TheContextsOwnTransformAppliesAfterTheWorldTransform)
{
    auto surface = ImageSurface::Create(20, 20);
    ASSERT_TRUE(surface);
    cairo_t* cr = cairo_create(surface->CairoSurface());
    cairo_translate(cr, 10, 0);
    cairo_scale(cr, 2, 2);
    {
        Graphics g(cr);
        g.TranslateTransform(1, 1);
        // (0..2) → world (1..3) → device 10 + 2·(1..3) = 12..16.
        g.FillPath(kRed, Square(0, 0, 2));
        g.SetTransform(Matrix(1, 0, 0, 1, 0, 0));
    }
    EXPECT_EQ(surface->GetPixel(12, 2), kRed);
    EXPECT_EQ(surface->GetPixel(15, 5), kRed);
    EXPECT_EQ(surface->GetPixel(11, 2), kClear);
    EXPECT_EQ(surface->GetPixel(16, 2), kClear);
    // The context is handed back as it came.
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    EXPECT_EQ(m.x0, 10);
    EXPECT_EQ(m.xx, 2);
    cairo_destroy(cr);
}

} // namespace kelmora
