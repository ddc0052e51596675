// Drawing a picture through Graphics against painting an already premultiplied cairo
// surface of the same picture. A first draw converts the picture (premultiplying every
// pixel, and with attributes applying the colour key and matrix); the picture cache keeps
// the result, so that later draws cost about what the premultiplied surface does.

#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageAttributes.h"
#include "platform/graphics/PictureCache.h"
#include "platform/imaging/Bitmap.h"
#include "platform/imaging/PremultipliedPixels.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kelmora;

// A logo-sized picture with some translucency, so that premultiplying has work to do.
Bitmap MakePicture(int side)
{
    Bitmap picture = Bitmap::Create(side, side);
    for (int y = 0; y < side; ++y) {
        uint32_t* row = picture.Row(y);
        for (int x = 0; x < side; ++x)
            row[x] = MakeArgb(uint8_t(x + y), uint8_t(x), uint8_t(y), uint8_t(x ^ y));
    }
    return picture;
}

ImageAttributes MakeAttributes(bool withKeyAndOpacity)
{
    ImageAttributes attributes;
    if (withKeyAndOpacity) {
        attributes.SetColorKey(Color(0), Color(0));
        ColorMatrix opacity = ColorMatrix::Identity();
        opacity.m[3][3] = 0.5f;
        attributes.SetColorMatrix(opacity);
    }
    return attributes;
}

// Arguments: the picture's side; 1 for a colour key and an opacity; 1 to empty the picture
// cache before every draw, for what a picture costs the first time, 0 for the second and
// later draws.
void DrawImageThroughGraphics(benchmark::State& state)
{
    const int side = int(state.range(0));
    const bool firstTime = state.range(2) != 0;
    const Bitmap picture = MakePicture(side);
    ImageSurface surface = std::move(*ImageSurface::Create(side, side));
    Graphics g(surface);
    const ImageAttributes attributes = MakeAttributes(state.range(1) != 0);
    const RectF whole(0, 0, float(side), float(side));
    g.DrawImage(picture, whole, whole, &attributes);
    for (auto _ : state) {
        if (firstTime)
            PictureCache::ForCurrentThread()->Clear();
        g.DrawImage(picture, whole, whole, &attributes);
    }
    cairo_surface_flush(surface.CairoSurface());
}

void PaintPremultipliedSurface(benchmark::State& state)
{
    const int side = int(state.range(0));
    const Bitmap picture = MakePicture(side);
    cairo_surface_t* source = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side);
    CopyToPremultiplied(picture, cairo_image_surface_get_data(source), cairo_image_surface_get_stride(source));
    cairo_surface_mark_dirty(source);
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side);
    cairo_t* cr = cairo_create(target);
    for (auto _ : state) {
        cairo_set_source_surface(cr, source, 0, 0);
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(target);
    cairo_surface_destroy(source);
}

BENCHMARK(DrawImageThroughGraphics)
    ->Args({256, 0, 0})
    ->Args({256, 1, 0})
    ->Args({1024, 0, 0})
    ->Args({1024, 1, 0})
    ->Args({1024, 0, 1})
    ->Args({1024, 1, 1});
BENCHMARK(PaintPremultipliedSurface)->Arg(256)->Arg(1024);

} // namespace

BENCHMARK_MAIN();
