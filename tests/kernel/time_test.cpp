#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

std::uint64_t ticks(const FILETIME& ft) { return (std::uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; }

constexpr std::uint64_t kHour = 36000000000ull;

// Sets TZ for one test and puts the old value back.
class ZoneForTest {
public:
    explicit ZoneForTest(const std::string& zone) {
        if (const char* old = getenv("TZ")) old_ = old;
        setenv("TZ", zone.c_str(), 1);
        tzset();
    }
    ~ZoneForTest() {
        if (old_) setenv("TZ", old_->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> old_;
};

int day_of_year_now() {
    time_t now = time(nullptr);
    struct tm utc;
    gmtime_r(&now, &utc);
    return utc.tm_yday + 1;   // 1..366
}

FILETIME local_time(WORD year, WORD month, WORD day, WORD hour) {
    SYSTEMTIME st{year, month, 0, day, hour, 0, 0, 0};
    FILETIME ft{};
    EXPECT_TRUE(SystemTimeToFileTime(&st, &ft));
    return ft;
}

}  // namespace

TEST(SystemTimeToFileTime, CountsFrom1601AndRejectsImpossibleDates) {
    struct Case { SYSTEMTIME time; std::uint64_t ticks; };
    const Case cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
        {{1970, 1, 6, 1, 0, 0, 0, 0}, 116444736000000000ull},   // the day of week is not checked
        {{2000, 2, 2, 29, 12, 30, 15, 250}, 125963010152500000ull},
        {{2026, 12, 4, 31, 23, 59, 59, 999}, 134432351999990000ull},
    };
    for (const Case& k : cases) {
        FILETIME ft{};
        ASSERT_TRUE(SystemTimeToFileTime(&k.time, &ft)) << k.time.wYear;
        EXPECT_EQ(ticks(ft), k.ticks) << k.time.wYear;
    }
    const SYSTEMTIME invalid[] = {{1600, 12, 0, 31, 0, 0, 0, 0}, {2001, 2, 0, 29, 0, 0, 0, 0},
                                  {2000, 13, 0, 1, 0, 0, 0, 0},  {2000, 1, 0, 0, 0, 0, 0, 0},
                                  {2000, 1, 0, 1, 24, 0, 0, 0},  {2000, 1, 0, 1, 0, 60, 0, 0},
                                  {2000, 1, 0, 1, 0, 0, 60, 0},  {2000, 1, 0, 1, 0, 0, 0, 1000}};
    for (const SYSTEMTIME& t : invalid) {
        FILETIME ft{};
        SetLastError(0);
        EXPECT_FALSE(SystemTimeToFileTime(&t, &ft)) << t.wYear << "-" << t.wMonth << "-" << t.wDay;
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
}

// A zone whose daylight saving (two hours east instead of one) runs for a few days around
// today: the bias of today applies to every converted time, as on Windows, whatever the
// season of the time converted.
TEST(LocalFileTimeToFileTime, AppliesTheBiasInForceNowDaylightSavingIncluded) {
    int today = std::min(day_of_year_now(), 365);
    int start = std::max(1, today - 2);
    int end = std::min(365, today + 2);
    FILETIME winter = local_time(2026, today > 180 ? 3 : 10, 1, 12);   // far from today
    FILETIME summer_like = local_time(2026, 7, 1, 12);
    FILETIME utc{};

    {
        ZoneForTest zone("AAA-1BBB,J" + std::to_string(start) + "/0,J" + std::to_string(end) + "/23");
        ASSERT_TRUE(LocalFileTimeToFileTime(&winter, &utc));
        EXPECT_EQ(ticks(utc), ticks(winter) - 2 * kHour);
        ASSERT_TRUE(LocalFileTimeToFileTime(&summer_like, &utc));
        EXPECT_EQ(ticks(utc), ticks(summer_like) - 2 * kHour);
    }
    {
        // Daylight saving far from today: the standard bias applies, even to a date inside it.
        int away = today > 180 ? 10 : 300;
        ZoneForTest zone("AAA-1BBB,J" + std::to_string(away) + "/0,J" + std::to_string(away + 30) + "/0");
        FILETIME inside = local_time(2026, today > 180 ? 1 : 11, 20, 12);
        ASSERT_TRUE(LocalFileTimeToFileTime(&inside, &utc));
        EXPECT_EQ(ticks(utc), ticks(inside) - 1 * kHour);
    }
    {
        ZoneForTest zone("UTC0");
        ASSERT_TRUE(LocalFileTimeToFileTime(&winter, &utc));
        EXPECT_EQ(ticks(utc), ticks(winter));
    }
    {
        ZoneForTest zone("WST5");   // west of Greenwich: UTC is later
        ASSERT_TRUE(LocalFileTimeToFileTime(&winter, &utc));
        EXPECT_EQ(ticks(utc), ticks(winter) + 5 * kHour);
    }
}
