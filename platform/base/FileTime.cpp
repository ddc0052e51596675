#include "platform/base/FileTime.h"

#include <cstdint>

namespace kelmora {

using Ticks = std::chrono::duration<int64_t, std::ratio<1, kFileTimeTicksPerSecond>>;

FileTime ToFileTime(std::chrono::system_clock::time_point time)
{
    int64_t ticks = std::chrono::duration_cast<Ticks>(time.time_since_epoch()).count()
        + kFileTimeEpochOffsetSeconds * kFileTimeTicksPerSecond;
    return ticks < 0 ? 0 : FileTime(ticks);
}

std::chrono::system_clock::time_point FromFileTime(FileTime time)
{
    // Values past int64 range cannot come from a real clock; clamp rather than wrap.
    int64_t ticks = time > uint64_t(INT64_MAX) ? INT64_MAX : int64_t(time);
    int64_t sinceUnixTicks = ticks - kFileTimeEpochOffsetSeconds * kFileTimeTicksPerSecond;
    // The system clock counts nanoseconds in 64 bits (about 1678 to 2262); clamp to it.
    constexpr int64_t kLimit = INT64_MAX / 100;
    if (sinceUnixTicks > kLimit)
        sinceUnixTicks = kLimit;
    if (sinceUnixTicks < -kLimit)
        sinceUnixTicks = -kLimit;
    Ticks sinceUnix(sinceUnixTicks);
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(sinceUnix));
}

FileTime FileTimeNow()
{
    return ToFileTime(std::chrono::system_clock::now());
}

} // namespace kelmora
