// The picture cache: what it finds for which pixels and settings, its budget, and that a
// cached picture never shows pixels or attributes it no longer has.

#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageAttributes.h"
#include "platform/graphics/PictureCache.h"
#include "platform/imaging/Bitmap.h"

#include <gtest/gtest.h>

#include <optional>
#include <thread>

namespace kelmora {

namespace {

Bitmap Filled(int width, int height, uint32_t argb)
{
    Bitmap bitmap = Bitmap::Create(width, height);
    for (uint32_t& p : bitmap.Pixels())
        p = argb;
    return bitmap;
}

// A surface of the picture's size, as DrawImage makes one.
cairo_surface_t* SurfaceFor(const Bitmap& picture)
{
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.Width(), picture.Height());
}

size_t SurfaceBytes(int width, int height)
{
    return size_t(cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width)) * size_t(height);
}

// Keeps a fresh surface for the picture with the settings.
void KeepNew(PictureCache& cache, const Bitmap& picture, std::vector<float> settings = {})
{
    cairo_surface_t* surface = SurfaceFor(picture);
    cache.Keep(picture, std::move(settings), surface);
    cairo_surface_destroy(surface);
}

bool Holds(PictureCache& cache, const Bitmap& picture, const std::vector<float>& settings = {})
{
    cairo_surface_t* found = cache.Find(picture, settings);
    cairo_surface_destroy(found);
    return found != nullptr;
}

// Draws the picture at its own size into a new surface and reads pixel (0, 0).
Color DrawnPixel(const Bitmap& picture, const ImageAttributes* attributes = nullptr)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(picture.Width(), picture.Height());
    Graphics g(*surface);
    const RectF whole(0, 0, float(picture.Width()), float(picture.Height()));
    g.DrawImage(picture, whole, whole, attributes);
    return *surface->GetPixel(0, 0);
}

} // namespace

TEST(PictureCacheTest, EntriesBelongToOnePixelStateAndOneSetOfSettings)
{
    PictureCache cache;
    Bitmap picture = Filled(4, 4, 0xFF102030u);
    KeepNew(cache, picture);
    EXPECT_TRUE(Holds(cache, picture));
    EXPECT_FALSE(Holds(cache, picture, {1.0f}));

    // A copy holds the same pixels and finds the entry, until one of them is written.
    Bitmap copy = picture;
    EXPECT_TRUE(Holds(cache, copy));
    copy.SetPixel(0, 0, 0xFF000000u);
    EXPECT_FALSE(Holds(cache, copy));
    EXPECT_TRUE(Holds(cache, picture));
    // Any write access counts, even one that leaves the pixels as they were.
    (void)picture.Row(0);
    EXPECT_FALSE(Holds(cache, picture));

    // A bitmap without pixels is never kept.
    KeepNew(cache, Bitmap());
    EXPECT_EQ(cache.EntryCount(), 1u);
}

TEST(PictureCacheTest, StaysWithinItsBudgetDroppingTheLeastRecentlyUsed)
{
    const size_t one = SurfaceBytes(16, 16);
    PictureCache cache(3 * one);
    const Bitmap a = Filled(16, 16, 0xFF0000FFu);
    const Bitmap b = Filled(16, 16, 0xFF00FF00u);
    const Bitmap c = Filled(16, 16, 0xFFFF0000u);
    const Bitmap d = Filled(16, 16, 0xFFFFFFFFu);
    KeepNew(cache, a);
    KeepNew(cache, b);
    KeepNew(cache, c);
    EXPECT_TRUE(Holds(cache, a)); // a is now the most recently used, b the least
    KeepNew(cache, d);
    EXPECT_EQ(cache.BytesHeld(), 3 * one);
    EXPECT_FALSE(Holds(cache, b));
    EXPECT_TRUE(Holds(cache, a));
    EXPECT_TRUE(Holds(cache, c));
    EXPECT_TRUE(Holds(cache, d));

    // Larger than the whole budget: not kept, and nothing else is pushed out for it.
    KeepNew(cache, Filled(64, 64, 0xFF000000u));
    EXPECT_EQ(cache.EntryCount(), 3u);

    cache.SetBudget(one);
    EXPECT_EQ(cache.EntryCount(), 1u);
    EXPECT_LE(cache.BytesHeld(), one);
}

TEST(PictureCacheTest, PicturesThatAreGoneAreDroppedWithTheNextEntry)
{
    PictureCache cache;
    {
        const Bitmap gone = Filled(8, 8, 0xFF336699u);
        KeepNew(cache, gone);
    }
    EXPECT_EQ(cache.EntryCount(), 1u);
    const Bitmap next = Filled(8, 8, 0xFF996633u);
    KeepNew(cache, next);
    EXPECT_EQ(cache.EntryCount(), 1u);
    EXPECT_TRUE(Holds(cache, next));
}

TEST(PictureCacheTest, DrawingShowsThePicturesCurrentPixelsAndAttributes)
{
    PictureCache& cache = *PictureCache::ForCurrentThread();
    Bitmap picture = Filled(3, 3, 0xFF204060u);
    EXPECT_EQ(DrawnPixel(picture), Color(0xFF204060u));
    const size_t entries = cache.EntryCount();
    EXPECT_EQ(DrawnPixel(picture), Color(0xFF204060u));
    EXPECT_EQ(cache.EntryCount(), entries); // drawn from the cache

    picture.SetPixel(0, 0, 0xFF802010u);
    EXPECT_EQ(DrawnPixel(picture), Color(0xFF802010u));

    ImageAttributes half;
    ColorMatrix opacity = ColorMatrix::Identity();
    opacity.m[3][3] = 0.5f;
    half.SetColorMatrix(opacity);
    EXPECT_EQ(DrawnPixel(picture, &half).GetA(), 128);
    opacity.m[3][3] = 0.25f;
    half.SetColorMatrix(opacity);
    EXPECT_EQ(DrawnPixel(picture, &half).GetA(), 64);
    half.SetColorKey(Color(0x80, 0x20, 0x10), Color(0x80, 0x20, 0x10));
    EXPECT_EQ(DrawnPixel(picture, &half).GetA(), 0);
}

TEST(PictureCacheTest, OtherThreadsDrawWithoutTheCache)
{
    PictureCache& cache = *PictureCache::ForCurrentThread();
    cache.Clear();
    const Bitmap picture = Filled(5, 5, 0xFF445566u);
    Color drawn;
    PictureCache* workerCache = &cache;
    std::thread worker([&] {
        workerCache = PictureCache::ForCurrentThread();
        drawn = DrawnPixel(picture);
    });
    worker.join();
    EXPECT_EQ(workerCache, nullptr);
    EXPECT_EQ(drawn, Color(0xFF445566u));
    EXPECT_EQ(cache.EntryCount(), 0u);
}

} // namespace kelmora
