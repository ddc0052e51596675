#pragma once
// A drawing surface with GDI+ semantics over a cairo context.
//
// Coordinates: a path point p reaches the device as p · W · B, where W is the world
// transform kept here (GDI+ row-vector order, MatrixOrder::Prepend the default for every
// transform call, see Matrix.h) and B is the context's own transform at construction (the
// window or surface placement). As in GDI+'s default pixel-offset mode, pixel centres sit
// on integer device coordinates: a one-unit line along y = 5 covers exactly pixel row 5.
//
// Every call that would put cairo into its permanent error state — a non-finite or
// singular transform, a non-finite coordinate, a negative or non-finite width — is refused
// and draws nothing for that one call, returning false; later calls draw as usual.
//
// The clip is kept in device space: a path set as clip is mapped with the world transform
// current at that moment, and later transform changes do not move it. Clip edges are
// aliased, as GDI+'s are, whatever the smoothing mode.
//
// Not thread-safe; each thread draws through Graphics objects of its own.

#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/Matrix.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/CombineMode.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/SmoothingMode.h"

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kelmora {

// The handle Save() returns; each works once in Restore().
using GraphicsState = uint32_t;

class Bitmap;
class Brush;
class ImageAttributes;
class Pen;
struct StampAt;

class Graphics {
public:
    // Draws through cr, which this object references until it goes away. The context's
    // transform and clip at this point become the base of every drawing step, and the
    // context returns to that state when the Graphics is destroyed.
    explicit Graphics(cairo_t* cr);
    // Draws into the surface.
    explicit Graphics(ImageSurface& surface);
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    ~Graphics();

    cairo_t* CairoContext() const { return m_cr; }

    Matrix GetTransform() const { return m_state.world; }
    // The transform calls refuse (false, transform unchanged) a result that is not finite
    // or not invertible.
    bool SetTransform(const Matrix& matrix);
    void ResetTransform() { m_state.world.Reset(); }
    bool MultiplyTransform(const Matrix& matrix, MatrixOrder order = MatrixOrder::Prepend);
    bool TranslateTransform(float dx, float dy, MatrixOrder order = MatrixOrder::Prepend);
    bool ScaleTransform(float sx, float sy, MatrixOrder order = MatrixOrder::Prepend);
    bool RotateTransform(float degrees, MatrixOrder order = MatrixOrder::Prepend);
    // World units to the target's device pixels (world · base), pixel centres on integer
    // coordinates; nothing when the product cannot be used.
    std::optional<Matrix> GetDeviceTransform() const;

    // Whether paths are thinned to the detail the surface can show before they are filled
    // or stroked (ThinnedPath, PathThinning.h); off by default. For pictures far smaller
    // than the geometry they show, such as a drawing's thumbnail.
    void SetThinDetail(bool thin) { m_thinDetail = thin; }
    bool GetThinDetail() const { return m_thinDetail; }

    SmoothingMode GetSmoothingMode() const { return m_state.smoothing; }
    // Refuses SmoothingMode::Invalid.
    bool SetSmoothingMode(SmoothingMode mode);

    // Replaces every pixel inside the clip by the colour, alpha included.
    void Clear(Color color);
    // Fills the path's figures (each taken as closed) by the path's fill mode.
    bool FillPath(Color color, const GraphicsPath& path);
    // Strokes the path with a solid pen of the given width in world units (scaled by the
    // transforms like the path itself), flat caps and miter joins that turn into bevels
    // past ten times the width. Width 0 draws one device pixel wide whatever the transform.
    bool DrawPath(Color color, float width, const GraphicsPath& path);
    // Fills the path with the brush (Brush.h); false, drawing nothing, for a brush that is
    // not valid.
    bool FillPath(const Brush& brush, const GraphicsPath& path);
    // Strokes the path with the pen (Pen.h, PenStroke.h); false, drawing nothing, for a pen
    // that is not valid.
    bool DrawPath(const Pen& pen, const GraphicsPath& path);
    // Paints the surface with its top-left corner at (x, y), one surface pixel per world
    // unit. Pixel edges, not centres, fall on the surface's integer coordinates, so a
    // surface drawn with a world transform of translation by (−x, −y) and painted back at
    // (x, y) lands on the very pixels it was drawn for. False for a non-finite position.
    bool DrawSurface(const ImageSurface& surface, float x, float y);
    // Paints each stamp in turn, in the order given, moved by whole device pixels so that
    // its origin lands on the device pixel its point falls in (Stamp.h), inside the clip.
    // False, drawing nothing, when a stamp was made for another transform or smoothing
    // (Stamp::Fits) or a point is not finite.
    bool DrawStamps(std::span<const StampAt> stamps);

    // Draws `sourceRect` of the bitmap (in pixels) into the parallelogram whose upper-left,
    // upper-right and lower-left corners are destPoints[0], [1] and [2] (world units), its
    // colours changed by `attributes` when given. Source pixel (i, j) spans (i, j) to
    // (i + 1, j + 1), and the picture is laid on the device pixel grid itself, not on the
    // half-pixel-offset grid of lines and fills, so that a picture drawn at its own size
    // onto whole units puts each pixel exactly onto one device pixel, as GDI+ draws
    // pictures in its default pixel-offset mode. Between pixel centres colours are
    // interpolated bilinearly; samples beyond the picture's edges take the edge pixels,
    // so a stretched picture gets no fringe of transparency. The bitmap is straight ARGB
    // and is premultiplied on its way to cairo.
    //
    // False, drawing nothing, for a bitmap without pixels, a count other than 3, a
    // non-finite point or rectangle, a source rectangle without width or height, or a
    // parallelogram without area.
    bool DrawImage(const Bitmap& image, std::span<const PointF> destPoints, const RectF& sourceRect,
                   const ImageAttributes* attributes = nullptr);
    // The same into a rectangle.
    bool DrawImage(const Bitmap& image, const RectF& destRect, const RectF& sourceRect,
                   const ImageAttributes* attributes = nullptr);
    // The whole bitmap stretched into the rectangle.
    bool DrawImage(const Bitmap& image, const RectF& destRect);

    // Sets the clip from the path's filled area (by its fill mode) in world coordinates.
    bool SetClip(const GraphicsPath& path, CombineMode mode = CombineMode::Replace);
    bool IntersectClip(const GraphicsPath& path) { return SetClip(path, CombineMode::Intersect); }
    // Back to the unlimited clip (the context's own clip at construction).
    void ResetClip();
    // The bounds, in world coordinates, of the area that drawing can still reach: the
    // clip and the target's own extent. Nothing when the world transform cannot be
    // inverted.
    std::optional<RectF> GetVisibleClipBounds();

    // Pushes transform, clip and smoothing. Restore returns to the state saved under the
    // handle and drops that and every later saved state; false for an unknown handle.
    GraphicsState Save();
    bool Restore(GraphicsState state);

private:
    struct ClipArea {
        GraphicsPath path;
        Matrix world;
    };
    struct State {
        Matrix world;
        std::vector<ClipArea> clip;
        // Names the clip: 0 for none, a new number for every clip set; a restore that
        // brings back the clip in force leaves the context's clip alone.
        uint64_t clipId = 0;
        SmoothingMode smoothing = SmoothingMode::Default;
    };
    struct SavedState {
        GraphicsState id;
        State state;
    };

    // world · base, as a cairo matrix; nothing when cairo would refuse it.
    std::optional<cairo_matrix_t> PixelMatrix(const Matrix& world) const;
    // world · base · pixel-centre offset, as a cairo matrix; nothing when cairo would
    // refuse it.
    std::optional<cairo_matrix_t> DeviceMatrix(const Matrix& world) const;
    // Puts the clip areas on the context again, from the base state.
    void ApplyClip();
    // Sets the context's transform and a fresh path from `path`; false when refused.
    bool PreparePath(const GraphicsPath& path, const Matrix& world);
    // The path thinned for this surface, when thinning is on and the path needs it.
    std::optional<GraphicsPath> Thinned(const GraphicsPath& path) const;
    void ApplySmoothing();

    cairo_t* m_cr = nullptr;
    cairo_matrix_t m_base{};
    State m_state;
    std::vector<SavedState> m_saved;
    GraphicsState m_nextStateId = 1;
    uint64_t m_nextClipId = 1;
    bool m_thinDetail = false;
};

} // namespace kelmora
