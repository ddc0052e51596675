#pragma once
// Where a test drawing left ink on a surface.

#include "platform/geometry/RectF.h"
#include "platform/graphics/ImageSurface.h"

#include <algorithm>

namespace kelmora {

inline bool Inked(const ImageSurface& surface, int x, int y)
{
    return surface.GetPixel(x, y)->GetA() > 0;
}

// The box of every pixel with any alpha; empty when there is none.
inline RectF InkBox(const ImageSurface& surface)
{
    int x0 = surface.Width(), y0 = surface.Height(), x1 = -1, y1 = -1;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (Inked(surface, x, y)) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0)
        return RectF();
    return RectF(float(x0), float(y0), float(x1 - x0 + 1), float(y1 - y0 + 1));
}

} // namespace kelmora
