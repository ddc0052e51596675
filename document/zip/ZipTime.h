#pragma once
// The time stamps a zip entry carries. Internal to the zip layer.
//
// The DOS stamp is the local calendar time with two-second resolution; the "UT" field
// holds seconds since 1970-01-01 UTC as an unsigned 32-bit value. Both ranges are far
// narrower than a file time, so times outside them are clamped by calendar date, keeping
// the time of day, rather than wrapped.

#include "platform/base/FileTime.h"

#include <cstdint>
#include <optional>

namespace kelmora {

// The local date clamped into 1970-01-01 .. 2037-12-31, as seconds since 1970 UTC.
uint32_t ExtendedTimestampSeconds(FileTime time);

// DOS date in the high 16 bits and DOS time in the low 16 bits, of the local time;
// dates before 1980-01-01 become that day and dates after 2107-12-31 that day.
uint32_t DosTimeStamp(FileTime time);

// A DOS stamp read as local time; nothing for a stamp that names no real date and time.
std::optional<FileTime> FileTimeFromDosTimeStamp(uint32_t stamp);

// Seconds and nanoseconds since 1970 UTC as a file time; times before 1601 give 0 and
// times past the file time's range its largest value. File systems keep times (year
// 2446 and beyond) that the system clock's nanosecond count cannot hold, so these do
// not go through std::chrono.
FileTime FileTimeFromUnix(int64_t seconds, uint32_t nanoseconds = 0);

// A file time as seconds and nanoseconds since 1970 UTC (a struct timespec's fields).
void FileTimeToUnix(FileTime time, int64_t& seconds, uint32_t& nanoseconds);

} // namespace kelmora
