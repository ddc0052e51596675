#include "app/desktop/ProgramIconArt.h"

#include <cmath>
#include <numbers>
#include <string>

namespace kelmora {

namespace {

void RoundedSquare(cairo_t* cr, double radius)
{
    const double r = radius;
    cairo_new_sub_path(cr);
    cairo_arc(cr, 1 - r, r, r, -std::numbers::pi / 2, 0);
    cairo_arc(cr, 1 - r, 1 - r, r, 0, std::numbers::pi / 2);
    cairo_arc(cr, r, 1 - r, r, std::numbers::pi / 2, std::numbers::pi);
    cairo_arc(cr, r, r, r, std::numbers::pi, 3 * std::numbers::pi / 2);
    cairo_close_path(cr);
}

void Star(cairo_t* cr, double cx, double cy, double outer, double inner)
{
    constexpr int kPoints = 5;
    for (int i = 0; i < 2 * kPoints; ++i) {
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / kPoints;
        const double r = i % 2 == 0 ? outer : inner;
        const double x = cx + r * std::cos(angle);
        const double y = cy + r * std::sin(angle);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

} // namespace

std::filesystem::path ProgramIconFile(const std::filesystem::path& iconsFolder, int size)
{
    const std::string side = std::to_string(size);
    return iconsFolder / "hicolor" / (side + "x" + side) / "apps" / "kelmora.png";
}

void DrawProgramIcon(cairo_t* cr, int size)
{
    cairo_save(cr);
    cairo_scale(cr, size, size);

    // The tile, top blue to bottom violet.
    RoundedSquare(cr, 0.2);
    cairo_pattern_t* tile = cairo_pattern_create_linear(0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgb(tile, 0, 0.18, 0.44, 0.84);
    cairo_pattern_add_color_stop_rgb(tile, 1, 0.42, 0.25, 0.78);
    cairo_set_source(cr, tile);
    cairo_fill(cr);
    cairo_pattern_destroy(tile);

    // A disc behind the star.
    cairo_arc(cr, 0.64, 0.62, 0.21, 0, 2 * std::numbers::pi);
    cairo_set_source_rgba(cr, 1.0, 0.42, 0.55, 0.92);
    cairo_fill(cr);

    // The star with a white outline.
    Star(cr, 0.40, 0.42, 0.27, 0.115);
    cairo_set_source_rgb(cr, 1.0, 0.82, 0.25);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, size >= 32 ? 0.025 : 0.045);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);

    // A pen stroke sweeping up across the tile.
    cairo_move_to(cr, 0.16, 0.84);
    cairo_curve_to(cr, 0.40, 0.92, 0.70, 0.80, 0.86, 0.22);
    cairo_set_line_width(cr, size >= 32 ? 0.05 : 0.08);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_stroke(cr);

    cairo_restore(cr);
}

cairo_surface_t* RenderProgramIcon(int size)
{
    if (size <= 0)
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_t* cr = cairo_create(surface);
    DrawProgramIcon(cr, size);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

} // namespace kelmora
