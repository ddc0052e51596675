// The clipart gallery: pictures of nature and of everyday things, each drawn in a box of
// 900 × 900 units around (450, 450) from several styled pieces.

#include "res/gallery/GalleryContent.h"
#include "res/gallery/Palette.h"

#include <cmath>
#include <numbers>

namespace kelmora::gallery {

namespace {

constexpr float kC = 450.0f;

Style Shaded(const Hue& hue, float angle = 90.0f)
{
    return Filled(Linear(hue.light, hue.dark, angle));
}

// The crescent left of the circle (cx, cy, r) when the circle (cx + dx, cy + dy, r2)
// covers the rest.
Outline Crescent(float cx, float cy, float r, float dx, float dy, float r2)
{
    // The two points where the circles cross.
    const float d = std::hypot(dx, dy);
    const float a = (r * r - r2 * r2 + d * d) / (2 * d);
    const float h = std::sqrt(std::max(0.0f, r * r - a * a));
    const PointF m(cx + a * dx / d, cy + a * dy / d);
    const PointF p1(m.X - h * dy / d, m.Y + h * dx / d);
    const PointF p2(m.X + h * dy / d, m.Y - h * dx / d);
    Outline o;
    o.MoveTo(p1.X, p1.Y).ArcTo(r, r, 0, true, true, p2.X, p2.Y).ArcTo(r2, r2, 0, false, false, p1.X, p1.Y);
    return o.Close();
}

// ---- Nature

Objects Sun()
{
    Objects o;
    o.push_back(Shape(Outline().Star(kC, kC, 12, 430, 290), WithShadow(Filled(Radial(kGold.light, kOrange.dark))),
                      "Rays"));
    auto disc = Shape(Outline().Circle(kC, kC, 250), Filled(Radial(Rgb(0xFFF6C4), kGold.dark, -10, -10)), "Sun");
    disc->m_bGlow = true;
    disc->m_clrGlow = Rgb(0xFFD54A, 200);
    disc->m_fGlowRadius = 12;
    o.push_back(std::move(disc));
    o.push_back(Highlight(400, 330, 140, 80, 110));
    return o;
}

Objects Moon()
{
    Objects o;
    o.push_back(Shape(Crescent(400, 470, 330, 170, -120, 290), WithShadow(Filled(Radial(Rgb(0xFFF4C2), kGold.dark, -20, 0),
                                                                                   kGold.edge, 3)),
                      "Moon"));
    for (const auto& [x, y, r] : {std::tuple{690.0f, 560.0f, 70.0f}, {760.0f, 300.0f, 45.0f}, {610.0f, 760.0f, 35.0f}})
        o.push_back(Shape(Outline().Star(x, y, 4, r, r * 0.3f), Flat(kGold.light), "Star"));
    return o;
}

Objects CloudPicture()
{
    Objects o;
    o.push_back(Shape(Outline().Cloud(kC, 430, 350, 200, 8), WithShadow(Filled(Linear(kWhite, Rgb(0xD8E6F5)), Rgb(0x9FB6CF), 3)),
                      "Cloud"));
    for (float x : {300.0f, 450.0f, 600.0f})
        o.push_back(Shape(Outline()
                              .MoveTo(x, 690)
                              .CurveTo(x + 30, 740, x + 40, 770, x, 790)
                              .CurveTo(x - 40, 770, x - 30, 740, x, 690)
                              .Close(),
                          Shaded(kBlue), "Rain Drop"));
    return o;
}

Objects Leaf()
{
    Objects o;
    Outline leaf;
    leaf.MoveTo(160, 760).CurveTo(120, 380, 420, 130, 800, 110).CurveTo(800, 480, 560, 760, 160, 760).Close();
    o.push_back(Shape(leaf, Glossy(kGreen, 45), "Leaf"));
    // The midrib and the veins, as thin tapering shapes.
    Outline rib;
    rib.MoveTo(120, 820).QuadTo(420, 520, 760, 160).QuadTo(430, 540, 140, 840).Close();
    o.push_back(Shape(rib, Flat(Rgb(0xFFFFFF, 150)), "Midrib"));
    for (float t : {0.3f, 0.5f, 0.7f}) {
        const PointF base(160 + (760 - 160) * t, 760 + (160 - 760) * t + 40 * t);
        Outline vein;
        vein.MoveTo(base.X, base.Y).QuadTo(base.X + 60, base.Y - 150, base.X + 10, base.Y - 230).QuadTo(base.X + 70, base.Y - 150, base.X + 12, base.Y).Close();
        o.push_back(Shape(vein, Flat(Rgb(0xFFFFFF, 110)), "Vein"));
        Outline lower;
        lower.MoveTo(base.X, base.Y).QuadTo(base.X + 150, base.Y - 40, base.X + 230, base.Y + 10).QuadTo(base.X + 150, base.Y - 20, base.X, base.Y + 12).Close();
        o.push_back(Shape(lower, Flat(Rgb(0xFFFFFF, 110)), "Vein"));
    }
    return o;
}

Objects Tree()
{
    Objects o;
    Outline trunk;
    trunk.MoveTo(400, 840).LineTo(420, 560).LineTo(330, 470).LineTo(360, 450).LineTo(440, 520).LineTo(450, 420)
        .LineTo(480, 420).LineTo(480, 530).LineTo(560, 460).LineTo(585, 485).LineTo(495, 575).LineTo(510, 840).Close();
    o.push_back(Shape(trunk, WithShadow(Filled(Linear(kBrown.light, kBrown.dark, 0)), SoftShadow(4)), "Trunk"));
    o.push_back(Shape(Outline().Cloud(kC, 340, 330, 260, 9, 0.66f), WithShadow(Filled(Radial(kGreen.light, kGreen.dark, -12, -18),
                                                                            kGreen.edge, 3)),
                      "Crown"));
    o.push_back(Shape(Outline().Ellipse(kC, 850, 220, 28), Filled(Solid(Rgb(0x2E9E44, 90))), "Ground"));
    return o;
}

Objects Flower()
{
    Objects o;
    Outline stem;
    stem.MoveTo(440, 470).QuadTo(400, 680, 450, 880).LineTo(480, 880).QuadTo(430, 680, 470, 470).Close();
    o.push_back(Shape(stem, Shaded(kGreen, 0), "Stem"));
    Outline leaf;
    leaf.MoveTo(445, 720).QuadTo(560, 600, 700, 640).QuadTo(580, 760, 445, 720).Close();
    o.push_back(Shape(leaf, Shaded(kGreen), "Leaf"));
    for (int i = 0; i < 8; ++i) {
        const Outline petal = Rotated(Outline().Ellipse(kC, 185, 85, 150), 45.0f * float(i), kC, 330);
        o.push_back(Shape(petal, WithShadow(Filled(Linear(kPink.light, kPink.dark), kPink.edge, 2), SoftShadow(3, 60)),
                          "Petal"));
    }
    o.push_back(Shape(Outline().Circle(kC, 330, 95), Filled(Radial(kGold.light, kOrange.dark, -15, -15), kOrange.edge, 2),
                      "Centre"));
    return o;
}

Objects Mountains()
{
    Objects o;
    o.push_back(Shape(Outline().Circle(680, 250, 90), Filled(Radial(kGold.light, kOrange.light)), "Sun"));
    Outline back;
    back.MoveTo(330, 760).LineTo(590, 300).QuadTo(610, 270, 630, 300).LineTo(880, 760).Close();
    o.push_back(Shape(back, Shaded(kSlate, 60), "Far Peak"));
    Outline front;
    front.MoveTo(20, 760).LineTo(310, 220).QuadTo(330, 190, 350, 220).LineTo(660, 760).Close();
    o.push_back(Shape(front, WithShadow(Filled(Linear(kBlue.light, kSlate.dark, 60))), "Peak"));
    Outline snow;
    snow.MoveTo(242, 345).LineTo(310, 220).QuadTo(330, 190, 350, 220).LineTo(420, 345).LineTo(380, 320).LineTo(345, 365)
        .LineTo(310, 320).LineTo(275, 360).Close();
    o.push_back(Shape(snow, Flat(kWhite), "Snow"));
    Outline snow2;
    snow2.MoveTo(535, 398).LineTo(590, 300).QuadTo(610, 270, 630, 300).LineTo(686, 398).LineTo(650, 380).LineTo(615, 420)
        .LineTo(585, 380).Close();
    o.push_back(Shape(snow2, Flat(Rgb(0xF1F5FA)), "Snow"));
    o.push_back(Shape(Outline().RoundRect(20, 740, 860, 60, 30), Shaded(kGreen), "Ground"));
    return o;
}

Objects Waves()
{
    Objects o;
    const Hue* hues[] = {&kBlue, &kTeal, &kBlue};
    for (int band = 0; band < 3; ++band) {
        const float top = 250.0f + 150.0f * float(band);
        std::vector<PointF> upper, lower;
        for (int i = 0; i <= 48; ++i) {
            const float x = 80 + 740 * float(i) / 48;
            const float phase = float(band) * 1.3f;
            const float t = float(i) / 48 * 4 * std::numbers::pi_v<float> + phase;
            upper.emplace_back(x, top + 40 * std::sin(t));
            lower.emplace_back(x, top + 90 + 40 * std::sin(t));
        }
        Outline wave;
        wave.MoveTo(upper[0].X, upper[0].Y);
        for (size_t i = 1; i < upper.size(); ++i)
            wave.LineTo(upper[i].X, upper[i].Y);
        for (size_t i = lower.size(); i-- > 0;)
            wave.LineTo(lower[i].X, lower[i].Y);
        wave.Close();
        o.push_back(Shape(wave, WithShadow(Shaded(*hues[band]), SoftShadow(4, 70)), "Wave"));
    }
    return o;
}

Objects Snowflake()
{
    Objects o;
    const Style ice = Flat(Rgb(0x5AB2F0));
    for (int arm = 0; arm < 6; ++arm) {
        const float a = 60.0f * float(arm);
        o.push_back(Shape(Outline().Capsule(PointOnCircle(kC, kC, 40, a), PointOnCircle(kC, kC, 390, a), 46), ice, "Arm"));
        for (const auto& [along, length] : {std::pair{200.0f, 120.0f}, {300.0f, 90.0f}}) {
            const PointF base = PointOnCircle(kC, kC, along, a);
            o.push_back(Shape(Outline().Capsule(base, PointOnCircle(base.X, base.Y, length, a + 45), 36), ice, "Branch"));
            o.push_back(Shape(Outline().Capsule(base, PointOnCircle(base.X, base.Y, length, a - 45), 36), ice, "Branch"));
        }
    }
    o.push_back(Shape(Outline().RegularPolygon(kC, kC, 6, 90), Filled(Radial(kWhite, kBlue.dark)), "Centre"));
    return o;
}

Objects WaterDrop()
{
    Objects o;
    Outline drop;
    drop.MoveTo(kC, 70)
        .CurveTo(520, 240, 720, 420, 720, 590)
        .CurveTo(720, 740, 600, 850, kC, 850)
        .CurveTo(300, 850, 180, 740, 180, 590)
        .CurveTo(180, 420, 380, 240, kC, 70)
        .Close();
    o.push_back(Shape(drop, WithShadow(Filled(Radial(kBlue.light, kBlue.dark, -12, 8), kBlue.edge, 3)), "Drop"));
    Outline shine;
    shine.MoveTo(290, 560).QuadTo(290, 470, 360, 400).QuadTo(330, 480, 335, 570).QuadTo(312, 600, 290, 560).Close();
    o.push_back(Shape(shine, Flat(Rgb(0xFFFFFF, 170)), "Shine"));
    return o;
}

// ---- Objects

Objects LightBulb()
{
    Objects o;
    Outline glass;
    glass.MoveTo(350, 620)
        .CurveTo(340, 530, 190, 480, 190, 330)
        .ArcTo(260, 260, 0, false, true, 710, 330)
        .CurveTo(710, 480, 560, 530, 550, 620)
        .Close();
    auto bulb = Shape(glass, WithShadow(Filled(Radial(Rgb(0xFFF8D0), kGold.dark, -10, -20), kGold.edge, 3)), "Bulb");
    bulb->m_bGlow = true;
    bulb->m_clrGlow = Rgb(0xFFE27A, 180);
    bulb->m_fGlowRadius = 14;
    o.push_back(std::move(bulb));
    o.push_back(Highlight(360, 250, 90, 60, 150));
    for (int i = 0; i < 3; ++i)
        o.push_back(Shape(Outline().RoundRect(345 + 5 * float(i), 635 + 52 * float(i), 210 - 10 * float(i), 44, 20),
                          Filled(Linear(kSlate.light, kSlate.dark, 0), kSlate.edge, 2), "Screw Thread"));
    o.push_back(Shape(Outline().MoveTo(395, 790).LineTo(505, 790).QuadTo(490, 840, kC, 840).QuadTo(410, 840, 395, 790).Close(),
                      Flat(kSlate.edge), "Contact"));
    return o;
}

Objects Gear()
{
    Objects o;
    o.push_back(Shape(Outline().Gear(kC, kC, 10, 410, 330).Circle(kC, kC, 130), Glossy(kSlate, 45), "Gear"));
    o.push_back(Shape(Outline().Circle(kC, kC, 250).Circle(kC, kC, 215), Flat(Rgb(0xFFFFFF, 70)), "Rim"));
    return o;
}

Objects Rocket()
{
    Objects o;
    Outline flame;
    flame.MoveTo(390, 640).LineTo(510, 640).CurveTo(520, 730, 480, 790, kC, 880).CurveTo(420, 790, 380, 730, 390, 640).Close();
    o.push_back(Shape(flame, Filled(Linear(kGold.light, kRed.dark)), "Flame"));
    const Style fin = Filled(Linear(kRed.light, kRed.dark), kRed.edge, 3);
    o.push_back(Shape(Outline().MoveTo(330, 440).CurveTo(230, 500, 200, 600, 210, 700).LineTo(340, 620).Close(), fin,
                      "Fin"));
    o.push_back(Shape(Outline().MoveTo(570, 440).CurveTo(670, 500, 700, 600, 690, 700).LineTo(560, 620).Close(), fin,
                      "Fin"));
    Outline body;
    body.MoveTo(kC, 60).CurveTo(600, 170, 620, 420, 575, 650).LineTo(325, 650).CurveTo(280, 420, 300, 170, kC, 60).Close();
    o.push_back(Shape(body, WithShadow(Filled(Linear(kWhite, Rgb(0xB9C4D2), 0), kSlate.dark, 3)), "Body"));
    Outline nose;
    nose.MoveTo(kC, 60).CurveTo(520, 110, 560, 170, 580, 230).QuadTo(kC, 200, 320, 230).CurveTo(340, 170, 380, 110, kC, 60).Close();
    o.push_back(Shape(nose, Filled(Linear(kRed.light, kRed.dark)), "Nose"));
    o.push_back(Shape(Outline().Circle(kC, 370, 85), Filled(Solid(kSlate.light), kSlate.dark, 3), "Window Rim"));
    o.push_back(Shape(Outline().Circle(kC, 370, 62), Filled(Radial(kTeal.light, kBlue.dark, -15, -15)), "Window"));
    o.push_back(Shape(Outline().RoundRect(420, 560, 60, 140, 30), fin, "Centre Fin"));
    return o;
}

Objects House()
{
    Objects o;
    o.push_back(Shape(Outline().Rect(590, 150, 70, 170), Filled(Linear(kBrown.light, kBrown.dark, 0)), "Chimney"));
    o.push_back(Shape(Outline().Rect(180, 400, 540, 420), WithShadow(Filled(Linear(Rgb(0xFFF4E0), Rgb(0xE9D3B0)),
                                                                            kBrown.dark, 3)),
                      "Walls"));
    o.push_back(Shape(Outline().Polygon({{90, 440}, {450, 120}, {810, 440}, {760, 480}, {450, 205}, {140, 480}}),
                      Filled(Linear(kRed.light, kRed.dark), kRed.edge, 3), "Roof"));
    o.push_back(Shape(Outline().RoundRect(390, 580, 130, 240, 14), Filled(Linear(kBrown.light, kBrown.dark), kBrown.edge, 3),
                      "Door"));
    o.push_back(Shape(Outline().Circle(495, 710, 11), Flat(kGold.light), "Handle"));
    for (float x : {240.0f, 580.0f}) {
        o.push_back(Shape(Outline().Rect(x, 540, 90, 90), Filled(Linear(kBlue.light, kBlue.dark), kSlate.dark, 3),
                          "Window"));
        o.push_back(Shape(Outline().Rect(x + 40, 540, 10, 90).Rect(x, 580, 40, 10).Rect(x + 50, 580, 40, 10),
                          Flat(kWhite), "Window Bars"));
    }
    return o;
}

Objects Crown()
{
    Objects o;
    Outline crown;
    crown.MoveTo(150, 650).LineTo(110, 300).LineTo(300, 470).LineTo(kC, 210).LineTo(600, 470).LineTo(790, 300)
        .LineTo(750, 650).Close();
    o.push_back(Shape(crown, Glossy(kGold), "Crown"));
    o.push_back(Shape(Outline().RoundRect(140, 630, 620, 110, 24), Glossy(kGold, 90), "Band"));
    for (const auto& [x, y] : {std::pair{110.0f, 300.0f}, {kC, 210.0f}, {790.0f, 300.0f}})
        o.push_back(Shape(Outline().Circle(x, y, 34), Filled(Radial(kWhite, kGold.dark, -20, -20), kGold.edge, 2), "Pearl"));
    const Hue* gems[] = {&kRed, &kBlue, &kGreen};
    for (int i = 0; i < 3; ++i) {
        const float x = 270.0f + 180.0f * float(i);
        o.push_back(Shape(Outline().RegularPolygon(x, 685, 4, 38), Filled(Radial(gems[i]->light, gems[i]->dark)), "Gem"));
    }
    return o;
}

Objects Diamond()
{
    Objects o;
    const PointF tl(260, 200), tr(640, 200), l(90, 380), r(810, 380), b(kC, 820);
    const PointF m1(340, 380), m2(560, 380), t(kC, 200);
    o.push_back(Shape(Outline().Polygon({tl, tr, r, b, l}), WithShadow(Filled(Solid(kBlue.dark), kBlue.edge, 3)), "Diamond"));
    const ARGB tones[] = {Rgb(0xA8D8FF), Rgb(0x7CC0FF), Rgb(0x5AA9F5), Rgb(0x3C8CE6), Rgb(0x2A6FCC), Rgb(0x1F5FB8)};
    o.push_back(Shape(Outline().Polygon({tl, t, m1}), Flat(tones[0]), "Facet"));
    o.push_back(Shape(Outline().Polygon({t, tr, m2}), Flat(tones[1]), "Facet"));
    o.push_back(Shape(Outline().Polygon({t, m2, m1}), Flat(Rgb(0xD6EEFF)), "Table"));
    o.push_back(Shape(Outline().Polygon({tl, m1, l}), Flat(tones[2]), "Facet"));
    o.push_back(Shape(Outline().Polygon({tr, r, m2}), Flat(tones[3]), "Facet"));
    o.push_back(Shape(Outline().Polygon({l, m1, b}), Flat(tones[2]), "Facet"));
    o.push_back(Shape(Outline().Polygon({m1, m2, b}), Flat(tones[1]), "Facet"));
    o.push_back(Shape(Outline().Polygon({m2, r, b}), Flat(tones[4]), "Facet"));
    o.push_back(Shape(Outline().Star(300, 270, 4, 40, 10), Flat(kWhite), "Sparkle"));
    return o;
}

Objects Trophy()
{
    Objects o;
    const Style gold = Glossy(kGold, 0);
    o.push_back(Shape(Outline().Ellipse(230, 300, 120, 130).Ellipse(230, 300, 75, 85), gold, "Handle"));
    o.push_back(Shape(Outline().Ellipse(670, 300, 120, 130).Ellipse(670, 300, 75, 85), gold, "Handle"));
    Outline cup;
    cup.MoveTo(240, 140).LineTo(660, 140).CurveTo(660, 420, 580, 560, kC, 560).CurveTo(320, 560, 240, 420, 240, 140).Close();
    o.push_back(Shape(cup, gold, "Cup"));
    o.push_back(Shape(Outline().Polygon({{410, 550}, {490, 550}, {520, 690}, {380, 690}}), gold, "Stem"));
    o.push_back(Shape(Outline().RoundRect(280, 680, 340, 70, 16), Glossy(kGold), "Base"));
    o.push_back(Shape(Outline().RoundRect(240, 740, 420, 90, 18), Glossy(kBrown), "Plinth"));
    o.push_back(Shape(Outline().Star(kC, 330, 5, 110, 44), Flat(Rgb(0xFFFFFF, 210)), "Star"));
    o.push_back(Shape(Outline().RoundRect(370, 770, 160, 30, 10), Flat(kGold.light), "Plate"));
    return o;
}

Objects CoffeeCup()
{
    Objects o;
    o.push_back(Shape(Outline().Ellipse(kC, 790, 330, 70), WithShadow(Filled(Linear(kWhite, Rgb(0xCBD5E1)), kSlate.light, 3)),
                      "Saucer"));
    o.push_back(Shape(Outline().Ellipse(680, 520, 110, 120).Ellipse(680, 520, 62, 72), Filled(Linear(kWhite, Rgb(0xCBD5E1), 0),
                                                                                         kSlate.light, 3),
                      "Handle"));
    Outline cup;
    cup.MoveTo(200, 360).LineTo(700, 360).CurveTo(700, 600, 640, 770, kC, 770).CurveTo(260, 770, 200, 600, 200, 360).Close();
    o.push_back(Shape(cup, Filled(Linear(kWhite, Rgb(0xCBD5E1), 0), kSlate.light, 3), "Cup"));
    o.push_back(Shape(Outline().Ellipse(kC, 362, 250, 42), Filled(Linear(kBrown.dark, kBrown.edge)), "Coffee"));
    o.push_back(Shape(Outline().RoundRect(220, 470, 460, 60, 10), Filled(Solid(kRed.dark)), "Stripe"));
    for (float x : {360.0f, 450.0f, 540.0f}) {
        Outline steam;
        steam.MoveTo(x, 300).CurveTo(x - 50, 240, x + 50, 190, x, 110).CurveTo(x + 70, 190, x - 20, 240, x + 20, 300).Close();
        o.push_back(Shape(steam, Filled(Linear(Rgb(0x9FB0C2, 40), Rgb(0x9FB0C2, 170))), "Steam"));
    }
    return o;
}

Objects Globe()
{
    Objects o;
    o.push_back(Shape(Outline().Circle(kC, kC, 400), WithShadow(Filled(Radial(kTeal.light, kBlue.dark, -15, -18),
                                                                      kBlue.edge, 3)),
                      "Globe"));
    // Meridians and parallels, each a thin band of its own.
    const Style line = Flat(Rgb(0xFFFFFF, 120));
    for (float rx : {130.0f, 280.0f})
        o.push_back(Shape(Outline().Ellipse(kC, kC, rx + 9, 400).Ellipse(kC, kC, rx - 9, 391), line, "Meridian"));
    o.push_back(Shape(Outline().Rect(441, 52, 18, 796), line, "Meridian"));
    for (float y : {-230.0f, 0.0f, 230.0f}) {
        const float half = std::sqrt(400.0f * 400.0f - y * y);
        o.push_back(Shape(Outline().Rect(kC - half + 4, kC + y - 8, 2 * half - 8, 16), line, "Parallel"));
    }
    o.push_back(Highlight(360, 250, 200, 110, 110));
    return o;
}

Objects Key()
{
    Objects o;
    Outline key;
    key.Circle(260, kC, 170).Circle(260, kC, 75);
    Outline shaft;
    shaft.MoveTo(410, 410).LineTo(820, 410).LineTo(860, kC).LineTo(820, 490).LineTo(770, 490).LineTo(770, 580)
        .LineTo(710, 580).LineTo(710, 490).LineTo(660, 490).LineTo(660, 560).LineTo(600, 560).LineTo(600, 490)
        .LineTo(410, 490).Close();
    o.push_back(Shape(Rotated(shaft, -30, kC, kC), Glossy(kGold, 60), "Blade"));
    o.push_back(Shape(Rotated(key, -30, kC, kC), Glossy(kGold, 60), "Bow"));
    return o;
}

} // namespace

std::vector<GalleryItem> ClipartItems()
{
    return {
        {"Nature", "Sun", Sun},
        {"Nature", "Moon and Stars", Moon},
        {"Nature", "Rain Cloud", CloudPicture},
        {"Nature", "Leaf", Leaf},
        {"Nature", "Tree", Tree},
        {"Nature", "Flower", Flower},
        {"Nature", "Mountains", Mountains},
        {"Nature", "Waves", Waves},
        {"Nature", "Snowflake", Snowflake},
        {"Nature", "Water Drop", WaterDrop},
        {"Objects", "Light Bulb", LightBulb},
        {"Objects", "Gear", Gear},
        {"Objects", "Rocket", Rocket},
        {"Objects", "House", House},
        {"Objects", "Crown", Crown},
        {"Objects", "Diamond", Diamond},
        {"Objects", "Trophy", Trophy},
        {"Objects", "Coffee Cup", CoffeeCup},
        {"Objects", "Globe", Globe},
        {"Objects", "Key", Key},
    };
}

} // namespace kelmora::gallery
