#pragma once
// FILETIME: 100-nanosecond intervals since 1601-01-01 00:00 UTC, as 64 bits.

#include <chrono>
#include <cstdint>

namespace kelmora {

using FileTime = uint64_t;

// Seconds from 1601-01-01 to the Unix epoch 1970-01-01.
inline constexpr int64_t kFileTimeEpochOffsetSeconds = 11644473600;
inline constexpr int64_t kFileTimeTicksPerSecond = 10'000'000;

// Times before 1601 give 0.
FileTime ToFileTime(std::chrono::system_clock::time_point time);
std::chrono::system_clock::time_point FromFileTime(FileTime time);
FileTime FileTimeNow();

// Low and high 32-bit halves, as FILETIME stores them.
inline uint32_t FileTimeLow(FileTime time) { return uint32_t(time); }
inline uint32_t FileTimeHigh(FileTime time) { return uint32_t(time >> 32); }
inline FileTime MakeFileTime(uint32_t low, uint32_t high) { return (FileTime(high) << 32) | low; }

} // namespace kelmora
