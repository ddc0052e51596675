#include "platform/base/FileTime.h"

#include <gtest/gtest.h>

namespace kelmora {

TEST(FileTime, UnixEpochAndRoundTrip)
{
    auto epoch = std::chrono::system_clock::time_point {};
    EXPECT_EQ(ToFileTime(epoch), 116444736000000000ull);
    auto when = epoch + std::chrono::seconds(1'700'000'000) + std::chrono::microseconds(123456);
    EXPECT_EQ(FromFileTime(ToFileTime(when)), when);
}

TEST(FileTime, HalvesSplitAndExtremesClamp)
{
    FileTime time = MakeFileTime(0x89ABCDEF, 0x01234567);
    EXPECT_EQ(FileTimeLow(time), 0x89ABCDEFu);
    EXPECT_EQ(FileTimeHigh(time), 0x01234567u);
    // Far-future values clamp instead of overflowing the clock.
    EXPECT_GT(FromFileTime(~FileTime(0)), std::chrono::system_clock::time_point {});
}

} // namespace kelmora
