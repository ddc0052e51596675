#include "platform/text/TextSanitize.h"

#include <gtest/gtest.h>

namespace kelmora {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(TextSanitizeTest, WellFormedTextPassesUnchanged)
{
    std::string text = "Logo \xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\r\n\t";
    EXPECT_EQ(SanitizeTextForLayout(text, 100), text);
    EXPECT_EQ(SanitizeTextForLayout("", 100), "");
}

TEST(TextSanitizeTest, MalformedBytesBecomeOneReplacementEach)
{
    // Stray continuation byte, invalid lead, overlong '/', truncated three-byte sequence.
    EXPECT_EQ(SanitizeTextForLayout("a\x80" "b", 100), "a" + kReplacement + "b");
    EXPECT_EQ(SanitizeTextForLayout("\xFF", 100), kReplacement);
    EXPECT_EQ(SanitizeTextForLayout("\xC0\xAF", 100), kReplacement + kReplacement);
    EXPECT_EQ(SanitizeTextForLayout("x\xE2\x82", 100), "x" + kReplacement + kReplacement);
    // Beyond U+10FFFF.
    EXPECT_EQ(SanitizeTextForLayout("\xF4\x90\x80\x80", 100), kReplacement + kReplacement + kReplacement + kReplacement);
}

TEST(TextSanitizeTest, LoneSurrogateFormBecomesOneReplacement)
{
    // U+D800 in its three-byte form, as a file's unpaired UTF-16 half is kept.
    EXPECT_EQ(SanitizeTextForLayout("A\xED\xA0\x80" "B", 100), "A" + kReplacement + "B");
}

TEST(TextSanitizeTest, NulIsDroppedAndLengthIsCapped)
{
    EXPECT_EQ(SanitizeTextForLayout(std::string("A\0B", 3), 100), "AB");
    EXPECT_EQ(SanitizeTextForLayout("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(SanitizeTextForLayout("abc", 0), "");
}

} // namespace
} // namespace kelmora
