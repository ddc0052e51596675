#include "document/zip/ZipTime.h"

#include <algorithm>
#include <ctime>

namespace kelmora {

namespace {

int64_t UnixSeconds(FileTime time)
{
    // Floor division: file times before 1970 give negative seconds.
    return int64_t(time / uint64_t(kFileTimeTicksPerSecond)) - kFileTimeEpochOffsetSeconds;
}

std::tm LocalCalendar(FileTime time)
{
    time_t seconds = time_t(UnixSeconds(time));
    std::tm calendar {};
    if (!localtime_r(&seconds, &calendar)) {
        calendar = std::tm {};
        calendar.tm_mday = 1;
        calendar.tm_year = 70;
    }
    return calendar;
}

// Keeps the time of day and replaces a date outside [first year, last year].
void ClampYear(std::tm& calendar, int firstYear, int lastYear)
{
    int year = calendar.tm_year + 1900;
    if (year < firstYear) {
        calendar.tm_year = firstYear - 1900;
        calendar.tm_mon = 0;
        calendar.tm_mday = 1;
    } else if (year > lastYear) {
        calendar.tm_year = lastYear - 1900;
        calendar.tm_mon = 11;
        calendar.tm_mday = 31;
    }
}

} // namespace

uint32_t ExtendedTimestampSeconds(FileTime time)
{
    std::tm calendar = LocalCalendar(time);
    int year = calendar.tm_year + 1900;
    int64_t seconds;
    if (year >= 1970 && year <= 2037) {
        seconds = UnixSeconds(time);
    } else {
        ClampYear(calendar, 1970, 2037);
        // Let the library decide whether daylight saving applied on that date, so that
        // the stored value is the true UTC second of the clamped local time.
        calendar.tm_isdst = -1;
        seconds = int64_t(mktime(&calendar));
    }
    if (seconds < 0)
        return 0; // 1970-01-01 local time east of Greenwich lies before the epoch
    return uint32_t(std::min<int64_t>(seconds, UINT32_MAX));
}

uint32_t DosTimeStamp(FileTime time)
{
    std::tm calendar = LocalCalendar(time);
    ClampYear(calendar, 1980, 2107);
    uint32_t date = (uint32_t(calendar.tm_year + 1900 - 1980) << 9) | (uint32_t(calendar.tm_mon + 1) << 5)
        | uint32_t(calendar.tm_mday);
    int second = calendar.tm_sec > 59 ? 59 : calendar.tm_sec; // a leap second
    uint32_t timeOfDay = (uint32_t(calendar.tm_hour) << 11) | (uint32_t(calendar.tm_min) << 5) | uint32_t(second / 2);
    return (date << 16) | timeOfDay;
}

std::optional<FileTime> FileTimeFromDosTimeStamp(uint32_t stamp)
{
    uint32_t date = stamp >> 16;
    uint32_t timeOfDay = stamp & 0xFFFF;
    int day = int(date & 31);
    int month = int((date >> 5) & 15);
    int year = int(date >> 9) + 1980;
    int second = int(timeOfDay & 31) * 2;
    int minute = int((timeOfDay >> 5) & 63);
    int hour = int(timeOfDay >> 11);
    if (day < 1 || month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    std::tm calendar {};
    calendar.tm_year = year - 1900;
    calendar.tm_mon = month - 1;
    calendar.tm_mday = day;
    calendar.tm_hour = hour;
    calendar.tm_min = minute;
    calendar.tm_sec = second;
    calendar.tm_isdst = -1;
    time_t seconds = mktime(&calendar);
    if (seconds == time_t(-1) || calendar.tm_mday != day)
        return std::nullopt; // 31 February and the like
    return FileTimeFromUnix(int64_t(seconds));
}

FileTime FileTimeFromUnix(int64_t seconds, uint32_t nanoseconds)
{
    if (seconds < -kFileTimeEpochOffsetSeconds)
        return 0;
    uint64_t sinceFileTimeEpoch = uint64_t(seconds + kFileTimeEpochOffsetSeconds);
    constexpr uint64_t kLastSecond = UINT64_MAX / uint64_t(kFileTimeTicksPerSecond) - 1;
    if (sinceFileTimeEpoch > kLastSecond)
        return UINT64_MAX;
    return sinceFileTimeEpoch * uint64_t(kFileTimeTicksPerSecond) + (nanoseconds % 1'000'000'000u) / 100;
}

void FileTimeToUnix(FileTime time, int64_t& seconds, uint32_t& nanoseconds)
{
    seconds = int64_t(time / uint64_t(kFileTimeTicksPerSecond)) - kFileTimeEpochOffsetSeconds;
    nanoseconds = uint32_t(time % uint64_t(kFileTimeTicksPerSecond)) * 100;
}

} // namespace kelmora
