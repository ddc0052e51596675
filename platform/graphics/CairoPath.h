#pragma once
// GraphicsPaths handed to cairo as its current path.

#include "platform/geometry/GraphicsPath.h"

#include <cairo.h>

namespace kelmora {

// Whether the matrix only moves: its linear part is the identity.
inline bool IsCairoTranslation(const cairo_matrix_t& m)
{
    return m.xx == 1.0 && m.yx == 0.0 && m.xy == 0.0 && m.yy == 1.0;
}

// Appends the path's figures to cr's current path, in cr's user space.
void AppendCairoPath(cairo_t* cr, const GraphicsPath& path);

// Replaces cr's current path by the path mapped into device space by toDevice. Where
// toDevice only moves, the points go in moved already, under the identity transform,
// which cairo then takes as they stand instead of mapping each one; the device coordinates
// are the same either way. cr's transform is afterwards the identity or toDevice, so
// whatever depends on it (a line width, a source) is set up under its own transform.
void SetCairoPathInDevice(cairo_t* cr, const GraphicsPath& path, const cairo_matrix_t& toDevice);

} // namespace kelmora
