#include "platform/graphics/Stroker.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelmora {

namespace {

double SignedArea(const StrokePolygon& polygon)
{
    double twice = 0.0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        StrokeVec a = polygon[i];
        StrokeVec b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2.0;
}

// Whether p lies inside the union of the polygons by non-zero winding.
bool Covered(const std::vector<StrokePolygon>& polygons, StrokeVec p)
{
    int winding = 0;
    for (const StrokePolygon& polygon : polygons) {
        for (size_t i = 0; i < polygon.size(); ++i) {
            StrokeVec a = polygon[i];
            StrokeVec b = polygon[(i + 1) % polygon.size()];
            if (a.y <= p.y && b.y > p.y && (b - a).Cross(p - a) > 0)
                ++winding;
            else if (a.y > p.y && b.y <= p.y && (b - a).Cross(p - a) < 0)
                --winding;
        }
    }
    return winding != 0;
}

StrokeFigure Open(std::initializer_list<StrokeVec> points) { return StrokeFigure{points, false}; }

// The share of each pixel of an 80 × 80 image that the outline covers by non-zero winding,
// drawn through `place` at 12 × 12 samples a pixel: outlines of the same area come out
// alike whatever their edges, within a few thousandths.
std::vector<double> Coverage(const std::vector<StrokePolygon>& outline, const cairo_matrix_t& place)
{
    constexpr int kSide = 80;
    constexpr int kSamples = 12;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, kSide * kSamples, kSide * kSamples);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, kSamples, kSamples);
    cairo_transform(cr, &place);
    for (const StrokePolygon& polygon : outline) {
        cairo_move_to(cr, polygon[0].x, polygon[0].y);
        for (StrokeVec p : polygon)
            cairo_line_to(cr, p.x, p.y);
        cairo_close_path(cr);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
    cairo_surface_flush(surface);
    std::vector<double> coverage(kSide * kSide);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < kSide * kSamples; ++y) {
        for (int x = 0; x < kSide * kSamples; ++x)
            coverage[(y / kSamples) * kSide + x / kSamples] += data[y * stride + x] / (255.0 * kSamples * kSamples);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return coverage;
}

} // namespace

TEST(Stroker, EveryPieceTurnsTheSameWay)
{
    GraphicsPath bar;
    bar.AddLine(-3, 0, 3, 0);
    CustomLineCap stroked(nullptr, &bar);
    StrokeFigure zigzag = Open({{0, 0}, {10, 20}, {20, 0}, {30, 18}, {30, 40}, {5, 41}});
    StrokeFigure ring{{{50, 0}, {80, 0}, {80, 30}, {50, 30}}, true};
    for (LineJoin join : {LineJoin::Miter, LineJoin::Bevel, LineJoin::Round, LineJoin::MiterClipped}) {
        for (bool compound : {false, true}) {
            StrokeStyle style;
            style.width = 4;
            style.join = join;
            style.miterLimit = 1.5;
            style.startCap = LineCap::Custom;
            style.customStartCap = &stroked;
            style.endCap = LineCap::DiamondAnchor;
            style.dashCap = DashCap::Round;
            style.dashes = {12, 3, 2, 3};
            style.dashPhase = 5;
            if (compound)
                style.compound = {0.0, 0.2, 0.5, 1.0};
            style.inset = true;
            StrokeFigure figures[] = {zigzag, ring};
            std::vector<StrokePolygon> outline = StrokeFigures(figures, style);
            ASSERT_FALSE(outline.empty());
            for (const StrokePolygon& polygon : outline)
                EXPECT_GT(SignedArea(polygon), 0.0) << "join " << int(join) << " compound " << compound;
        }
    }
}

TEST(Stroker, SideContoursCoverWhatThePiecesCover)
{
    // A full-width line comes as the contours of its sides; a compound pen of one full-width
    // line still comes as pieces, segment by segment and join by join. Both must cover the
    // same area, corners, folds and caps included.
    auto ring = [](int corners, double odd, double even) {
        std::vector<StrokeVec> points;
        for (int i = 0; i < corners; ++i) {
            const double angle = 2 * i * std::numbers::pi / corners, radius = i % 2 ? odd : even;
            points.push_back({40 + radius * std::sin(angle), 40 - radius * std::cos(angle)});
        }
        return points;
    };
    std::vector<StrokeVec> zigzag, stairs;
    for (int i = 0; i < 40; ++i) {
        zigzag.push_back({20 + i * 1.0, 40 + (i % 2 ? 1.5 : -1.5)});
        stairs.push_back({10 + (i + 1) / 2 * 2.0, 10 + i / 2 * 2.0});
    }
    const struct {
        StrokeFigure figure;
        double width;
    } shapes[] = {
        {{ring(10, 7, 32), true}, 6},                                      // sharp and reflex corners
        {{ring(6, 25, 25), true}, 6},                                      // obtuse corners
        {{zigzag, false}, 4},                                              // short, sharply turning
        {{stairs, false}, 9},                                              // steps under half the width
        {{{{30, 30}, {33, 30}, {33, 33}, {30, 33}}, true}, 10},            // pen wider than the figure
        {{{{10, 10}, {40, 10}, {70, 10}, {70, 70}, {10, 70}}, true}, 6},  // collinear
        {Open({{10, 40}, {70, 40}, {30, 40}, {30, 70}}), 6},               // reversing
        {{{{20, 20}, {60, 60}}, true}, 6},                                  // there and back
        {{{{30, 30}, {50, 32}, {36, 50}}, true}, 16},                       // thick: the inside folds
    };
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    cairo_matrix_t skewed;
    cairo_matrix_init(&skewed, 0.8, 0.3, -0.2, 0.9, 10, 0);
    const struct {
        LineJoin join;
        double limit;
    } joins[] = {{LineJoin::Miter, 1}, {LineJoin::Miter, 4}, {LineJoin::MiterClipped, 2}, {LineJoin::Bevel, 10},
                 {LineJoin::Round, 10}};
    for (size_t s = 0; s < std::size(shapes); ++s) {
        for (auto [join, limit] : joins) {
            StrokeStyle style;
            style.width = shapes[s].width;
            style.join = join;
            style.miterLimit = limit;
            style.startCap = LineCap::Round;
            style.endCap = LineCap::Triangle;
            std::span<const StrokeFigure> figure(&shapes[s].figure, 1);
            std::vector<StrokePolygon> contours = StrokeFigures(figure, style);
            style.compound = {0.0, 1.0};
            std::vector<StrokePolygon> pieces = StrokeFigures(figure, style);
            ASSERT_LT(contours.size(), pieces.size()) << s; // the two ways are both taken
            for (const cairo_matrix_t& place : {identity, skewed}) {
                std::vector<double> a = Coverage(contours, place);
                std::vector<double> b = Coverage(pieces, place);
                double worst = 0.0;
                for (size_t i = 0; i < a.size(); ++i)
                    worst = std::max(worst, std::fabs(a[i] - b[i]));
                EXPECT_LT(worst, 0.01) << "shape " << s << " join " << int(join) << " limit " << limit;
            }
        }
    }
}

TEST(Stroker, CapsAtEachEndAreTheirOwn)
{
    StrokeStyle style;
    style.width = 2;
    style.startCap = LineCap::Square;
    style.endCap = LineCap::Triangle;
    StrokeFigure line[] = {Open({{0, 0}, {10, 0}})};
    std::vector<StrokePolygon> outline = StrokeFigures(line, style);
    EXPECT_TRUE(Covered(outline, {-0.9, 0.9}));  // square start reaches one half width back
    EXPECT_FALSE(Covered(outline, {-1.1, 0}));
    EXPECT_TRUE(Covered(outline, {10.9, 0}));    // triangle end: apex one half width out
    EXPECT_FALSE(Covered(outline, {10.5, 0.8})); // but narrowing
    EXPECT_FALSE(Covered(outline, {11.1, 0}));
}

TEST(Stroker, DashCapsMeetInShortDashes)
{
    // Dashes shorter than their two caps shrink to a point: a diamond for triangle caps.
    StrokeStyle style;
    style.width = 2;
    style.dashCap = DashCap::Triangle;
    style.dashes = {1, 5};
    style.dashPhase = 3; // the line opens in a gap, so no dash touches its ends
    StrokeFigure line[] = {Open({{0, 0}, {14, 0}})};
    std::vector<StrokePolygon> outline = StrokeFigures(line, style);
    // Dashes [3, 4] and [9, 10]: diamonds about 3.5 and 9.5.
    EXPECT_TRUE(Covered(outline, {3.5, 0.9}));
    EXPECT_TRUE(Covered(outline, {2.6, 0}));
    EXPECT_TRUE(Covered(outline, {9.5, -0.9}));
    EXPECT_FALSE(Covered(outline, {3.5 + 0.8, 0.8}));
    EXPECT_FALSE(Covered(outline, {6.5, 0}));
}

TEST(Stroker, ClosedDashRunsOverTheStartAsOneDash)
{
    // A square of side 10 with dashes 6 on, 4 off starting 3 into a dash: the dash over the
    // start corner turns it with a miter instead of ending in two butt ends.
    StrokeStyle style;
    style.width = 2;
    style.dashes = {6, 4};
    style.dashPhase = 3;
    StrokeFigure square[] = {StrokeFigure{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true}};
    std::vector<StrokePolygon> outline = StrokeFigures(square, style);
    EXPECT_TRUE(Covered(outline, {-0.9, -0.9})); // the start corner's miter
    EXPECT_TRUE(Covered(outline, {2.5, 0}));
    EXPECT_FALSE(Covered(outline, {4, 0}));      // gap [3, 7]
    EXPECT_TRUE(Covered(outline, {0, 1.5}));     // back along the last side
}

TEST(Stroker, DegenerateInput)
{
    StrokeStyle round;
    round.width = 4;
    round.startCap = LineCap::Round;
    round.endCap = LineCap::Round;
    // One point repeated: a dot with round ends; nothing with flat ones; a lone point and
    // an empty figure draw nothing.
    StrokeFigure dot[] = {Open({{5, 5}, {5, 5}})};
    std::vector<StrokePolygon> outline = StrokeFigures(dot, round);
    EXPECT_TRUE(Covered(outline, {5, 6.9}));
    EXPECT_TRUE(Covered(outline, {3.1, 5}));
    EXPECT_TRUE(StrokeFigures(dot, StrokeStyle{}).empty());
    StrokeFigure lone[] = {Open({{5, 5}}), Open({}), StrokeFigure{{{1, 1}}, true}};
    EXPECT_TRUE(StrokeFigures(lone, round).empty());

    StrokeStyle zero;
    zero.width = 0;
    StrokeFigure line[] = {Open({{0, 0}, {10, 0}})};
    EXPECT_TRUE(StrokeFigures(line, zero).empty());

    // Dashes far finer than the tolerance, or too many to draw, stroke solid.
    StrokeStyle fine;
    fine.dashes = {0.01, 0.01};
    outline = StrokeFigures(line, fine);
    EXPECT_TRUE(Covered(outline, {5.005, 0}));
    EXPECT_EQ(outline.size(), 1u);
    StrokeStyle countless;
    countless.dashes = {1, 1};
    StrokeFigure far[] = {Open({{0, 0}, {1e7, 0}})};
    EXPECT_EQ(StrokeFigures(far, countless).size(), 1u);

    // A dash or gap too short to move past a large coordinate does not stall the walk.
    StrokeStyle uneven;
    uneven.dashes = {100, 1e-12};
    StrokeFigure distant[] = {Open({{1e6, 0}, {1e6 + 450, 0}})};
    EXPECT_FALSE(StrokeFigures(distant, uneven).empty());
}

TEST(CustomLineCap, ShorteningAndRefusals)
{
    // A notched arrow: its fill path crosses −y at the notch, one unit back.
    GraphicsPath arrow;
    PointF corners[] = {{-5, -5}, {0, 0}, {5, -5}, {0, -1}};
    arrow.AddPolygon(corners);
    CustomLineCap filled(&arrow, nullptr);
    ASSERT_TRUE(filled.IsValid());
    EXPECT_TRUE(filled.IsFilled());
    EXPECT_FLOAT_EQ(filled.LineShortening(), 1.0f);
    EXPECT_TRUE(filled.SetBaseInset(3));
    EXPECT_FLOAT_EQ(filled.LineShortening(), 3.0f);
    EXPECT_EQ(filled.GetPath().GetFillMode(), FillMode::Winding);

    // Given both paths, the fill path is ignored; a stroke path shortens by the inset only.
    CustomLineCap both(&arrow, &arrow, LineCap::Round, 0.5f);
    EXPECT_FALSE(both.IsFilled());
    EXPECT_FLOAT_EQ(both.LineShortening(), 0.5f);
    EXPECT_EQ(both.GetBaseCap(), LineCap::Round);

    EXPECT_FALSE(CustomLineCap(nullptr, nullptr).IsValid());
    EXPECT_FALSE(CustomLineCap(&arrow, nullptr, LineCap::ArrowAnchor).IsValid());
    EXPECT_FALSE(CustomLineCap(&arrow, nullptr, LineCap::Flat, std::nanf("")).IsValid());
    EXPECT_FALSE(filled.SetBaseCap(LineCap::Custom));
    EXPECT_FALSE(filled.SetStrokeCaps(LineCap::Flat, LineCap::RoundAnchor));
    EXPECT_FALSE(filled.SetWidthScale(std::nanf("")));
    EXPECT_FALSE(filled.SetStrokeJoin(LineJoin(7)));
    EXPECT_EQ(filled.GetBaseCap(), LineCap::Flat);
    EXPECT_FLOAT_EQ(filled.GetWidthScale(), 1.0f);
}

} // namespace kelmora
