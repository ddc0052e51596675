#include "platform/base/Guid.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace kelmora {

TEST(Guid, DigitsFollowFieldOrder)
{
    Guid guid;
    guid.data1 = 0x0123ABCD;
    guid.data2 = 0x00EF;
    guid.data3 = 0xA001;
    guid.data4 = { 0x00, 0x0F, 0x10, 0xFF, 0x7A, 0x01, 0x02, 0x9C };
    EXPECT_EQ(FormatGuidDigits(guid), "0123ABCD00EFA001000F10FF7A01029C");
}

TEST(Guid, NewStringsAreUpperHexAndDistinct)
{
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        std::string text = NewGuidString();
        ASSERT_EQ(text.size(), 32u);
        for (char c : text)
            EXPECT_TRUE(std::isdigit(uint8_t(c)) || (c >= 'A' && c <= 'F')) << text;
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 100u);
}

} // namespace kelmora
