// Text objects become glyph outlines; image objects draw their pictures.

#include "model/DrawRect.h"
#include "model/InstalledFontNames.h"
#include "model/ModelTestSupport.h"
#include "model/TextAlongGuide.h"
#include "platform/base/TempFile.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/imaging/ImageFile.h"

#include <gtest/gtest.h>

#include <functional>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>

namespace kelmora {

using fakes::FakeView;

namespace {

std::unique_ptr<CDrawRect> MakeText(const std::string& text, const RectF& frame, int32_t textStyle = 0)
{
    auto obj = std::make_unique<CDrawRect>(frame, nullptr);
    obj->m_nShapeType = ShapeType::Text;
    obj->m_strText = text;
    obj->m_nTextStyle = textStyle;
    return obj;
}

std::unique_ptr<CDrawRect> MakeImage(Bitmap picture)
{
    const RectF frame(0, 0, float(picture.Width()), float(picture.Height()));
    auto obj = std::make_unique<CDrawRect>(frame, nullptr);
    obj->m_nShapeType = ShapeType::Image;
    obj->m_rcFrame = frame;
    obj->m_pImage = std::make_shared<const Bitmap>(std::move(picture));
    obj->EnableFill(false);
    obj->EnableLine(false);
    return obj;
}

// Pixel (x, y) is opaque with red = 10·x + 1 and green = 10·y + 1.
Bitmap Numbered(int width, int height)
{
    Bitmap bitmap = Bitmap::Create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, MakeArgb(255, uint8_t(10 * x + 1), uint8_t(10 * y + 1), 0));
    return bitmap;
}

ImageSurface MakeSurface(int w, int h)
{
    return std::move(*ImageSurface::Create(w, h));
}

bool Near(Color actual, Color expected, int tolerance = 3)
{
    return std::abs(actual.GetA() - expected.GetA()) <= tolerance && std::abs(actual.GetR() - expected.GetR()) <= tolerance
        && std::abs(actual.GetG() - expected.GetG()) <= tolerance && std::abs(actual.GetB() - expected.GetB()) <= tolerance;
}

// The bounding box of the surface's non-transparent pixels.
RectF InkBox(const ImageSurface& surface)
{
    int left = surface.Width(), top = surface.Height(), right = -1, bottom = -1;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (surface.GetPixel(x, y)->GetA() == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return RectF();
    return RectF(float(left), float(top), float(right - left + 1), float(bottom - top + 1));
}

} // namespace

TEST(DrawRectText, NormalTextPaintsInsideItsFrameFromTheTopLeft)
{
    const RectF frame(20, 10, 200, 120);
    auto text = MakeText("Kelmora", frame);
    text->m_fFontSize = 40.0f;
    text->SetFillColor(0xFFFF0000, true);
    text->EnableLine(false);
    ImageSurface surface = MakeSurface(260, 160);
    Graphics g(surface);
    RectF out;
    text->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    const RectF ink = InkBox(surface);
    ASSERT_FALSE(ink.IsEmptyArea());
    EXPECT_GE(ink.X, frame.X);
    EXPECT_LE(ink.X, frame.X + 20.0f);           // near alignment, past the small side padding
    EXPECT_GE(ink.Y, frame.Y);
    EXPECT_LE(ink.Y, frame.Y + 30.0f);
    EXPECT_LE(ink.GetRight(), frame.GetRight());
    EXPECT_LE(ink.GetBottom(), frame.Y + 60.0f);  // one line of a 40-unit em

    // A narrower frame wraps the words onto lines of their own.
    auto wrapped = MakeText("Kel mora", RectF(20, 10, 110, 120));
    wrapped->m_fFontSize = 40.0f;
    const RectF one = text->CreatePath(nullptr, nullptr)->GetBounds();
    const RectF two = wrapped->CreatePath(nullptr, nullptr)->GetBounds();
    EXPECT_GT(two.Height, one.Height + 20.0f);
}

TEST(DrawRectText, EmptyTextBuildsNothingInEveryStyle)
{
    for (int32_t style = 0; style <= 4; ++style) {
        auto text = MakeText("", RectF(0, 0, 300, 100), style);
        EXPECT_TRUE(text->CreatePath(nullptr, nullptr)->IsEmpty()) << style;
    }
}

TEST(DrawRectText, GuidesAndTheirSpacing)
{
    auto text = MakeText("ABCD", RectF(0, 0, 300, 100), 1);
    const double stadium = 400.0 + std::numbers::pi * 100.0;
    EXPECT_NEAR(text->BuildTextGuide(1, 4), stadium / 10.0, 1e-3);
    ASSERT_TRUE(text->m_pTextGuide);
    RectF upper = text->m_pTextGuide->GetBounds();
    EXPECT_NEAR(upper.Y, 0.0f, 0.5f);
    EXPECT_NEAR(upper.GetBottom(), 50.0f, 0.5f);
    EXPECT_NEAR(text->BuildTextGuide(2, 4), stadium / 10.0, 1e-3);
    RectF lower = text->m_pTextGuide->GetBounds();
    EXPECT_NEAR(lower.Y, 50.0f, 0.5f);
    // Five stadium intervals do not fit around the ellipse itself: the spacing shrinks.
    const float around = text->BuildTextGuide(3, 4);
    EXPECT_LT(around, stadium / 5.0);
    EXPECT_GT(around, stadium / 10.0);

    // A style without a guide leaves the last one.
    const GraphicsPath* last = text->m_pTextGuide.get();
    EXPECT_EQ(text->BuildTextGuide(7, 4), 0.0f);
    EXPECT_EQ(text->m_pTextGuide.get(), last);
}

TEST(DrawRectText, ChordSamplesOnSegmentsOfEveryDirection)
{
    // Up, right, down, left: vertical and horizontal segments alike.
    const PointF square[] = {PointF(0, 10), PointF(0, 0), PointF(10, 0), PointF(10, 10), PointF(0, 10)};
    const std::vector<PointF> samples = ResampleByChord(square, 5.0f, 100);
    ASSERT_GE(samples.size(), 8u);
    for (size_t i = 1; i < samples.size(); ++i) {
        const float d = std::hypot(samples[i].X - samples[i - 1].X, samples[i].Y - samples[i - 1].Y);
        EXPECT_NEAR(d, 5.0f, 1e-3f) << i;
    }
    EXPECT_NEAR(samples[1].X, 0.0f, 1e-4f);
    EXPECT_NEAR(samples[1].Y, 5.0f, 1e-4f);
    EXPECT_NEAR(samples[3].X, 5.0f, 1e-4f);
    EXPECT_NEAR(samples[3].Y, 0.0f, 1e-4f);
    EXPECT_EQ(ResampleByChord(square, 5.0f, 3).size(), 3u);
}

TEST(DrawRectText, CharactersAlongTheArcTurnWithIt)
{
    // Five characters over the top of a 300 × 100 ellipse.
    auto text = MakeText("ABCDE", RectF(0, 0, 300, 100), 1);
    const float spacing = text->BuildTextGuide(1, 5);
    GraphicsPath flat = *text->m_pTextGuide;
    ASSERT_TRUE(flat.Flatten(Matrix(), kTextGuideFlatness));
    const std::vector<PointF> samples = ResampleByChord(flat.Points(), spacing, 6);
    ASSERT_EQ(samples.size(), 6u);
    std::vector<float> angles;
    for (size_t i = 0; i + 1 < samples.size(); ++i)
        angles.push_back(ChordAngle(samples[i], samples[i + 1], spacing));
    // Rising on the left, falling on the right (the text ends a spacing short of the
    // right end), level where the chord crosses the top.
    EXPECT_LT(angles[0], -30.0f);
    EXPECT_GT(angles[4], 10.0f);
    for (size_t i = 1; i < angles.size(); ++i)
        EXPECT_GT(angles[i], angles[i - 1]);
    for (size_t i = 0; i + 1 < samples.size(); ++i) {
        if (samples[i].X < 150.0f && samples[i + 1].X > 150.0f) {
            EXPECT_NEAR(angles[i], 0.0f, 15.0f);
        }
    }

    EXPECT_NEAR(ChordAngle(PointF(0, 0), PointF(10, 0), 10.0f), 0.0f, 1e-4f);
    EXPECT_NEAR(ChordAngle(PointF(0, 0), PointF(0, -10), 10.0f), -90.0f, 1e-3f);
    EXPECT_NEAR(ChordAngle(PointF(0, 0), PointF(-10, 0), 10.0f), 180.0f, 1e-3f);
    EXPECT_EQ(ChordAngle(PointF(3, 3), PointF(3, 3), 10.0f), 0.0f);
}

TEST(DrawRectText, TextAlongTheArcStaysOnItAndDropsWhatDoesNotFit)
{
    const RectF frame(50, 50, 300, 100);
    auto arc = MakeText("ABCDE", frame, 1);
    const std::unique_ptr<GraphicsPath> path = arc->CreatePath(nullptr, nullptr);
    ASSERT_FALSE(path->IsEmpty());
    const RectF bounds = path->GetBounds();
    // Over the top half of the ellipse, never much below its middle.
    EXPECT_LT(bounds.Y, frame.Y + 20.0f);
    EXPECT_LT(bounds.GetBottom(), frame.Y + frame.Height / 2.0f + 60.0f);

    // A long text is spaced closely enough to keep every character on the guide; none
    // piles up past its end.
    std::string longText(200, 'W');
    auto crowded = MakeText(longText, frame, 1);
    const RectF crowdedBounds = crowded->CreatePath(nullptr, nullptr)->GetBounds();
    RectF room = frame;
    room.Inflate(60.0f, 60.0f);
    EXPECT_GE(crowdedBounds.X, room.X);
    EXPECT_LE(crowdedBounds.GetRight(), room.GetRight());

    // Along a guide far too short for even one pair of samples nothing is added.
    GraphicsPath tiny;
    tiny.AddLine(0, 0, 1, 0);
    GraphicsPath out;
    AddTextAlongGuide(tiny, out, "AB", *FontFamily::Create("Arial"), FontStyle::Regular, 20.0f, 50.0f);
    EXPECT_TRUE(out.IsEmpty());
}

TEST(DrawRectText, EveryChangeThatShapesTheTextLaysItOutAgain)
{
    auto text = MakeText("Logo", RectF(0, 0, 300, 100));
    auto outline = [&] { return text->CreatePath(nullptr, nullptr)->GetBounds(); };
    const RectF first = outline();
    EXPECT_EQ(outline(), first);
    const std::vector<std::function<void(CDrawRect&)>> changes = {
        [](CDrawRect& t) { t.m_strText = "Logos"; },
        [](CDrawRect& t) { t.m_strFontName = "Courier New"; },
        [](CDrawRect& t) { t.m_nFontStyle = 1; },
        [](CDrawRect& t) { t.m_fFontSize = 70.0f; },
        [](CDrawRect& t) { t.m_rcFrame = RectF(20, 0, 300, 100); },
        [](CDrawRect& t) { t.m_nTextStyle = 1; },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        RectF before = outline();
        changes[i](*text);
        EXPECT_NE(outline(), before) << i;
    }
}

TEST(DrawRectText, EveryCharacterFindsRoomAlongANonSquareFrame)
{
    // The stadium's perimeter overestimates a flat ellipse's: its spacing alone would
    // leave the last characters of a longer text without a pair of samples.
    for (const RectF& frame : {RectF(0, 0, 300, 100), RectF(0, 0, 100, 300), RectF(0, 0, 500, 60), RectF(0, 0, 200, 200)}) {
        for (int32_t style : {1, 2, 3}) {
            for (size_t count : {1, 5, 18, 60}) {
                auto text = MakeText("x", frame, style);
                const float spacing = text->BuildTextGuide(style, count);
                GraphicsPath flat = *text->m_pTextGuide;
                ASSERT_TRUE(flat.Flatten(Matrix(), kTextGuideFlatness));
                // Around the closed ellipse one interval more stays free where the loop
                // meets itself, so that the last character keeps clear of the first.
                const size_t samples = style == 3 ? count + 2 : count + 1;
                EXPECT_EQ(ResampleByChord(flat.Points(), spacing, samples).size(), samples)
                    << frame.Width << "x" << frame.Height << " style " << style << " count " << count;
            }
        }
    }
    // Where the stadium's spacing fits, it stays.
    auto square = MakeText("x", RectF(0, 0, 200, 200), 1);
    EXPECT_NEAR(square->BuildTextGuide(1, 18), std::numbers::pi * 200.0 / 38.0, 1e-3);
}

TEST(DrawRectText, MissingFontFallsBackAndIsReported)
{
    const RectF frame(0, 0, 300, 100);
    auto missing = MakeText("Logo", frame);
    missing->m_strFontName = "Kelmora No Such Family";
    auto arial = MakeText("Logo", frame);
    const std::unique_ptr<GraphicsPath> fallback = missing->CreatePath(nullptr, nullptr);
    ASSERT_FALSE(fallback->IsEmpty());
    EXPECT_EQ(missing->m_strFallbackFont, "Arial");
    EXPECT_EQ(fallback->GetBounds(), arial->CreatePath(nullptr, nullptr)->GetBounds());

    std::vector<std::string> names = {"Earlier"};
    EXPECT_FALSE(missing->CollectFontNames(names));
    EXPECT_EQ(names, (std::vector<std::string>{"Earlier", "Kelmora No Such Family"}));
    EXPECT_TRUE(arial->CollectFontNames(names));
    auto rect = std::make_unique<CDrawRect>(frame, nullptr);
    rect->m_strFontName = "Kelmora No Such Family";
    EXPECT_TRUE(rect->CollectFontNames(names));
    EXPECT_EQ(names.size(), 2u);

    std::vector<std::string> fonts = {"kept"};
    GetInstalledFontNames(fonts);
    EXPECT_EQ(fonts.front(), "kept");
    EXPECT_NE(std::find(fonts.begin(), fonts.end(), "Arial"), fonts.end());
}

TEST(DrawRectImage, PicturePaintsIntoItsFrameThroughTheZoom)
{
    auto image = MakeImage(Numbered(4, 3));
    FakeView view(2.0f);
    ImageSurface surface = MakeSurface(10, 8);
    Graphics g(surface);
    RectF out;
    image->Draw(out, g, &view, nullptr, kDrawAllParts);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_TRUE(Near(*surface.GetPixel(2 * x + 1, 2 * y + 1), Color(255, uint8_t(10 * x + 1), uint8_t(10 * y + 1), 0)))
                << x << "," << y;
    EXPECT_EQ(surface.GetPixel(8, 1)->GetA(), 0);
    EXPECT_EQ(surface.GetPixel(1, 6)->GetA(), 0);
}

TEST(DrawRectImage, ColourKeysAndOpacity)
{
    Bitmap picture = Bitmap::Create(3, 1);
    picture.SetPixel(0, 0, 0xFF000000);  // opaque black
    picture.SetPixel(1, 0, 0x40000000);  // translucent black
    picture.SetPixel(2, 0, 0xFF00FF00);
    auto image = MakeImage(std::move(picture));
    image->m_nImageAlpha = 128;
    ImageSurface surface = MakeSurface(3, 1);
    Graphics g(surface);
    RectF out;
    image->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(surface.GetPixel(0, 0)->GetA(), 0);
    EXPECT_EQ(surface.GetPixel(1, 0)->GetA(), 0);
    EXPECT_TRUE(Near(*surface.GetPixel(2, 0), Color(128, 0, 255, 0)));
}

TEST(DrawRectImage, UndecodablePictureDrawsNothingAndIsKept)
{
    auto image = MakeImage(Bitmap::Failed(ImageStatus::UnknownImageFormat));
    const std::shared_ptr<const Bitmap> picture = image->m_pImage;
    ImageSurface surface = MakeSurface(4, 4);
    Graphics g(surface);
    RectF out;
    image->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_TRUE(InkBox(surface).IsEmptyArea());
    EXPECT_EQ(image->m_pImage, picture);
}

TEST(DrawRectImage, LoadingAFile)
{
    std::optional<TempFile> png = TempFile::Create("img");
    ASSERT_TRUE(png);
    Bitmap picture = Numbered(5, 7);
    ASSERT_TRUE(SaveImageFile("png", png->Path(), picture));

    auto image = MakeImage(Numbered(2, 2));
    ASSERT_TRUE(image->LoadImageFile(png->Path().string()));
    EXPECT_EQ(image->m_strImageFile, png->Path().string());
    EXPECT_EQ(image->m_rcFrame, RectF(0, 0, 5, 7));
    ASSERT_TRUE(image->m_pImage && image->m_pImage->IsOk());
    EXPECT_EQ(image->m_pImage->Width(), 5);

    // Garbage and missing files change nothing.
    std::optional<TempFile> junk = TempFile::Create("junk");
    ASSERT_TRUE(junk);
    std::ofstream(junk->Path(), std::ios::binary) << "not a picture at all";
    const std::shared_ptr<const Bitmap> before = image->m_pImage;
    EXPECT_FALSE(image->LoadImageFile(junk->Path().string()));
    EXPECT_FALSE(image->LoadImageFile(png->Path().string() + ".missing"));
    EXPECT_EQ(image->m_pImage, before);
    EXPECT_EQ(image->m_strImageFile, png->Path().string());
    EXPECT_EQ(image->m_rcFrame, RectF(0, 0, 5, 7));
}

} // namespace kelmora
