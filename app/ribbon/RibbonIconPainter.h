#pragma once
// A small drawing vocabulary over cairo for the ribbon's pictures: colours by 0xRRGGBB
// value, strokes and fills on the 16-unit icon grid, and the recurring parts (a page, a
// magnifier, an arrow head) that several pictures share.

#include <cairo.h>

#include <cstdint>

namespace kelmora {

class IconPainter {
public:
    explicit IconPainter(cairo_t* cr) : m_cr(cr) { }

    cairo_t* Cr() const { return m_cr; }

    // ---- Paths
    void Move(double x, double y) { cairo_move_to(m_cr, x, y); }
    void To(double x, double y) { cairo_line_to(m_cr, x, y); }
    void Curve(double x1, double y1, double x2, double y2, double x, double y)
    {
        cairo_curve_to(m_cr, x1, y1, x2, y2, x, y);
    }
    void Close() { cairo_close_path(m_cr); }
    void Rect(double x, double y, double w, double h) { cairo_rectangle(m_cr, x, y, w, h); }
    void RoundRect(double x, double y, double w, double h, double r);
    void Circle(double cx, double cy, double r);
    void Ellipse(double cx, double cy, double rx, double ry);
    // An arc of the circle from angle a0 to a1 (degrees, clockwise on the screen).
    void ArcPath(double cx, double cy, double r, double a0, double a1);
    void Polygon(const double* xy, int points);

    // ---- Painting the current path
    void Fill(uint32_t rgb, double alpha = 1.0);
    void FillKeep(uint32_t rgb, double alpha = 1.0);
    void Stroke(uint32_t rgb, double width = 1.0);
    void FillStroke(uint32_t fill, uint32_t line, double width = 1.0);
    void FillGradientKeep(uint32_t top, uint32_t bottom, double y0, double y1);
    void RoundCaps() { cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_ROUND); cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND); }
    void SquareCaps() { cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_BUTT); cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_MITER); }

    // ---- Shapes the pictures share
    // A sheet of paper with its top-right corner folded over.
    void Page(double x, double y, double w, double h, double fold = 3.0);
    // A magnifying glass: the lens around (cx, cy) and its handle toward the bottom right.
    void Magnifier(double cx, double cy, double r);
    // A straight arrow with a filled head at (x1, y1).
    void Arrow(double x0, double y0, double x1, double y1, uint32_t rgb, double width = 1.5, double head = 3.0);
    // A filled arrow head at (x, y) pointing along the direction (dx, dy).
    void ArrowHead(double x, double y, double dx, double dy, double size, uint32_t rgb);
    // A short text in a bold or plain sans face, its baseline at y, centred on cx.
    void Text(const char* text, double cx, double y, double size, bool bold, bool italic, uint32_t rgb);
    // The red slash across a picture that says "none".
    void NoneSlash(double x0, double y0, double x1, double y1);
    // A node square of a path (a selected point).
    void Node(double cx, double cy, uint32_t fill = 0xFFFFFF);

private:
    void Source(uint32_t rgb, double alpha);
    cairo_t* m_cr;
};

// The colours of the pictures.
namespace ink {
inline constexpr uint32_t kLine = 0x34465A;
inline constexpr uint32_t kSoft = 0x7A8797;
inline constexpr uint32_t kPaper = 0xFFFFFF;
inline constexpr uint32_t kPaperShade = 0xE4EAF1;
inline constexpr uint32_t kBlue = 0x2D6FC0;
inline constexpr uint32_t kBlueLight = 0x9CC3EE;
inline constexpr uint32_t kBlueFill = 0xD9E8FA;
inline constexpr uint32_t kRed = 0xD83A32;
inline constexpr uint32_t kRedLight = 0xF4A19C;
inline constexpr uint32_t kGreen = 0x3C9A3C;
inline constexpr uint32_t kGreenLight = 0xA8DB8E;
inline constexpr uint32_t kOrange = 0xEE8F1E;
inline constexpr uint32_t kYellow = 0xF7CB3C;
inline constexpr uint32_t kYellowLight = 0xFCE8A2;
inline constexpr uint32_t kGrey = 0xB9C3CE;
inline constexpr uint32_t kGreyFill = 0xEDF0F4;
} // namespace ink

} // namespace kelmora
