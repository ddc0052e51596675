#include "platform/text/TextPath.h"

#include "platform/text/TextOutline.h"
#include "platform/text/TextThreadContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace kelmora {
namespace {

// Liberation Sans, the metric twin of Arial: ascent 1854, line spacing 2355 and cap height
// 1409 in 2048 units to the em; "A" advances 1366.
constexpr float kAscent = 1854.0f / 2048.0f;
constexpr float kLineSpacing = 2355.0f / 2048.0f;
constexpr float kCapHeight = 1409.0f / 2048.0f;
constexpr float kAdvanceA = 1366.0f / 2048.0f;

FontFamily Arial()
{
    return *FontFamily::Create("Arial");
}

StringFormat Centred()
{
    StringFormat format;
    format.SetAlignment(StringAlignment::Center);
    format.SetLineAlignment(StringAlignment::Center);
    return format;
}

// Every figure starts with a Start point and ends with a close flag, and nothing else
// carries either.
void ExpectClosedFigures(const GraphicsPath& path)
{
    auto types = path.Types();
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(types.front(), PathPointType::Start);
    EXPECT_TRUE(IsClosingPathType(types.back()));
    for (size_t i = 1; i < types.size(); ++i) {
        if (PathTypeKind(types[i]) == PathPointType::Start) {
            EXPECT_TRUE(IsClosingPathType(types[i - 1])) << "figure before point " << i << " left open";
        }
    }
}

TEST(TextPathTest, LetterGivesClosedOutlinesInsideItsCell)
{
    const float em = 100.0f;
    GraphicsPath path;
    ASSERT_TRUE(AddString(path, "A", Arial(), FontStyle::Regular, em, PointF(10, 20),
                          StringFormat::GenericTypographic()));
    ExpectClosedFigures(path);
    // "A" is an outer contour and the counter of its bar.
    int figures = 0;
    for (uint8_t type : path.Types())
        figures += PathTypeKind(type) == PathPointType::Start;
    EXPECT_EQ(figures, 2);

    RectF box = path.GetBounds();
    const float baseline = 20 + kAscent * em;
    EXPECT_GE(box.X, 10 - 0.01f * em);
    EXPECT_LE(box.GetRight(), 10 + kAdvanceA * em + 0.01f * em);
    EXPECT_NEAR(box.GetBottom(), baseline, 0.01f * em);
    EXPECT_NEAR(box.Y, baseline - kCapHeight * em, 0.01f * em);
}

TEST(TextPathTest, EmSizeIsInPathUnitsAndScalesLinearly)
{
    GraphicsPath small, large;
    StringFormat format = StringFormat::GenericTypographic();
    ASSERT_TRUE(AddString(small, "Kelmora", Arial(), FontStyle::Regular, 10.0f, PointF(0, 0), format));
    ASSERT_TRUE(AddString(large, "Kelmora", Arial(), FontStyle::Regular, 1000.0f, PointF(0, 0), format));
    ASSERT_EQ(small.PointCount(), large.PointCount());
    for (int i = 0; i < small.PointCount(); ++i) {
        EXPECT_NEAR(small.Points()[i].X * 100.0f, large.Points()[i].X, 0.05f) << i;
        EXPECT_NEAR(small.Points()[i].Y * 100.0f, large.Points()[i].Y, 0.05f) << i;
    }
}

TEST(TextPathTest, DefaultFormatPadsTheLeftEdgeBySixthOfAnEm)
{
    const float em = 60.0f;
    GraphicsPath plain, padded;
    ASSERT_TRUE(AddString(plain, "H", Arial(), FontStyle::Regular, em, RectF(0, 0, 500, 100),
                          StringFormat::GenericTypographic()));
    ASSERT_TRUE(AddString(padded, "H", Arial(), FontStyle::Regular, em, RectF(0, 0, 500, 100), StringFormat()));
    EXPECT_NEAR(padded.GetBounds().X - plain.GetBounds().X, em / 6.0f, 0.01f);
    EXPECT_NEAR(padded.GetBounds().Y, plain.GetBounds().Y, 0.001f);
}

TEST(TextPathTest, CentredTextIsCentredInTheLayoutRectangle)
{
    const RectF rect(100, 50, 400, 300);
    std::optional<TextOutline> outline =
        LayOutText("HOH", Arial(), FontStyle::Regular, 48.0f, rect, Centred());
    ASSERT_TRUE(outline);
    EXPECT_NEAR(outline->bounds.Center().X, rect.Center().X, 0.01f);
    EXPECT_NEAR(outline->bounds.Center().Y, rect.Center().Y, 0.01f);
    EXPECT_NEAR(outline->bounds.Height, 48.0f * kLineSpacing, 0.01f);

    // The glyphs themselves: "HOH" is near-symmetric, so its ink centre lies on the
    // rectangle's centre line; its caps stand on the baseline.
    GraphicsPath path;
    ASSERT_TRUE(AddString(path, "HOH", Arial(), FontStyle::Regular, 48.0f, rect, Centred()));
    RectF ink = path.GetBounds();
    EXPECT_NEAR(ink.Center().X, rect.Center().X, 0.02f * 48.0f);
    const float baseline = outline->bounds.Y + kAscent * 48.0f;
    EXPECT_NEAR(ink.GetBottom(), baseline, 0.02f * 48.0f);
}

TEST(TextPathTest, FarAndUnboundedAlignment)
{
    StringFormat far;
    far.SetAlignment(StringAlignment::Far);
    far.SetLineAlignment(StringAlignment::Far);
    std::optional<TextOutline> outline = LayOutText("Far", Arial(), FontStyle::Regular, 40.0f, RectF(0, 0, 300, 200), far);
    ASSERT_TRUE(outline);
    EXPECT_NEAR(outline->bounds.GetRight(), 300.0f, 0.01f);
    EXPECT_NEAR(outline->bounds.GetBottom(), 200.0f, 0.01f);

    // A rectangle of no size: alignment is about its corner.
    outline = LayOutText("Mid", Arial(), FontStyle::Regular, 30.0f, RectF(200, 100, 0, 0), Centred());
    ASSERT_TRUE(outline);
    EXPECT_NEAR(outline->bounds.Center().X, 200.0f, 0.01f);
    EXPECT_NEAR(outline->bounds.Center().Y, 100.0f, 0.01f);
}

TEST(TextPathTest, LinesWrapAtTheWidthAndBreakAtLineBreaks)
{
    const float em = 20.0f;
    const float pitch = em * kLineSpacing;
    const std::string text = "one two three four five six seven eight";
    std::optional<TextOutline> wide = LayOutText(text, Arial(), FontStyle::Regular, em, RectF(0, 0, 5000, 0), {});
    std::optional<TextOutline> narrow = LayOutText(text, Arial(), FontStyle::Regular, em, RectF(0, 0, 120, 0), {});
    ASSERT_TRUE(wide && narrow);
    EXPECT_EQ(wide->lineCount, 1);
    EXPECT_GT(narrow->lineCount, 2);
    EXPECT_NEAR(narrow->bounds.Height, narrow->lineCount * pitch, 0.01f);
    EXPECT_LE(narrow->bounds.Width, 120.0f + 0.01f);

    StringFormat noWrap;
    noWrap.SetFormatFlags(StringFormatFlags::NoWrap);
    EXPECT_EQ(LayOutText(text, Arial(), FontStyle::Regular, em, RectF(0, 0, 120, 0), noWrap)->lineCount, 1);

    for (const char* broken : {"a\nb", "a\r\nb", "a\rb"})
        EXPECT_EQ(LayOutText(broken, Arial(), FontStyle::Regular, em, RectF(0, 0, 0, 0), {})->lineCount, 2) << broken;
}

int FigureCount(const TextOutline& outline)
{
    return int(std::count(outline.types.begin(), outline.types.end(), PathPointType::Start));
}

// The lines pango itself makes of the text at the layout's width, breaking between
// characters where a word does not fit, without hyphens.
int PangoLineCount(const std::string& text, float em, float width)
{
    PangoContext* context = TextThreadContext::Current().Context();
    const double scale = em / TextThreadContext::kLayoutEmPixels;
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, Arial().InstalledName().c_str());
    pango_font_description_set_absolute_size(description, TextThreadContext::kLayoutEmPixels * PANGO_SCALE);
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, description);
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_insert_hyphens_new(FALSE));
    pango_layout_set_attributes(layout, attributes);
    pango_layout_set_text(layout, text.data(), int(text.size()));
    const double padding = StringFormat().HorizontalPaddingEms() * em;
    pango_layout_set_width(layout, int((width - 2.0 * padding) / scale * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    const int lines = pango_layout_get_line_count(layout);
    pango_attr_list_unref(attributes);
    g_object_unref(layout);
    pango_font_description_free(description);
    return lines;
}

TEST(TextPathTest, WordsBrokenBetweenCharactersGainNothingAndFillTheirLines)
{
    // No hyphen where a word breaks: the same glyphs on two lines as on one.
    const std::string word = "Supercalifragilistic";
    std::optional<TextOutline> one = LayOutText(word, Arial(), FontStyle::Regular, 20.0f, RectF(0, 0, 0, 0), {});
    std::optional<TextOutline> two = LayOutText(word, Arial(), FontStyle::Regular, 20.0f, RectF(0, 0, 120, 0), {});
    ASSERT_TRUE(one && two);
    EXPECT_GT(two->lineCount, 1);
    EXPECT_EQ(FigureCount(*two), FigureCount(*one));

    // A word far too long for a line fills every line as pango's own breaking does, also
    // after and before other words.
    std::string letters;
    for (int i = 0; i < 40; ++i)
        letters += "abcdefghij";
    for (const std::string& text : {letters, "xy " + letters + " uvw z"}) {
        for (float width : {150.0f, 333.0f, 777.0f}) {
            std::optional<TextOutline> outline = LayOutText(text, Arial(), FontStyle::Regular, 20.0f,
                                                            RectF(0, 0, width, 0), {});
            ASSERT_TRUE(outline);
            EXPECT_EQ(outline->lineCount, PangoLineCount(text, 20.0f, width)) << width;
            EXPECT_LE(outline->bounds.Width, width + 0.01f);
        }
    }
}

TEST(TextPathTest, LineLimitKeepsOnlyLinesThatFit)
{
    const float em = 20.0f;
    const float pitch = em * kLineSpacing;
    StringFormat format;
    format.SetFormatFlags(StringFormatFlags::LineLimit);
    std::optional<TextOutline> two =
        LayOutText("1\n2\n3\n4", Arial(), FontStyle::Regular, em, RectF(0, 0, 200, 2.5f * pitch), format);
    ASSERT_TRUE(two);
    EXPECT_EQ(two->lineCount, 2);
    // A height made exactly for the lines keeps them all.
    EXPECT_EQ(LayOutText("1\n2", Arial(), FontStyle::Regular, em, RectF(0, 0, 200, 2 * pitch), format)->lineCount, 2);
    // Without the flag every line is laid out, below the rectangle too.
    EXPECT_EQ(LayOutText("1\n2\n3\n4", Arial(), FontStyle::Regular, em, RectF(0, 0, 200, pitch), {})->lineCount, 4);
}

TEST(TextPathTest, TrailingSpacesTakeNoPartInAlignment)
{
    StringFormat format = StringFormat::GenericTypographic();
    format.SetAlignment(StringAlignment::Center);
    std::optional<TextOutline> bare = LayOutText("Hi", Arial(), FontStyle::Regular, 30, RectF(0, 0, 300, 0), format);
    std::optional<TextOutline> spaced =
        LayOutText("Hi   ", Arial(), FontStyle::Regular, 30, RectF(0, 0, 300, 0), format);
    ASSERT_TRUE(bare && spaced);
    EXPECT_NEAR(spaced->bounds.X, bare->bounds.X, 0.001f);
    EXPECT_NEAR(spaced->bounds.Width, bare->bounds.Width, 0.001f);
}

TEST(TextPathTest, StyleBitsChangeTheOutlines)
{
    const float em = 50.0f;
    StringFormat format = StringFormat::GenericTypographic();
    GraphicsPath regular, bold, italic, underline, strikeout;
    ASSERT_TRUE(AddString(regular, "l", Arial(), FontStyle::Regular, em, PointF(0, 0), format));
    ASSERT_TRUE(AddString(bold, "l", Arial(), FontStyle::Bold, em, PointF(0, 0), format));
    ASSERT_TRUE(AddString(italic, "l", Arial(), FontStyle::Italic, em, PointF(0, 0), format));
    ASSERT_TRUE(AddString(underline, "l", Arial(), FontStyle::Underline, em, PointF(0, 0), format));
    ASSERT_TRUE(AddString(strikeout, "l", Arial(), FontStyle::Strikeout, em, PointF(0, 0), format));
    EXPECT_GT(bold.GetBounds().Width, regular.GetBounds().Width);
    // An italic stem leans: its box is wider than the upright one.
    EXPECT_GT(italic.GetBounds().Width, regular.GetBounds().Width * 1.5f);

    // Underline: one more closed four-point figure, below the baseline.
    const float baseline = kAscent * em;
    ASSERT_EQ(underline.PointCount(), regular.PointCount() + 4);
    float barTop = INFINITY, barBottom = -INFINITY;
    for (PointF p : underline.Points().last(4)) {
        barTop = std::min(barTop, p.Y);
        barBottom = std::max(barBottom, p.Y);
    }
    RectF bar(0, barTop, 1, barBottom - barTop);
    EXPECT_GT(bar.Y, baseline);
    EXPECT_LT(bar.Y, baseline + 0.3f * em);
    EXPECT_GT(bar.Height, 0.0f);

    // Strikeout: its bar lies between the baseline and the top of the stem.
    ASSERT_EQ(strikeout.PointCount(), regular.PointCount() + 4);
    float strikeY = strikeout.Points().back().Y;
    EXPECT_LT(strikeY, baseline);
    EXPECT_GT(strikeY, baseline - kCapHeight * em);
}

TEST(TextPathTest, EmptyTextAddsNothing)
{
    GraphicsPath path;
    ASSERT_TRUE(path.AddRectangle(RectF(0, 0, 5, 5)));
    const int before = path.PointCount();
    EXPECT_TRUE(AddString(path, "", Arial(), FontStyle::Regular, 30.0f, RectF(0, 0, 100, 100), {}));
    EXPECT_TRUE(AddString(path, std::string("\0", 1), Arial(), FontStyle::Regular, 30.0f, PointF(0, 0), {}));
    // Spaces and line breaks lay out lines but draw nothing (an underline under no ink too).
    EXPECT_TRUE(AddString(path, "  \n ", Arial(), FontStyle::Underline, 30.0f, PointF(0, 0), {}));
    EXPECT_EQ(path.PointCount(), before);
}

TEST(TextPathTest, UnusableSizesAndRectanglesLeaveThePathAlone)
{
    GraphicsPath path;
    for (float em : {0.0f, -5.0f, NAN, INFINITY, 2.0e6f})
        EXPECT_FALSE(AddString(path, "A", Arial(), FontStyle::Regular, em, PointF(0, 0), {})) << em;
    EXPECT_FALSE(AddString(path, "A", Arial(), FontStyle::Regular, 20.0f, RectF(0, NAN, 10, 10), {}));
    EXPECT_FALSE(AddString(path, "A", Arial(), FontStyle::Regular, 20.0f, PointF(INFINITY, 0), {}));
    EXPECT_TRUE(path.IsEmpty());
}

TEST(TextPathTest, HostileTextLaysOutWithoutHarm)
{
    GraphicsPath path;
    // Malformed bytes and a lone surrogate draw as replacement glyphs.
    EXPECT_TRUE(AddString(path, "\xFF\xED\xA0\x80\xC0", Arial(), FontStyle::Regular, 30.0f, PointF(0, 0), {}));
    EXPECT_FALSE(path.IsEmpty());
    // Characters no font has, right-to-left and combining text, control characters.
    EXPECT_TRUE(AddString(path, "\xEE\x80\x80\xF3\xB0\x80\x80 \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D e\xCC\x81\x01\x1B\t",
                          Arial(), FontStyle::BoldItalic, 30.0f, RectF(0, 0, 100, 0), Centred()));
    // A long unbroken text in a narrow rectangle: capped, wrapped between characters.
    std::string longText(100000, 'W');
    std::optional<TextOutline> outline =
        LayOutText(longText, Arial(), FontStyle::Regular, 10.0f, RectF(0, 0, 2000, 0), {}, false);
    ASSERT_TRUE(outline);
    EXPECT_GT(outline->lineCount, 1);
    EXPECT_LE(outline->bounds.Width, 2000.0f + 0.01f);
}

} // namespace
} // namespace kelmora
