#pragma once
// Matrices handed to cairo. cairo puts a whole context into a permanent error state on a
// matrix it cannot invert, so every matrix from outside is checked here first.

#include "platform/geometry/Matrix.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace kelmora {

inline cairo_matrix_t ToCairoMatrix(const Matrix& m)
{
    cairo_matrix_t result;
    cairo_matrix_init(&result, m.M11(), m.M12(), m.M21(), m.M22(), m.OffsetX(), m.OffsetY());
    return result;
}

inline Matrix FromCairoMatrix(const cairo_matrix_t& m)
{
    return Matrix(float(m.xx), float(m.yx), float(m.xy), float(m.yy), float(m.x0), float(m.y0));
}

// Finite and invertible by cairo's own test.
inline bool IsUsableCairoMatrix(const cairo_matrix_t& m)
{
    double values[] = { m.xx, m.yx, m.xy, m.yy, m.x0, m.y0 };
    if (!std::all_of(std::begin(values), std::end(values), [](double v) { return std::isfinite(v); }))
        return false;
    cairo_matrix_t inverse = m;
    return cairo_matrix_invert(&inverse) == CAIRO_STATUS_SUCCESS;
}

} // namespace kelmora
