#include "platform/graphics/Graphics.h"
#include "platform/graphics/HatchBrush.h"
#include "platform/graphics/Pen.h"
#include "platform/graphics/PenStroke.h"

#include <cairo-script.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace kelmora {

namespace {

const Color kInk(255, 0, 0, 0);
const Color kHalfInk(128, 0, 0, 255);

GraphicsPath Line(float x1, float y1, float x2, float y2)
{
    GraphicsPath path;
    path.AddLine(x1, y1, x2, y2);
    return path;
}

GraphicsPath Lines(std::initializer_list<PointF> points)
{
    GraphicsPath path;
    path.AddLines(std::span<const PointF>(points.begin(), points.size()));
    return path;
}

bool Inked(const ImageSurface& surface, int x, int y) { return surface.GetPixel(x, y)->GetA() != 0; }

// The transform Graphics hands cairo for an untransformed world on a plain surface.
cairo_matrix_t DefaultDevice()
{
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, 0.5, 0.5);
    return m;
}

} // namespace

TEST(PenStroke, CompoundPenLeavesTheGapsClear)
{
    auto surface = ImageSurface::Create(50, 40);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    Pen pen(kInk, 10);
    float stripes[] = {0.0f, 0.3f, 0.7f, 1.0f};
    ASSERT_TRUE(pen.SetCompoundArray(stripes));
    ASSERT_TRUE(g.DrawPath(pen, Line(5, 20, 45, 20)));
    for (int x = 8; x < 42; ++x) {
        EXPECT_TRUE(Inked(*surface, x, 16) && Inked(*surface, x, 17)) << x;
        EXPECT_TRUE(Inked(*surface, x, 23) && Inked(*surface, x, 24)) << x;
        EXPECT_FALSE(Inked(*surface, x, 19) || Inked(*surface, x, 20) || Inked(*surface, x, 21)) << x;
    }

    // 0 is the left edge seen along the path: for a path running right, the top.
    auto half = ImageSurface::Create(50, 40);
    ASSERT_TRUE(half);
    Graphics h(*half);
    float upper[] = {0.0f, 0.5f};
    ASSERT_TRUE(pen.SetCompoundArray(upper));
    ASSERT_TRUE(h.DrawPath(pen, Line(5, 20, 45, 20)));
    EXPECT_TRUE(Inked(*half, 20, 16));
    EXPECT_FALSE(Inked(*half, 20, 22));
}

TEST(PenStroke, CompoundRectangleStaysConcentric)
{
    // Around corners each line turns on its own: no stripe reaches into the gap.
    auto surface = ImageSurface::Create(60, 60);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    Pen pen(kInk, 12);
    float stripes[] = {0.0f, 0.25f, 0.75f, 1.0f};
    ASSERT_TRUE(pen.SetCompoundArray(stripes));
    GraphicsPath square;
    square.AddRectangle(RectF(15, 15, 30, 30));
    ASSERT_TRUE(g.DrawPath(pen, square));
    // The gap runs 1.5 units either side of the outline, corners included.
    for (int i = 15; i <= 45; ++i) {
        EXPECT_FALSE(Inked(*surface, i, 15)) << i;
        EXPECT_FALSE(Inked(*surface, 15, i)) << i;
    }
    EXPECT_TRUE(Inked(*surface, 11, 11)); // outer line's corner
    EXPECT_TRUE(Inked(*surface, 19, 19)); // inner line's corner
    EXPECT_FALSE(Inked(*surface, 22, 22));
}

TEST(PenStroke, TranslucentPenHasOneAlphaWhereItsPiecesOverlap)
{
    auto surface = ImageSurface::Create(80, 60);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    g.SetSmoothingMode(SmoothingMode::AntiAlias);
    Pen pen(kHalfInk, 9);
    pen.SetStartCap(LineCap::Round);
    pen.SetEndCap(LineCap::Triangle);
    pen.SetLineJoin(LineJoin::Round);
    GraphicsPath zigzag = Lines({{10, 50}, {30, 10}, {40, 50}, {50, 12}, {70, 30}});
    ASSERT_EQ(ChooseStrokeMethod(pen, zigzag, DefaultDevice()), StrokeMethod::OutlineFill);
    ASSERT_TRUE(g.DrawPath(pen, zigzag));
    int full = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 80; ++x) {
            int alpha = surface->GetPixel(x, y)->GetA();
            ASSERT_LE(alpha, 129) << x << "," << y;
            full += alpha >= 127;
        }
    }
    EXPECT_GT(full, 500);
    // The round start cap and the joins are there.
    EXPECT_GE(surface->GetPixel(7, 52)->GetA(), 127);
    EXPECT_GE(surface->GetPixel(30, 7)->GetA(), 127);
}

TEST(PenStroke, CutMitersOfAClosedFigurePaintOnceInAnyWorld)
{
    // Spikes sharper than the limit allows, and a pen so wide that the inside of each spike
    // folds: the outline keeps one alpha and the middle clear, and through a turned world
    // covers what the star turned beforehand covers.
    std::vector<PointF> corners;
    for (int i = 0; i < 10; ++i) {
        const double angle = i * std::numbers::pi / 5, radius = i % 2 ? 12 : 32;
        corners.emplace_back(float(40 + radius * std::sin(angle)), float(40 - radius * std::cos(angle)));
    }
    GraphicsPath star;
    star.AddPolygon(corners);
    Matrix world;
    world.RotateAt(30, PointF(40, 40));
    GraphicsPath turnedStar = star;
    ASSERT_TRUE(turnedStar.Transform(world));
    Pen pen(kHalfInk, 9);
    pen.SetMiterLimit(1);
    ASSERT_EQ(ChooseStrokeMethod(pen, turnedStar, DefaultDevice()), StrokeMethod::OutlineFill);
    auto draw = [&](const GraphicsPath& path, const Matrix& transform) {
        auto surface = ImageSurface::Create(80, 80);
        Graphics g(*surface);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        g.SetTransform(transform);
        EXPECT_TRUE(g.DrawPath(pen, path));
        return std::move(*surface);
    };
    ImageSurface turned = draw(star, world);
    ImageSurface direct = draw(turnedStar, Matrix());
    int full = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 80; ++x) {
            const int alpha = turned.GetPixel(x, y)->GetA();
            ASSERT_LE(alpha, 129) << x << "," << y;
            EXPECT_NEAR(alpha, direct.GetPixel(x, y)->GetA(), 8) << x << "," << y;
            full += alpha >= 127;
        }
    }
    EXPECT_GT(full, 1000);
    EXPECT_EQ(turned.GetPixel(40, 40)->GetA(), 0);
}

TEST(PenStroke, FilledArrowCapCoversPastTheLineEnd)
{
    auto surface = ImageSurface::Create(60, 40);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    Pen pen(kHalfInk, 2);
    // Tip two units beyond the end, base three units either side and two units back.
    GraphicsPath arrow;
    PointF corners[] = {{-3, -2}, {0, 2}, {3, -2}};
    arrow.AddPolygon(corners);
    CustomLineCap cap(&arrow, nullptr);
    EXPECT_FLOAT_EQ(cap.LineShortening(), 2.0f); // the line stops at the base
    ASSERT_TRUE(pen.SetCustomEndCap(cap));
    ASSERT_TRUE(g.DrawPath(pen, Line(10, 20, 40, 20)));
    EXPECT_TRUE(Inked(*surface, 42, 20)); // past the end of the line
    EXPECT_FALSE(Inked(*surface, 46, 20));
    EXPECT_TRUE(Inked(*surface, 37, 16)); // the base is wider than the line
    EXPECT_FALSE(Inked(*surface, 20, 16));
    // Line and cap are one area: no double alpha where they meet.
    EXPECT_EQ(surface->GetPixel(37, 20)->GetA(), surface->GetPixel(20, 20)->GetA());
    EXPECT_EQ(surface->GetPixel(35, 20)->GetA(), surface->GetPixel(20, 20)->GetA());
}

TEST(PenStroke, StrokedCustomCapAndAnchors)
{
    auto surface = ImageSurface::Create(80, 40);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    Pen pen(kInk, 4);
    // A bar across the end, five units (20 pixels) either side, stroked with the pen's width.
    GraphicsPath bar;
    bar.AddLine(-5, 0, 5, 0);
    ASSERT_TRUE(pen.SetCustomEndCap(CustomLineCap(nullptr, &bar)));
    pen.SetStartCap(LineCap::RoundAnchor);
    ASSERT_TRUE(g.DrawPath(pen, Line(20, 20, 60, 20)));
    EXPECT_TRUE(Inked(*surface, 60, 5)); // the bar
    EXPECT_TRUE(Inked(*surface, 60, 35));
    EXPECT_FALSE(Inked(*surface, 64, 5)); // stroked 4 wide, not filled
    EXPECT_TRUE(Inked(*surface, 20, 17)); // the anchor is wider than the line
    EXPECT_TRUE(Inked(*surface, 17, 20)); // and centred on the start
    EXPECT_FALSE(Inked(*surface, 20, 15));
}

TEST(PenStroke, DashesFollowThePattern)
{
    // Dash = 3 on, 1 off, in widths: 9 pixels on, 3 off for a 3-wide pen. The path starts
    // half a pixel in so that no dash end falls on a pixel centre.
    auto surface = ImageSurface::Create(64, 10);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    Pen pen(kInk, 3);
    pen.SetDashStyle(DashStyle::Dash);
    GraphicsPath line = Line(0.5f, 5, 60.5f, 5);
    EXPECT_EQ(ChooseStrokeMethod(pen, line, DefaultDevice()), StrokeMethod::CairoStroke);
    ASSERT_TRUE(g.DrawPath(pen, line));
    for (int x = 1; x <= 60; ++x)
        EXPECT_EQ(Inked(*surface, x, 5), std::fmod(x - 0.5, 12.0) < 9.0) << x;

    // An offset of one moves the pattern forward by one width: the line opens with a gap.
    auto moved = ImageSurface::Create(64, 10);
    ASSERT_TRUE(moved);
    Graphics m(*moved);
    pen.SetDashOffset(1);
    ASSERT_TRUE(m.DrawPath(pen, line));
    for (int x = 1; x <= 60; ++x)
        EXPECT_EQ(Inked(*moved, x, 5), std::fmod(x - 0.5 + 9.0, 12.0) < 9.0) << x;
}

TEST(PenStroke, RoundDashCapsFitInsideTheDashes)
{
    // Dots of one width with round caps are separate dots; the gaps keep their width.
    auto surface = ImageSurface::Create(64, 12);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    Pen pen(kInk, 4);
    pen.SetDashStyle(DashStyle::Dot);
    pen.SetDashCap(DashCap::Round);
    GraphicsPath line = Line(0, 6, 60, 6);
    EXPECT_EQ(ChooseStrokeMethod(pen, line, DefaultDevice()), StrokeMethod::OutlineFill);
    ASSERT_TRUE(g.DrawPath(pen, line));
    // Dashes at [8, 12], [16, 20], …: dots of radius 2 centred at 10, 18, …
    for (int centre : {10, 18, 26, 34}) {
        EXPECT_TRUE(Inked(*surface, centre, 6)) << centre;
        EXPECT_TRUE(Inked(*surface, centre, 5)) << centre;
        EXPECT_FALSE(Inked(*surface, centre + 4, 6)) << centre;
        EXPECT_FALSE(Inked(*surface, centre + 1, 3)) << centre; // round, not square
    }
}

TEST(PenStroke, InvalidValuesDrawNothingAndSpoilNothing)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    auto surface = ImageSurface::Create(40, 20);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    GraphicsPath line = Line(5, 10, 35, 10);

    std::vector<Pen> spoiled;
    for (const auto& dashes : std::vector<std::vector<float>>{{2, 0}, {2, -1}, {nan, 1}, {inf, 1}, {}}) {
        Pen pen(kInk, 3);
        EXPECT_FALSE(pen.SetDashPattern(dashes));
        spoiled.push_back(pen);
    }
    for (const auto& compound :
         std::vector<std::vector<float>>{{0, 0.5f, 1}, {0.5f, 0.2f}, {0, 1.5f}, {-0.1f, 1}, {0, nan}, {}}) {
        Pen pen(kInk, 3);
        EXPECT_FALSE(pen.SetCompoundArray(compound));
        spoiled.push_back(pen);
    }
    spoiled.emplace_back(kInk, -1.0f);
    spoiled.emplace_back(kInk, nan);
    {
        Pen pen(kInk, 3);
        EXPECT_FALSE(pen.ScaleTransform(0, 1));
        spoiled.push_back(pen);
        Pen offset(kInk, 3);
        EXPECT_FALSE(offset.SetDashOffset(inf));
        spoiled.push_back(offset);
        Pen miter(kInk, 3);
        EXPECT_FALSE(miter.SetMiterLimit(nan));
        spoiled.push_back(miter);
        spoiled.emplace_back(HatchBrush(HatchStyle(99), kInk), 3.0f);
    }
    for (const Pen& pen : spoiled) {
        EXPECT_FALSE(pen.IsValid());
        EXPECT_FALSE(g.DrawPath(pen, line));
        EXPECT_EQ(cairo_status(g.CairoContext()), CAIRO_STATUS_SUCCESS);
    }
    for (int x = 0; x < 40; ++x)
        EXPECT_FALSE(Inked(*surface, x, 10)) << x;

    // The next draw is unharmed.
    Pen good(kInk, 3);
    good.SetDashStyle(DashStyle::Dot);
    ASSERT_TRUE(g.DrawPath(good, line));
    EXPECT_TRUE(Inked(*surface, 6, 10));
    EXPECT_EQ(cairo_status(g.CairoContext()), CAIRO_STATUS_SUCCESS);
}

TEST(PenStroke, PlainPensGoThroughCairoStroke)
{
    GraphicsPath corner = Lines({{5, 5}, {30, 5}, {30, 30}});
    const cairo_matrix_t device = DefaultDevice();
    auto method = [&](const Pen& pen) { return ChooseStrokeMethod(pen, corner, device); };

    Pen plain(kInk, 3);
    EXPECT_EQ(method(plain), StrokeMethod::CairoStroke);
    Pen round = plain;
    round.SetLineCap(LineCap::Round, LineCap::Round, DashCap::Flat);
    round.SetLineJoin(LineJoin::Round);
    EXPECT_EQ(method(round), StrokeMethod::CairoStroke);
    Pen square = plain;
    square.SetLineCap(LineCap::Square, LineCap::Square, DashCap::Round); // dash cap unused
    EXPECT_EQ(method(square), StrokeMethod::CairoStroke);
    Pen dashed = plain;
    dashed.SetDashStyle(DashStyle::DashDotDot);
    dashed.SetLineJoin(LineJoin::Bevel);
    EXPECT_EQ(method(dashed), StrokeMethod::CairoStroke);
    Pen hatched(HatchBrush(HatchStyle::Cross, kInk), 3);
    EXPECT_EQ(method(hatched), StrokeMethod::CairoStroke);
    Pen whole = plain;
    float full[] = {0, 1};
    whole.SetCompoundArray(full);
    EXPECT_EQ(method(whole), StrokeMethod::CairoStroke);

    Pen triangle = plain;
    triangle.SetEndCap(LineCap::Triangle);
    EXPECT_EQ(method(triangle), StrokeMethod::OutlineFill);
    Pen mixed = plain;
    mixed.SetStartCap(LineCap::Round);
    EXPECT_EQ(method(mixed), StrokeMethod::OutlineFill);
    Pen roundDashes = round;
    roundDashes.SetDashStyle(DashStyle::Dash);
    EXPECT_EQ(method(roundDashes), StrokeMethod::OutlineFill);
    Pen inset = plain;
    inset.SetAlignment(PenAlignment::Inset);
    EXPECT_EQ(method(inset), StrokeMethod::OutlineFill);
    Pen anchor = plain;
    anchor.SetLineCap(LineCap::ArrowAnchor, LineCap::ArrowAnchor, DashCap::Flat);
    EXPECT_EQ(method(anchor), StrokeMethod::OutlineFill);

    // By inspection of what reaches cairo: a stroke for the plain pen, a fill otherwise.
    auto operations = [&](const Pen& pen) {
        std::string script;
        auto write = [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        };
        cairo_device_t* device = cairo_script_create_for_stream(write, &script);
        cairo_surface_t* target = cairo_script_surface_create(device, CAIRO_CONTENT_COLOR_ALPHA, 40, 40);
        cairo_t* cr = cairo_create(target);
        {
            Graphics g(cr);
            EXPECT_TRUE(g.DrawPath(pen, corner));
        }
        cairo_destroy(cr);
        cairo_surface_finish(target);
        cairo_surface_destroy(target);
        cairo_device_finish(device);
        cairo_device_destroy(device);
        return script;
    };
    std::string stroked = operations(round);
    EXPECT_NE(stroked.find("stroke"), std::string::npos);
    EXPECT_EQ(stroked.find("fill"), std::string::npos);
    std::string filled = operations(triangle);
    EXPECT_EQ(filled.find("stroke"), std::string::npos);
    EXPECT_NE(filled.find("fill"), std::string::npos);
}

TEST(PenStroke, MiterPastTheLimitIsCutNotBevelled)
{
    // A turn whose miter is 2.24 widths long, with limit 2: Miter cuts it 10 units above the
    // corner, MiterClipped bevels it 2.2 units above; with limit 3 the tip reaches 11.2.
    GraphicsPath peak = Lines({{10, 55}, {30, 15}, {50, 55}});
    auto draw = [&](LineJoin join, float limit) {
        auto surface = ImageSurface::Create(60, 60);
        Graphics g(*surface);
        Pen pen(kInk, 10);
        pen.SetLineJoin(join);
        pen.SetMiterLimit(limit);
        EXPECT_EQ(ChooseStrokeMethod(pen, peak, DefaultDevice()),
                  join == LineJoin::Miter && limit < 2.2f ? StrokeMethod::OutlineFill : StrokeMethod::CairoStroke);
        g.DrawPath(pen, peak);
        return std::move(*surface);
    };
    ImageSurface cut = draw(LineJoin::Miter, 2);
    ImageSurface bevel = draw(LineJoin::MiterClipped, 2);
    ImageSurface sharp = draw(LineJoin::Miter, 3);
    EXPECT_TRUE(Inked(cut, 30, 7));
    EXPECT_FALSE(Inked(cut, 30, 4));
    EXPECT_FALSE(Inked(bevel, 30, 11));
    EXPECT_TRUE(Inked(bevel, 30, 14));
    EXPECT_TRUE(Inked(sharp, 30, 5));
}

TEST(PenStroke, WidthsInDevicePixels)
{
    auto surface = ImageSurface::Create(40, 40);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    g.ScaleTransform(10, 10);
    // Width 0: one device pixel whatever the scale.
    ASSERT_TRUE(g.DrawPath(Pen(kInk, 0), Line(0.5f, 1, 3.5f, 1)));
    EXPECT_TRUE(Inked(*surface, 20, 10));
    EXPECT_FALSE(Inked(*surface, 20, 9));
    EXPECT_FALSE(Inked(*surface, 20, 11));
    // A nib thinner than a pixel is drawn a pixel thin, not dropped.
    g.ResetTransform();
    ASSERT_TRUE(g.DrawPath(Pen(kInk, 0.05f), Line(5, 30.3f, 35, 30.3f)));
    int rows = 0;
    for (int y = 27; y < 34; ++y)
        rows += Inked(*surface, 20, y);
    EXPECT_EQ(rows, 1);
}

TEST(PenStroke, PenTransformShapesTheNib)
{
    // A width-2 pen scaled 5 × 1: vertical strokes 10 wide, horizontal ones 2 wide.
    auto surface = ImageSurface::Create(60, 60);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    Pen pen(kInk, 2);
    ASSERT_TRUE(pen.SetTransform(Matrix(5, 0, 0, 1, 100, 100))); // the translation is ignored
    ASSERT_TRUE(g.DrawPath(pen, Line(20, 10, 20, 50)));
    ASSERT_TRUE(g.DrawPath(pen, Line(30, 30, 55, 30)));
    EXPECT_TRUE(Inked(*surface, 16, 30) && Inked(*surface, 24, 30));
    EXPECT_FALSE(Inked(*surface, 14, 30) || Inked(*surface, 26, 30));
    EXPECT_TRUE(Inked(*surface, 40, 30));
    EXPECT_FALSE(Inked(*surface, 40, 28) || Inked(*surface, 40, 32));
}

TEST(PenStroke, InsetPenStaysInsideClosedFigures)
{
    GraphicsPath square;
    square.AddRectangle(RectF(10, 10, 20, 20));
    for (bool reversed : {false, true}) {
        if (reversed)
            square.Reverse();
        auto surface = ImageSurface::Create(40, 40);
        ASSERT_TRUE(surface);
        Graphics g(*surface);
        Pen pen(kInk, 5);
        pen.SetAlignment(PenAlignment::Inset);
        ASSERT_TRUE(g.DrawPath(pen, square));
        EXPECT_TRUE(Inked(*surface, 20, 11)) << reversed;
        EXPECT_TRUE(Inked(*surface, 20, 14)) << reversed;
        EXPECT_FALSE(Inked(*surface, 20, 8)) << reversed;
        EXPECT_FALSE(Inked(*surface, 20, 16)) << reversed;
        EXPECT_TRUE(Inked(*surface, 11, 11)) << reversed; // the corner is filled
        EXPECT_FALSE(Inked(*surface, 9, 9)) << reversed;
    }
}

TEST(PenStroke, WidenGivesTheFullPenOutline)
{
    Pen pen(kInk, 10);
    float stripes[] = {0.0f, 0.3f, 0.7f, 1.0f};
    pen.SetCompoundArray(stripes);
    pen.SetEndCap(LineCap::ArrowAnchor);
    auto outline = WidenPathWithPen(Line(0, 0, 100, 0), pen);
    ASSERT_TRUE(outline);
    EXPECT_EQ(outline->GetFillMode(), FillMode::Winding);
    EXPECT_TRUE(outline->IsVisible(50, 4));
    EXPECT_FALSE(outline->IsVisible(50, 0));
    EXPECT_TRUE(outline->IsVisible(50, -4));
    EXPECT_TRUE(outline->IsVisible(85, 7)); // the arrow, 20 across at its base
    EXPECT_FALSE(outline->IsVisible(101, 0));

    Matrix doubled = Matrix::Scaling(2, 2);
    auto scaled = WidenPathWithPen(Line(0, 0, 100, 0), pen, &doubled);
    ASSERT_TRUE(scaled);
    EXPECT_TRUE(scaled->IsVisible(100, 8));

    EXPECT_TRUE(WidenPathWithPen(Line(0, 0, 100, 0), Pen(kInk, 0))->IsEmpty());
    EXPECT_FALSE(WidenPathWithPen(Line(0, 0, 100, 0), Pen(kInk, -1)));
}

} // namespace kelmora
