#include "platform/text/TextDrawing.h"

#include "platform/text/TextOutline.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

constexpr uint8_t kTypeMask = PathPointType::TypeMask;
constexpr uint8_t kTypeStart = PathPointType::Start;
constexpr uint8_t kTypeBezier = PathPointType::Bezier;
constexpr uint8_t kTypeClose = PathPointType::CloseSubpath;

void AppendOutline(cairo_t* cr, const TextOutline& outline)
{
    const std::vector<PointF>& points = outline.points;
    const std::vector<uint8_t>& types = outline.types;
    for (size_t i = 0; i < points.size(); ++i) {
        uint8_t type = types[i] & kTypeMask;
        if (type == kTypeStart) {
            cairo_move_to(cr, points[i].X, points[i].Y);
        } else if (type == kTypeBezier && i + 2 < points.size()) {
            cairo_curve_to(cr, points[i].X, points[i].Y, points[i + 1].X, points[i + 1].Y, points[i + 2].X,
                           points[i + 2].Y);
            i += 2;
        } else {
            cairo_line_to(cr, points[i].X, points[i].Y);
        }
        if (types[i] & kTypeClose)
            cairo_close_path(cr);
    }
}

// The area drawing is clipped to: the layout rectangle along the axes where it has an
// extent; along the others a few ems past the laid-out text, which is no limit at all.
RectF ClipArea(const RectF& layoutRect, const RectF& textBounds, double em)
{
    double x0 = layoutRect.X;
    double x1 = double(layoutRect.X) + layoutRect.Width;
    double y0 = layoutRect.Y;
    double y1 = double(layoutRect.Y) + layoutRect.Height;
    if (!(layoutRect.Width > 0.0f)) {
        x0 = textBounds.X - 4.0 * em;
        x1 = double(textBounds.X) + textBounds.Width + 4.0 * em;
    }
    if (!(layoutRect.Height > 0.0f)) {
        y0 = textBounds.Y - 4.0 * em;
        y1 = double(textBounds.Y) + textBounds.Height + 4.0 * em;
    }
    return RectF(float(x0), float(y0), float(x1 - x0), float(y1 - y0));
}

std::optional<TextOutline> LayOutForDrawing(std::string_view text, const Font& font, const RectF& layoutRect,
                                            const StringFormat& format, float dpi)
{
    if (!std::isfinite(dpi) || !(dpi > 0.0f))
        return std::nullopt;
    return LayOutText(text, font.GetFamily(), font.GetStyle(), font.EmSizeInWorld(dpi), layoutRect, format);
}

bool Draw(Graphics& graphics, std::string_view text, const Font& font, const RectF& layoutRect,
          const StringFormat& format, Color color, float dpi, bool clip)
{
    std::optional<TextOutline> outline = LayOutForDrawing(text, font, layoutRect, format, dpi);
    if (!outline)
        return false;
    if (outline->points.empty() || color.GetA() == 0)
        return true;
    // Overlapping contours of one glyph (and a bar through descenders) fill as one.
    std::optional<GraphicsPath> glyphs = GraphicsPath::FromPathData(outline->points, outline->types, FillMode::Winding);
    if (!glyphs)
        return false;
    if (!clip)
        return graphics.FillPath(color, *glyphs);
    GraphicsPath clipPath;
    RectF area = ClipArea(layoutRect, outline->bounds, font.EmSizeInWorld(dpi));
    if (!clipPath.AddRectangle(area))
        return false;
    GraphicsState state = graphics.Save();
    bool drawn = graphics.IntersectClip(clipPath) && graphics.FillPath(color, *glyphs);
    graphics.Restore(state);
    return drawn;
}

bool Draw(cairo_t* cr, std::string_view text, const Font& font, const RectF& layoutRect, const StringFormat& format,
          Color color, float dpi, bool clip)
{
    if (!cr || cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        return false;
    std::optional<TextOutline> outline = LayOutForDrawing(text, font, layoutRect, format, dpi);
    if (!outline)
        return false;
    if (outline->points.empty() || color.GetA() == 0)
        return true;

    // The current path is no part of cairo's saved state: keep the caller's aside.
    cairo_path_t* callerPath = cairo_copy_path(cr);
    cairo_save(cr);
    cairo_new_path(cr);
    if (clip) {
        RectF area = ClipArea(layoutRect, outline->bounds, font.EmSizeInWorld(dpi));
        cairo_rectangle(cr, area.X, area.Y, area.Width, area.Height);
        cairo_clip(cr);
    }
    AppendOutline(cr, *outline);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_set_source_rgba(cr, color.GetR() / 255.0, color.GetG() / 255.0, color.GetB() / 255.0,
                          color.GetA() / 255.0);
    cairo_fill(cr);
    cairo_restore(cr);
    if (callerPath->status == CAIRO_STATUS_SUCCESS)
        cairo_append_path(cr, callerPath);
    cairo_path_destroy(callerPath);
    return cairo_status(cr) == CAIRO_STATUS_SUCCESS;
}

} // namespace

bool DrawString(Graphics& graphics, std::string_view text, const Font& font, const RectF& layoutRect,
                const StringFormat& format, Color color, float dpi)
{
    bool clip = !HasFlag(format.GetFormatFlags(), StringFormatFlags::NoClip);
    return Draw(graphics, text, font, layoutRect, format, color, dpi, clip);
}

bool DrawString(Graphics& graphics, std::string_view text, const Font& font, PointF origin,
                const StringFormat& format, Color color, float dpi)
{
    return Draw(graphics, text, font, RectF(origin.X, origin.Y, 0.0f, 0.0f), format, color, dpi, false);
}

bool DrawString(cairo_t* cr, std::string_view text, const Font& font, const RectF& layoutRect,
                const StringFormat& format, Color color, float dpi)
{
    bool clip = !HasFlag(format.GetFormatFlags(), StringFormatFlags::NoClip);
    return Draw(cr, text, font, layoutRect, format, color, dpi, clip);
}

bool DrawString(cairo_t* cr, std::string_view text, const Font& font, PointF origin, const StringFormat& format,
                Color color, float dpi)
{
    return Draw(cr, text, font, RectF(origin.X, origin.Y, 0.0f, 0.0f), format, color, dpi, false);
}

std::optional<RectF> MeasureString(std::string_view text, const Font& font, const RectF& layoutRect,
                                   const StringFormat& format, float dpi)
{
    if (!std::isfinite(dpi) || !(dpi > 0.0f))
        return std::nullopt;
    std::optional<TextOutline> outline =
        LayOutText(text, font.GetFamily(), font.GetStyle(), font.EmSizeInWorld(dpi), layoutRect, format, false);
    if (!outline)
        return std::nullopt;
    return outline->bounds;
}

std::optional<RectF> MeasureString(std::string_view text, const Font& font, PointF origin,
                                   const StringFormat& format, float dpi)
{
    return MeasureString(text, font, RectF(origin.X, origin.Y, 0.0f, 0.0f), format, dpi);
}

} // namespace kelmora
