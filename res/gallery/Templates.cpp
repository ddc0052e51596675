// The template gallery: logo layouts and stationery, each laid out on its own page with
// placeholder texts for the user to replace.

#include "res/gallery/GalleryContent.h"
#include "res/gallery/Palette.h"

#include <cmath>
#include <numbers>

namespace kelmora::gallery {

namespace {

// Logo layouts sit on a page of 5 × 4 inches.
constexpr CSize kLogoPage{1500, 1200};
constexpr float kLogoX = 750.0f;
constexpr float kLogoY = 600.0f;
// A business card of 3.5 × 2 inches, an A4 letterhead, a DL envelope (220 × 110 mm).
constexpr CSize kCardPage{1050, 600};
constexpr CSize kLetterPage{2478, 3507};
constexpr CSize kEnvelopePage{2598, 1299};

Style Flat(ARGB colour)
{
    return Filled(Solid(colour));
}

TextStyle Sans(float size, ARGB colour, int32_t style = 0)
{
    return Font(FontFace::Sans, style, size, Solid(colour));
}

TextStyle Serif(float size, ARGB colour, int32_t style = 0)
{
    return Font(FontFace::Serif, style, size, Solid(colour));
}

// A sheet of paper behind the layout, so that the page shows in the thumbnail.
std::unique_ptr<CDrawObj> Sheet(CSize page, ARGB colour = kWhite)
{
    return Shape(Outline().Rect(0, 0, float(page.cx), float(page.cy)),
                 WithShadow(Filled(Solid(colour), Rgb(0xD5DCE4), 2), SoftShadow(5, 60)), "Page");
}

// The small mark used on the stationery: a rounded square with a star cut out.
void AddMark(Objects& o, float x, float y, float size, const Hue& hue)
{
    o.push_back(Shape(Outline().RoundRect(x, y, size, size, size * 0.22f)
                          .Star(x + size / 2, y + size * 0.53f, 5, size * 0.34f, size * 0.14f),
                      Filled(Linear(hue.light, hue.dark, 45)), "Logo Mark"));
}

// ---- Logos

Objects CircleEmblem()
{
    Objects o;
    const float cx = kLogoX, cy = kLogoY;
    o.push_back(Shape(Outline().Circle(cx, cy, 500), WithShadow(Filled(Radial(kSlate.light, kSlate.edge, -8, -10))),
                      "Emblem"));
    o.push_back(Shape(Outline().Circle(cx, cy, 470).Circle(cx, cy, 455), Flat(kGold.light), "Outer Ring"));
    o.push_back(Shape(Outline().Circle(cx, cy, 300).Circle(cx, cy, 285), Flat(kGold.light), "Inner Ring"));
    o.push_back(ArcText("YOUR COMPANY NAME", RectF(cx - 420, cy - 420, 840, 840), 1, Sans(100, kWhite, kBold)));
    o.push_back(ArcText("QUALITY SINCE 2024", RectF(cx - 390, cy - 390, 780, 780), 2, Sans(78, kGold.light, kBold)));
    for (float side : {-1.0f, 1.0f})
        o.push_back(Shape(Outline().Star(cx + side * 385, cy, 5, 38, 15), Flat(kGold.light), "Star"));
    o.push_back(Shape(Outline().Star(cx, cy - 40, 5, 190, 76), Filled(Linear(kGold.light, kGold.dark)), "Star"));
    o.push_back(Text("LOGO", cx, cy + 175, Sans(80, kWhite, kBold)));
    return o;
}

Objects ShieldCrest()
{
    Objects o;
    const float cx = kLogoX;
    Outline shield;
    shield.MoveTo(cx - 330, 170)
        .QuadTo(cx, 90, cx + 330, 170)
        .LineTo(cx + 330, 560)
        .CurveTo(cx + 330, 820, cx + 160, 960, cx, 1040)
        .CurveTo(cx - 160, 960, cx - 330, 820, cx - 330, 560)
        .Close();
    o.push_back(Shape(shield, WithShadow(Filled(Linear(kBlue.light, kBlue.edge), kBlue.edge, 3)), "Shield"));
    o.push_back(Shape(Outline().Rect(cx - 330, 470, 660, 40), Flat(kGold.light), "Bar"));
    o.push_back(Shape(Outline().Star(cx, 320, 5, 110, 44), Flat(kWhite), "Star"));
    o.push_back(Text("EST. 2024", cx, 760, Serif(70, kWhite, kBold)));
    // The banner across the shield.
    const Style back = Filled(Linear(kRed.dark, kRed.edge));
    o.push_back(Shape(Outline().Polygon({{cx - 520, 560}, {cx - 360, 560}, {cx - 360, 700}, {cx - 520, 700}, {cx - 460, 630}}),
                      back, "Banner End"));
    o.push_back(Shape(Outline().Polygon({{cx + 520, 560}, {cx + 360, 560}, {cx + 360, 700}, {cx + 520, 700}, {cx + 460, 630}}),
                      back, "Banner End"));
    Outline band;
    band.MoveTo(cx - 420, 530).QuadTo(cx, 490, cx + 420, 530).LineTo(cx + 420, 660).QuadTo(cx, 620, cx - 420, 660).Close();
    o.push_back(Shape(band, WithShadow(Filled(Linear(kRed.light, kRed.dark))), "Banner"));
    o.push_back(Text("YOUR BRAND", cx, 585, Serif(92, kWhite, kBold)));
    return o;
}

Objects Wordmark()
{
    Objects o;
    Outline swoosh;
    swoosh.MoveTo(230, 760).CurveTo(520, 900, 1000, 860, 1300, 560).CurveTo(1030, 780, 560, 820, 230, 760).Close();
    o.push_back(Shape(swoosh, Filled(Linear(kOrange.light, kRed.dark, 0)), "Swoosh"));
    o.push_back(Text("Brandname", kLogoX, 560, Font(FontFace::Sans, kBold, 250, Linear(kBlue.dark, kPurple.dark, 0))));
    o.push_back(Text("YOUR SLOGAN GOES HERE", kLogoX, 880, Sans(62, kSlate.dark)));
    o.push_back(Shape(Outline().Star(1290, 330, 4, 70, 18), Flat(kOrange.dark), "Sparkle"));
    return o;
}

Objects Monogram()
{
    Objects o;
    const float cx = kLogoX, cy = 500;
    o.push_back(Shape(Outline().RegularPolygon(cx, cy, 6, 360), WithShadow(Filled(Linear(kTeal.light, kTeal.edge, 45)))
                      , "Hexagon"));
    o.push_back(Shape(Outline().RegularPolygon(cx, cy, 6, 315).RegularPolygon(cx, cy, 6, 300), Flat(Rgb(0xFFFFFF, 200)),
                      "Inner Edge"));
    o.push_back(Text("AB", cx, cy, Serif(300, kWhite, kBold)));
    o.push_back(Text("ALPHA BETA STUDIO", cx, 990, Sans(90, kSlate.edge, kBold)));
    o.push_back(Shape(Outline().Rect(cx - 260, 1065, 520, 8), Flat(kTeal.dark), "Rule"));
    return o;
}

// ---- Stationery

Objects BusinessCard()
{
    Objects o;
    o.push_back(Sheet(kCardPage));
    Outline band;
    band.MoveTo(0, 0).LineTo(380, 0).LineTo(260, 600).LineTo(0, 600).Close();
    o.push_back(Shape(band, Filled(Linear(kBlue.light, kBlue.edge, 60)), "Band"));
    Outline accent;
    accent.MoveTo(380, 0).LineTo(410, 0).LineTo(290, 600).LineTo(260, 600).Close();
    o.push_back(Shape(accent, Flat(kGold.dark), "Accent"));
    AddMark(o, 80, 220, 150, kGold);
    o.push_back(TextAt("Jane Smith", 430, 170, Sans(70, kInk, kBold)));
    o.push_back(TextAt("Creative Director", 430, 240, Sans(38, kBlue.dark)));
    o.push_back(Shape(Outline().Rect(430, 290, 120, 5), Flat(kGold.dark), "Rule"));
    int line = 0;
    for (const char* text : {"+1 555 0100", "jane@example.com", "www.example.com", "12 Market Street, Springfield"})
        o.push_back(TextAt(text, 430, 360 + 52 * float(line++), Sans(32, kSlate.dark)));
    return o;
}

Objects BusinessCardDark()
{
    Objects o;
    o.push_back(Sheet(kCardPage, kSlate.edge));
    o.push_back(Shape(Outline().Rect(0, 540, 1050, 60), Filled(Linear(kGold.light, kGold.dark, 0)), "Band"));
    o.push_back(Shape(Outline().Circle(525, 190, 95).Circle(525, 190, 85), Flat(kGold.light), "Ring"));
    o.push_back(Text("YC", 525, 190, Serif(90, kGold.light, kBold)));
    o.push_back(Text("YOUR COMPANY", 525, 350, Sans(60, kWhite, kBold)));
    o.push_back(Text("Design  -  Print  -  Web", 525, 420, Sans(32, kGold.light)));
    o.push_back(Text("www.example.com", 525, 490, Sans(30, kSlate.light)));
    return o;
}

Objects Letterhead()
{
    Objects o;
    const float w = float(kLetterPage.cx), h = float(kLetterPage.cy);
    o.push_back(Sheet(kLetterPage));
    Outline header;
    header.MoveTo(0, 0).LineTo(w, 0).LineTo(w, 300).CurveTo(w * 0.7f, 420, w * 0.35f, 240, 0, 360).Close();
    o.push_back(Shape(header, Filled(Linear(kBlue.light, kBlue.edge, 20)), "Header"));
    Outline wave;
    wave.MoveTo(0, 360).CurveTo(w * 0.35f, 240, w * 0.7f, 420, w, 300).LineTo(w, 330)
        .CurveTo(w * 0.7f, 450, w * 0.35f, 270, 0, 390).Close();
    o.push_back(Shape(wave, Flat(kGold.dark), "Accent"));
    AddMark(o, 180, 90, 170, kGold);
    o.push_back(TextAt("YOUR COMPANY", 400, 150, Sans(110, kWhite, kBold)));
    o.push_back(TextAt("Slogan goes here", 400, 235, Sans(56, Rgb(0xDCEBFF))));
    int line = 0;
    for (const char* text : {"12 Market Street", "Springfield 01234", "+1 555 0100", "hello@example.com"})
        o.push_back(TextAt(text, 1850, 560 + 70 * float(line++), Sans(44, kSlate.dark)));
    // Placeholder lines where the letter goes.
    for (int i = 0; i < 14; ++i)
        o.push_back(Shape(Outline().Rect(240, 1000 + 140 * float(i), i == 13 ? 1200.0f : 2000.0f, 6),
                          Flat(Rgb(0xE3E8EE)), "Writing Line"));
    o.push_back(Shape(Outline().Rect(0, h - 160, w, 160), Filled(Linear(kBlue.dark, kBlue.edge, 0)), "Footer"));
    o.push_back(Text("www.example.com", w / 2, h - 80, Sans(48, kWhite)));
    return o;
}

Objects Envelope()
{
    Objects o;
    const float w = float(kEnvelopePage.cx), h = float(kEnvelopePage.cy);
    o.push_back(Sheet(kEnvelopePage));
    o.push_back(Shape(Outline().Rect(0, 0, 60, h), Filled(Linear(kTeal.light, kTeal.edge)), "Edge"));
    AddMark(o, 160, 120, 160, kTeal);
    o.push_back(TextAt("YOUR COMPANY", 360, 165, Sans(70, kInk, kBold)));
    o.push_back(TextAt("12 Market Street, Springfield 01234", 360, 245, Sans(40, kSlate.dark)));
    for (int i = 0; i < 4; ++i)
        o.push_back(Shape(Outline().Rect(1250, 640 + 120 * float(i), 1000, 6), Flat(Rgb(0xD5DCE4)), "Address Line"));
    o.push_back(Shape(Outline().Rect(w - 330, 110, 220, 260).Rect(w - 315, 125, 190, 230),
                      Filled(Solid(Rgb(0xC9D2DC))), "Stamp Box"));
    return o;
}

} // namespace

std::vector<GalleryItem> TemplateItems()
{
    return {
        {"Logos", "Circle Emblem", CircleEmblem, kLogoPage},
        {"Logos", "Shield Crest", ShieldCrest, kLogoPage},
        {"Logos", "Wordmark", Wordmark, kLogoPage},
        {"Logos", "Monogram", Monogram, kLogoPage},
        {"Stationery", "Business Card", BusinessCard, kCardPage},
        {"Stationery", "Business Card Dark", BusinessCardDark, kCardPage},
        {"Stationery", "Letterhead", Letterhead, kLetterPage},
        {"Stationery", "Envelope", Envelope, kEnvelopePage},
    };
}

} // namespace kelmora::gallery
