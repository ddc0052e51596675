// How key tips are chosen: fixed tips, then mnemonics, then letters of the caption, then
// any letter; past 26 elements, prefix-free two-letter tips.

#include "platform/ui/KeyTips.h"

#include <gtest/gtest.h>

#include <set>

namespace kelmora {
namespace {

TEST(KeyTips, FixedTipsThenMnemonicsThenTheFirstFreeLetter)
{
    const std::vector<std::string> tips =
        AssignKeyTips({{"&File", "f"}, {"Save", "1"}, {"&Home", ""}, {"Format", ""}, {"&Help", ""}, {"Hhh", ""},
                       {"", ""}, {"Export &Logo", ""}});
    EXPECT_EQ(tips, (std::vector<std::string>{"F", "1", "H", "O", "E", "A", "B", "L"}));
}

TEST(KeyTips, ManyElementsGetPrefixFreeTips)
{
    std::vector<KeyTipRequest> requests;
    for (int i = 0; i < 60; ++i)
        requests.push_back({"Item " + std::to_string(i), ""});
    const std::vector<std::string> tips = AssignKeyTips(requests);
    std::set<std::string> seen;
    size_t singles = 0;
    for (const std::string& tip : tips) {
        ASSERT_FALSE(tip.empty());
        EXPECT_TRUE(seen.insert(tip).second) << tip;
        singles += tip.size() == 1 ? 1 : 0;
    }
    // No tip begins with another, so typing acts as soon as a whole tip is typed.
    for (const std::string& a : tips) {
        for (const std::string& b : tips)
            EXPECT_FALSE(a != b && b.compare(0, a.size(), a) == 0) << a << " " << b;
    }
    EXPECT_EQ(singles, 24u);   // two letters lead to the 36 two-letter tips
}

} // namespace
} // namespace kelmora
