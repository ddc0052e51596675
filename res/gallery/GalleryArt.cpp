#include "res/gallery/GalleryArt.h"

#include "document/DocSummaryInfo.h"
#include "document/DrawDoc.h"
#include "document/StandaloneEnvironment.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "platform/geometry/Angles.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/PathPointType.h"
#include "platform/text/TextOutline.h"

#include <algorithm>
#include <cmath>

namespace kelmora::gallery {

namespace {

// The control distance of a quarter circle drawn as one cubic curve.
constexpr float kQuarterArc = float(kEllipseKappa);

uint8_t Channel(ARGB colour, int shift)
{
    return uint8_t(colour >> shift);
}

void ApplyPaint(BrushMan& brush, const Paint& paint, const RectF& bounds)
{
    brush.m_interpColors.clear();
    brush.m_interpPositions.clear();
    switch (paint.kind) {
    case Paint::Kind::None:
        return;
    case Paint::Kind::Solid:
        brush.m_nKind = BrushKind::Solid;
        brush.m_clrFore = paint.stops.front().colour;
        return;
    case Paint::Kind::Linear: {
        brush.m_nKind = BrushKind::LinearGradient;
        brush.m_nGradientPreset = -1;
        brush.m_bUsePoints = 1;
        // From the bounds' corner furthest back along the direction to the one furthest
        // ahead, so that the gradient spans the shape exactly once.
        const double angle = DegreesToRadians(paint.angle);
        const PointF d(float(std::cos(angle)), float(std::sin(angle)));
        const PointF c = bounds.Center();
        const float reach = std::fabs(d.X) * bounds.Width / 2 + std::fabs(d.Y) * bounds.Height / 2;
        brush.m_ptStart = PointF(c.X - d.X * reach, c.Y - d.Y * reach);
        brush.m_ptEnd = PointF(c.X + d.X * reach, c.Y + d.Y * reach);
        brush.m_clrFore = paint.stops.front().colour;
        brush.m_clrBack = paint.stops.back().colour;
        if (paint.stops.size() > 2) {
            for (const Stop& stop : paint.stops) {
                brush.m_interpColors.push_back(stop.colour);
                brush.m_interpPositions.push_back(stop.position);
            }
        }
        return;
    }
    case Paint::Kind::Radial:
        // An elliptical path gradient around the bounds; its colours run from the rim
        // (position 0) to the centre (position 1).
        brush.m_nKind = BrushKind::PathGradient;
        brush.m_nGradientPreset = -1;
        brush.m_nPathStyle = int32_t(PathGradientStyle::Ellipse);
        for (auto it = paint.stops.rbegin(); it != paint.stops.rend(); ++it) {
            brush.m_interpColors.push_back(it->colour);
            brush.m_interpPositions.push_back(1.0f - it->position);
        }
        brush.m_nGradientOffsetX = paint.offsetX;
        brush.m_nGradientOffsetY = paint.offsetY;
        return;
    }
}

void ApplyStyle(CDrawObj& object, const Style& style)
{
    const RectF bounds = object.GetPathBounds(nullptr, nullptr);
    object.m_bFillEnabled = style.fill.kind != Paint::Kind::None;
    ApplyPaint(object.m_brush, style.fill, bounds);
    object.m_bLineEnabled = style.line != 0 && style.lineWidth > 0;
    object.m_pen.m_fWidth = style.lineWidth;
    object.m_pen.m_nLineJoin = 2;   // round
    object.m_pen.m_brush.m_nKind = BrushKind::Solid;
    object.m_pen.m_brush.m_clrFore = style.line;
    object.m_bShadow = style.shadow.colour != 0;
    if (object.m_bShadow) {
        object.m_shadowBrush.m_nKind = BrushKind::Solid;
        object.m_shadowBrush.m_clrFore = style.shadow.colour;
        object.m_fShadowDepth = style.shadow.depth;
        object.m_fShadowBlur = style.shadow.blur;
        object.m_nShadowDirection = style.shadow.direction;
    }
    object.m_bGlow = style.glow != 0;
    if (object.m_bGlow) {
        object.m_clrGlow = style.glow;
        object.m_fGlowRadius = style.glowRadius;
    }
    object.RecalcBounds(nullptr);
}

const char* FontName(FontFace face)
{
    return face == FontFace::Serif ? "Liberation Serif" : "Liberation Sans";
}

// The frame a one-line text takes: the box of its line laid out without wrapping, from
// the frame's corner. A text gallery style lays the characters along the ellipse in the
// frame, so a frame that hugs the text arcs it as a frame drawn round a typed text does,
// where a frame far wider than the text would spread it along an arc off the page.
RectF FittedTextFrame(const std::string& text, const TextStyle& style)
{
    const FontFamily family = FontFamily::Create(FontName(style.face)).value_or(FontFamily::GenericSansSerif());
    const std::optional<TextOutline> line = LayOutText(text, family, FontStyleFromBits(style.fontStyle), style.size,
                                                       RectF(), StringFormat(), false);
    if (!line || !(line->bounds.Width > 0.0f) || !(line->bounds.Height > 0.0f))
        return RectF(0, 0, style.size * float(text.size() + 1), style.size * 2.0f);
    // Whole units, rounded up, so that the line still fits without wrapping.
    return RectF(0, 0, std::ceil(line->bounds.X + line->bounds.Width), std::ceil(line->bounds.Y + line->bounds.Height));
}

std::unique_ptr<CDrawRect> NewText(const std::string& text, const RectF& frame, const TextStyle& style)
{
    auto object = std::make_unique<CDrawRect>(frame, nullptr);
    object->m_nShapeType = ShapeType::Text;
    object->m_strText = text;
    object->m_strFontName = FontName(style.face);
    object->m_nFontStyle = style.fontStyle;
    object->m_fFontSize = style.size;
    object->SetName("Text - " + text);
    Style look;
    look.fill = style.fill;
    look.line = style.line;
    look.lineWidth = style.lineWidth;
    look.shadow = style.shadow;
    ApplyStyle(*object, look);
    return object;
}

void MoveBy(CDrawObj& object, float dx, float dy)
{
    object.m_pMatrix->Translate(dx, dy, MatrixOrder::Append);
    object.RecalcBounds(nullptr);
}

} // namespace

ARGB Tint(ARGB colour, float t)
{
    const float target = t > 0 ? 255.0f : 0.0f;
    const float k = std::min(1.0f, std::fabs(t));
    auto mix = [&](int shift) { return uint32_t(std::lround(Channel(colour, shift) + (target - Channel(colour, shift)) * k)); };
    return (colour & 0xFF000000) | mix(16) << 16 | mix(8) << 8 | mix(0);
}

Paint Solid(ARGB colour)
{
    Paint paint;
    paint.kind = Paint::Kind::Solid;
    paint.stops = {{0.0f, colour}};
    return paint;
}

Paint Linear(ARGB from, ARGB to, float angle)
{
    return Linear({{0.0f, from}, {1.0f, to}}, angle);
}

Paint Linear(std::initializer_list<Stop> stops, float angle)
{
    Paint paint;
    paint.kind = Paint::Kind::Linear;
    paint.stops = stops;
    paint.angle = angle;
    return paint;
}

Paint Radial(ARGB centre, ARGB edge, int offsetX, int offsetY)
{
    Paint paint;
    paint.kind = Paint::Kind::Radial;
    paint.stops = {{0.0f, centre}, {1.0f, edge}};
    paint.offsetX = offsetX;
    paint.offsetY = offsetY;
    return paint;
}

Shadow SoftShadow(float depth, uint32_t alpha)
{
    Shadow shadow;
    shadow.colour = Rgb(0x1A2230, alpha);
    shadow.depth = depth;
    shadow.blur = depth;
    return shadow;
}

PointF PointOnCircle(float cx, float cy, float r, float degrees)
{
    const double angle = DegreesToRadians(degrees);
    return PointF(cx + r * float(std::sin(angle)), cy - r * float(std::cos(angle)));
}

Style Flat(ARGB colour)
{
    return Filled(Solid(colour));
}

Style Filled(Paint fill)
{
    Style style;
    style.fill = std::move(fill);
    return style;
}

Style Filled(Paint fill, ARGB line, float lineWidth)
{
    Style style;
    style.fill = std::move(fill);
    style.line = line;
    style.lineWidth = lineWidth;
    return style;
}

Style WithShadow(Style style, Shadow shadow)
{
    style.shadow = shadow;
    return style;
}

// ---------------------------------------------------------------------------------------
// Outline

Outline& Outline::MoveTo(float x, float y)
{
    m_start = PointF(x, y);
    m_points.push_back(m_start);
    m_types.push_back(PathPointType::Start);
    return *this;
}

Outline& Outline::LineTo(float x, float y)
{
    m_points.emplace_back(x, y);
    m_types.push_back(PathPointType::Line);
    return *this;
}

Outline& Outline::CurveTo(float c1x, float c1y, float c2x, float c2y, float x, float y)
{
    for (PointF p : {PointF(c1x, c1y), PointF(c2x, c2y), PointF(x, y)}) {
        m_points.push_back(p);
        m_types.push_back(PathPointType::Bezier);
    }
    return *this;
}

Outline& Outline::QuadTo(float cx, float cy, float x, float y)
{
    const PointF p0 = Current();
    return CurveTo(p0.X + 2.0f / 3.0f * (cx - p0.X), p0.Y + 2.0f / 3.0f * (cy - p0.Y), x + 2.0f / 3.0f * (cx - x),
                   y + 2.0f / 3.0f * (cy - y), x, y);
}

Outline& Outline::ArcTo(float rx, float ry, float rotation, bool largeArc, bool sweep, float x, float y)
{
    std::vector<PointF> arc;
    ArcToPathPoints(arc, Current(), PointF(x, y), rx, ry, rotation, largeArc, sweep);
    if (arc.empty())
        return LineTo(x, y);
    for (PointF p : arc) {
        m_points.push_back(p);
        m_types.push_back(PathPointType::Bezier);
    }
    return *this;
}

Outline& Outline::Close()
{
    if (!m_types.empty())
        m_types.back() |= PathPointType::CloseSubpath;
    return *this;
}

Outline& Outline::Ellipse(float cx, float cy, float rx, float ry)
{
    const float kx = rx * kQuarterArc;
    const float ky = ry * kQuarterArc;
    MoveTo(cx + rx, cy);
    CurveTo(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
    CurveTo(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
    CurveTo(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
    CurveTo(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
    return Close();
}

Outline& Outline::Rect(float x, float y, float w, float h)
{
    return Polygon({PointF(x, y), PointF(x + w, y), PointF(x + w, y + h), PointF(x, y + h)});
}

Outline& Outline::RoundRect(float x, float y, float w, float h, float r)
{
    r = std::min({r, w / 2, h / 2});
    const float k = r * (1.0f - kQuarterArc);
    MoveTo(x + r, y);
    LineTo(x + w - r, y);
    CurveTo(x + w - k, y, x + w, y + k, x + w, y + r);
    LineTo(x + w, y + h - r);
    CurveTo(x + w, y + h - k, x + w - k, y + h, x + w - r, y + h);
    LineTo(x + r, y + h);
    CurveTo(x + k, y + h, x, y + h - k, x, y + h - r);
    LineTo(x, y + r);
    CurveTo(x, y + k, x + k, y, x + r, y);
    return Close();
}

Outline& Outline::Polygon(const std::vector<PointF>& points)
{
    if (points.empty())
        return *this;
    MoveTo(points[0].X, points[0].Y);
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
    return Close();
}

Outline& Outline::SmoothPolygon(const std::vector<PointF>& points, float tension)
{
    const size_t n = points.size();
    if (n < 3)
        return Polygon(points);
    MoveTo(points[0].X, points[0].Y);
    const float k = tension / 3.0f;
    for (size_t i = 0; i < n; ++i) {
        const PointF p0 = points[(i + n - 1) % n];
        const PointF p1 = points[i];
        const PointF p2 = points[(i + 1) % n];
        const PointF p3 = points[(i + 2) % n];
        CurveTo(p1.X + (p2.X - p0.X) * k, p1.Y + (p2.Y - p0.Y) * k, p2.X - (p3.X - p1.X) * k,
                p2.Y - (p3.Y - p1.Y) * k, p2.X, p2.Y);
    }
    return Close();
}

Outline& Outline::Star(float cx, float cy, int n, float outer, float inner, float rotation)
{
    std::vector<PointF> points;
    for (int i = 0; i < 2 * n; ++i)
        points.push_back(PointOnCircle(cx, cy, i % 2 == 0 ? outer : inner, rotation + 180.0f * float(i) / float(n)));
    return Polygon(points);
}

Outline& Outline::RegularPolygon(float cx, float cy, int n, float r, float rotation)
{
    std::vector<PointF> points;
    for (int i = 0; i < n; ++i)
        points.push_back(PointOnCircle(cx, cy, r, rotation + 360.0f * float(i) / float(n)));
    return Polygon(points);
}

Outline& Outline::Scallops(float cx, float cy, int n, float outer, float inner)
{
    // Each bump is a curve from one valley point out to the rim and back to the next.
    const float step = 360.0f / float(n);
    const PointF first = PointOnCircle(cx, cy, inner, 0);
    MoveTo(first.X, first.Y);
    for (int i = 0; i < n; ++i) {
        const float a = step * float(i);
        const PointF c1 = PointOnCircle(cx, cy, outer * 1.04f, a + step * 0.1f);
        const PointF c2 = PointOnCircle(cx, cy, outer * 1.04f, a + step * 0.9f);
        const PointF end = PointOnCircle(cx, cy, inner, a + step);
        CurveTo(c1.X, c1.Y, c2.X, c2.Y, end.X, end.Y);
    }
    return Close();
}

Outline& Outline::Capsule(PointF a, PointF b, float width)
{
    const float r = width / 2;
    const float length = std::hypot(b.X - a.X, b.Y - a.Y);
    if (!(length > 0))
        return Circle(a.X, a.Y, r);
    // The normal of the bar, r long.
    const PointF n(-(b.Y - a.Y) / length * r, (b.X - a.X) / length * r);
    MoveTo(a.X + n.X, a.Y + n.Y);
    LineTo(b.X + n.X, b.Y + n.Y);
    ArcTo(r, r, 0, false, false, b.X - n.X, b.Y - n.Y);
    LineTo(a.X - n.X, a.Y - n.Y);
    ArcTo(r, r, 0, false, false, a.X + n.X, a.Y + n.Y);
    return Close();
}

Outline& Outline::Cloud(float cx, float cy, float rx, float ry, int n, float bulge)
{
    std::vector<PointF> points;
    for (int i = 0; i < n; ++i) {
        const PointF p = PointOnCircle(0, 0, 1, 360.0f * float(i) / float(n) + 10.0f);
        points.emplace_back(cx + rx * p.X, cy + ry * p.Y);
    }
    MoveTo(points[0].X, points[0].Y);
    for (int i = 1; i <= n; ++i) {
        const PointF p = points[size_t(i % n)];
        const PointF q = points[size_t(i - 1)];
        const float r = std::hypot(p.X - q.X, p.Y - q.Y) * bulge;
        ArcTo(r, r, 0, false, true, p.X, p.Y);
    }
    return Close();
}

Outline& Outline::Gear(float cx, float cy, int n, float outer, float inner)
{
    std::vector<PointF> points;
    const float step = 360.0f / float(n);
    for (int i = 0; i < n; ++i) {
        const float a = step * float(i);
        points.push_back(PointOnCircle(cx, cy, inner, a - step * 0.25f));
        points.push_back(PointOnCircle(cx, cy, outer, a - step * 0.16f));
        points.push_back(PointOnCircle(cx, cy, outer, a + step * 0.16f));
        points.push_back(PointOnCircle(cx, cy, inner, a + step * 0.25f));
    }
    return Polygon(points);
}

Outline& Outline::Add(const Outline& other)
{
    m_points.insert(m_points.end(), other.m_points.begin(), other.m_points.end());
    m_types.insert(m_types.end(), other.m_types.begin(), other.m_types.end());
    return *this;
}

Outline& Outline::Transform(const Matrix& matrix)
{
    for (PointF& p : m_points)
        p = matrix.TransformPoint(p);
    return *this;
}

Outline Outline::Transformed(const Matrix& matrix) const
{
    Outline copy = *this;
    copy.Transform(matrix);
    return copy;
}

// ---------------------------------------------------------------------------------------
// Objects

std::unique_ptr<CDrawObj> Shape(const Outline& outline, const Style& style, std::string name)
{
    auto shape = std::make_unique<CDrawPoly>(RectF(), nullptr);
    shape->m_nShapeType = ShapeType::Custom;
    shape->m_bClosed = true;
    shape->SetPoints(outline.Points(), outline.Types());
    shape->SetName(std::move(name));
    ApplyStyle(*shape, style);
    return shape;
}

TextStyle Font(FontFace face, int32_t fontStyle, float size, Paint fill)
{
    TextStyle style;
    style.face = face;
    style.fontStyle = fontStyle;
    style.size = size;
    style.fill = std::move(fill);
    return style;
}

Outline Rotated(const Outline& outline, float degrees, float cx, float cy)
{
    Matrix turn = Matrix::Translation(-cx, -cy);
    turn.Rotate(degrees, MatrixOrder::Append);
    turn.Translate(cx, cy, MatrixOrder::Append);
    return outline.Transformed(turn);
}

std::unique_ptr<CDrawObj> Highlight(float cx, float cy, float rx, float ry, uint32_t alpha)
{
    return Shape(Outline().Ellipse(cx, cy, rx, ry), Filled(Linear(Rgb(0xFFFFFF, alpha), Rgb(0xFFFFFF, 0))), "Highlight");
}

std::unique_ptr<CDrawObj> Text(const std::string& text, float cx, float cy, const TextStyle& style)
{
    std::unique_ptr<CDrawRect> object = NewText(text, FittedTextFrame(text, style), style);
    const RectF b = object->GetPathBounds(nullptr, nullptr);
    MoveBy(*object, cx - (b.X + b.Width / 2), cy - (b.Y + b.Height / 2));
    return object;
}

std::unique_ptr<CDrawObj> TextAt(const std::string& text, float x, float cy, const TextStyle& style)
{
    std::unique_ptr<CDrawRect> object = NewText(text, FittedTextFrame(text, style), style);
    const RectF b = object->GetPathBounds(nullptr, nullptr);
    MoveBy(*object, x - b.X, cy - (b.Y + b.Height / 2));
    return object;
}

std::unique_ptr<CDrawObj> ArcText(const std::string& text, const RectF& frame, int32_t textStyle,
                                  const TextStyle& style)
{
    std::unique_ptr<CDrawRect> object = NewText(text, frame, style);
    object->m_nTextStyle = textStyle;
    object->RecalcBounds(nullptr);
    return object;
}

bool SaveDrawing(const std::filesystem::path& file, Objects objects, CSize page, const std::string& title)
{
    StandaloneEnvironment environment;
    CDrawDoc document(environment);
    document.m_sizePage = page;
    static_cast<CDocSummaryInfo&>(*document.m_pSummaryInfo).SetTitle(title);
    for (auto& object : objects)
        document.Add(std::move(object));
    return document.OnSaveDocument(file);
}

} // namespace kelmora::gallery
