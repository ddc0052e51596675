#include "platform/graphics/CairoPath.h"

namespace kelmora {

namespace {

// The path's figures, each point moved by (dx, dy) first.
void AppendMoved(cairo_t* cr, const GraphicsPath& path, double dx, double dy)
{
    auto points = path.Points();
    auto types = path.Types();
    auto x = [&](size_t i) { return points[i].X + dx; };
    auto y = [&](size_t i) { return points[i].Y + dy; };
    for (size_t i = 0; i < points.size();) {
        const uint8_t kind = PathTypeKind(types[i]);
        size_t last = i;
        if (kind == PathPointType::Start) {
            cairo_move_to(cr, x(i), y(i));
            i += 1;
        } else if (kind == PathPointType::Line) {
            cairo_line_to(cr, x(i), y(i));
            i += 1;
        } else {
            // A GraphicsPath keeps its Béziers whole.
            cairo_curve_to(cr, x(i), y(i), x(i + 1), y(i + 1), x(i + 2), y(i + 2));
            last = i + 2;
            i += 3;
        }
        if (IsClosingPathType(types[last]))
            cairo_close_path(cr);
    }
}

} // namespace

void AppendCairoPath(cairo_t* cr, const GraphicsPath& path)
{
    AppendMoved(cr, path, 0.0, 0.0);
}

void SetCairoPathInDevice(cairo_t* cr, const GraphicsPath& path, const cairo_matrix_t& toDevice)
{
    cairo_new_path(cr);
    if (IsCairoTranslation(toDevice)) {
        // cairo would map each point as (1·x + 0·y) + x0: the same double as x + x0.
        cairo_identity_matrix(cr);
        AppendMoved(cr, path, toDevice.x0, toDevice.y0);
    } else {
        cairo_set_matrix(cr, &toDevice);
        AppendCairoPath(cr, path);
    }
}

} // namespace kelmora
