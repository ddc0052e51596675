// Path data from files (custom shapes, imported outlines): validation, then every
// geometric operation a drawing step or hit test runs on an accepted path.
#include "platform/geometry/GraphicsPath.h"

#include <cstdint>
#include <cstring>
#include <vector>

using namespace kelmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Layout: one byte per point of types, then eight bytes per point of coordinates.
    size_t count = size / 9;
    if (count > 4096)
        count = 4096;
    std::vector<uint8_t> types(data, data + count);
    std::vector<PointF> points(count);
    for (size_t i = 0; i < count; ++i) {
        float xy[2];
        std::memcpy(xy, data + count + i * 8, 8);
        points[i] = PointF(xy[0], xy[1]);
    }
    auto path = GraphicsPath::FromPathData(points, types);
    if (!path)
        return 0;
    path->GetBounds();
    PenGeometry pen;
    pen.width = 3;
    path->GetBounds(nullptr, &pen);
    path->IsVisible(PointF(1, 1));
    path->IsOutlineVisible(PointF(1, 1), pen);
    GraphicsPath widened = *path;
    widened.Widen(pen);
    path->Flatten();
    return 0;
}
