#include "dialogs/StylePictures.h"

#include "model/PenMan.h"
#include "platform/graphics/DashStyle.h"
#include "platform/graphics/Graphics.h"

#include <vector>

namespace kelmora {

namespace {

const Color kInk(0xFF000000);
// Wide enough that every preset's dashes and gaps are told apart at 96 pixels.
constexpr float kDashPictureWidth = 2.0f;
// A compound line needs room across for its thinnest band (a tenth of the width).
constexpr float kCompoundPictureWidth = 12.0f;

std::optional<ImageSurface> DrawLine(const Pen& pen)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(kStylePictureWidth, kStylePictureHeight);
    if (!surface)
        return surface;
    {
        Graphics graphics(*surface);
        graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
        GraphicsPath line;
        line.AddLine(2.0f, kStylePictureHeight / 2.0f, kStylePictureWidth - 2.0f, kStylePictureHeight / 2.0f);
        graphics.DrawPath(pen, line);
    }
    cairo_surface_flush(surface->CairoSurface());
    return surface;
}

} // namespace

Pen DashStylePen(int style, Color colour, float width)
{
    Pen pen(colour, width);
    if (style < PenMan::kFirstCustomDashStyle) {
        pen.SetDashStyle(DashStyle(style));
    } else {
        std::vector<float> pattern;
        if (PenMan::GetDashPreset(style - PenMan::kFirstCustomDashStyle, pattern) && !pattern.empty())
            pen.SetDashPattern(pattern);
    }
    return pen;
}

std::optional<ImageSurface> DashStylePicture(int style)
{
    return DrawLine(DashStylePen(style, kInk, kDashPictureWidth));
}

std::optional<ImageSurface> CompoundPicture(int preset)
{
    Pen pen(kInk, kCompoundPictureWidth);
    std::vector<float> array;
    if (PenMan::ApplyCompoundPreset(array, preset))
        pen.SetCompoundArray(array);
    return DrawLine(pen);
}

} // namespace kelmora
