// The abbreviated path syntax: each command, relative forms, repetition, and refusal of
// malformed text.
#include "platform/xps/XpsPathData.h"

#include <gtest/gtest.h>

namespace kelmora {
namespace {

XpsGeometry Parse(std::string_view text)
{
    XpsGeometry geometry;
    std::string error;
    EXPECT_TRUE(ParseXpsPathData(text, geometry, &error)) << text << ": " << error;
    return geometry;
}

std::vector<float> Data(const XpsFigure& figure) { return figure.segmentData; }

TEST(XpsPathDataTest, RectangleWithFillRuleAndClose)
{
    XpsGeometry g = Parse("F1 M 10,20 L 110,20 110,70 10,70 Z");
    EXPECT_EQ(g.fillRule, XpsFillRule::NonZero);
    ASSERT_EQ(g.figures.size(), 1u);
    const XpsFigure& f = g.figures[0];
    EXPECT_EQ(f.start, PointF(10, 20));
    EXPECT_TRUE(f.closed);
    EXPECT_EQ(f.segmentTypes, std::vector<XpsSegmentType>(3, XpsSegmentType::Line));
    EXPECT_EQ(Data(f), (std::vector<float>{110, 20, 110, 70, 10, 70}));
    EXPECT_EQ(Parse("M0,0 L1,1").fillRule, XpsFillRule::EvenOdd);
}

TEST(XpsPathDataTest, RelativeFormsFollowTheCurrentPoint)
{
    // Pairs after m are relative lines; h and v move along one axis.
    XpsGeometry g = Parse("m 5,5 10,0 h 5 v -3 H 1 V 2 l 1,1");
    ASSERT_EQ(g.figures.size(), 1u);
    EXPECT_EQ(g.figures[0].start, PointF(5, 5));
    EXPECT_EQ(Data(g.figures[0]), (std::vector<float>{15, 5, 20, 5, 20, 2, 1, 2, 1, 2, 2, 3}));
}

TEST(XpsPathDataTest, CurvesAndSmoothCurves)
{
    XpsGeometry g = Parse("M0,0 C 1,2 3,4 5,6 S 9,10 11,12 q 1,1 2,0");
    const XpsFigure& f = g.figures[0];
    ASSERT_EQ(f.segmentTypes.size(), 3u);
    EXPECT_EQ(f.segmentTypes[0], XpsSegmentType::Bezier);
    EXPECT_EQ(f.segmentTypes[1], XpsSegmentType::Bezier);
    EXPECT_EQ(f.segmentTypes[2], XpsSegmentType::QuadraticBezier);
    // S reflects the previous second control (3,4) about (5,6).
    EXPECT_EQ(Data(f), (std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 12, 13, 13, 12}));
    // Without a cubic before it, S starts its first control at the current point.
    EXPECT_EQ(Data(Parse("M2,2 S 3,3 4,4").figures[0]), (std::vector<float>{2, 2, 3, 3, 4, 4}));
}

TEST(XpsPathDataTest, ArcsPickTheirTypeFromTheFlags)
{
    XpsGeometry g = Parse("M0,0 A 5,5 0 1 1 10,0 A 5,5 0 1 0 0,0 a 5,4 30 0 1 10,0 A -5,5 0 0 0 0,0");
    const XpsFigure& f = g.figures[0];
    EXPECT_EQ(f.segmentTypes,
              (std::vector<XpsSegmentType>{XpsSegmentType::ArcLargeClockwise, XpsSegmentType::ArcLargeCounterClockwise,
                                           XpsSegmentType::ArcSmallClockwise, XpsSegmentType::ArcSmallCounterClockwise}));
    // end x, end y, radii, rotation; negative radii count by their size.
    EXPECT_EQ(std::vector<float>(f.segmentData.begin() + 10, f.segmentData.end()),
              (std::vector<float>{10, 0, 5, 4, 30, 0, 0, 5, 5, 0}));
}

TEST(XpsPathDataTest, FiguresAfterCloseStartAtTheClosedStart)
{
    XpsGeometry g = Parse("M1,1 L2,2 Z L 3,3 M 7,7 L8,8");
    ASSERT_EQ(g.figures.size(), 3u);
    EXPECT_TRUE(g.figures[0].closed);
    EXPECT_EQ(g.figures[1].start, PointF(1, 1));
    EXPECT_FALSE(g.figures[1].closed);
    EXPECT_EQ(g.figures[2].start, PointF(7, 7));
    // Numbers in exponent form and without separators between sign changes.
    EXPECT_EQ(Data(Parse("M0,0 L1e1-2.5").figures[0]), (std::vector<float>{10, -2.5f}));
}

TEST(XpsPathDataTest, MalformedTextIsRefusedWhole)
{
    for (const char* text : {"L 1,1", "M 1", "M 1,1 L", "M 1,1 X 2,2", "F2 M0,0", "M 1,,1", "M 1e,1", "M .,1",
                             "M nan,1", "M inf,0", "M 1e39,0", "M 0,0 A 1,1 0 2 0 1,1", "M0,0 Z 1,1", "Z"}) {
        XpsGeometry geometry;
        geometry.figures.emplace_back();
        EXPECT_FALSE(ParseXpsPathData(text, geometry)) << text;
        EXPECT_TRUE(geometry.figures.empty()) << text;
    }
    // A relative move that overflows the float range is refused too.
    XpsGeometry g;
    EXPECT_FALSE(ParseXpsPathData("M 3e38,0 l 3e38,0", g));
}

TEST(XpsPathDataTest, NumbersParseStrictly)
{
    float v = 0;
    EXPECT_TRUE(ParseXpsNumber("+.5e-1", v));
    EXPECT_FLOAT_EQ(v, 0.05f);
    EXPECT_TRUE(ParseXpsNumber("-12", v));
    EXPECT_EQ(v, -12.0f);
    for (const char* text : {"", " 1", "1 ", "1e", "0x10", "--1", "1,5"})
        EXPECT_FALSE(ParseXpsNumber(text, v)) << text;
    EXPECT_FALSE(ParseXpsNumber(std::string(65, '1'), v));
}

} // namespace
} // namespace kelmora
