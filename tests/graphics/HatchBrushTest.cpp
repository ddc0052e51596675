#include "platform/graphics/Graphics.h"
#include "platform/graphics/HatchBrush.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace kelmora {

namespace {

// The pinned cells: per row, a bit per pixel (leftmost = bit 7) for the foreground and,
// for the softened diagonals, for the pixels of quarter coverage.
struct HatchGolden {
    HatchStyle style;
    std::array<uint8_t, 8> full;
    std::array<uint8_t, 8> soft{};
};

const std::vector<HatchGolden> kGolden = {
    {HatchStyle::Horizontal, {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {HatchStyle::Vertical, {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}},
    {HatchStyle::ForwardDiagonal, {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, {0x40, 0xA0, 0x50, 0x28, 0x14, 0x0A, 0x05, 0x82}},
    {HatchStyle::BackwardDiagonal, {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, {0x02, 0x05, 0x0A, 0x14, 0x28, 0x50, 0xA0, 0x41}},
    {HatchStyle::Cross, {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}},
    {HatchStyle::DiagonalCross, {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, {0x42, 0xA5, 0x5A, 0x24, 0x24, 0x5A, 0xA5, 0x42}},
    {HatchStyle::Percent05, {0x80, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00}},
    {HatchStyle::Percent10, {0x80, 0x00, 0x08, 0x00, 0x80, 0x00, 0x08, 0x00}},
    {HatchStyle::Percent20, {0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00}},
    {HatchStyle::Percent25, {0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22}},
    {HatchStyle::Percent30, {0xA8, 0x22, 0x8A, 0x22, 0xA8, 0x22, 0x8A, 0x22}},
    {HatchStyle::Percent40, {0xAA, 0x44, 0xAA, 0x11, 0xAA, 0x44, 0xAA, 0x11}},
    {HatchStyle::Percent50, {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}},
    {HatchStyle::Percent60, {0x55, 0xBB, 0x55, 0xEE, 0x55, 0xBB, 0x55, 0xEE}},
    {HatchStyle::Percent70, {0x57, 0xDD, 0x75, 0xDD, 0x57, 0xDD, 0x75, 0xDD}},
    {HatchStyle::Percent75, {0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD}},
    {HatchStyle::Percent80, {0x77, 0xFF, 0xDD, 0xFF, 0x77, 0xFF, 0xDD, 0xFF}},
    {HatchStyle::Percent90, {0x7F, 0xFF, 0xF7, 0xFF, 0x7F, 0xFF, 0xF7, 0xFF}},
    {HatchStyle::LightDownwardDiagonal, {0x88, 0x44, 0x22, 0x11, 0x88, 0x44, 0x22, 0x11}},
    {HatchStyle::LightUpwardDiagonal, {0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88}},
    {HatchStyle::DarkDownwardDiagonal, {0xCC, 0x66, 0x33, 0x99, 0xCC, 0x66, 0x33, 0x99}},
    {HatchStyle::DarkUpwardDiagonal, {0x33, 0x66, 0xCC, 0x99, 0x33, 0x66, 0xCC, 0x99}},
    {HatchStyle::WideDownwardDiagonal, {0xE0, 0x70, 0x38, 0x1C, 0x0E, 0x07, 0x83, 0xC1}},
    {HatchStyle::WideUpwardDiagonal, {0x07, 0x0E, 0x1C, 0x38, 0x70, 0xE0, 0xC1, 0x83}},
    {HatchStyle::LightVertical, {0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88}},
    {HatchStyle::LightHorizontal, {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00}},
    {HatchStyle::NarrowVertical, {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}},
    {HatchStyle::NarrowHorizontal, {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00}},
    {HatchStyle::DarkVertical, {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC}},
    {HatchStyle::DarkHorizontal, {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00}},
    {HatchStyle::DashedDownwardDiagonal, {0x88, 0x44, 0x22, 0x11, 0x00, 0x00, 0x00, 0x00}},
    {HatchStyle::DashedUpwardDiagonal, {0x11, 0x22, 0x44, 0x88, 0x00, 0x00, 0x00, 0x00}},
    {HatchStyle::DashedHorizontal, {0xF0, 0x00, 0x00, 0x00, 0x0F, 0x00, 0x00, 0x00}},
    {HatchStyle::DashedVertical, {0x80, 0x80, 0x80, 0x80, 0x08, 0x08, 0x08, 0x08}},
    {HatchStyle::SmallConfetti, {0x80, 0x04, 0x20, 0x01, 0x08, 0x40, 0x02, 0x10}},
    {HatchStyle::LargeConfetti, {0xC0, 0xC6, 0x06, 0x30, 0x30, 0x03, 0x63, 0x60}},
    {HatchStyle::ZigZag, {0x81, 0x42, 0x24, 0x18, 0x81, 0x42, 0x24, 0x18}},
    {HatchStyle::Wave, {0x00, 0x60, 0x91, 0x0E, 0x00, 0x00, 0x00, 0x00}},
    {HatchStyle::DiagonalBrick, {0x01, 0x02, 0x04, 0x08, 0x18, 0x24, 0x42, 0x81}},
    {HatchStyle::HorizontalBrick, {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08}},
    {HatchStyle::Weave, {0x81, 0xC2, 0x64, 0x30, 0x18, 0x2C, 0x46, 0x83}},
    {HatchStyle::Plaid, {0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0}},
    {HatchStyle::Divot, {0x20, 0x10, 0x20, 0x00, 0x02, 0x04, 0x02, 0x00}},
    {HatchStyle::DottedGrid, {0xAA, 0x00, 0x80, 0x00, 0x80, 0x00, 0x80, 0x00}},
    {HatchStyle::DottedDiamond, {0x81, 0x00, 0x24, 0x00, 0x18, 0x00, 0x42, 0x00}},
    {HatchStyle::Shingle, {0x80, 0x41, 0x22, 0x14, 0x08, 0x04, 0x02, 0x01}},
    {HatchStyle::Trellis, {0xFF, 0x66, 0xFF, 0x99, 0xFF, 0x66, 0xFF, 0x99}},
    {HatchStyle::Sphere, {0x66, 0xBB, 0xFF, 0x66, 0x66, 0xBB, 0xFF, 0x66}},
    {HatchStyle::SmallGrid, {0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88, 0x88, 0x88}},
    {HatchStyle::SmallCheckerBoard, {0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33}},
    {HatchStyle::LargeCheckerBoard, {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F}},
    {HatchStyle::OutlinedDiamond, {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}},
    {HatchStyle::SolidDiamond, {0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00}},
};

const Color kInk(255, 0, 0, 0);
const Color kPaper(255, 255, 255, 255);

GraphicsPath Rect(float x, float y, float w, float h)
{
    GraphicsPath path;
    path.AddRectangle(RectF(x, y, w, h));
    return path;
}

// What the golden cell expects at device pixel (x, y): the red channel of black ink on
// white paper, 255 − coverage.
int ExpectedRed(const HatchGolden& golden, int x, int y)
{
    int bit = 0x80 >> (x % 8);
    if (golden.full[size_t(y % 8)] & bit)
        return 0;
    if (golden.soft[size_t(y % 8)] & bit)
        return 255 - 64;
    return 255;
}

} // namespace

TEST(HatchBrush, EveryStyleDrawsItsPinnedCell)
{
    ASSERT_EQ(kGolden.size(), size_t(kHatchStyleCount));
    for (size_t i = 0; i < kGolden.size(); ++i) {
        const HatchGolden& golden = kGolden[i];
        ASSERT_EQ(int(golden.style), int(i));
        auto surface = ImageSurface::Create(16, 16);
        ASSERT_TRUE(surface);
        Graphics g(*surface);
        HatchBrush brush(golden.style, kInk, kPaper);
        ASSERT_TRUE(g.FillPath(brush, Rect(0, 0, 16, 16)));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(surface->GetPixel(x, y)->GetR(), ExpectedRed(golden, x, y))
                    << "style " << i << " at " << x << "," << y;
    }
}

TEST(HatchBrush, PercentStylesGrowDenser)
{
    auto inked = [](HatchStyle style) {
        int count = 0;
        for (const HatchGolden& golden : kGolden)
            if (golden.style == style)
                for (uint8_t row : golden.full)
                    count += __builtin_popcount(row);
        return count;
    };
    HatchStyle percent[] = {HatchStyle::Percent05, HatchStyle::Percent10, HatchStyle::Percent20,
                            HatchStyle::Percent25, HatchStyle::Percent30, HatchStyle::Percent40,
                            HatchStyle::Percent50, HatchStyle::Percent60, HatchStyle::Percent70,
                            HatchStyle::Percent75, HatchStyle::Percent80, HatchStyle::Percent90};
    for (size_t i = 1; i < std::size(percent); ++i)
        EXPECT_LT(inked(percent[i - 1]), inked(percent[i])) << int(percent[i]);
    EXPECT_EQ(inked(HatchStyle::Percent50), 32);
}

TEST(HatchBrush, CellsSitOnTheDeviceGridWhateverTheTransform)
{
    auto surface = ImageSurface::Create(24, 24);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    g.TranslateTransform(3, 5);
    g.ScaleTransform(2, 2);
    HatchBrush brush(HatchStyle::Cross, kInk, kPaper);
    ASSERT_TRUE(g.FillPath(brush, Rect(0, 0, 8, 8))); // device pixels 3..18 and 5..20
    for (int y = 5; y < 21; ++y) {
        for (int x = 3; x < 19; ++x) {
            bool onGrid = x % 8 == 0 || y % 8 == 0;
            EXPECT_EQ(surface->GetPixel(x, y)->GetR(), onGrid ? 0 : 255) << x << "," << y;
        }
    }
    EXPECT_EQ(surface->GetPixel(2, 8)->GetA(), 0); // outside the shape: untouched
}

TEST(HatchBrush, DefaultBackgroundIsOpaqueBlackAndColoursMayBeTranslucent)
{
    HatchBrush plain(HatchStyle::Horizontal, Color(255, 255, 0, 0));
    EXPECT_EQ(plain.GetBackgroundColor(), Color(255, 0, 0, 0));

    auto surface = ImageSurface::Create(8, 8);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    HatchBrush glassy(HatchStyle::Horizontal, Color(128, 0, 0, 255), Color(0));
    ASSERT_TRUE(g.FillPath(glassy, Rect(0, 0, 8, 8)));
    Color line = *surface->GetPixel(4, 0);
    EXPECT_NEAR(line.GetA(), 128, 1);
    EXPECT_EQ(line.GetB(), 255);
    EXPECT_EQ(surface->GetPixel(4, 1)->GetA(), 0);
}

TEST(HatchBrush, UnknownStyleIsRefusedAndDrawsNothing)
{
    for (int value : {-1, kHatchStyleCount, 1000}) {
        HatchBrush brush(HatchStyle(value), kInk, kPaper);
        EXPECT_FALSE(brush.IsValid());
        auto surface = ImageSurface::Create(8, 8);
        ASSERT_TRUE(surface);
        Graphics g(*surface);
        EXPECT_FALSE(g.FillPath(brush, Rect(0, 0, 8, 8)));
        EXPECT_EQ(surface->GetPixel(3, 3)->GetA(), 0);
        // The surface is still usable.
        EXPECT_TRUE(g.FillPath(kInk, Rect(0, 0, 8, 8)));
        EXPECT_EQ(surface->GetPixel(3, 3), kInk);
    }
}

} // namespace kelmora
