#include "platform/base/TextEncoding.h"

#include <gtest/gtest.h>

namespace kelmora {

TEST(TextEncoding, Utf16RoundTripsIncludingAstralAndUnpairedSurrogates)
{
    std::u16string text = u"A\u00E9\u20AC";
    text += char16_t(0xD83D); // U+1F600 as a pair
    text += char16_t(0xDE00);
    text += char16_t(0xD800); // unpaired high
    text += u'x';
    text += char16_t(0xDFFF); // unpaired low at the end
    std::string utf8 = Utf16ToUtf8(text);
    EXPECT_EQ(utf8.substr(0, 10), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToUtf16(utf8), text);
    EXPECT_FALSE(IsValidUtf8(utf8)); // surrogate forms are not strict UTF-8
}

TEST(TextEncoding, MalformedUtf8BecomesReplacementPerByte)
{
    EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD"); // truncated sequence
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), u"\uFFFD\uFFFD"); // overlong NUL
}

TEST(TextEncoding, Utf16LeBytes)
{
    std::string bytes = Utf8ToUtf16LeBytes("A\xE2\x82\xAC");
    EXPECT_EQ(bytes, std::string("A\0\xAC\x20", 4));
    EXPECT_EQ(Utf16LeBytesToUtf8(bytes), "A\xE2\x82\xAC");
    EXPECT_EQ(Utf16LeBytesToUtf8(std::string("A\0B", 3)), "A"); // odd trailing byte dropped
}

TEST(TextEncoding, Windows1252BothWays)
{
    EXPECT_EQ(Windows1252ToUtf8("\x80\x9F\xE9\x41"), "\xE2\x82\xAC\xC5\xB8\xC3\xA9" "A");
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC\xC5\xB8\xC3\xA9" "A"), "\x80\x9F\xE9\x41");
    EXPECT_EQ(Utf8ToWindows1252("\xE4\xB8\xAD"), "?");
    // The unassigned bytes survive a round trip through their C1 code points.
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8("\x81\x8D\x8F\x90\x9D")), "\x81\x8D\x8F\x90\x9D");
}

} // namespace kelmora
