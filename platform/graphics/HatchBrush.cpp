#include "platform/graphics/HatchBrush.h"

#include "platform/graphics/HatchPattern.h"

#include <cmath>
#include <cstring>

namespace kelmora {

namespace {

// One cell pixel as premultiplied ARGB32: the foreground over `coverage` of the pixel and
// the background over the rest, as an antialiased edge of the one over the other would
// come out.
uint32_t CellPixel(Color fore, Color back, uint8_t coverage)
{
    double f = coverage / 255.0;
    double b = 1.0 - f;
    double fa = fore.GetA() / 255.0;
    double ba = back.GetA() / 255.0;
    auto channel = [&](uint8_t foreValue, uint8_t backValue) {
        return uint32_t(std::lround(foreValue * fa * f + backValue * ba * b));
    };
    uint32_t alpha = uint32_t(std::lround(255.0 * (fa * f + ba * b)));
    return alpha << 24 | channel(fore.GetR(), back.GetR()) << 16 | channel(fore.GetG(), back.GetG()) << 8
        | channel(fore.GetB(), back.GetB());
}

} // namespace

HatchBrush::HatchBrush(HatchStyle style, Color foreColor, Color backColor)
    : m_style(style), m_foreColor(foreColor), m_backColor(backColor)
{
}

bool HatchBrush::SetAsSource(cairo_t* cr) const
{
    std::optional<HatchCell> cell = GetHatchCell(m_style);
    if (!cell)
        return false;
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kHatchCellSize, kHatchCellSize);
    if (cairo_surface_status(tile) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(tile);
        return false;
    }
    cairo_surface_flush(tile);
    unsigned char* data = cairo_image_surface_get_data(tile);
    int stride = cairo_image_surface_get_stride(tile);
    for (int y = 0; y < kHatchCellSize; ++y) {
        for (int x = 0; x < kHatchCellSize; ++x) {
            uint32_t pixel = CellPixel(m_foreColor, m_backColor, (*cell)[y][x]);
            std::memcpy(data + size_t(y) * size_t(stride) + size_t(x) * 4, &pixel, 4);
        }
    }
    cairo_surface_mark_dirty(tile);

    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
    cairo_surface_destroy(tile);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    // The pattern matrix maps user space to pattern space. Making it the user-to-device
    // transform puts pattern space on device pixels, with the cell grid at the device
    // origin.
    cairo_matrix_t userToDevice;
    cairo_get_matrix(cr, &userToDevice);
    cairo_pattern_set_matrix(pattern, &userToDevice);
    bool ok = cairo_pattern_status(pattern) == CAIRO_STATUS_SUCCESS;
    if (ok)
        cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    return ok;
}

} // namespace kelmora
