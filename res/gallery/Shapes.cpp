// The shapes gallery: arrows, stars, badges, banners, frames, speech bubbles and symbols.
// Each shape is drawn in a box of 900 × 900 units around (450, 450).

#include "res/gallery/GalleryContent.h"
#include "res/gallery/Palette.h"

#include <cmath>
#include <numbers>

namespace kelmora::gallery {

namespace {

constexpr float kC = 450.0f;   // the centre of the box

// A band along the circle of radius r from `from` to `to` degrees (clockwise from straight
// up), `width` wide, with an arrow head at its end.
Outline ArcArrow(float cx, float cy, float r, float width, float from, float to, float headWidth, float headDegrees)
{
    const float outer = r + width / 2;
    const float inner = r - width / 2;
    const bool large = to - from > 180.0f;
    const PointF a = PointOnCircle(cx, cy, outer, from);
    const PointF b = PointOnCircle(cx, cy, outer, to);
    const PointF c = PointOnCircle(cx, cy, r + headWidth / 2, to);
    const PointF tip = PointOnCircle(cx, cy, r, to + headDegrees);
    const PointF d = PointOnCircle(cx, cy, r - headWidth / 2, to);
    const PointF e = PointOnCircle(cx, cy, inner, to);
    const PointF f = PointOnCircle(cx, cy, inner, from);
    Outline o;
    o.MoveTo(a.X, a.Y).ArcTo(outer, outer, 0, large, true, b.X, b.Y);
    o.LineTo(c.X, c.Y).LineTo(tip.X, tip.Y).LineTo(d.X, d.Y).LineTo(e.X, e.Y);
    o.ArcTo(inner, inner, 0, large, false, f.X, f.Y);
    return o.Close();
}

// ---- Arrows

Objects ArrowRight()
{
    Objects o;
    o.push_back(Shape(Outline().Polygon({{90, 330}, {500, 330}, {500, 160}, {820, 450}, {500, 740}, {500, 570}, {90, 570}}),
                      Glossy(kBlue), "Arrow"));
    return o;
}

Objects ArrowDouble()
{
    Objects o;
    o.push_back(Shape(Outline().Polygon({{60, 450}, {300, 210}, {300, 350}, {600, 350}, {600, 210}, {840, 450},
                                         {600, 690}, {600, 550}, {300, 550}, {300, 690}}),
                      Glossy(kTeal), "Double Arrow"));
    return o;
}

Objects Chevron()
{
    Objects o;
    o.push_back(Shape(Outline().Polygon({{120, 140}, {480, 140}, {790, 450}, {480, 760}, {120, 760}, {430, 450}}),
                      Glossy(kOrange, 0.0f), "Chevron"));
    return o;
}

Objects CurvedArrow()
{
    Objects o;
    o.push_back(Shape(ArcArrow(kC, 560, 330, 130, -95, 55, 300, 38), Glossy(kGreen), "Curved Arrow"));
    return o;
}

Objects CircularArrows()
{
    Objects o;
    o.push_back(Shape(ArcArrow(kC, kC, 300, 110, 20, 140, 260, 35), Glossy(kPurple), "Arrow"));
    o.push_back(Shape(ArcArrow(kC, kC, 300, 110, 200, 320, 260, 35), Glossy(kPurple), "Arrow"));
    return o;
}

Objects ArrowInCircle()
{
    Objects o;
    o.push_back(Shape(Outline().Circle(kC, kC, 400), WithShadow(Filled(Radial(kRed.light, kRed.dark, -12, -14))),
                      "Disc"));
    o.push_back(Shape(Outline().Polygon({{230, 390}, {470, 390}, {470, 250}, {690, 450}, {470, 650}, {470, 510},
                                         {230, 510}}),
                      Flat(kWhite), "Arrow"));
    o.push_back(Highlight(kC, 260, 270, 150));
    return o;
}

// ---- Stars

Objects FivePointStar()
{
    Objects o;
    o.push_back(Shape(Outline().Star(kC, 480, 5, 420, 170), Glossy(kGold), "Star"));
    return o;
}

Objects SixPointStar()
{
    Objects o;
    o.push_back(Shape(Outline().Star(kC, kC, 6, 420, 240), Glossy(kBlue, 60), "Star"));
    o.push_back(Shape(Outline().RegularPolygon(kC, kC, 6, 150, 30), Filled(Solid(Rgb(0xFFFFFF, 90))), "Centre"));
    return o;
}

Objects Starburst()
{
    Objects o;
    o.push_back(Shape(Outline().Star(kC, kC, 18, 420, 330), WithShadow(Filled(Radial(kOrange.light, kRed.dark))),
                      "Starburst"));
    o.push_back(Shape(Outline().Star(kC, kC, 18, 300, 240, 10), Filled(Radial(kGold.light, kOrange.dark)), "Inner Burst"));
    return o;
}

Objects Sparkle()
{
    Objects o;
    Outline sparkle;
    sparkle.MoveTo(kC, 40)
        .QuadTo(500, 400, 860, kC)
        .QuadTo(500, 500, kC, 860)
        .QuadTo(400, 500, 40, kC)
        .QuadTo(400, 400, kC, 40)
        .Close();
    o.push_back(Shape(sparkle, WithShadow(Filled(Linear(kPink.light, kPurple.dark, 45), kPurple.edge, 3)), "Sparkle"));
    Outline small;
    small.MoveTo(730, 110).QuadTo(745, 165, 800, 180).QuadTo(745, 195, 730, 250).QuadTo(715, 195, 660, 180)
        .QuadTo(715, 165, 730, 110).Close();
    o.push_back(Shape(small, Flat(kPink.dark), "Small Sparkle"));
    return o;
}

Objects StarInCircle()
{
    Objects o;
    o.push_back(Shape(Outline().Circle(kC, kC, 410).Star(kC, 470, 5, 300, 122),
                      WithShadow(Filled(Linear(kTeal.light, kTeal.dark), kTeal.edge, 3)), "Star Disc"));
    return o;
}

// ---- Badges

Outline ShieldOutline(float x, float y, float w, float h)
{
    const float r = x + w;
    const float b = y + h;
    const float mid = x + w / 2;
    Outline o;
    o.MoveTo(x, y + h * 0.08f)
        .QuadTo(mid, y - h * 0.06f, r, y + h * 0.08f)
        .LineTo(r, y + h * 0.45f)
        .CurveTo(r, y + h * 0.72f, x + w * 0.78f, y + h * 0.88f, mid, b)
        .CurveTo(x + w * 0.22f, y + h * 0.88f, x, y + h * 0.72f, x, y + h * 0.45f)
        .Close();
    return o;
}

Objects Shield()
{
    Objects o;
    o.push_back(Shape(ShieldOutline(130, 80, 640, 760), Glossy(kBlue), "Shield"));
    Outline edge = ShieldOutline(185, 140, 530, 640);
    const Outline inside = ShieldOutline(205, 163, 490, 592);
    o.push_back(Shape(edge.Add(inside), Flat(Rgb(0xFFFFFF, 210)), "Inner Edge"));
    o.push_back(Shape(Outline().Star(kC, 420, 5, 150, 60), Flat(kWhite), "Star"));
    return o;
}

Objects Seal()
{
    Objects o;
    o.push_back(Shape(Outline().Scallops(kC, kC, 26, 420, 375), WithShadow(Filled(Radial(kGold.light, kGold.dark))),
                      "Seal"));
    o.push_back(Shape(Outline().Circle(kC, kC, 328).Circle(kC, kC, 312), Flat(Rgb(0xFFFFFF, 220)), "Ring"));
    o.push_back(Shape(Outline().Circle(kC, kC, 285), Filled(Linear(kGold.dark, kOrange.dark)), "Centre"));
    o.push_back(Shape(Outline().Star(kC, 465, 5, 150, 62), Flat(kWhite), "Star"));
    return o;
}

Objects Rosette()
{
    Objects o;
    const Style ribbon = Filled(Linear(kRed.dark, kRed.edge));
    o.push_back(Shape(Outline().Polygon({{330, 520}, {470, 580}, {360, 880}, {300, 790}, {200, 830}}), ribbon,
                      "Left Tail"));
    o.push_back(Shape(Outline().Polygon({{570, 520}, {430, 580}, {540, 880}, {600, 790}, {700, 830}}), ribbon,
                      "Right Tail"));
    o.push_back(Shape(Outline().Scallops(kC, 380, 20, 330, 290), WithShadow(Filled(Radial(kRed.light, kRed.dark))),
                      "Rosette"));
    o.push_back(Shape(Outline().Circle(kC, 380, 225), Filled(Solid(kWhite)), "Ring"));
    o.push_back(Shape(Outline().Circle(kC, 380, 195), Filled(Radial(kRed.light, kRed.dark, -10, -10)), "Centre"));
    o.push_back(Shape(Outline().Star(kC, 392, 5, 110, 45), Flat(kGold.light), "Star"));
    return o;
}

Objects HexagonBadge()
{
    Objects o;
    o.push_back(Shape(Outline().RegularPolygon(kC, kC, 6, 420), Glossy(kGreen), "Hexagon"));
    o.push_back(Shape(Outline().RegularPolygon(kC, kC, 6, 350).RegularPolygon(kC, kC, 6, 330), Flat(Rgb(0xFFFFFF, 210)),
                      "Inner Edge"));
    Outline check;
    check.Polygon({{290, 460}, {360, 390}, {420, 450}, {590, 280}, {660, 350}, {420, 590}});
    o.push_back(Shape(check, Flat(kWhite), "Check"));
    return o;
}

Objects Emblem()
{
    Objects o;
    o.push_back(Shape(Outline().Circle(kC, kC, 420), WithShadow(Filled(Radial(kSlate.light, kSlate.dark, -10, -12))),
                      "Disc"));
    o.push_back(Shape(Outline().Circle(kC, kC, 365).Circle(kC, kC, 335), Filled(Solid(kGold.light)), "Ring"));
    std::vector<PointF> dots;
    for (int i = 0; i < 24; ++i) {
        const PointF p = PointOnCircle(kC, kC, 385, 15.0f * float(i));
        o.push_back(Shape(Outline().Circle(p.X, p.Y, 9), Flat(kGold.light), "Dot"));
    }
    o.push_back(Shape(Outline().Star(kC, 465, 5, 230, 92), Filled(Linear(kGold.light, kGold.dark)), "Star"));
    return o;
}

// ---- Banners

Objects RibbonBanner()
{
    Objects o;
    const Style back = Filled(Linear(kRed.dark, kRed.edge));
    const Style fold = Flat(Tint(kRed.edge, -0.35f));
    o.push_back(Shape(Outline().Polygon({{40, 390}, {230, 390}, {230, 600}, {40, 600}, {110, 495}}), back, "Left End"));
    o.push_back(Shape(Outline().Polygon({{860, 390}, {670, 390}, {670, 600}, {860, 600}, {790, 495}}), back, "Right End"));
    o.push_back(Shape(Outline().Polygon({{150, 530}, {230, 600}, {230, 530}}), fold, "Left Fold"));
    o.push_back(Shape(Outline().Polygon({{750, 530}, {670, 600}, {670, 530}}), fold, "Right Fold"));
    Outline band;
    band.MoveTo(150, 330).QuadTo(kC, 280, 750, 330).LineTo(750, 530).QuadTo(kC, 480, 150, 530).Close();
    o.push_back(Shape(band, WithShadow(Filled(Linear(kRed.light, kRed.dark))), "Band"));
    return o;
}

Objects Flag()
{
    Objects o;
    o.push_back(Shape(Outline().RoundRect(130, 110, 34, 720, 14), Filled(Linear(kSlate.light, kSlate.dark, 0)), "Pole"));
    o.push_back(Shape(Outline().Circle(147, 100, 34), Filled(Radial(kGold.light, kGold.dark, -15, -15)), "Knob"));
    Outline cloth;
    cloth.MoveTo(164, 160)
        .CurveTo(330, 90, 500, 250, 780, 170)
        .LineTo(780, 540)
        .CurveTo(500, 620, 330, 460, 164, 530)
        .Close();
    o.push_back(Shape(cloth, WithShadow(Filled(Linear(kBlue.light, kBlue.dark, 20))), "Flag"));
    o.push_back(Shape(Outline().Star(470, 360, 5, 110, 45), Flat(kWhite), "Star"));
    return o;
}

Objects WavyBanner()
{
    Objects o;
    Outline band;
    band.MoveTo(70, 360)
        .CurveTo(250, 250, 400, 470, kC, 360)
        .CurveTo(500, 250, 650, 470, 830, 360)
        .LineTo(830, 560)
        .CurveTo(650, 670, 500, 450, kC, 560)
        .CurveTo(400, 670, 250, 450, 70, 560)
        .Close();
    o.push_back(Shape(band, WithShadow(Filled(Linear(kTeal.light, kTeal.dark), kTeal.edge, 3)), "Banner"));
    return o;
}

Objects Tag()
{
    Objects o;
    Outline tag;
    tag.MoveTo(300, 230).LineTo(760, 230).QuadTo(800, 230, 800, 270).LineTo(800, 630).QuadTo(800, 670, 760, 670)
        .LineTo(300, 670).LineTo(100, 450).Close();
    tag.Circle(250, 450, 42);
    o.push_back(Shape(Rotated(tag, -30, kC, kC), Glossy(kOrange), "Tag"));
    o.push_back(Shape(Rotated(Outline().RoundRect(355, 295, 390, 310, 28).RoundRect(371, 311, 358, 278, 16), -30, kC, kC),
                      Flat(Rgb(0xFFFFFF, 170)), "Label Edge"));
    return o;
}

Objects Scroll()
{
    Objects o;
    const ARGB paper = Rgb(0xF6E7C1);
    const ARGB paperDark = Rgb(0xDDBA7A);
    o.push_back(Shape(Outline().Rect(220, 190, 460, 520), WithShadow(Filled(Linear(paper, paperDark, 0), kBrown.dark, 3)),
                      "Sheet"));
    for (float y : {130.0f, 650.0f}) {
        o.push_back(Shape(Outline().RoundRect(170, y, 560, 120, 60), Filled(Linear(paper, paperDark), kBrown.dark, 3),
                          "Roll"));
        o.push_back(Shape(Outline().Circle(200, y + 60, 30), Filled(Solid(paperDark), kBrown.dark, 3), "Roll End"));
        o.push_back(Shape(Outline().Circle(700, y + 60, 30), Filled(Solid(paperDark), kBrown.dark, 3), "Roll End"));
    }
    for (float y : {330.0f, 410.0f, 490.0f, 570.0f})
        o.push_back(Shape(Outline().Capsule({290, y}, {610, y}, 22), Flat(Rgb(0xB08A50, 150)), "Line"));
    return o;
}

// ---- Frames

Objects RoundedFrame()
{
    Objects o;
    o.push_back(Shape(Outline().RoundRect(90, 90, 720, 720, 110).RoundRect(180, 180, 540, 540, 50),
                      Glossy(kPurple, 45), "Frame"));
    return o;
}

Objects DoubleRing()
{
    Objects o;
    o.push_back(Shape(Outline().Circle(kC, kC, 410).Circle(kC, kC, 345), Glossy(kBlue, 45), "Outer Ring"));
    o.push_back(Shape(Outline().Circle(kC, kC, 315).Circle(kC, kC, 290), Filled(Linear(kBlue.light, kBlue.dark, 45)),
                      "Inner Ring"));
    return o;
}

// A rectangle whose corners are cut by quarter circles of radius r, curving inwards.
Outline NotchedRect(float x, float y, float w, float h, float r)
{
    Outline o;
    o.MoveTo(x + r, y).LineTo(x + w - r, y).ArcTo(r, r, 0, false, false, x + w, y + r);
    o.LineTo(x + w, y + h - r).ArcTo(r, r, 0, false, false, x + w - r, y + h);
    o.LineTo(x + r, y + h).ArcTo(r, r, 0, false, false, x, y + h - r);
    o.LineTo(x, y + r).ArcTo(r, r, 0, false, false, x + r, y);
    return o.Close();
}

Objects OrnateFrame()
{
    Objects o;
    Outline frame = NotchedRect(80, 130, 740, 640, 90);
    frame.Rect(190, 240, 520, 420);
    o.push_back(Shape(frame, Glossy(kGold), "Frame"));
    o.push_back(Shape(NotchedRect(125, 175, 650, 550, 60).Add(NotchedRect(139, 189, 622, 522, 50)),
                      Flat(Rgb(0xFFFFFF, 190)), "Inner Line"));
    return o;
}

Objects OvalFrame()
{
    Objects o;
    o.push_back(Shape(Outline().Ellipse(kC, kC, 320, 420).Ellipse(kC, kC, 250, 350),
                      WithShadow(Filled(Linear({{0.0f, kGold.light}, {0.5f, kGold.dark}, {1.0f, kGold.light}}, 60),
                                        kGold.edge, 3)),
                      "Frame"));
    o.push_back(Shape(Outline().Ellipse(kC, kC, 292, 392).Ellipse(kC, kC, 280, 380), Flat(kGold.edge), "Inner Line"));
    return o;
}

Objects StampFrame()
{
    Objects o;
    // The edge of a postage stamp: along each side, straight pieces and half-circle bites.
    const float x = 140, y = 110, w = 620, h = 680, r = 20, pitch = 62;
    Outline stamp;
    stamp.MoveTo(x, y);
    auto side = [&](PointF from, PointF to) {
        const float length = std::hypot(to.X - from.X, to.Y - from.Y);
        const PointF d((to.X - from.X) / length, (to.Y - from.Y) / length);
        const int bites = int(length / pitch);
        const float margin = (length - float(bites) * pitch) / 2 + pitch / 2 - r;
        for (int i = 0; i < bites; ++i) {
            const float s = margin + float(i) * pitch;
            stamp.LineTo(from.X + d.X * s, from.Y + d.Y * s);
            stamp.ArcTo(r, r, 0, false, false, from.X + d.X * (s + 2 * r), from.Y + d.Y * (s + 2 * r));
        }
        stamp.LineTo(to.X, to.Y);
    };
    side({x, y}, {x + w, y});
    side({x + w, y}, {x + w, y + h});
    side({x + w, y + h}, {x, y + h});
    side({x, y + h}, {x, y});
    stamp.Close();
    o.push_back(Shape(stamp, WithShadow(Filled(Solid(kWhite), Rgb(0xC9D2DC), 2)), "Stamp"));
    o.push_back(Shape(Outline().Rect(200, 170, 500, 560), Filled(Linear(kTeal.light, kBlue.dark, 70)), "Picture"));
    return o;
}

// ---- Speech bubbles

Objects SpeechBubble()
{
    Objects o;
    const float cx = kC, cy = 390, rx = 390, ry = 290;
    const PointF a = PointOnCircle(cx, cy, 1, 232);
    const PointF b = PointOnCircle(cx, cy, 1, 200);
    const PointF start(cx + (a.X - cx) * rx, cy + (a.Y - cy) * ry);
    const PointF end(cx + (b.X - cx) * rx, cy + (b.Y - cy) * ry);
    Outline bubble;
    bubble.MoveTo(start.X, start.Y).ArcTo(rx, ry, 0, true, true, end.X, end.Y).LineTo(190, 850).Close();
    o.push_back(Shape(bubble, WithShadow(Filled(Linear(kWhite, Rgb(0xE4EEF9)), kBlue.dark, 4)), "Bubble"));
    return o;
}

Objects RectangularBubble()
{
    Objects o;
    const float x = 70, y = 110, w = 760, h = 520, r = 70;
    Outline bubble;
    bubble.MoveTo(x + r, y).LineTo(x + w - r, y).QuadTo(x + w, y, x + w, y + r).LineTo(x + w, y + h - r)
        .QuadTo(x + w, y + h, x + w - r, y + h).LineTo(560, y + h).LineTo(640, 840).LineTo(400, y + h)
        .LineTo(x + r, y + h).QuadTo(x, y + h, x, y + h - r).LineTo(x, y + r).QuadTo(x, y, x + r, y).Close();
    o.push_back(Shape(bubble, Glossy(kBlue), "Bubble"));
    for (float ly : {260.0f, 370.0f, 480.0f})
        o.push_back(Shape(Outline().Capsule({190, ly}, {ly == 480.0f ? 520.0f : 710.0f, ly}, 46), Flat(Rgb(0xFFFFFF, 210)),
                          "Text Line"));
    return o;
}

Objects ThoughtBubble()
{
    Objects o;
    const Style look = WithShadow(Filled(Linear(kWhite, Rgb(0xEAE4F7)), kPurple.dark, 4));
    o.push_back(Shape(Outline().Cloud(480, 360, 330, 230, 9), look, "Cloud"));
    o.push_back(Shape(Outline().Circle(250, 700, 60), look, "Bubble"));
    o.push_back(Shape(Outline().Circle(150, 810, 34), look, "Bubble"));
    return o;
}

Objects ShoutBubble()
{
    Objects o;
    std::vector<PointF> points;
    const int n = 22;
    for (int i = 0; i < n; ++i) {
        const float r = (i % 2 == 0) ? 400.0f : 290.0f + float((i * 37) % 60);
        PointF p = PointOnCircle(kC, 410, r, 360.0f * float(i) / float(n));
        p.Y = 410 + (p.Y - 410) * 0.85f;
        points.push_back(p);
    }
    // One spike becomes the tail.
    points[13] = PointF(120, 860);
    o.push_back(Shape(Outline().Polygon(points), WithShadow(Filled(Radial(kGold.light, kOrange.dark), kRed.dark, 3)),
                      "Burst"));
    return o;
}

Objects StickyNote()
{
    Objects o;
    Outline note;
    note.MoveTo(150, 130).LineTo(750, 130).LineTo(750, 610).LineTo(570, 790).LineTo(150, 790).Close();
    o.push_back(Shape(note, WithShadow(Filled(Linear(Rgb(0xFFF3A3), Rgb(0xFFD84D)))), "Note"));
    o.push_back(Shape(Outline().Polygon({{750, 610}, {590, 630}, {570, 790}}), Filled(Linear(Rgb(0xF2C230), Rgb(0xD9A514))),
                      "Fold"));
    for (float y : {280.0f, 380.0f, 480.0f})
        o.push_back(Shape(Outline().Capsule({240, y}, {y == 480.0f ? 480.0f : 660.0f, y}, 30), Flat(Rgb(0xB08A10, 140)),
                          "Line"));
    return o;
}

// ---- Symbols

Outline HeartOutline(float cx, float top, float size)
{
    const float s = size / 700.0f;
    auto p = [&](float x, float y) { return PointF(cx + (x - 450) * s, top + (y - 140) * s); };
    const PointF bottom = p(450, 800), l1 = p(150, 580), l2 = p(60, 400), l3 = p(150, 250), l4 = p(250, 110),
                 l5 = p(400, 140), mid = p(450, 270), r1 = p(500, 140), r2 = p(650, 110), r3 = p(750, 250),
                 r4 = p(840, 400), r5 = p(750, 580);
    Outline o;
    o.MoveTo(bottom.X, bottom.Y)
        .CurveTo(l1.X, l1.Y, l2.X, l2.Y, l3.X, l3.Y)
        .CurveTo(l4.X, l4.Y, l5.X, l5.Y, mid.X, mid.Y)
        .CurveTo(r1.X, r1.Y, r2.X, r2.Y, r3.X, r3.Y)
        .CurveTo(r4.X, r4.Y, r5.X, r5.Y, bottom.X, bottom.Y)
        .Close();
    return o;
}

Objects Heart()
{
    Objects o;
    o.push_back(Shape(HeartOutline(kC, 120, 700), WithShadow(Filled(Radial(kPink.light, kRed.dark, -18, -20)))
                      , "Heart"));
    o.push_back(Highlight(310, 300, 90, 60));
    return o;
}

Objects LightningBolt()
{
    Objects o;
    o.push_back(Shape(Outline().Polygon({{520, 60}, {200, 500}, {420, 500}, {340, 850}, {700, 360}, {480, 360}, {600, 60}}),
                      Glossy(kGold, 80), "Lightning"));
    return o;
}

Objects CheckMark()
{
    Objects o;
    o.push_back(Shape(Outline().Circle(kC, kC, 400), WithShadow(Filled(Radial(kGreen.light, kGreen.dark, -12, -14))),
                      "Disc"));
    o.push_back(Shape(Outline().Polygon({{240, 460}, {320, 380}, {410, 470}, {600, 280}, {680, 360}, {410, 630}}),
                      Flat(kWhite), "Check"));
    o.push_back(Highlight(kC, 250, 270, 140));
    return o;
}

Objects LocationPin()
{
    Objects o;
    Outline pin;
    pin.MoveTo(kC, 860)
        .CurveTo(380, 700, 170, 560, 170, 350)
        .ArcTo(280, 280, 0, false, true, 730, 350)
        .CurveTo(730, 560, 520, 700, kC, 860)
        .Close()
        .Circle(kC, 350, 120);
    o.push_back(Shape(pin, WithShadow(Filled(Radial(kRed.light, kRed.dark, -12, -16), kRed.edge, 3)), "Pin"));
    return o;
}

} // namespace

std::vector<GalleryItem> ShapeItems()
{
    return {
        {"Arrows", "Block Arrow", ArrowRight},
        {"Arrows", "Double Arrow", ArrowDouble},
        {"Arrows", "Chevron", Chevron},
        {"Arrows", "Curved Arrow", CurvedArrow},
        {"Arrows", "Circular Arrows", CircularArrows},
        {"Arrows", "Arrow in Circle", ArrowInCircle},
        {"Stars", "Five-Point Star", FivePointStar},
        {"Stars", "Six-Point Star", SixPointStar},
        {"Stars", "Starburst", Starburst},
        {"Stars", "Sparkle", Sparkle},
        {"Stars", "Star in Circle", StarInCircle},
        {"Badges", "Shield", Shield},
        {"Badges", "Seal", Seal},
        {"Badges", "Rosette", Rosette},
        {"Badges", "Hexagon Badge", HexagonBadge},
        {"Badges", "Emblem", Emblem},
        {"Banners", "Ribbon", RibbonBanner},
        {"Banners", "Flag", Flag},
        {"Banners", "Wavy Banner", WavyBanner},
        {"Banners", "Tag", Tag},
        {"Banners", "Scroll", Scroll},
        {"Frames", "Rounded Frame", RoundedFrame},
        {"Frames", "Double Ring", DoubleRing},
        {"Frames", "Ornate Frame", OrnateFrame},
        {"Frames", "Oval Frame", OvalFrame},
        {"Frames", "Stamp", StampFrame},
        {"Speech Bubbles", "Speech Bubble", SpeechBubble},
        {"Speech Bubbles", "Rectangular Bubble", RectangularBubble},
        {"Speech Bubbles", "Thought Bubble", ThoughtBubble},
        {"Speech Bubbles", "Shout", ShoutBubble},
        {"Speech Bubbles", "Note", StickyNote},
        {"Symbols", "Heart", Heart},
        {"Symbols", "Lightning Bolt", LightningBolt},
        {"Symbols", "Check Mark", CheckMark},
        {"Symbols", "Location Pin", LocationPin},
    };
}

} // namespace kelmora::gallery
