#pragma once
// A small picture drawn once and painted many times: a shape that recurs unchanged at many
// points, such as the marks at the handles of every selected object, kept as device pixels.
//
// A stamp is made for one target: its device transform (world · base, Graphics.h) less the
// translation, and its smoothing. The shape is drawn about the world origin, with the
// origin on the centre of one of the stamp's pixels. Graphics::DrawStamps paints the stamp
// moved by whole device pixels so that this pixel lands on the device pixel a point falls
// in: where the point falls on a pixel centre the pixels are those that drawing the shape
// there gives, elsewhere the same pixels moved by at most half a pixel on each axis.

#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/Matrix.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/SmoothingMode.h"

#include <functional>
#include <optional>
#include <vector>

namespace kelmora {

class Graphics;

// A stamp is at most this many device pixels a side: far beyond a handle mark at any
// screen resolution, and small enough that painting one stays cheap. A larger shape is
// drawn as paths.
inline constexpr int kMaxStampSide = 512;

class Stamp {
public:
    // What `draw` paints about the world origin within `reach` (world units), drawn for
    // the target's device transform and smoothing. Nothing when the target's transform
    // cannot be used, `reach` is not finite, or the picture would exceed kMaxStampSide.
    static std::optional<Stamp> Create(const Graphics& target, const RectF& reach,
                                       const std::function<void(Graphics&)>& draw);

    // Whether the stamp was made for the target's current device transform and smoothing.
    bool Fits(const Graphics& target) const;
    // The same for a target whose device transform and smoothing are these: for callers
    // that check many stamps against one target.
    bool Fits(const Matrix& device, SmoothingMode smoothing) const;

    const ImageSurface& Picture() const { return m_picture; }
    // The picture's premultiplied pixels and the bytes from one row to the next: the
    // picture is not drawn on once made, so they stay as they are.
    const unsigned char* Pixels() const { return m_pixels; }
    int Stride() const { return m_stride; }
    // The pixel of the picture whose centre is the shape's origin.
    int OriginX() const { return m_originX; }
    int OriginY() const { return m_originY; }
    // The rows that hold painted pixels, and on row y the painted pixels lie in
    // [RowFirst(y), RowEnd(y)); RowFirst ≥ RowEnd on a row without any.
    int FirstRow() const { return m_firstRow; }
    int EndRow() const { return m_endRow; }
    int RowFirst(int y) const { return m_rows[size_t(y)].first; }
    int RowEnd(int y) const { return m_rows[size_t(y)].end; }
    // The box of painted pixels: columns [Left, Right), rows [FirstRow, EndRow).
    int Left() const { return m_left; }
    int Right() const { return m_right; }

    // The painted pixels of the rows as runs [first, end) of columns, for painting a stamp
    // that lies wholly inside the target's clip. Clear pixels blend to what is there: a
    // run goes on across fewer than kRunGap clear ones, and is widened into the clear
    // pixels after it to a whole number of kRunLanes pixels where the picture allows.
    static constexpr int kRunGap = 8;
    static constexpr int kRunLanes = 4;
    struct Run {
        int row = 0;
        int first = 0;
        int end = 0;
    };
    const std::vector<Run>& Runs() const { return m_runs; }
    // The column after the last that the runs cover; they begin at Left().
    int RunsRight() const { return m_runsRight; }

private:
    struct Span {
        int first = 0;
        int end = 0;
    };
    Stamp(ImageSurface picture, const Matrix& linear, bool smooth, int originX, int originY);
    void FindPaintedPixels();

    ImageSurface m_picture;
    Matrix m_linear;
    bool m_smooth = false;
    int m_originX = 0;
    int m_originY = 0;
    const unsigned char* m_pixels = nullptr;
    int m_stride = 0;
    std::vector<Span> m_rows;
    std::vector<Run> m_runs;
    int m_runsRight = 0;
    int m_firstRow = 0;
    int m_endRow = 0;
    int m_left = 0;
    int m_right = 0;
};

// A stamp and the point (world units) whose device pixel it is painted on.
struct StampAt {
    const Stamp* stamp = nullptr;
    PointF at;
};

} // namespace kelmora
