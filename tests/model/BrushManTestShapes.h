#pragma once
// A drawing object that paints its fill and outline, for the tests of fills and pens that
// need an object to draw: the base object's drawing is not what they test.

#include "ModelTestSupport.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/Pen.h"

#include <gtest/gtest.h>

#include <optional>

namespace kelmora::test {

class PaintedRect : public fakes::TestRect {
public:
    explicit PaintedRect(const RectF& frame) : TestRect(frame) { }

    RectF& Draw(RectF& out, Graphics& g, ViewServices* view, const Matrix* extra, DrawPartMask) override
    {
        std::unique_ptr<GraphicsPath> path = CreatePath(view, extra);
        out = path->GetBounds();
        if (m_bFillEnabled) {
            if (std::unique_ptr<Brush> brush = m_brush.CreateBrush(view))
                g.FillPath(*brush, *path);
        }
        if (m_bLineEnabled) {
            if (std::unique_ptr<Pen> pen = m_pen.CreatePen(view))
                g.DrawPath(*pen, *path);
        }
        return out;
    }
};

// An open line from one point to another in object space, outlined with its pen.
class PaintedLine : public PaintedRect {
public:
    PaintedLine(PointF from, PointF to) : PaintedRect(RectF::FromCorners(from, to)), m_from(from), m_to(to) { }

    std::unique_ptr<GraphicsPath> CreatePath(ViewServices* view, const Matrix* extra) override
    {
        auto path = std::make_unique<GraphicsPath>();
        path->AddLine(m_from, m_to);
        PlacePath(*path, view, extra);
        return path;
    }

    PointF m_from;
    PointF m_to;
};

// A solid square, filled only.
inline std::unique_ptr<PaintedRect> FilledSquare(const RectF& frame, ARGB color)
{
    auto square = std::make_unique<PaintedRect>(frame);
    square->m_bLineEnabled = false;
    square->m_bFillEnabled = true;
    square->m_brush.m_clrFore = color;
    return square;
}

inline ImageSurface NewSurface(int width, int height)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(width, height);
    if (!surface)
        throw std::runtime_error("no surface");
    return std::move(*surface);
}

inline uint32_t PixelAt(const ImageSurface& surface, int x, int y)
{
    return surface.GetPixel(x, y).value_or(Color(0x12345678)).GetValue();
}

} // namespace kelmora::test
