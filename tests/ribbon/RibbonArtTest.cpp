// The ribbon's pictures: every command picture is a drawing of its own, and every
// gallery item shows what its preset does.

#include "app/ribbon/RibbonArt.h"
#include "app/ribbon/RibbonIcons.h"
#include "view/StylePresets.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <cmath>
#include <set>

namespace kelmora {

namespace {

struct Pixel {
    int r, g, b, a;
};

Pixel At(const wxImage& image, int x, int y)
{
    return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y), image.HasAlpha() ? image.GetAlpha(x, y) : 255};
}

int OpaquePixels(const wxImage& image, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            count += At(image, x, y).a > 128;
    }
    return count;
}

// Whether the pixel is the colour 0xRRGGBB within a small tolerance and opaque.
bool Near(const Pixel& p, uint32_t rgb)
{
    const int r = int(rgb >> 16) & 0xFF, g = int(rgb >> 8) & 0xFF, b = int(rgb) & 0xFF;
    return p.a > 240 && std::abs(p.r - r) <= 3 && std::abs(p.g - g) <= 3 && std::abs(p.b - b) <= 3;
}

} // namespace

TEST(RibbonArt, EveryCommandPictureIsADrawingOfItsOwn)
{
    std::set<std::string> seen;
    for (int i = int(Icon::New); i <= int(Icon::About); ++i) {
        for (int size : {16, 32}) {
            const wxImage image = IconBitmap(Icon(i), size).ConvertToImage();
            ASSERT_EQ(image.GetWidth(), size) << i;
            // Something is drawn, and it is a shape, not a filled square.
            const int opaque = OpaquePixels(image, 0, 0, size, size);
            EXPECT_GT(opaque, size * size / 25) << "icon " << i << " at " << size;
            EXPECT_LT(opaque, size * size) << "icon " << i << " at " << size;
            if (size == 16) {
                const std::string pixels(reinterpret_cast<const char*>(image.GetData()), size_t(size * size * 3));
                const std::string alpha(reinterpret_cast<const char*>(image.GetAlpha()), size_t(size * size));
                EXPECT_TRUE(seen.insert(pixels + alpha).second) << "icon " << i << " repeats another";
            }
        }
    }
    EXPECT_TRUE(PanelImage(18).IsOk());
    EXPECT_FALSE(PanelImage(19).IsOk());
    EXPECT_FALSE(PanelImage(-1).IsOk());
}

TEST(RibbonArt, StyleItemsShowTheirRowsFillAndOutline)
{
    const std::vector<wxBitmap> items = MakeStylesGalleryImages();
    ASSERT_EQ(items.size(), size_t(kStylesGalleryItems));
    for (int row = 0; row < kStylesGalleryItems; ++row) {
        SCOPED_TRACE(row);
        const wxImage image = items[size_t(row)].ConvertToImage();
        ASSERT_EQ(image.GetWidth(), kGalleryItemSize);
        const QuickStyle& style = QuickStyleTable[size_t(row)];
        const Pixel centre = At(image, 20, 20);
        if (style.FillOn()) {
            EXPECT_TRUE(Near(centre, style.FillColor() & 0xFFFFFF));
        } else {
            EXPECT_EQ(centre.a, 0);
        }
        // The outline runs along the sample's edge, 7 pixels in from the item's.
        const Pixel edge = At(image, 20, 7);
        if (style.LineOn()) {
            EXPECT_TRUE(Near(edge, style.LineColor() & 0xFFFFFF)) << edge.r << "," << edge.g << "," << edge.b;
        } else if (style.FillOn()) {
            EXPECT_TRUE(Near(At(image, 20, 9), style.FillColor() & 0xFFFFFF));
        }
    }
}

TEST(RibbonArt, EffectItemsShowTheirPresets)
{
    // Shadow: row 0 casts none, rows 1 to 4 cast it toward 45, 90, 180 and 270 degrees.
    const std::vector<wxBitmap> shadows = MakeShadowGalleryImages();
    ASSERT_EQ(shadows.size(), size_t(kShadowPresetRows));
    const wxImage none = shadows[0].ConvertToImage();
    EXPECT_EQ(OpaquePixels(none, 0, 0, 40, 6) + OpaquePixels(none, 0, 34, 40, 40), 0);
    const auto darkAt = [&shadows](int item, int x, int y) {
        const Pixel p = At(shadows[size_t(item)].ConvertToImage(), x, y);
        return p.a > 100 && p.r < 60 && p.g < 60 && p.b < 60;
    };
    EXPECT_TRUE(darkAt(1, 30, 30));   // below right
    EXPECT_TRUE(darkAt(2, 20, 32));   // below
    EXPECT_TRUE(darkAt(3, 7, 20));    // left
    EXPECT_TRUE(darkAt(4, 20, 7));    // above
    EXPECT_FALSE(darkAt(1, 5, 5));

    // Glow: row 0 has none; row 4 glows red around the sample.
    const std::vector<wxBitmap> glows = MakeGlowGalleryImages();
    ASSERT_EQ(glows.size(), size_t(kGlowPresetRows));
    EXPECT_EQ(At(glows[0].ConvertToImage(), 20, 8).a, 0);
    const Pixel red = At(glows[4].ConvertToImage(), 20, 8);
    EXPECT_GT(red.a, 0);
    EXPECT_GT(red.r, red.g);

    // Reflection: row 0 shows nothing below the sample, the others do, fading.
    const std::vector<wxBitmap> reflections = MakeReflectionGalleryImages();
    ASSERT_EQ(reflections.size(), size_t(kReflectionPresetRows));
    EXPECT_EQ(OpaquePixels(reflections[0].ConvertToImage(), 0, 22, 40, 40), 0);
    const wxImage reflected = reflections[2].ConvertToImage();
    EXPECT_GT(At(reflected, 20, 22).a, At(reflected, 20, 36).a);
    EXPECT_GT(At(reflected, 20, 22).a, 0);

    // Text: four pictures, each with the text somewhere, and no two alike.
    const std::vector<wxBitmap> texts = MakeTextGalleryImages();
    ASSERT_EQ(texts.size(), size_t(kTextEffectRows));
    std::set<std::string> distinct;
    for (const wxBitmap& text : texts) {
        const wxImage image = text.ConvertToImage();
        EXPECT_GT(OpaquePixels(image, 0, 0, 40, 40), 20);
        distinct.insert(std::string(reinterpret_cast<const char*>(image.GetAlpha()), 40 * 40));
    }
    EXPECT_EQ(distinct.size(), texts.size());
}

TEST(RibbonArt, LineItemsGrowByWeightAndBreakByDashStyle)
{
    const std::vector<wxBitmap> weights = MakeLineWeightImages();
    ASSERT_EQ(weights.size(), size_t(kLineWeightCount));
    int previous = 0;
    for (const wxBitmap& weight : weights) {
        const wxImage image = weight.ConvertToImage();
        ASSERT_EQ(image.GetWidth(), kListImageWidth);
        ASSERT_EQ(image.GetHeight(), kLineWeightImageHeight);
        int thickness = 0;
        for (int y = 0; y < image.GetHeight(); ++y)
            thickness += At(image, 48, y).a;
        EXPECT_GT(thickness, previous);
        previous = thickness;
    }

    const std::vector<wxBitmap> dashes = MakeDashStyleImages();
    ASSERT_EQ(dashes.size(), size_t(kDashStyleCount));
    for (size_t style = 0; style < dashes.size(); ++style) {
        const wxImage image = dashes[style].ConvertToImage();
        ASSERT_EQ(image.GetHeight(), kDashStyleImageHeight);
        int gaps = 0;
        for (int x = 4; x < 90; ++x)
            gaps += At(image, x, kDashStyleImageHeight / 2).a <= 128;
        if (style == 0)
            EXPECT_EQ(gaps, 0);
        else
            EXPECT_GT(gaps, 0) << style;
    }
}

} // namespace kelmora
