#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <gtest/gtest.h>

namespace kelmora {

TEST(ImageSurface, SizesAreBounded)
{
    EXPECT_FALSE(ImageSurface::Create(0, 5));
    EXPECT_FALSE(ImageSurface::Create(5, -1));
    EXPECT_FALSE(ImageSurface::Create(kMaxSurfaceSide + 1, 1));
    EXPECT_FALSE(ImageSurface::Create(20000, 20000)); // over the memory cap
    auto surface = ImageSurface::Create(4, 3);
    ASSERT_TRUE(surface);
    EXPECT_EQ(surface->Width(), 4);
    EXPECT_EQ(surface->Height(), 3);
    EXPECT_EQ(surface->GetPixel(3, 2), Color(0));
    EXPECT_FALSE(surface->GetPixel(4, 0));
    EXPECT_FALSE(surface->GetPixel(0, -1));

    ImageSurface moved = std::move(*surface);
    EXPECT_EQ(moved.GetPixel(0, 0), Color(0));
}

TEST(ImageSurface, PixelsReadBackAsStraightArgb)
{
    auto surface = ImageSurface::Create(4, 4);
    ASSERT_TRUE(surface);
    {
        Graphics g(*surface);
        g.Clear(Color(128, 255, 64, 0));
    }
    Color pixel = *surface->GetPixel(1, 1);
    EXPECT_EQ(pixel.GetA(), 128);
    EXPECT_EQ(pixel.GetR(), 255); // not the premultiplied 128
    EXPECT_NEAR(pixel.GetG(), 64, 1);
    EXPECT_EQ(pixel.GetB(), 0);
}

} // namespace kelmora
