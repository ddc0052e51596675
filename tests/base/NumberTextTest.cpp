#include "platform/base/NumberText.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace kelmora {

TEST(NumberText, ReadsPlainDecimalsWithAPointAndRefusesEverythingElse)
{
    // A comma is refused, not guessed at: "1,250" and "2,5" mean different things in
    // different locales.
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>>{
             {"2.5", 2.5}, {" \t12.5 ", 12.5}, {"+7", 7}, {"-3", -3}, {".5", 0.5}, {"5.", 5}, {"1e3", 1000}})
        EXPECT_EQ(ParseNumberText(text), value) << text;
    for (const char* text : {"", " ", "+", "-", "+-5", "2,5", "1,250", "12abc", "1 2", "0x10", "nan", "inf",
                             "infinity", "1e999"})
        EXPECT_FALSE(ParseNumberText(text)) << text;

    EXPECT_EQ(ParseNumberText(" 045 ", NumberKind::Whole), 45);
    EXPECT_EQ(ParseNumberText("99999999999999999999", NumberKind::Whole), 1e20);
    for (const char* text : {"4.5", "4.0", "1e2", ".5"})
        EXPECT_FALSE(ParseNumberText(text, NumberKind::Whole)) << text;
}

} // namespace kelmora
