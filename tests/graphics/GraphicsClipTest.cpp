#include "platform/graphics/Graphics.h"

#include <gtest/gtest.h>

namespace kelmora {

namespace {

const Color kRed(255, 0, 0);
const Color kBlue(0, 0, 255);
const Color kClear(0);

GraphicsPath Rect(float x, float y, float w, float h)
{
    GraphicsPath path;
    path.AddRectangle(RectF(x, y, w, h));
    return path;
}

} // namespace

TEST(GraphicsClip, ClipInsideSaveRestore)
{
    auto surface = ImageSurface::Create(20, 20);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    GraphicsPath everything = Rect(0, 0, 20, 20);

    GraphicsState state = g.Save();
    ASSERT_TRUE(g.SetClip(Rect(5, 5, 5, 5)));
    g.FillPath(kRed, everything);
    EXPECT_EQ(surface->GetPixel(5, 5), kRed);
    EXPECT_EQ(surface->GetPixel(9, 9), kRed);
    EXPECT_EQ(surface->GetPixel(10, 10), kClear);
    EXPECT_EQ(surface->GetPixel(4, 7), kClear);
    ASSERT_TRUE(g.Restore(state));

    g.FillPath(kBlue, everything);
    EXPECT_EQ(surface->GetPixel(0, 0), kBlue);
    EXPECT_EQ(surface->GetPixel(19, 19), kBlue);
    EXPECT_FALSE(g.Restore(state)); // a state works once
}

TEST(GraphicsClip, ReplaceIntersectAndReset)
{
    auto surface = ImageSurface::Create(20, 20);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    GraphicsPath everything = Rect(0, 0, 20, 20);

    g.SetClip(Rect(0, 0, 10, 10));
    g.IntersectClip(Rect(5, 5, 10, 10));
    g.FillPath(kRed, everything);
    EXPECT_EQ(surface->GetPixel(7, 7), kRed);
    EXPECT_EQ(surface->GetPixel(2, 2), kClear);
    EXPECT_EQ(surface->GetPixel(12, 12), kClear);

    g.SetClip(Rect(15, 15, 5, 5)); // replaces, even outside the old clip
    g.FillPath(kBlue, everything);
    EXPECT_EQ(surface->GetPixel(17, 17), kBlue);
    EXPECT_EQ(surface->GetPixel(7, 7), kRed);

    g.ResetClip();
    g.Clear(kBlue);
    EXPECT_EQ(surface->GetPixel(0, 19), kBlue);
}

TEST(GraphicsClip, ClipStaysWhereItWasSetAndHasHardEdges)
{
    auto surface = ImageSurface::Create(20, 20);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    g.SetSmoothingMode(SmoothingMode::AntiAlias);
    g.TranslateTransform(10, 0);
    GraphicsPath circle;
    circle.AddEllipse(RectF(-8, 2, 16, 16));
    g.SetClip(circle);
    g.ResetTransform();
    g.FillPath(kRed, Rect(0, 0, 20, 20));
    EXPECT_EQ(surface->GetPixel(10, 10), kRed);
    EXPECT_EQ(surface->GetPixel(1, 1), kClear);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            uint8_t a = surface->GetPixel(x, y)->GetA();
            EXPECT_TRUE(a == 0 || a == 255) << x << ", " << y;
        }
    }
}

TEST(GraphicsClip, RestoreDropsLaterStates)
{
    auto surface = ImageSurface::Create(4, 4);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    GraphicsState outer = g.Save();
    g.TranslateTransform(1, 0);
    GraphicsState inner = g.Save();
    g.TranslateTransform(1, 0);
    ASSERT_TRUE(g.Restore(outer));
    EXPECT_TRUE(g.GetTransform().IsIdentity());
    EXPECT_FALSE(g.Restore(inner));
    EXPECT_FALSE(g.Restore(12345));
}

} // namespace kelmora
