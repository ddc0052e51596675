#include "platform/graphics/Graphics.h"

#include <gtest/gtest.h>

namespace kelmora {

namespace {

const Color kRed(255, 0, 0);
const Color kBlue(0, 0, 255);
const Color kClear(0);

} // namespace

TEST(Graphics, FillsWithTheColourInsideThePath)
{
    auto surface = ImageSurface::Create(10, 10);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    GraphicsPath square;
    square.AddRectangle(RectF(2, 2, 6, 6));
    ASSERT_TRUE(g.FillPath(kRed, square));
    EXPECT_EQ(surface->GetPixel(2, 2), kRed);
    EXPECT_EQ(surface->GetPixel(7, 7), kRed);
    EXPECT_EQ(surface->GetPixel(8, 8), kClear); // right and bottom edges lie outside
    EXPECT_EQ(surface->GetPixel(1, 4), kClear);

    // Translucent colours blend over what is there.
    GraphicsPath all;
    all.AddRectangle(RectF(0, 0, 10, 10));
    g.FillPath(Color(128, 0, 0, 255), all);
    Color blended = *surface->GetPixel(4, 4);
    EXPECT_EQ(blended.GetA(), 255);
    EXPECT_NEAR(blended.GetR(), 127, 1);
    EXPECT_NEAR(blended.GetB(), 128, 1);
}

TEST(Graphics, FillFollowsThePathsFillMode)
{
    auto surface = ImageSurface::Create(20, 20);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    GraphicsPath nested;
    nested.AddRectangle(RectF(0, 0, 20, 20));
    nested.AddRectangle(RectF(5, 5, 10, 10));
    g.FillPath(kRed, nested);
    EXPECT_EQ(surface->GetPixel(2, 2), kRed);
    EXPECT_EQ(surface->GetPixel(10, 10), kClear); // alternate: hole
    nested.SetFillMode(FillMode::Winding);
    g.FillPath(kBlue, nested);
    EXPECT_EQ(surface->GetPixel(10, 10), kBlue);
}

TEST(Graphics, SmoothingSwitchesAntialiasing)
{
    auto count = [](SmoothingMode mode) {
        auto surface = ImageSurface::Create(40, 40);
        Graphics g(*surface);
        g.SetSmoothingMode(mode);
        GraphicsPath circle;
        circle.AddEllipse(RectF(5, 5, 30, 30));
        g.FillPath(kRed, circle);
        int partial = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                uint8_t a = surface->GetPixel(x, y)->GetA();
                partial += a != 0 && a != 255;
            }
        }
        return partial;
    };
    EXPECT_EQ(count(SmoothingMode::Default), 0);
    EXPECT_GT(count(SmoothingMode::AntiAlias), 20);
}

TEST(Graphics, StrokesAreCentredOnPixelCentres)
{
    auto surface = ImageSurface::Create(20, 20);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    g.SetSmoothingMode(SmoothingMode::AntiAlias);
    GraphicsPath line;
    line.AddLine(2, 5, 17, 5);
    ASSERT_TRUE(g.DrawPath(kRed, 1, line));
    // A one-unit line on y = 5 covers row 5 exactly, even antialiased.
    EXPECT_EQ(surface->GetPixel(10, 5), kRed);
    EXPECT_EQ(surface->GetPixel(10, 4), kClear);
    EXPECT_EQ(surface->GetPixel(10, 6), kClear);

    // Width 0 stays one device pixel wide under any scale.
    GraphicsPath other;
    other.AddLine(0.2f, 1.2f, 1.8f, 1.2f);
    g.ScaleTransform(10, 10);
    ASSERT_TRUE(g.DrawPath(kBlue, 0, other));
    EXPECT_EQ(surface->GetPixel(10, 12), kBlue);
    EXPECT_EQ(surface->GetPixel(10, 11), kClear);
    EXPECT_EQ(surface->GetPixel(10, 13), kClear);
    // A width of 1 world unit is ten pixels here.
    ASSERT_TRUE(g.DrawPath(kBlue, 1, other));
    EXPECT_EQ(surface->GetPixel(10, 8), kBlue);
    EXPECT_EQ(surface->GetPixel(10, 16), kBlue);
}

TEST(Graphics, BadWidthsDrawNothingAndLeaveTheContextUsable)
{
    auto surface = ImageSurface::Create(10, 10);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    GraphicsPath line;
    line.AddLine(0, 5, 10, 5);
    EXPECT_FALSE(g.DrawPath(kRed, -1, line));
    EXPECT_FALSE(g.DrawPath(kRed, NAN, line));
    EXPECT_FALSE(g.DrawPath(kRed, INFINITY, line));
    EXPECT_EQ(surface->GetPixel(5, 5), kClear);
    EXPECT_TRUE(g.DrawPath(kRed, 2, line));
    EXPECT_EQ(surface->GetPixel(5, 5), kRed);
    EXPECT_EQ(cairo_status(g.CairoContext()), CAIRO_STATUS_SUCCESS);
}

} // namespace kelmora
