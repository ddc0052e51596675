#include "app/properties/LengthUnits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelmora {

namespace {

std::string Shown(float length, DrawUnit unit, int dpi = 96)
{
    const LengthValue value = MakeLengthValue(length, unit, dpi);
    if (std::holds_alternative<int32_t>(value))
        return std::to_string(std::get<int32_t>(value));
    return FormatLengthNumber(std::get<float>(value));
}

} // namespace

TEST(LengthUnits, ThePageSidesShowInEveryUnit)
{
    EXPECT_EQ(Shown(2478, DrawUnit::Inches), "8.26");
    EXPECT_EQ(Shown(2478, DrawUnit::Millimetres), "209.804");
    EXPECT_EQ(Shown(2478, DrawUnit::Points), "594.72");
    EXPECT_EQ(Shown(2478, DrawUnit::Pixels), "793");
    EXPECT_EQ(Shown(2478, DrawUnit::Pixels, 120), "991");
    EXPECT_EQ(Shown(3507, DrawUnit::Inches), "11.69");
    EXPECT_EQ(Shown(3507, DrawUnit::Millimetres), "296.926");
    EXPECT_EQ(Shown(3507, DrawUnit::Points), "841.68");
    EXPECT_EQ(Shown(3507, DrawUnit::Pixels), "1122");
    // Only the pixel unit shows whole numbers.
    EXPECT_TRUE(std::holds_alternative<int32_t>(MakeLengthValue(10, DrawUnit::Pixels, 96)));
    EXPECT_TRUE(std::holds_alternative<float>(MakeLengthValue(10, DrawUnit::Points, 96)));
}

TEST(LengthUnits, EnteredValuesComeBackInDocumentUnits)
{
    EXPECT_FLOAT_EQ(LengthFromValue(210.0f, DrawUnit::Millimetres, 96), 2480.315f);
    EXPECT_FLOAT_EQ(LengthFromValue(595.0f, DrawUnit::Points, 96), 2479.1667f);
    EXPECT_FLOAT_EQ(LengthFromValue(int32_t(794), DrawUnit::Pixels, 96), 2481.25f);
    EXPECT_FLOAT_EQ(LengthFromValue(1.5f, DrawUnit::Inches, 96), 450.0f);
    // Read by what the value holds: a float in the pixel unit is a fraction of pixels, a
    // whole number in another unit a number of that unit.
    EXPECT_FLOAT_EQ(LengthFromValue(1.5f, DrawUnit::Pixels, 96), 4.6875f);
    EXPECT_FLOAT_EQ(LengthFromValue(int32_t(2), DrawUnit::Inches, 96), 600.0f);
}

TEST(LengthUnits, PixelsRoundHalfUpTruncateAndSaturate)
{
    // Exact pixel values -1.7 and 1.5 at 96 dpi.
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(-1.7f * 300 / 96, DrawUnit::Pixels, 96)), -1);
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(1.5f * 300 / 96, DrawUnit::Pixels, 96)), 2);
    // A unit outside the four counts as pixels; a screen without a resolution as 96.
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(300, DrawUnit(7), 96)), 96);
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(300, DrawUnit::Pixels, 0)), 96);
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(3e30f, DrawUnit::Pixels, 96)), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(-3e30f, DrawUnit::Pixels, 96)), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(std::nanf(""), DrawUnit::Pixels, 96)), 0);
}

} // namespace kelmora
