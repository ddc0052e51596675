// The paper table: its rows state the sizes their names give, and the conversions.

#include "document/PaperSizeTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

namespace kelmora {

namespace {

// "8 1/2", "11.69" or "297" as a number.
double ParseLength(const std::string& text)
{
    std::smatch m;
    if (std::regex_match(text, m, std::regex(R"((\d+) (\d+)/(\d+))")))
        return std::stod(m[1]) + std::stod(m[2]) / std::stod(m[3]);
    return std::stod(text);
}

} // namespace

TEST(PaperSizeTable, EveryRowCarriesTheSizeItsNameStates)
{
    ASSERT_EQ(PaperSizeTable.size(), 77u);
    int inches = 0;
    int millimetres = 0;
    const std::regex size(R"((\d+(?: \d+/\d+)?(?:\.\d+)?) x (\d+(?: \d+/\d+)?(?:\.\d+)?) (mm|inches)$)");
    for (const PaperSizeRecord& paper : PaperSizeTable) {
        const std::string name(paper.name);
        std::smatch m;
        ASSERT_TRUE(std::regex_search(name, m, size)) << name;
        const bool inInches = m[3] == "inches";
        EXPECT_EQ(paper.unit, inInches ? PaperUnit::ThousandthsOfInch : PaperUnit::Millimetres) << name;
        const double scale = inInches ? 1000.0 : 1.0;
        EXPECT_EQ(paper.width, std::lround(ParseLength(m[1]) * scale)) << name;
        EXPECT_EQ(paper.height, std::lround(ParseLength(m[2]) * scale)) << name;
        EXPECT_GT(paper.paperId, 0) << name;
        (inInches ? inches : millimetres)++;
    }
    EXPECT_EQ(inches, 26);
    EXPECT_EQ(millimetres, 51);
    // Rows 61 to 63 repeat rows 58 to 60.
    for (size_t row = 61; row <= 63; ++row) {
        const PaperSizeRecord& a = PaperSizeTable[row - 1];
        const PaperSizeRecord& b = PaperSizeTable[row - 4];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.paperId, b.paperId);
        EXPECT_EQ(a.width, b.width);
    }
    EXPECT_EQ(PaperSizeTable[12].name, "UUS Executive 7 1/4 x 10 1/2 inches");
    EXPECT_EQ(PaperSizeTable[29].paperId, 35);
}

TEST(PaperSizeTable, Conversions)
{
    const PaperSizeRecord& a4 = PaperSizeTable[1];
    EXPECT_EQ(PaperSizeInches(a4, true), SizeF(297 / 25.4f, 210 / 25.4f));
    EXPECT_EQ(PaperSizeInOwnUnit(a4, false), SizeF(210, 297));
    const PaperSizeRecord& letter = PaperSizeTable[6];
    EXPECT_EQ(PaperSizeInOwnUnit(letter, false), SizeF(8.5f, 11.0f));
    EXPECT_EQ(InchesToPixels(8.5f, 96), 816);
    EXPECT_EQ(InchesToPixels(11.0f, 96), 1056);
    EXPECT_EQ(InchesToPixels(1.0f / 192, 96), 1);     // a half pixel rounds up
    EXPECT_EQ(InchesToPixels(-1.0f / 192, 96), 0);    // and toward zero below it
    EXPECT_EQ(InchesToPixels(1e30f, 96), 0);
    EXPECT_FLOAT_EQ(PixelsToInches(500, 96), 500.0f / 96);
    EXPECT_EQ(PixelsToInches(500, 0), 0.0f);
}

TEST(PaperSizeTable, PapersAreFoundByTheirSizeWithinAMillimetre)
{
    // A4 and Letter as a printing system gives them; Letter in millimetres is 215.9 x 279.4.
    EXPECT_EQ(FindPaperBySize({21000, 29700}), 1u);
    EXPECT_EQ(FindPaperBySize({21590, 27940}), 6u);
    EXPECT_EQ(FindPaperBySize({21600, 27900}), 6u);     // whole millimetres still match
    EXPECT_EQ(FindPaperBySize({21100, 29800}), 1u);     // exactly 1 mm off each way
    EXPECT_EQ(FindPaperBySize({21101, 29700}), std::nullopt);
    EXPECT_EQ(FindPaperBySize({0, 0}), std::nullopt);
    // An upright paper finds a row the table keeps lying (Japanese Double Postcard,
    // 200 x 148) when no row has it upright.
    EXPECT_EQ(FindPaperBySize({14800, 20000}), 58u);
    EXPECT_EQ(FindPaperBySize({17600, 12500}), 29u);
    // US Ledger (17 x 11) is shadowed by US Tabloid (11 x 17) only when given upright.
    EXPECT_EQ(FindPaperBySize({43180, 27940}), 9u);
    EXPECT_EQ(FindPaperBySize({27940, 43180}), 8u);

    // Every row's own size maps back to it, or to the first row of the same size.
    for (size_t row = 0; row < PaperSizeTable.size(); ++row) {
        const PaperExtent extent = PaperExtentOf(PaperSizeTable[row]);
        const std::optional<size_t> found = FindPaperBySize(extent);
        ASSERT_TRUE(found) << PaperSizeTable[row].name;
        EXPECT_LE(*found, row) << PaperSizeTable[row].name;
        EXPECT_EQ(PaperExtentOf(PaperSizeTable[*found]), extent) << PaperSizeTable[row].name;
    }
}

} // namespace kelmora
