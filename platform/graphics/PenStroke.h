#pragma once
// Drawing a path's outline with a Pen onto a cairo context.
//
// Plain pens go through cairo's own stroker: one cap shape (flat, square or round) at
// every end, no dashes or flat dashes with flat ends, no compound array, centred, and no
// miter join that GDI+ would cut off at the limit where cairo bevels. Every other pen is
// turned into its outline by the Stroker and filled in one non-zero winding fill, so that
// a translucent pen keeps one alpha where its pieces overlap.
//
// The stroke is laid out in pen space: the world through the pen transform's linear part,
// so the nib is a circle of the pen's width there. A pen of width 0 strokes one device
// pixel wide; any other nib thinner than a device pixel is widened to one pixel.

#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/Matrix.h"
#include "platform/graphics/Pen.h"

#include <cairo.h>

#include <optional>

namespace kelmora {

enum class StrokeMethod {
    Nothing,      // the pen or the transform was refused: nothing is drawn
    CairoStroke,  // cairo_stroke with cairo's caps, joins and dashes
    OutlineFill,  // the Stroker's outline, filled once
};

// How StrokePathWithPen draws path with pen when worldToDevice maps the path to device
// pixels.
StrokeMethod ChooseStrokeMethod(const Pen& pen, const GraphicsPath& path, const cairo_matrix_t& worldToDevice);

// Strokes path (world coordinates) with pen on cr; worldToDevice maps world coordinates to
// cr's device space. The pen's brush is laid out in world coordinates. The context's
// transform, source, fill rule and line settings are left as the stroke set them, as every
// drawing step sets its own; its antialiasing and clip are used as they are. False, with
// nothing drawn, when the method is Nothing or the brush paints nothing.
bool StrokePathWithPen(cairo_t* cr, const cairo_matrix_t& worldToDevice, const GraphicsPath& path, const Pen& pen);

// The area pen paints along path as straight-edged closed figures to be filled with
// FillMode::Winding, after mapping by matrix (the path's own coordinates without one),
// with curves flattened to flatness. No one-pixel minimum applies: a pen of width 0 gives
// an empty path. Nothing for a pen that is not valid or a matrix that is not invertible.
std::optional<GraphicsPath> WidenPathWithPen(const GraphicsPath& path, const Pen& pen, const Matrix* matrix = nullptr,
                                             float flatness = kFlatnessDefault);

} // namespace kelmora
