#pragma once
// Pictures the ribbon makes for itself: drawings rendered through cairo into bitmaps, and
// the items of the Format tab's galleries, each rendered with the program's own renderer
// from the very preset the item applies, on a sample object, at screen scale.

#include <wx/bitmap.h>

#include <cairo.h>

#include <functional>
#include <vector>

namespace kelmora {

// A transparent `width` x `height` bitmap with what `draw` paints into it.
wxBitmap RenderArt(int width, int height, const std::function<void(cairo_t*)>& draw);

// The size of a gallery item, and of the line-weight and dash-style pictures.
inline constexpr int kGalleryItemSize = 40;
inline constexpr int kListImageWidth = 96;
inline constexpr int kLineWeightImageHeight = 13;
inline constexpr int kDashStyleImageHeight = 16;
inline constexpr int kDashStyleCount = 19;
inline constexpr int kLineWeightCount = 7;

// One picture per row of the tables behind the galleries (only the rows the gallery
// offers for the quick styles).
std::vector<wxBitmap> MakeStylesGalleryImages();
std::vector<wxBitmap> MakeShadowGalleryImages();
std::vector<wxBitmap> MakeGlowGalleryImages();
std::vector<wxBitmap> MakeReflectionGalleryImages();
std::vector<wxBitmap> MakeTextGalleryImages();
// A line of weight 1 to 7 points; a line in each of the 19 dash styles.
std::vector<wxBitmap> MakeLineWeightImages();
std::vector<wxBitmap> MakeDashStyleImages();

} // namespace kelmora
