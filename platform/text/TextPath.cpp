#include "platform/text/TextPath.h"

#include "platform/text/TextOutline.h"

namespace kelmora {

bool AddString(GraphicsPath& path, std::string_view text, const FontFamily& family, FontStyle style, float emSize,
               const RectF& layoutRect, const StringFormat& format)
{
    std::optional<TextOutline> outline = LayOutText(text, family, style, emSize, layoutRect, format);
    if (!outline)
        return false;
    if (outline->points.empty())
        return true;
    std::optional<GraphicsPath> glyphs = GraphicsPath::FromPathData(outline->points, outline->types, path.GetFillMode());
    if (!glyphs)
        return false;
    return path.AddPath(*glyphs, false);
}

bool AddString(GraphicsPath& path, std::string_view text, const FontFamily& family, FontStyle style, float emSize,
               PointF origin, const StringFormat& format)
{
    return AddString(path, text, family, style, emSize, RectF(origin.X, origin.Y, 0.0f, 0.0f), format);
}

} // namespace kelmora
