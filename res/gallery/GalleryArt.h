#pragma once
// The drawing kit of the gallery generator: outlines built from lines, curves and arcs,
// the fills, outlines and effects the gallery uses, text, and the saving of a drawing as
// a document file. Everything is drawn with the program's own objects and styles
// (custom paths, text objects, gradients, shadows), so the files load with the current
// format and look in the editor as they do in their thumbnails.
//
// Lengths are document units (1/300 inch); angles are degrees, clockwise on the page.

#include "model/DrawObj.h"
#include "platform/geometry/CSize.h"
#include "platform/geometry/PointF.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace kelmora::gallery {

using Objects = std::vector<std::unique_ptr<CDrawObj>>;

constexpr ARGB Rgb(uint32_t rgb, uint32_t alpha = 255)
{
    return (alpha << 24) | (rgb & 0xFFFFFF);
}
// The colour mixed towards white (t > 0) or black (t < 0) by |t|.
ARGB Tint(ARGB colour, float t);

struct Stop {
    float position;   // 0..1 along the gradient
    ARGB colour;
};

// A fill, or the paint of an outline.
struct Paint {
    enum class Kind { None, Solid, Linear, Radial };
    Kind kind = Kind::None;
    std::vector<Stop> stops;
    float angle = 90.0f;   // linear: the direction, 0 left to right, 90 top to bottom
    int offsetX = 0;       // radial: the centre moved by percent of the width and height
    int offsetY = 0;
};

Paint Solid(ARGB colour);
Paint Linear(ARGB from, ARGB to, float angle = 90.0f);
Paint Linear(std::initializer_list<Stop> stops, float angle = 90.0f);
// From `centre` in the middle (moved by the offsets) to `edge` at the rim.
Paint Radial(ARGB centre, ARGB edge, int offsetX = 0, int offsetY = 0);

struct Shadow {
    ARGB colour = 0;       // 0: no shadow
    float depth = 14.0f;
    float blur = 10.0f;
    uint32_t direction = 45;
};
// Shadows and outlines keep their size when a drawing is scaled (they are measured on the
// page, not in the drawing), so they are chosen for a drawing shown about 192 units (two
// thirds of an inch) large and for its thumbnail, where a unit is a pixel.
Shadow SoftShadow(float depth = 6.0f, uint32_t alpha = 90);

struct Style {
    Paint fill;
    ARGB line = 0;         // 0: no outline
    float lineWidth = 0.0f;
    Shadow shadow;
    ARGB glow = 0;         // 0: no glow
    float glowRadius = 0.0f;
};

// A plain fill of one colour.
Style Flat(ARGB colour);
Style Filled(Paint fill);
Style Filled(Paint fill, ARGB line, float lineWidth);
Style WithShadow(Style style, Shadow shadow = SoftShadow());

// Figures of lines and cubic curves, as a custom path stores them. Several figures fill
// by the even-odd rule, so an inner figure cuts a hole.
class Outline {
public:
    Outline& MoveTo(float x, float y);
    Outline& LineTo(float x, float y);
    Outline& CurveTo(float c1x, float c1y, float c2x, float c2y, float x, float y);
    Outline& QuadTo(float cx, float cy, float x, float y);
    // An elliptical arc to (x, y) as SVG draws one.
    Outline& ArcTo(float rx, float ry, float rotation, bool largeArc, bool sweep, float x, float y);
    Outline& Close();

    // Whole closed figures.
    Outline& Ellipse(float cx, float cy, float rx, float ry);
    Outline& Circle(float cx, float cy, float r) { return Ellipse(cx, cy, r, r); }
    Outline& Rect(float x, float y, float w, float h);
    Outline& RoundRect(float x, float y, float w, float h, float r);
    Outline& Polygon(const std::vector<PointF>& points);
    // A smooth closed curve through the points (a closed cardinal spline).
    Outline& SmoothPolygon(const std::vector<PointF>& points, float tension = 0.5f);
    // n points; the first outer point straight up, turned by `rotation`.
    Outline& Star(float cx, float cy, int n, float outer, float inner, float rotation = 0.0f);
    Outline& RegularPolygon(float cx, float cy, int n, float r, float rotation = 0.0f);
    // A ring of n round bumps (a scalloped seal edge) between radii inner and outer.
    Outline& Scallops(float cx, float cy, int n, float outer, float inner);
    // A bar from a to b, `width` wide, with round ends.
    Outline& Capsule(PointF a, PointF b, float width);
    // A cloud: n round bumps over the ellipse (cx, cy, rx, ry), each bulging out by
    // `bulge` times the distance between its ends.
    Outline& Cloud(float cx, float cy, float rx, float ry, int n, float bulge = 0.62f);
    // A gear of n teeth.
    Outline& Gear(float cx, float cy, int n, float outer, float inner);

    // The figures of `other` after these; inside a figure here they cut holes.
    Outline& Add(const Outline& other);

    // Every point moved through the matrix (figures added afterwards are not).
    Outline& Transform(const Matrix& matrix);
    Outline Transformed(const Matrix& matrix) const;

    bool Empty() const { return m_points.empty(); }
    const std::vector<PointF>& Points() const { return m_points; }
    const std::vector<uint8_t>& Types() const { return m_types; }

private:
    PointF Current() const { return m_points.empty() ? PointF() : m_points.back(); }

    std::vector<PointF> m_points;
    std::vector<uint8_t> m_types;
    PointF m_start;
};

// The point `degrees` clockwise from straight up on the circle (cx, cy, r).
PointF PointOnCircle(float cx, float cy, float r, float degrees);

// The outline turned by `degrees` (clockwise) about (cx, cy).
Outline Rotated(const Outline& outline, float degrees, float cx, float cy);

// A custom-path object of the outline in the style.
std::unique_ptr<CDrawObj> Shape(const Outline& outline, const Style& style, std::string name);
// A soft white sheen over the upper part of a round body: the ellipse (cx, cy, rx, ry)
// fading from `alpha` at its top to nothing.
std::unique_ptr<CDrawObj> Highlight(float cx, float cy, float rx, float ry, uint32_t alpha = 120);


enum class FontFace { Sans, Serif };
inline constexpr int32_t kBold = 1;
inline constexpr int32_t kItalic = 2;

struct TextStyle {
    FontFace face = FontFace::Sans;
    int32_t fontStyle = 0;
    float size = 100.0f;   // em size in document units
    Paint fill = Solid(0xFF222222);
    ARGB line = 0;
    float lineWidth = 0.0f;
    Shadow shadow;
};

TextStyle Font(FontFace face, int32_t fontStyle, float size, Paint fill);

// A text object centred on (cx, cy).
std::unique_ptr<CDrawObj> Text(const std::string& text, float cx, float cy, const TextStyle& style);
// A text object with its left edge at x and centred vertically on cy.
std::unique_ptr<CDrawObj> TextAt(const std::string& text, float x, float cy, const TextStyle& style);
// Text set along the upper arc (textStyle 1) or lower arc (2) of the ellipse in `frame`.
std::unique_ptr<CDrawObj> ArcText(const std::string& text, const RectF& frame, int32_t textStyle,
                                  const TextStyle& style);

// Saves the objects as a drawing of the page size at `file`, thumbnail included. False
// when the file cannot be written.
bool SaveDrawing(const std::filesystem::path& file, Objects objects, CSize page, const std::string& title);

} // namespace kelmora::gallery
