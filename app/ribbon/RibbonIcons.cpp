#include "app/ribbon/RibbonIcons.h"

#include "app/ribbon/RibbonArt.h"
#include "app/ribbon/RibbonIconPainter.h"

#include <cmath>

namespace kelmora {

namespace {

using namespace ink;

constexpr double kPi = M_PI;

// ---- Shared parts

// Lines of text on a page, from x0 to x1 at each of the heights.
void TextLines(IconPainter& p, double x0, double x1, std::initializer_list<double> heights, uint32_t color)
{
    for (double y : heights) {
        p.Move(x0, y);
        p.To(x1, y);
    }
    p.Stroke(color);
}

// An X from corner (x0, y0) to corner (x1, y1), with round ends.
void Cross(IconPainter& p, double x0, double y0, double x1, double y1, uint32_t color, double width)
{
    p.RoundCaps();
    p.Move(x0, y0);
    p.To(x1, y1);
    p.Move(x1, y0);
    p.To(x0, y1);
    p.Stroke(color, width);
    p.SquareCaps();
}

// The green "add" badge at the bottom right.
void AddBadge(IconPainter& p)
{
    p.Circle(12.5, 12.5, 3.3);
    p.FillStroke(kGreen, 0x26702A, 0.8);
    p.Rect(12, 10.5, 1, 4);
    p.Rect(10.5, 12, 4, 1);
    p.Fill(kPaper);
}

void Printer(IconPainter& p)
{
    p.Rect(4.5, 1.5, 7, 5);                // the paper going in
    p.FillStroke(kPaper, kSoft);
    p.RoundRect(1.5, 5.5, 13, 6, 1.2);     // the body
    p.FillGradientKeep(0xC9D3DE, 0x8D9AAA, 5.5, 11.5);
    p.Stroke(kLine);
    p.Rect(4.5, 9.5, 7, 5);                // the printed sheet
    p.FillStroke(kPaper, kSoft);
    p.Move(6, 11.5);
    p.To(10, 11.5);
    p.Move(6, 13);
    p.To(9, 13);
    p.Stroke(kBlue, 0.8);
    p.Circle(12.5, 7.5, 0.7);
    p.Fill(kGreen);
}

void Diskette(IconPainter& p, double x, double y, double s)
{
    // A storage disk of side s at (x, y): a blue body, a label and a shutter.
    p.RoundRect(x + 0.5, y + 0.5, s - 1, s - 1, 1.0);
    p.FillGradientKeep(0x4E8EDB, 0x1F5CA8, y, y + s);
    p.Stroke(0x174A8A);
    p.Rect(x + s * 0.22, y + 0.5, s * 0.56, s * 0.36);
    p.FillStroke(0xE9EEF5, 0x174A8A, 0.8);
    p.Rect(x + s * 0.56, y + 1.6, s * 0.12, s * 0.2);
    p.Fill(0x174A8A);
    p.Rect(x + s * 0.2, y + s * 0.58, s * 0.6, s * 0.42 - 0.5);
    p.FillStroke(kPaper, 0x174A8A, 0.8);
}

void Pencil(IconPainter& p, double x0, double y0, double x1, double y1, double width)
{
    // A pencil from its tip (x0, y0) to its end (x1, y1).
    const double length = std::hypot(x1 - x0, y1 - y0);
    const double ux = (x1 - x0) / length;
    const double uy = (y1 - y0) / length;
    const double nx = -uy * width / 2;
    const double ny = ux * width / 2;
    const double tip = width * 1.3;
    // The wood and lead.
    p.Move(x0, y0);
    p.To(x0 + ux * tip + nx, y0 + uy * tip + ny);
    p.To(x0 + ux * tip - nx, y0 + uy * tip - ny);
    p.Close();
    p.FillStroke(0xF3D9A8, kLine, 0.7);
    p.Move(x0, y0);
    p.To(x0 + ux * tip * 0.4 + nx * 0.4, y0 + uy * tip * 0.4 + ny * 0.4);
    p.To(x0 + ux * tip * 0.4 - nx * 0.4, y0 + uy * tip * 0.4 - ny * 0.4);
    p.Close();
    p.Fill(kLine);
    // The body.
    p.Move(x0 + ux * tip + nx, y0 + uy * tip + ny);
    p.To(x1 + nx, y1 + ny);
    p.To(x1 - nx, y1 - ny);
    p.To(x0 + ux * tip - nx, y0 + uy * tip - ny);
    p.Close();
    p.FillStroke(kYellow, kLine, 0.7);
    // The eraser end.
    const double e = width * 0.8;
    p.Move(x1 + nx, y1 + ny);
    p.To(x1 + ux * e + nx, y1 + uy * e + ny);
    p.To(x1 + ux * e - nx, y1 + uy * e - ny);
    p.To(x1 - nx, y1 - ny);
    p.Close();
    p.FillStroke(kRedLight, kLine, 0.7);
}

void Cursor(IconPainter& p, double x, double y, double s)
{
    // The pointer arrow with its tip at (x, y), s units tall.
    const double k = s / 12.0;
    const double shape[] = {x, y, x, y + 11 * k, x + 2.8 * k, y + 8.4 * k, x + 4.8 * k, y + 12.4 * k,
                            x + 6.6 * k, y + 11.5 * k, x + 4.7 * k, y + 7.7 * k, x + 8.2 * k, y + 7.7 * k};
    p.Polygon(shape, 7);
    p.FillStroke(kPaper, kLine, 0.9);
}

void Picture(IconPainter& p, double x, double y, double w, double h)
{
    // A framed landscape: sky, sun and two hills.
    p.Rect(x + 0.5, y + 0.5, w - 1, h - 1);
    p.FillGradientKeep(0xBFE0FF, 0xEAF5FF, y, y + h);
    p.Stroke(kLine);
    p.Circle(x + w * 0.3, y + h * 0.32, h * 0.13);
    p.Fill(kYellow);
    p.Move(x + 1, y + h - 1);
    p.To(x + w * 0.42, y + h * 0.5);
    p.To(x + w * 0.65, y + h * 0.75);
    p.To(x + w * 0.78, y + h * 0.6);
    p.To(x + w - 1, y + h * 0.85);
    p.To(x + w - 1, y + h - 1);
    p.Close();
    p.Fill(kGreen);
}

void StarPath(IconPainter& p, double cx, double cy, double outer, double inner, int points, double rotation = -90)
{
    for (int i = 0; i < 2 * points; ++i) {
        const double angle = (rotation + i * 180.0 / points) * kPi / 180.0;
        const double r = i % 2 == 0 ? outer : inner;
        if (i == 0)
            p.Move(cx + r * std::cos(angle), cy + r * std::sin(angle));
        else
            p.To(cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
    p.Close();
}

// The corners of a regular polygon, joined in turn, or every `step`-th one (a pentagon
// with step 2 is the five-pointed star drawn as one line crossing itself).
void RegularPolygon(IconPainter& p, double cx, double cy, double r, int sides, double rotation = -90, int step = 1)
{
    for (int i = 0; i < sides; ++i) {
        const double angle = (rotation + i * step * 360.0 / sides) * kPi / 180.0;
        if (i == 0)
            p.Move(cx + r * std::cos(angle), cy + r * std::sin(angle));
        else
            p.To(cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
    p.Close();
}

void CurvedArrow(IconPainter& p, bool clockwise, uint32_t color)
{
    // A three-quarter turn around the centre with its head at the end.
    p.RoundCaps();
    if (clockwise) {
        p.ArcPath(8, 8.5, 5, 180, 400);
        p.Stroke(color, 1.8);
        p.ArrowHead(8 + 5 * std::cos(40 * kPi / 180), 8.5 + 5 * std::sin(40 * kPi / 180), -0.64, 0.77, 3.2, color);
    } else {
        p.ArcPath(8, 8.5, 5, 0, -220);
        p.Stroke(color, 1.8);
        p.ArrowHead(8 + 5 * std::cos(140 * kPi / 180), 8.5 + 5 * std::sin(140 * kPi / 180), 0.64, 0.77, 3.2, color);
    }
    p.SquareCaps();
}

void UndoArrow(IconPainter& p, bool redo)
{
    cairo_t* cr = p.Cr();
    cairo_save(cr);
    if (redo) {
        cairo_translate(cr, 16, 0);
        cairo_scale(cr, -1, 1);
    }
    p.RoundCaps();
    p.Move(4, 6);
    p.Curve(9, 4, 14, 6, 13.5, 10.5);
    p.Curve(13, 13, 10.5, 14, 8.5, 13.5);
    p.Stroke(kBlue, 2.0);
    p.ArrowHead(2.5, 6.5, -0.95, 0.3, 3.6, kBlue);
    p.SquareCaps();
    cairo_restore(cr);
}

void AlignBars(IconPainter& p, int mode)
{
    // mode: 0 lefts, 1 rights, 2 tops, 3 bottoms, 4 middles (horizontal guide), 5 centres
    // (vertical guide). Two bars of different length line up on the guide.
    const bool vertical = mode == 0 || mode == 1 || mode == 5;
    if (vertical) {
        const double guide = mode == 0 ? 2.5 : mode == 1 ? 13.5 : 8.5;
        double x1 = 0, x2 = 0;
        if (mode == 0) { x1 = 3; x2 = 3; }
        if (mode == 1) { x1 = 13 - 10; x2 = 13 - 6; }
        if (mode == 5) { x1 = 3.5; x2 = 5.5; }
        p.Rect(x1 + 0.5, 3.5, 10 - 0.5 * (mode == 5), 3);
        p.FillStroke(kBlueLight, kBlue);
        p.Rect(x2 + 0.5, 9.5, 6 - 0.5 * (mode == 5), 3);
        p.FillStroke(kGreenLight, kGreen);
        p.Move(guide, 1);
        p.To(guide, 15);
        p.Stroke(kLine);
    } else {
        const double guide = mode == 2 ? 2.5 : mode == 3 ? 13.5 : 8.5;
        double y1 = 0, y2 = 0;
        if (mode == 2) { y1 = 3; y2 = 3; }
        if (mode == 3) { y1 = 3; y2 = 7; }
        if (mode == 4) { y1 = 3.5; y2 = 5.5; }
        p.Rect(3.5, y1 + 0.5, 3, 10 - 0.5 * (mode == 4));
        p.FillStroke(kBlueLight, kBlue);
        p.Rect(9.5, y2 + 0.5, 3, 6 - 0.5 * (mode == 4));
        p.FillStroke(kGreenLight, kGreen);
        p.Move(1, guide);
        p.To(15, guide);
        p.Stroke(kLine);
    }
}

void Stack(IconPainter& p, int highlighted, bool arrowUp, bool full)
{
    // Three overlapping sheets, the moved one in colour, and an arrow saying where it goes.
    const double xs[] = {1.5, 4.5, 7.5};
    const double ys[] = {1.5, 4.5, 7.5};
    for (int i = 0; i < 3; ++i) {
        p.Rect(xs[i], ys[i], 7, 7);
        if (i == highlighted)
            p.FillStroke(kBlueLight, kBlue);
        else
            p.FillStroke(kGreyFill, kSoft);
    }
    if (full) {
        // to front / to back: the highlighted sheet drawn again on top or underneath
        const int i = highlighted;
        p.Rect(xs[i], ys[i], 7, 7);
        p.FillStroke(kBlueLight, kBlue);
    }
    if (arrowUp)
        p.Arrow(13.5, 15, 13.5, 9.5, kGreen, 1.4, 3.0);
    else
        p.Arrow(13.5, 9.5, 13.5, 15, kRed, 1.4, 3.0);
}

void Window(IconPainter& p, double x, double y, double w, double h)
{
    p.Rect(x + 0.5, y + 0.5, w - 1, h - 1);
    p.FillStroke(kPaper, kLine);
    p.Rect(x + 1, y + 1, w - 2, 2.5);
    p.Fill(kBlue);
}

void Glyph(IconPainter& p, const char* text, bool bold, bool italic, bool underline, bool strike)
{
    p.Text(text, 8, 12.5, 12.5, bold, italic, kLine);
    if (underline) {
        p.Rect(3, 14, 10, 1.2);
        p.Fill(kBlue);
    }
    if (strike) {
        p.Rect(2, 8, 12, 1.2);
        p.Fill(kRed);
    }
}

void SampleShapes(IconPainter& p, bool dimmed)
{
    p.Rect(2.5, 3.5, 6, 6);
    p.FillStroke(dimmed ? kGreyFill : kBlueLight, dimmed ? kSoft : kBlue);
    p.Circle(10.5, 10, 3.5);
    p.FillStroke(dimmed ? kGreyFill : kYellowLight, dimmed ? kSoft : kOrange);
}

void DashedRect(IconPainter& p, double x, double y, double w, double h, uint32_t color)
{
    const double dashes[] = {1.5, 1.0};
    cairo_set_dash(p.Cr(), dashes, 2, 0);
    p.Rect(x, y, w, h);
    p.Stroke(color);
    cairo_set_dash(p.Cr(), nullptr, 0, 0);
}

void PaintBucket(IconPainter& p)
{
    // A tilted bucket pouring a drop.
    cairo_t* cr = p.Cr();
    cairo_save(cr);
    cairo_translate(cr, 7, 7);
    cairo_rotate(cr, -0.6);
    p.RoundRect(-4, -3, 8, 8, 1);
    p.FillGradientKeep(0xF4F6F9, 0xB8C3D0, -3, 5);
    p.Stroke(kLine);
    p.Ellipse(0, -3, 4, 1.3);
    p.FillStroke(0x8D9AAA, kLine, 0.8);
    cairo_restore(cr);
    p.Move(12.5, 5);
    p.Curve(14.5, 8, 14.8, 9.5, 13.2, 10);
    p.Curve(11.8, 10.3, 11.6, 8.5, 12.5, 5);
    p.Close();
    p.Fill(kBlue);
}

void Brush(IconPainter& p)
{
    // A paint brush: handle, ferrule and bristles.
    cairo_t* cr = p.Cr();
    cairo_save(cr);
    cairo_translate(cr, 8, 8);
    cairo_rotate(cr, 0.785);
    p.RoundRect(-1.3, -7.5, 2.6, 7, 1.2);
    p.FillStroke(0xB7713A, kLine, 0.7);
    p.Rect(-1.8, -1, 3.6, 2.5);
    p.FillStroke(kGrey, kLine, 0.7);
    p.Move(-1.8, 1.5);
    p.Curve(-2.2, 4.5, -1, 6.5, 0, 7.5);
    p.Curve(1, 6.5, 2.2, 4.5, 1.8, 1.5);
    p.Close();
    p.FillStroke(kYellow, kLine, 0.7);
    cairo_restore(cr);
}

void Gear(IconPainter& p)
{
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i * 360.0 / (teeth * 2)) * kPi / 180.0;
        const double a1 = ((i + 1) * 360.0 / (teeth * 2)) * kPi / 180.0;
        const double r = i % 2 == 0 ? 7.0 : 5.6;
        if (i == 0)
            p.Move(8 + r * std::cos(a0), 8 + r * std::sin(a0));
        else
            p.To(8 + r * std::cos(a0), 8 + r * std::sin(a0));
        p.To(8 + r * std::cos(a1), 8 + r * std::sin(a1));
    }
    p.Close();
    p.FillGradientKeep(0xC6D0DB, 0x7F8D9E, 1, 15);
    p.Stroke(kLine, 0.8);
    p.Circle(8, 8, 2.3);
    p.FillStroke(kPaper, kLine, 0.8);
}

void Envelope(IconPainter& p)
{
    p.Rect(1.5, 3.5, 13, 9);
    p.FillStroke(kPaper, kLine);
    p.Move(1.5, 3.5);
    p.To(8, 9);
    p.To(14.5, 3.5);
    p.Stroke(kLine);
    p.Move(1.5, 12.5);
    p.To(6, 8);
    p.Move(14.5, 12.5);
    p.To(10, 8);
    p.Stroke(kSoft, 0.8);
}

void Grid(IconPainter& p, uint32_t line)
{
    p.Rect(1.5, 1.5, 13, 13);
    p.FillStroke(kPaper, kSoft);
    for (double v : {5.5, 9.5}) {
        p.Move(v, 2);
        p.To(v, 14);
        p.Move(2, v);
        p.To(14, v);
    }
    p.Stroke(line);
}

void InfoCircle(IconPainter& p, double cx, double cy, double r)
{
    p.Circle(cx, cy, r);
    p.FillGradientKeep(0x5A9BE6, 0x1F5CA8, cy - r, cy + r);
    p.Stroke(0x174A8A, 0.8);
    p.Circle(cx, cy - r * 0.45, r * 0.16);
    p.Fill(kPaper);
    p.Rect(cx - r * 0.14, cy - r * 0.15, r * 0.28, r * 0.75);
    p.Fill(kPaper);
}

void Draw(Icon icon, IconPainter& p)
{
    cairo_t* cr = p.Cr();
    switch (icon) {
    // ---- File
    case Icon::New:
        p.Page(3.5, 1.5, 10, 13, 3.5);
        StarPath(p, 12.5, 12.5, 3.4, 1.4, 5);
        p.FillStroke(kYellow, kOrange, 0.7);
        break;
    case Icon::Open:
        p.Move(1.5, 3.5);
        p.To(5.5, 3.5);
        p.To(7, 5);
        p.To(13.5, 5);
        p.To(13.5, 13.5);
        p.To(1.5, 13.5);
        p.Close();
        p.FillStroke(0xE9B54A, 0xA87414);
        p.Page(4.5, 2.5, 8, 7, 2);
        p.Move(1.5, 13.5);
        p.To(4, 7.5);
        p.To(15.5, 7.5);
        p.To(13.5, 13.5);
        p.Close();
        p.FillGradientKeep(0xFBE08A, 0xF0B63A, 7.5, 13.5);
        p.Stroke(0xA87414);
        break;
    case Icon::Save:
        Diskette(p, 1, 1, 14);
        break;
    case Icon::SaveAs:
        Diskette(p, 0, 1, 12);
        Pencil(p, 7.5, 15, 15, 6.5, 2.4);
        break;
    case Icon::ExportLogo:
        Picture(p, 0, 3, 11, 10);
        p.Arrow(8, 9.5, 15.5, 3, kOrange, 1.8, 3.4);
        break;
    case Icon::Print:
        Printer(p);
        break;
    case Icon::QuickPrint:
        Printer(p);
        p.Move(13, 0.5);
        p.To(10, 5);
        p.To(12.3, 5);
        p.To(10.5, 8.5);
        p.To(15, 3.5);
        p.To(12.6, 3.5);
        p.To(14.5, 0.5);
        p.Close();
        p.FillStroke(kYellow, kOrange, 0.6);
        break;
    case Icon::PrintPreview:
        p.Page(1.5, 0.5, 10, 13);
        TextLines(p, 3.5, 8.5, {4.5, 6.5, 8.5}, kGrey);
        p.Magnifier(10, 10, 3.3);
        break;
    case Icon::Send:
        Envelope(p);
        p.Arrow(9, 14.5, 15.5, 10, kGreen, 1.5, 3);
        break;
    case Icon::SummaryInfo:
        p.Page(1.5, 0.5, 10, 13);
        TextLines(p, 3.5, 8.5, {4.5, 6.5, 8.5}, kGrey);
        InfoCircle(p, 11.5, 11.5, 4);
        break;
    case Icon::Close:
        p.Page(1.5, 0.5, 10, 13);
        p.Circle(11.5, 11.5, 4);
        p.FillStroke(kRed, 0x9E231D, 0.8);
        Cross(p, 9.8, 9.8, 13.2, 13.2, kPaper, 1.3);
        break;
    case Icon::Options:
        Gear(p);
        break;
    case Icon::Exit:
        p.Rect(2.5, 1.5, 8, 13);
        p.FillStroke(0xC98F52, 0x7C4E1E);
        p.Move(2.5, 1.5);
        p.To(7.5, 3);
        p.To(7.5, 15.5);
        p.To(2.5, 14.5);
        p.Close();
        p.FillStroke(0xE6B27A, 0x7C4E1E);
        p.Circle(6.2, 8.5, 0.7);
        p.Fill(kLine);
        p.Arrow(9, 8.5, 15.5, 8.5, kRed, 1.8, 3.2);
        break;
    case Icon::AppLogo:
        // Three overlapping shapes: the things a logo is made of.
        p.Circle(6, 6, 4.5);
        p.Fill(0xF2A33A, 0.95);
        p.Rect(6.5, 6.5, 8, 8);
        p.Fill(0x4FA3E8, 0.9);
        {
            const double tri[] = {2, 15, 6.5, 7.5, 11, 15};
            p.Polygon(tri, 3);
        }
        p.Fill(0x7BCB5A, 0.9);
        break;

    // ---- Home
    case Icon::Paste:
        p.RoundRect(1.5, 2.5, 10, 12, 1);
        p.FillGradientKeep(0xDDA65B, 0xB27632, 2.5, 14.5);
        p.Stroke(0x7C4E1E);
        p.RoundRect(4.5, 1.5, 4, 3, 0.8);
        p.FillStroke(kGrey, kLine, 0.8);
        p.Page(6.5, 6.5, 8, 9, 2.5);
        TextLines(p, 8, 13, {10.5, 12.5}, kGrey);
        break;
    case Icon::Cut:
        p.RoundCaps();
        p.Move(5, 1.5);
        p.To(10.5, 10);
        p.Move(11, 1.5);
        p.To(5.5, 10);
        p.Stroke(kSoft, 1.4);
        p.SquareCaps();
        p.Circle(4.5, 12, 2.3);
        p.Circle(11.5, 12, 2.3);
        p.Stroke(kRed, 1.4);
        p.Circle(8, 7, 0.6);
        p.Fill(kLine);
        break;
    case Icon::Copy:
        p.Page(1.5, 1.5, 8, 10, 2.5);
        p.Page(6.5, 4.5, 8, 10, 2.5);
        TextLines(p, 8, 13, {8.5, 10.5, 12.5}, kBlueLight);
        break;
    case Icon::Delete:
        Cross(p, 3.5, 3.5, 12.5, 12.5, kRed, 2.6);
        break;
    case Icon::SelectAll:
        SampleShapes(p, false);
        DashedRect(p, 0.5, 0.5, 15, 15, kLine);
        break;
    case Icon::SelectInverse:
        p.Rect(2.5, 3.5, 6, 6);
        p.FillStroke(kGreyFill, kSoft);
        p.Circle(10.5, 10, 3.5);
        p.FillStroke(kYellowLight, kOrange);
        DashedRect(p, 6.5, 5.5, 8.5, 9, kLine);
        break;
    case Icon::CopyFormat:
        Brush(p);
        break;
    case Icon::Explode:
        p.Rect(4.5, 4.5, 7, 7);
        p.Stroke(kBlue);
        p.RoundCaps();
        for (int i = 0; i < 8; ++i) {
            const double a = i * kPi / 4;
            p.Move(8 + 5.2 * std::cos(a), 8 + 5.2 * std::sin(a));
            p.To(8 + 7.3 * std::cos(a), 8 + 7.3 * std::sin(a));
        }
        p.Stroke(kOrange, 1.2);
        p.SquareCaps();
        p.Node(4.5, 4.5);
        p.Node(11.5, 11.5);
        break;
    case Icon::Group:
        SampleShapes(p, false);
        p.Rect(1.5, 2.5, 13, 12);
        p.Stroke(kSoft);
        for (auto [x, y] : {std::pair{1.5, 2.5}, {14.5, 2.5}, {1.5, 14.5}, {14.5, 14.5}})
            p.Node(x, y, kBlue);
        break;
    case Icon::Ungroup:
        p.Rect(1.5, 1.5, 6, 6);
        p.FillStroke(kBlueLight, kBlue);
        p.Circle(11, 11, 3.5);
        p.FillStroke(kYellowLight, kOrange);
        for (auto [x, y] : {std::pair{1.5, 1.5}, {7.5, 7.5}, {7.5, 7.5}, {14.5, 14.5}})
            p.Node(x, y);
        break;
    case Icon::ToCustom:
        p.Move(2.5, 12.5);
        p.Curve(2.5, 4, 9, 2, 13.5, 4.5);
        p.To(11.5, 13.5);
        p.Close();
        p.FillStroke(kBlueFill, kBlue);
        p.Move(2.5, 12.5);
        p.To(1.5, 5.5);
        p.Stroke(kSoft, 0.7);
        p.Node(2.5, 12.5);
        p.Node(13.5, 4.5);
        p.Node(11.5, 13.5);
        p.Circle(1.5, 5.5, 1.1);
        p.FillStroke(kPaper, kLine, 0.7);
        break;
    case Icon::MirrorHorizontal:
    case Icon::MirrorVertical: {
        // A shape and its mirror image either side of a dashed axis; the vertical mirror
        // is the horizontal one with the axes swapped.
        cairo_save(cr);
        if (icon == Icon::MirrorVertical) {
            cairo_matrix_t swap;
            cairo_matrix_init(&swap, 0, 1, 1, 0, 0, 0);
            cairo_transform(cr, &swap);
        }
        const double shape[] = {1, 13.5, 6.5, 3, 6.5, 13.5};
        p.Polygon(shape, 3);
        p.FillStroke(kBlueLight, kBlue);
        const double image[] = {15, 13.5, 9.5, 3, 9.5, 13.5};
        p.Polygon(image, 3);
        p.FillStroke(kPaper, kSoft);
        const double dashes[] = {1.5, 1.0};
        cairo_set_dash(cr, dashes, 2, 0);
        p.Move(8, 1);
        p.To(8, 15.5);
        p.Stroke(kLine);
        cairo_restore(cr);
        break;
    }
    case Icon::RotateClockwise:
    case Icon::RotateCounterClockwise:
        p.Rect(5.5, 6, 5, 5);
        p.FillStroke(kBlueFill, kSoft, 0.8);
        CurvedArrow(p, icon == Icon::RotateClockwise, kGreen);
        break;
    case Icon::Select:
        Cursor(p, 4, 1.5, 13);
        break;
    case Icon::Anchor:
        p.Move(1.5, 13.5);
        p.Curve(4, 4, 9, 4, 14.5, 11.5);
        p.Stroke(kBlue, 1.2);
        p.Node(8, 6.8, kRed);
        p.Text("+", 12.5, 6, 8, true, false, kGreen);
        p.Text("\xE2\x88\x92", 3.5, 6, 8, true, false, kRed);
        break;
    case Icon::Break:
        p.Move(1.5, 12.5);
        p.Curve(3, 6, 5.5, 5.5, 6.8, 6.8);
        p.Move(9.2, 6.8);
        p.Curve(10.5, 5.5, 13, 6, 14.5, 12.5);
        p.Stroke(kBlue, 1.2);
        p.Node(6.8, 6.8);
        p.Node(9.2, 6.8);
        p.RoundCaps();
        p.Move(8, 1.5);
        p.To(8, 4);
        p.Move(8, 9.5);
        p.To(8, 12);
        p.Stroke(kRed, 1.2);
        p.SquareCaps();
        break;
    case Icon::Join:
        p.Move(1.5, 12.5);
        p.Curve(3, 6, 6, 5, 8, 6);
        p.Curve(10, 5, 13, 6, 14.5, 12.5);
        p.Stroke(kBlue, 1.2);
        p.Circle(8, 6, 2.2);
        p.Stroke(kGreen, 1.1);
        p.Node(8, 6);
        break;
    case Icon::Line:
        p.RoundCaps();
        p.Move(2.5, 13.5);
        p.To(13.5, 2.5);
        p.Stroke(kLine, 1.4);
        p.SquareCaps();
        p.Node(2.5, 13.5);
        p.Node(13.5, 2.5);
        break;
    case Icon::Rectangle:
        p.Rect(1.5, 3.5, 13, 9);
        p.FillStroke(kBlueFill, kBlue);
        break;
    case Icon::RoundRectangle:
        p.RoundRect(1.5, 3.5, 13, 9, 3);
        p.FillStroke(kBlueFill, kBlue);
        break;
    case Icon::Ellipse:
        p.Ellipse(8, 8, 6.5, 4.5);
        p.FillStroke(kBlueFill, kBlue);
        break;
    case Icon::Polygon: {
        const double shape[] = {2.5, 12.5, 3.5, 4.5, 9.5, 1.5, 14.5, 6.5, 11.5, 14.5};
        p.Polygon(shape, 5);
        p.FillStroke(kBlueFill, kBlue);
        for (int i = 0; i < 5; ++i)
            p.Node(shape[2 * i], shape[2 * i + 1]);
        break;
    }
    case Icon::Arc:
        p.RoundCaps();
        p.ArcPath(8, 10, 6, 180, 360);
        p.Stroke(kBlue, 1.5);
        p.SquareCaps();
        p.Node(2, 10);
        p.Node(14, 10);
        break;
    case Icon::Pie:
        p.Move(8, 8);
        p.ArcPath(8, 8, 6.5, -30, 240);
        p.To(8, 8);
        p.Close();
        p.FillStroke(kBlueFill, kBlue);
        p.Move(9, 6.5);
        p.ArcPath(9, 6.5, 6, -90, -30);
        p.To(9, 6.5);
        p.Close();
        p.FillStroke(kOrange, 0xB06010);
        break;
    case Icon::Circle:
        p.Circle(8, 8, 6.5);
        p.FillStroke(kBlueFill, kBlue);
        break;
    case Icon::Pentagon:
        RegularPolygon(p, 8, 8.6, 7, 5);
        p.FillStroke(kBlueFill, kBlue);
        break;
    case Icon::Star:
        StarPath(p, 8, 8.6, 7.3, 3, 5);
        p.FillStroke(kYellowLight, kOrange);
        break;
    case Icon::ComplexStar:
        RegularPolygon(p, 8, 8.6, 7, 5, -90, 2);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        p.FillKeep(kYellowLight);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        p.Stroke(kOrange);
        break;
    case Icon::Spiral: {
        p.RoundCaps();
        bool first = true;
        for (double t = 0; t <= 3.2 * 2 * kPi; t += 0.15) {
            const double r = 0.3 + t * 0.33;
            const double x = 8 + r * std::cos(t);
            const double y = 8 + r * std::sin(t);
            if (first)
                p.Move(x, y);
            else
                p.To(x, y);
            first = false;
        }
        p.Stroke(kBlue, 1.2);
        p.SquareCaps();
        break;
    }
    case Icon::Bezier:
        p.Move(2, 13);
        p.To(4, 3);
        p.Move(14, 3);
        p.To(12, 13);
        p.Stroke(kSoft, 0.7);
        p.Move(2, 13);
        p.Curve(4, 3, 12, 13, 14, 3);
        p.Stroke(kBlue, 1.3);
        p.Node(2, 13);
        p.Node(14, 3);
        p.Circle(4, 3, 1.1);
        p.Circle(12, 13, 1.1);
        p.FillStroke(kPaper, kLine, 0.7);
        break;
    case Icon::Curve:
        p.RoundCaps();
        p.Move(1.5, 10);
        p.Curve(3, 2, 6, 3, 7, 8);
        p.Curve(8, 13, 11, 14, 12, 8);
        p.Curve(12.5, 5, 14, 4, 15, 5);
        p.Stroke(kBlue, 1.4);
        p.SquareCaps();
        Pencil(p, 14.6, 5.2, 16.5, 2.5, 1.6);
        break;
    case Icon::Word:
        p.Text("A", 6.5, 13.5, 14, true, false, kBlue);
        p.Rect(12.5, 2.5, 1, 11);
        p.Fill(kLine);
        p.Rect(11, 2, 4, 1);
        p.Rect(11, 13, 4, 1);
        p.Fill(kLine);
        break;
    case Icon::InsertImage:
        Picture(p, 0, 2, 14, 12);
        AddBadge(p);
        break;
    case Icon::Import:
        // A page taken in: an arrow running into a page with shapes on it.
        p.Page(5.5, 1.5, 9, 13, 3);
        p.Rect(7.5, 7.5, 3, 3);
        p.FillStroke(kBlueLight, kBlue, 0.8);
        p.Circle(11.5, 11.5, 1.6);
        p.FillStroke(kYellowLight, kOrange, 0.8);
        p.Arrow(0.5, 5.5, 8, 5.5, kGreen, 1.8, 3.4);
        break;
    case Icon::BatchConvert:
        // A stack of drawings turned into a picture.
        p.Page(3.5, 0.5, 7, 8, 2);
        p.Page(1.5, 2.5, 7, 8, 2);
        Picture(p, 7, 8, 9, 8);
        p.Arrow(1.5, 13, 6.5, 13, kOrange, 1.6, 3.0);
        break;
    case Icon::Undo:
        UndoArrow(p, false);
        break;
    case Icon::Redo:
        UndoArrow(p, true);
        break;

    // ---- Format
    case Icon::Styles: {
        const uint32_t fills[] = {0x558CCD, 0xCF5652, 0xA8CB60, 0xF99746};
        const uint32_t lines[] = {0x3D618C, 0x8F3D3B, 0x748D42, 0xD46B16};
        for (int i = 0; i < 4; ++i) {
            const double x = 1.5 + (i % 2) * 7;
            const double y = 1.5 + (i / 2) * 7;
            p.RoundRect(x, y, 6, 6, 1.2);
            p.FillStroke(fills[i], lines[i]);
        }
        break;
    }
    case Icon::LineColor:
        Pencil(p, 2, 13, 12, 3, 3.2);
        break;
    case Icon::NoLine:
        p.Move(2, 8);
        p.Curve(5, 3, 11, 13, 14, 8);
        p.Stroke(kLine, 1.4);
        p.NoneSlash(3, 14, 13, 2);
        break;
    case Icon::LineWeight:
        p.Rect(1.5, 2, 13, 1);
        p.Fill(kLine);
        p.Rect(1.5, 5.5, 13, 2);
        p.Fill(kLine);
        p.Rect(1.5, 10, 13, 4);
        p.Fill(kLine);
        break;
    case Icon::DashStyles: {
        const double dashes1[] = {3, 1.5};
        const double dashes2[] = {1, 1};
        const double dashes3[] = {4, 1.5, 1, 1.5};
        cairo_set_dash(cr, dashes1, 2, 0);
        p.Move(1, 3.5);
        p.To(15, 3.5);
        p.Stroke(kLine, 1.5);
        cairo_set_dash(cr, dashes2, 2, 0);
        p.Move(1, 8);
        p.To(15, 8);
        p.Stroke(kLine, 1.5);
        cairo_set_dash(cr, dashes3, 4, 0);
        p.Move(1, 12.5);
        p.To(15, 12.5);
        p.Stroke(kLine, 1.5);
        cairo_set_dash(cr, nullptr, 0, 0);
        break;
    }
    case Icon::FillColor:
        PaintBucket(p);
        break;
    case Icon::NoFill:
        PaintBucket(p);
        p.NoneSlash(2, 14, 14, 2);
        break;
    case Icon::Shadow:
        p.RoundRect(5, 5, 10, 10, 1.5);
        p.Fill(0x000000, 0.25);
        p.RoundRect(2.5, 2.5, 10, 10, 1.5);
        p.FillStroke(kBlueLight, kBlue);
        break;
    case Icon::Glow:
        for (int i = 4; i >= 1; --i) {
            p.RoundRect(4 - i * 0.9, 4 - i * 0.9, 8 + i * 1.8, 8 + i * 1.8, 2 + i);
            p.Fill(0xF7CB3C, 0.22);
        }
        p.RoundRect(4.5, 4.5, 7, 7, 1.2);
        p.FillStroke(kBlueLight, kBlue);
        break;
    case Icon::Reflection: {
        p.RoundRect(3.5, 1.5, 9, 7, 1.2);
        p.FillStroke(kBlueLight, kBlue);
        cairo_pattern_t* fade = cairo_pattern_create_linear(0, 9.5, 0, 15.5);
        cairo_pattern_add_color_stop_rgba(fade, 0, 0.61, 0.76, 0.93, 0.7);
        cairo_pattern_add_color_stop_rgba(fade, 1, 0.61, 0.76, 0.93, 0.0);
        p.RoundRect(3.5, 9.5, 9, 6, 1.2);
        cairo_set_source(cr, fade);
        cairo_fill(cr);
        cairo_pattern_destroy(fade);
        break;
    }
    case Icon::TextEffect: {
        // Letters standing on an arc, each turned to follow it.
        p.ArcPath(8, 22.5, 9.5, 220, 320);
        p.Stroke(kBlueLight, 1.0);
        const char* letters[] = {"A", "b", "c"};
        const double angles[] = {-113, -90, -67};
        for (int i = 0; i < 3; ++i) {
            const double a = angles[i] * kPi / 180;
            cairo_save(cr);
            cairo_translate(cr, 8 + 10.5 * std::cos(a), 22.5 + 10.5 * std::sin(a));
            cairo_rotate(cr, a + kPi / 2);
            p.Text(letters[i], 0, 0, 9.5, true, false, kBlue);
            cairo_restore(cr);
        }
        break;
    }
    case Icon::Bold:
    case Icon::Italic:
    case Icon::Underline:
    case Icon::Strikeout: {
        // The letter and the style it stands for; the italic one is bold as well, so
        // that its thin stroke reads at 16 pixels.
        const int k = int(icon) - int(Icon::Bold);
        const char letter[] = {"BIUS"[k], '\0'};
        Glyph(p, letter, k <= 1, k == 1, k == 2, k == 3);
        break;
    }

    // ---- Layout: the order of the align pictures is that of AlignBars' modes.
    case Icon::AlignLefts:
    case Icon::AlignRights:
    case Icon::AlignTops:
    case Icon::AlignBottoms:
    case Icon::AlignMiddles:
    case Icon::AlignCenters:
        AlignBars(p, int(icon) - int(Icon::AlignLefts));
        break;
    case Icon::MoveToFront:
    case Icon::MoveForward:
    case Icon::MoveBackward:
    case Icon::MoveToBack: {
        // Which sheet moves, and whether toward the front.
        const int k = int(icon) - int(Icon::MoveToFront);
        const bool forward = k <= 1;
        Stack(p, k == 0 ? 0 : k == 3 ? 2 : 1, forward, forward);
        break;
    }

    // ---- View
    case Icon::PaperColor:
        p.Page(2.5, 1.5, 10, 13, 3);
        p.Rect(4, 6, 7, 7);
        p.Fill(kYellowLight);
        p.Move(12, 9);
        p.Curve(14.8, 12.5, 15.2, 14, 13.3, 14.6);
        p.Curve(11.6, 15, 11.2, 12.5, 12, 9);
        p.Close();
        p.FillStroke(kBlue, 0x174A8A, 0.6);
        break;
    case Icon::GridLineColor:
        Grid(p, kBlue);
        break;
    case Icon::GridLines:
        Grid(p, kSoft);
        break;
    case Icon::ZoomIn:
        p.Magnifier(6.5, 6.5, 5);
        p.Rect(4, 6, 5, 1);
        p.Rect(6, 4, 1, 5);
        p.Fill(kLine);
        break;
    case Icon::ZoomOut:
        p.Magnifier(6.5, 6.5, 5);
        p.Rect(4, 6, 5, 1);
        p.Fill(kLine);
        break;
    case Icon::ZoomFit:
        p.Page(3.5, 3.5, 9, 9, 2);
        for (auto [x, y, dx, dy] : {std::tuple{1.0, 1.0, -1.0, -1.0}, {15.0, 1.0, 1.0, -1.0}, {1.0, 15.0, -1.0, 1.0},
                                     {15.0, 15.0, 1.0, 1.0}})
            p.ArrowHead(x, y, dx, dy, 2.6, kBlue);
        break;
    case Icon::ActualSize:
        p.Magnifier(6.5, 6.5, 5.5);
        p.Text("1:1", 6.5, 8.6, 5.5, true, false, kLine);
        break;
    case Icon::NewWindow:
        Window(p, 1, 2, 12, 11);
        AddBadge(p);
        break;
    case Icon::SwitchWindows:
        Window(p, 1, 1, 10, 8);
        Window(p, 5, 6, 10, 9);
        break;
    case Icon::ResourceView:
        p.Rect(1.5, 1.5, 13, 13);
        p.FillStroke(kPaper, kLine);
        p.Rect(2, 2, 12, 2.5);
        p.Fill(kBlue);
        p.Rect(3.5, 6.5, 4, 3);
        p.FillStroke(kBlueLight, kBlue, 0.8);
        p.Circle(11, 8, 1.8);
        p.FillStroke(kYellowLight, kOrange, 0.8);
        StarPath(p, 5.5, 12.2, 2, 0.9, 5);
        p.FillStroke(kGreenLight, kGreen, 0.6);
        RegularPolygon(p, 11, 12.3, 2, 3);
        p.FillStroke(kRedLight, kRed, 0.6);
        break;
    case Icon::PropertiesView:
        p.Rect(1.5, 1.5, 13, 13);
        p.FillStroke(kPaper, kLine);
        p.Rect(2, 2, 12, 2.5);
        p.Fill(kBlue);
        for (double y : {6.5, 9.5, 12.5}) {
            p.Move(3, y);
            p.To(7, y);
            p.Stroke(kSoft);
            p.Rect(8.5, y - 1, 4.5, 2);
            p.FillStroke(kBlueFill, kBlueLight, 0.7);
        }
        break;
    case Icon::Snap:
        p.RoundCaps();
        p.ArcPath(8, 7, 4.5, 180, 360);
        p.Stroke(kRed, 3);
        p.SquareCaps();
        p.Rect(2.2, 7, 3.1, 3);
        p.Rect(10.7, 7, 3.1, 3);
        p.Fill(kGrey);
        p.Move(1, 13.5);
        p.To(15, 13.5);
        p.Stroke(kBlue);
        break;

    // ---- Help
    case Icon::HomePage: {
        const double roof[] = {8, 1.5, 15, 8, 1, 8};
        p.Polygon(roof, 3);
        p.FillStroke(kRed, 0x9E231D, 0.8);
        p.Rect(3.5, 8, 9, 6.5);
        p.FillStroke(0xF3E3C3, 0x8A6A3A);
        p.Rect(6.5, 10.5, 3, 4);
        p.FillStroke(0x3E7CC8, 0x1F4F8A, 0.8);
        break;
    }
    case Icon::Help:
        p.Circle(8, 8, 7);
        p.FillGradientKeep(0x5A9BE6, 0x1F5CA8, 1, 15);
        p.Stroke(0x174A8A, 0.8);
        p.Text("?", 8, 12.3, 11, true, false, kPaper);
        break;
    case Icon::About:
        InfoCircle(p, 8, 8, 7);
        break;
    }
}

} // namespace

wxBitmap IconBitmap(Icon icon, int size)
{
    return RenderArt(size, size, [icon, size](cairo_t* cr) {
        cairo_scale(cr, size / 16.0, size / 16.0);
        IconPainter painter(cr);
        Draw(icon, painter);
    });
}

wxBitmap PanelImage(int index)
{
    // The numbers are those the ribbon's panels and the tab row refer to.
    static constexpr Icon kStrip[] = {
        Icon::Paste,          // 0 Clipboard
        Icon::InsertImage,    // 1 Import/Export
        Icon::Polygon,        // 2 Draw
        Icon::MoveToFront,    // 3 Arrange
        Icon::Options,        // 4
        Icon::SwitchWindows,  // 5 Window
        Icon::About,          // 6 the About button of the tab row
        Icon::Select,         // 7
        Icon::Styles,         // 8 Styles
        Icon::Help,           // 9 Help
        Icon::AlignLefts,     // 10 Align, Snap
        Icon::GridLines,      // 11 Show/Hide
        Icon::Shadow,         // 12 Shadow
        Icon::Glow,           // 13 Glow
        Icon::TextEffect,     // 14 Text
        Icon::Reflection,     // 15 Reflection
        Icon::ZoomIn,         // 16 Zoom
        Icon::Group,          // 17 Operations
        Icon::PaperColor,     // 18 Setting
    };
    if (index < 0 || size_t(index) >= std::size(kStrip))
        return wxBitmap();
    return IconBitmap(kStrip[index], 16);
}

} // namespace kelmora
