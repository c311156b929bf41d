// Calendar time to file time, and local file time to UTC by the bias in force now.
#include <time.h>

#include <cstdint>

#include "kernel/file_time.h"
#include "win/kernel.h"

namespace {

bool is_leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap(year) ? 29 : kDays[month - 1];
}

// Days from 1601-01-01 to the given date (proleptic Gregorian calendar).
std::int64_t days_since_1601(int year, int month, int day) {
    std::int64_t y = year - 1601;
    std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
    for (int m = 1; m < month; ++m) days += days_in_month(year, m);
    return days + day - 1;
}

}  // namespace

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
    if (!lpSystemTime || !lpFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const SYSTEMTIME& t = *lpSystemTime;
    // The day of the week is not looked at, as on Windows.
    bool valid = t.wYear >= 1601 && t.wYear <= 30827 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
                 t.wDay <= days_in_month(t.wYear, t.wMonth) && t.wHour < 24 && t.wMinute < 60 &&
                 t.wSecond < 60 && t.wMilliseconds < 1000;
    if (!valid) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::int64_t seconds = days_since_1601(t.wYear, t.wMonth, t.wDay) * 86400 + t.wHour * 3600 +
                           t.wMinute * 60 + t.wSecond;
    std::uint64_t ticks = std::uint64_t(seconds) * 10000000ull + std::uint64_t(t.wMilliseconds) * 10000ull;
    *lpFileTime = winsim::kernel::to_file_time(ticks);
    return TRUE;
}

BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime) {
    if (!lpLocalFileTime || !lpFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Windows applies the bias of the moment of the call, daylight saving included, not the
    // one that was in force at the given time. tzset picks up a TZ changed since start.
    tzset();
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    std::int64_t offset_ticks = std::int64_t(local.tm_gmtoff) * winsim::kernel::kFileTicksPerSecond;
    std::int64_t utc = std::int64_t(winsim::kernel::to_uint64(*lpLocalFileTime)) - offset_ticks;
    if (utc < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpFileTime = winsim::kernel::to_file_time(std::uint64_t(utc));
    return TRUE;
}
