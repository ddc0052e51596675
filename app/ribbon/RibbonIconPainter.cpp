#include "app/ribbon/RibbonIconPainter.h"

#include <cmath>

namespace kelmora {

namespace {

constexpr double kDegree = M_PI / 180.0;

double Red(uint32_t rgb) { return ((rgb >> 16) & 0xFF) / 255.0; }
double Green(uint32_t rgb) { return ((rgb >> 8) & 0xFF) / 255.0; }
double Blue(uint32_t rgb) { return (rgb & 0xFF) / 255.0; }

} // namespace

void IconPainter::Source(uint32_t rgb, double alpha)
{
    cairo_set_source_rgba(m_cr, Red(rgb), Green(rgb), Blue(rgb), alpha);
}

void IconPainter::RoundRect(double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(m_cr);
    cairo_arc(m_cr, x + w - r, y + r, r, -90 * kDegree, 0);
    cairo_arc(m_cr, x + w - r, y + h - r, r, 0, 90 * kDegree);
    cairo_arc(m_cr, x + r, y + h - r, r, 90 * kDegree, 180 * kDegree);
    cairo_arc(m_cr, x + r, y + r, r, 180 * kDegree, 270 * kDegree);
    cairo_close_path(m_cr);
}

void IconPainter::Circle(double cx, double cy, double r)
{
    cairo_new_sub_path(m_cr);
    cairo_arc(m_cr, cx, cy, r, 0, 2 * M_PI);
    cairo_close_path(m_cr);
}

void IconPainter::Ellipse(double cx, double cy, double rx, double ry)
{
    cairo_save(m_cr);
    cairo_translate(m_cr, cx, cy);
    cairo_scale(m_cr, rx, ry);
    cairo_new_sub_path(m_cr);
    cairo_arc(m_cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(m_cr);
    cairo_restore(m_cr);
}

void IconPainter::ArcPath(double cx, double cy, double r, double a0, double a1)
{
    cairo_new_sub_path(m_cr);
    if (a1 >= a0)
        cairo_arc(m_cr, cx, cy, r, a0 * kDegree, a1 * kDegree);
    else
        cairo_arc_negative(m_cr, cx, cy, r, a0 * kDegree, a1 * kDegree);
}

void IconPainter::Polygon(const double* xy, int points)
{
    cairo_move_to(m_cr, xy[0], xy[1]);
    for (int i = 1; i < points; ++i)
        cairo_line_to(m_cr, xy[2 * i], xy[2 * i + 1]);
    cairo_close_path(m_cr);
}

void IconPainter::Fill(uint32_t rgb, double alpha)
{
    Source(rgb, alpha);
    cairo_fill(m_cr);
}

void IconPainter::FillKeep(uint32_t rgb, double alpha)
{
    Source(rgb, alpha);
    cairo_fill_preserve(m_cr);
}

void IconPainter::Stroke(uint32_t rgb, double width)
{
    Source(rgb, 1.0);
    cairo_set_line_width(m_cr, width);
    cairo_stroke(m_cr);
}

void IconPainter::FillStroke(uint32_t fill, uint32_t line, double width)
{
    FillKeep(fill);
    Stroke(line, width);
}

void IconPainter::FillGradientKeep(uint32_t top, uint32_t bottom, double y0, double y1)
{
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(pattern, 0, Red(top), Green(top), Blue(top));
    cairo_pattern_add_color_stop_rgb(pattern, 1, Red(bottom), Green(bottom), Blue(bottom));
    cairo_set_source(m_cr, pattern);
    cairo_fill_preserve(m_cr);
    cairo_pattern_destroy(pattern);
}

void IconPainter::Page(double x, double y, double w, double h, double fold)
{
    Move(x, y);
    To(x + w - fold, y);
    To(x + w, y + fold);
    To(x + w, y + h);
    To(x, y + h);
    Close();
    FillGradientKeep(ink::kPaper, ink::kPaperShade, y, y + h);
    Stroke(ink::kSoft);
    Move(x + w - fold, y);
    To(x + w - fold, y + fold);
    To(x + w, y + fold);
    Stroke(ink::kSoft);
}

void IconPainter::Magnifier(double cx, double cy, double r)
{
    RoundCaps();
    const double d = r * 0.7071;
    Move(cx + d, cy + d);
    To(cx + d + r * 0.9, cy + d + r * 0.9);
    Stroke(ink::kLine, r * 0.55);
    Circle(cx, cy, r);
    FillKeep(ink::kBlueFill, 0.9);
    Stroke(ink::kLine, 1.0);
    SquareCaps();
}

void IconPainter::ArrowHead(double x, double y, double dx, double dy, double size, uint32_t rgb)
{
    const double length = std::hypot(dx, dy);
    if (length <= 0)
        return;
    const double ux = dx / length;
    const double uy = dy / length;
    Move(x + ux * size * 0.35, y + uy * size * 0.35);
    To(x - ux * size + uy * size * 0.8, y - uy * size - ux * size * 0.8);
    To(x - ux * size - uy * size * 0.8, y - uy * size + ux * size * 0.8);
    Close();
    Fill(rgb);
}

void IconPainter::Arrow(double x0, double y0, double x1, double y1, uint32_t rgb, double width, double head)
{
    const double length = std::hypot(x1 - x0, y1 - y0);
    if (length <= 0)
        return;
    const double ux = (x1 - x0) / length;
    const double uy = (y1 - y0) / length;
    Move(x0, y0);
    To(x1 - ux * head * 0.6, y1 - uy * head * 0.6);
    Stroke(rgb, width);
    ArrowHead(x1, y1, ux, uy, head, rgb);
}

void IconPainter::Text(const char* text, double cx, double y, double size, bool bold, bool italic, uint32_t rgb)
{
    cairo_select_font_face(m_cr, "Sans", italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(m_cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(m_cr, text, &extents);
    cairo_move_to(m_cr, cx - extents.width / 2 - extents.x_bearing, y);
    cairo_text_path(m_cr, text);
    Fill(rgb);
}

void IconPainter::NoneSlash(double x0, double y0, double x1, double y1)
{
    RoundCaps();
    Move(x0, y0);
    To(x1, y1);
    Stroke(ink::kPaper, 3.0);
    Move(x0, y0);
    To(x1, y1);
    Stroke(ink::kRed, 1.6);
    SquareCaps();
}

void IconPainter::Node(double cx, double cy, uint32_t fill)
{
    Rect(cx - 1.5, cy - 1.5, 3, 3);
    FillStroke(fill, ink::kLine, 1.0);
}

} // namespace kelmora
