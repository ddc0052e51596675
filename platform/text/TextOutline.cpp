#include "platform/text/TextOutline.h"

#include "platform/text/TextSanitize.h"
#include "platform/text/TextThreadContext.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace kelmora {

namespace {

constexpr uint8_t kTypeStart = PathPointType::Start;
constexpr uint8_t kTypeLine = PathPointType::Line;
constexpr uint8_t kTypeBezier = PathPointType::Bezier;
constexpr uint8_t kTypeClose = PathPointType::CloseSubpath;

// Widest wrapping width handed to pango, in its units; wider means no wrapping at all
// (the line would overflow pango's coordinates long before it reached it).
constexpr double kMaxPangoWidth = double(INT_MAX / 4);

struct GObjectDeleter {
    void operator()(void* object) const { g_object_unref(object); }
};
struct FontDescriptionDeleter {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
struct FontMetricsDeleter {
    void operator()(PangoFontMetrics* m) const { pango_font_metrics_unref(m); }
};
struct CairoPathDeleter {
    void operator()(cairo_path_t* p) const { cairo_path_destroy(p); }
};
struct AttrListDeleter {
    void operator()(PangoAttrList* list) const { pango_attr_list_unref(list); }
};

// Words of fewer characters are left for pango to break: breaking a word between its
// characters costs pango time in proportion to what follows it on every line it fills,
// which is nothing for words of this length and minutes for a page of one word.
constexpr int kMinWordBrokenHere = 64;

double FromPango(int value)
{
    return double(value) / PANGO_SCALE;
}

// One glyph of a line, at layout size: x from the line's visual start, y from its
// baseline.
struct PlacedGlyph {
    PangoFont* font;
    PangoGlyph glyph;
    double x;
    double y;
};

// A line's glyphs and the part of it that alignment uses: from its start to its last
// non-space glyph (for a right-to-left line, from its first non-space glyph to its end).
struct LineGlyphs {
    std::vector<PlacedGlyph> glyphs;
    double start = 0;
    double end = 0;
};

LineGlyphs ReadLine(PangoLayoutLine* line, const char* text)
{
    LineGlyphs result;
    double x = 0;
    double firstInk = std::numeric_limits<double>::infinity();
    double lastInkEnd = -std::numeric_limits<double>::infinity();
    for (GSList* node = line->runs; node; node = node->next) {
        auto* run = static_cast<PangoGlyphItem*>(node->data);
        PangoItem* item = run->item;
        PangoGlyphString* glyphs = run->glyphs;
        for (int i = 0; i < glyphs->num_glyphs; ++i) {
            const PangoGlyphInfo& info = glyphs->glyphs[i];
            double width = FromPango(info.geometry.width);
            gunichar ch = g_utf8_get_char(text + item->offset + glyphs->log_clusters[i]);
            if (!g_unichar_isspace(ch)) {
                firstInk = std::min(firstInk, x);
                lastInkEnd = std::max(lastInkEnd, x + width);
            }
            if (info.glyph != PANGO_GLYPH_EMPTY && !(info.glyph & PANGO_GLYPH_UNKNOWN_FLAG)) {
                result.glyphs.push_back(PlacedGlyph{item->analysis.font, info.glyph,
                                                    x + FromPango(info.geometry.x_offset),
                                                    FromPango(info.geometry.y_offset)});
            }
            x += width;
        }
    }
    if (lastInkEnd < firstInk) {
        result.start = result.end = 0;
    } else if (line->resolved_dir == PANGO_DIRECTION_RTL) {
        result.start = firstInk;
        result.end = x;
    } else {
        result.start = 0;
        result.end = lastInkEnd;
    }
    return result;
}

// Appends cairo path data as figures, mapping each point p to offset + p·scale. Every
// figure is closed: glyph contours are closed shapes whether or not the font says so.
class FigureWriter {
public:
    FigureWriter(TextOutline& out, double scale, double dx, double dy)
        : m_out(out), m_scale(scale), m_dx(dx), m_dy(dy)
    {
    }

    void Append(const cairo_path_t& path)
    {
        for (int i = 0; i < path.num_data; i += path.data[i].header.length) {
            const cairo_path_data_t* data = &path.data[i];
            switch (data->header.type) {
            case CAIRO_PATH_MOVE_TO:
                CloseFigure();
                m_pending = Map(data[1]);
                break;
            case CAIRO_PATH_LINE_TO:
                Add(Map(data[1]), kTypeLine);
                break;
            case CAIRO_PATH_CURVE_TO:
                Add(Map(data[1]), kTypeBezier);
                Add(Map(data[2]), kTypeBezier);
                Add(Map(data[3]), kTypeBezier);
                break;
            case CAIRO_PATH_CLOSE_PATH:
                CloseFigure();
                break;
            }
        }
        CloseFigure();
    }

    // A rectangle turning clockwise on screen from its top-left corner, or the other way
    // round from the same corner.
    void AddRectangle(double x, double y, double width, double height, bool clockwise)
    {
        CloseFigure();
        PointF topRight(float(x + width), float(y));
        PointF bottomLeft(float(x), float(y + height));
        m_pending = PointF(float(x), float(y));
        Add(clockwise ? topRight : bottomLeft, kTypeLine);
        Add(PointF(float(x + width), float(y + height)), kTypeLine);
        Add(clockwise ? bottomLeft : topRight, kTypeLine);
        CloseFigure();
    }

private:
    PointF Map(const cairo_path_data_t& point) const
    {
        return PointF(float(m_dx + point.point.x * m_scale), float(m_dy + point.point.y * m_scale));
    }

    void Add(PointF point, uint8_t type)
    {
        if (!m_open) {
            m_figureStart = m_out.points.size();
            m_out.points.push_back(m_pending);
            m_out.types.push_back(kTypeStart);
            m_open = true;
        }
        m_out.points.push_back(point);
        m_out.types.push_back(type);
    }

    // Closes the open figure; the next segment starts where this figure started, as a
    // path's current point returns there on closing.
    void CloseFigure()
    {
        if (!m_open)
            return;
        m_out.types.back() |= kTypeClose;
        m_pending = m_out.points[m_figureStart];
        m_open = false;
    }

    TextOutline& m_out;
    double m_scale;
    double m_dx;
    double m_dy;
    PointF m_pending;
    bool m_open = false;
    size_t m_figureStart = 0;
};

void AppendGlyph(TextThreadContext& context, const PlacedGlyph& glyph, FigureWriter& writer)
{
    cairo_scaled_font_t* font = context.OutlineFont(glyph.font);
    if (!font)
        return;
    cairo_t* cr = context.Scratch();
    cairo_set_scaled_font(cr, font);
    cairo_glyph_t cairoGlyph{glyph.glyph, 0.0, 0.0};
    cairo_glyph_path(cr, &cairoGlyph, 1);
    // A glyph with no outline (a bitmap-only face) fails here; the scratch context is
    // renewed on its next use and the glyph is left out.
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        return;
    std::unique_ptr<cairo_path_t, CairoPathDeleter> path(cairo_copy_path(cr));
    cairo_new_path(cr);
    if (!path || path->status != CAIRO_STATUS_SUCCESS)
        return;
    writer.Append(*path);
}

// Whether the outer contours among the figures from point `from` on turn clockwise on
// screen: the turn of the figure of largest area. TrueType and CFF faces turn opposite
// ways; a decoration bar that turns with the glyphs joins them under the winding rule
// instead of cutting holes where it crosses them.
bool OuterContoursClockwise(const TextOutline& outline, size_t from)
{
    double largest = 0;
    double area = 0;
    size_t start = from;
    for (size_t i = from; i < outline.points.size(); ++i) {
        const PointF& p = outline.points[i];
        const bool last = (outline.types[i] & kTypeClose) != 0 || i + 1 == outline.points.size();
        const PointF& q = last ? outline.points[start] : outline.points[i + 1];
        area += double(p.X) * q.Y - double(q.X) * p.Y;
        if (last) {
            if (std::abs(area) > std::abs(largest))
                largest = area;
            area = 0;
            start = i + 1;
        }
    }
    return largest >= 0;
}

// A paragraph break before each piece of a word too wide for a line, so that pango gets
// no word it must break between characters: each piece holds as many characters as fit in
// `wrapWidth` (pango units), as pango's own breaking between characters would put on a
// line of their own, and a word's first piece goes on a line of its own as pango would
// move the word there. The breaks add no character that is drawn. Words shorter than
// kMinWordBrokenHere characters are left as they are; the text is returned unchanged when
// it has none longer.
std::string BreakOverlongWords(const std::string& text, PangoContext* context,
                               const PangoFontDescription* description, double wrapWidth)
{
    const int length = int(text.size());
    const int characters = int(g_utf8_strlen(text.data(), length));
    std::vector<PangoLogAttr> attrs(size_t(characters) + 1);
    pango_get_log_attrs(text.data(), length, -1, pango_context_get_language(context), attrs.data(),
                        characters + 1);
    int longest = 0;
    for (int i = 0, run = 0; i < characters; ++i) {
        run = attrs[size_t(i)].is_line_break ? 1 : run + 1;
        longest = std::max(longest, run);
    }
    if (longest < kMinWordBrokenHere)
        return text;

    // Every character's advance, from the text laid out without wrapping.
    std::unique_ptr<PangoLayout, GObjectDeleter> measure(pango_layout_new(context));
    pango_layout_set_font_description(measure.get(), description);
    pango_layout_set_text(measure.get(), text.data(), length);
    const char* measured = pango_layout_get_text(measure.get());
    std::vector<int> advance(size_t(characters), 0);
    std::vector<int> widths;
    for (GSList* lines = pango_layout_get_lines_readonly(measure.get()); lines; lines = lines->next) {
        for (GSList* node = static_cast<PangoLayoutLine*>(lines->data)->runs; node; node = node->next) {
            auto* run = static_cast<PangoGlyphItem*>(node->data);
            widths.assign(size_t(run->item->num_chars), 0);
            pango_glyph_item_get_logical_widths(run, measured, widths.data());
            const int first = int(g_utf8_pointer_to_offset(measured, measured + run->item->offset));
            for (int k = 0; k < run->item->num_chars && first + k < characters; ++k)
                advance[size_t(first + k)] = widths[size_t(k)];
        }
    }

    std::vector<int> breaks; // character indices that start a new piece
    for (int start = 0; start < characters;) {
        int end = start + 1;
        while (end < characters && !attrs[size_t(end)].is_line_break && !attrs[size_t(end)].is_mandatory_break)
            ++end;
        if (end - start >= kMinWordBrokenHere) {
            double filled = 0;
            int pieceStart = start;
            for (int i = start; i < end; ++i) {
                // Spaces at the end of a line take no room.
                const double width = attrs[size_t(i)].is_white ? 0.0 : double(advance[size_t(i)]);
                if (filled + width > wrapWidth && i > pieceStart && attrs[size_t(i)].is_char_break) {
                    breaks.push_back(i);
                    pieceStart = i;
                    filled = 0;
                }
                filled += width;
            }
        }
        start = end;
    }
    if (breaks.empty())
        return text;
    std::string broken;
    broken.reserve(text.size() + breaks.size());
    const char* p = text.data();
    int index = 0;
    for (int at : breaks) {
        const char* next = g_utf8_offset_to_pointer(p, at - index);
        broken.append(p, size_t(next - p));
        broken.push_back('\n');
        p = next;
        index = at;
    }
    broken.append(p, size_t(text.data() + text.size() - p));
    return broken;
}

double AlignedStart(StringAlignment alignment, double origin, double extent, double padding, double size)
{
    switch (alignment) {
    case StringAlignment::Center:
        return origin + (extent - size) / 2.0;
    case StringAlignment::Far:
        return origin + extent - padding - size;
    case StringAlignment::Near:
    default:
        return origin + padding;
    }
}

} // namespace

std::optional<TextOutline> LayOutText(std::string_view text, const FontFamily& family, FontStyle style,
                                      float emSize, const RectF& layoutRect, const StringFormat& format,
                                      bool withOutlines)
{
    if (!std::isfinite(emSize) || !(emSize > 0.0f) || emSize > kMaxEmSize || !layoutRect.IsFinite())
        return std::nullopt;

    const double em = emSize;
    const double scale = em / TextThreadContext::kLayoutEmPixels; // result units per layout unit
    const double padding = double(format.HorizontalPaddingEms()) * em;
    const double width = std::max(0.0, double(layoutRect.Width));
    const double height = std::max(0.0, double(layoutRect.Height));
    const bool boundedWidth = width > 0.0;

    TextOutline outline;
    std::string clean = SanitizeTextForLayout(text, kMaxLayoutCharacters);
    if (clean.empty()) {
        double x = AlignedStart(format.GetAlignment(), layoutRect.X, width, 0.0, 0.0);
        double y = AlignedStart(format.GetLineAlignment(), layoutRect.Y, height, 0.0, 0.0);
        outline.bounds = RectF(float(x), float(y), 0.0f, 0.0f);
        return outline;
    }

    TextThreadContext& context = TextThreadContext::Current();
    std::unique_ptr<PangoFontDescription, FontDescriptionDeleter> description(pango_font_description_new());
    pango_font_description_set_family(description.get(), family.InstalledName().c_str());
    pango_font_description_set_absolute_size(description.get(),
                                              TextThreadContext::kLayoutEmPixels * PANGO_SCALE);
    pango_font_description_set_weight(description.get(),
                                      HasStyle(style, FontStyle::Bold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(description.get(),
                                     HasStyle(style, FontStyle::Italic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);

    std::unique_ptr<PangoFont, GObjectDeleter> primary(pango_context_load_font(context.Context(), description.get()));
    if (!primary)
        return std::nullopt;
    std::unique_ptr<PangoFontMetrics, FontMetricsDeleter> metrics(pango_font_get_metrics(primary.get(), nullptr));
    const double ascent = FromPango(pango_font_metrics_get_ascent(metrics.get()));
    const double descent = FromPango(pango_font_metrics_get_descent(metrics.get()));
    double lineSpacing = FromPango(pango_font_metrics_get_height(metrics.get()));
    if (!(lineSpacing > 0.0))
        lineSpacing = ascent + descent;
    const double pitch = lineSpacing * scale;

    std::unique_ptr<PangoLayout, GObjectDeleter> layout(pango_layout_new(context.Context()));
    pango_layout_set_font_description(layout.get(), description.get());
    // A line break adds no character: pango's hyphens where it breaks a word are off.
    std::unique_ptr<PangoAttrList, AttrListDeleter> attributes(pango_attr_list_new());
    pango_attr_list_insert(attributes.get(), pango_attr_insert_hyphens_new(FALSE));
    pango_layout_set_attributes(layout.get(), attributes.get());
    const double wrapWidth = (width - 2.0 * padding) / scale * PANGO_SCALE;
    if (boundedWidth && !HasFlag(format.GetFormatFlags(), StringFormatFlags::NoWrap) && wrapWidth < kMaxPangoWidth) {
        const int lineWidth = std::max(1, int(wrapWidth));
        clean = BreakOverlongWords(clean, context.Context(), description.get(), lineWidth);
        pango_layout_set_text(layout.get(), clean.data(), int(clean.size()));
        pango_layout_set_width(layout.get(), lineWidth);
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    } else {
        pango_layout_set_text(layout.get(), clean.data(), int(clean.size()));
    }

    const char* layoutText = pango_layout_get_text(layout.get());
    int lineCount = pango_layout_get_line_count(layout.get());
    if (HasFlag(format.GetFormatFlags(), StringFormatFlags::LineLimit) && height > 0.0) {
        // Lines that fit wholly; the slack absorbs rounding in a height made to fit.
        double fitting = std::floor(height / pitch + 1e-4);
        if (fitting < lineCount)
            lineCount = int(fitting);
    }

    std::vector<LineGlyphs> lines;
    lines.reserve(size_t(lineCount));
    for (int i = 0; i < lineCount; ++i)
        lines.push_back(ReadLine(pango_layout_get_line_readonly(layout.get(), i), layoutText));

    const double blockHeight = lineCount * pitch;
    const double top = AlignedStart(format.GetLineAlignment(), layoutRect.Y, height, 0.0, blockHeight);
    const double underlinePosition = FromPango(pango_font_metrics_get_underline_position(metrics.get()));
    const double underlineThickness = FromPango(pango_font_metrics_get_underline_thickness(metrics.get()));
    const double strikePosition = FromPango(pango_font_metrics_get_strikethrough_position(metrics.get()));
    const double strikeThickness = FromPango(pango_font_metrics_get_strikethrough_thickness(metrics.get()));

    double left = std::numeric_limits<double>::infinity();
    double right = -std::numeric_limits<double>::infinity();
    const double outlineScale = em / TextThreadContext::kOutlineEmPixels;
    for (int i = 0; i < lineCount; ++i) {
        const LineGlyphs& line = lines[size_t(i)];
        const double lineWidth = (line.end - line.start) * scale;
        const double x = AlignedStart(format.GetAlignment(), layoutRect.X, width, padding, lineWidth);
        const double baseline = top + i * pitch + ascent * scale;
        left = std::min(left, x);
        right = std::max(right, x + lineWidth);
        if (!withOutlines)
            continue;
        const size_t lineStart = outline.points.size();
        for (const PlacedGlyph& glyph : line.glyphs) {
            const double gx = x + (glyph.x - line.start) * scale;
            const double gy = baseline + glyph.y * scale;
            FigureWriter writer(outline, outlineScale, gx, gy);
            AppendGlyph(context, glyph, writer);
        }
        if (lineWidth > 0.0) {
            const bool clockwise = OuterContoursClockwise(outline, lineStart);
            FigureWriter writer(outline, 1.0, 0.0, 0.0);
            if (HasStyle(style, FontStyle::Underline)) {
                writer.AddRectangle(x, baseline - underlinePosition * scale, lineWidth, underlineThickness * scale,
                                    clockwise);
            }
            if (HasStyle(style, FontStyle::Strikeout)) {
                writer.AddRectangle(x, baseline - strikePosition * scale, lineWidth, strikeThickness * scale,
                                    clockwise);
            }
        }
    }

    outline.lineCount = lineCount;
    if (lineCount == 0) {
        double x = AlignedStart(format.GetAlignment(), layoutRect.X, width, 0.0, 0.0);
        outline.bounds = RectF(float(x), float(top), 0.0f, 0.0f);
    } else {
        outline.bounds = RectF(float(left - padding), float(top), float(right - left + 2.0 * padding),
                               float(blockHeight));
    }
    return outline;
}

} // namespace kelmora
