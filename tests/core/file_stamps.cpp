#include "file_stamps.h"

#include <gtest/gtest.h>
#include <time.h>

ULONGLONG ExpectedManifestStamp() {
    struct tm local = {};
    local.tm_year = 2005 - 1900;
    local.tm_mon = 10;
    local.tm_mday = 28;
    local.tm_hour = 3;
    local.tm_min = 6;
    time_t now = time(nullptr);
    struct tm current;
    localtime_r(&now, &current);
    long long unix_seconds = static_cast<long long>(timegm(&local)) - current.tm_gmtoff;
    return static_cast<ULONGLONG>(unix_seconds + 11644473600LL) * 10000000ULL;
}

static ULONGLONG AsNumber(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

void ExpectStamped(const std::string& windows_path, ULONGLONG stamp) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(windows_path.c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE) << windows_path;
    FindClose(find);
    EXPECT_EQ(AsNumber(found.ftCreationTime), stamp) << windows_path;
    EXPECT_EQ(AsNumber(found.ftLastAccessTime), stamp) << windows_path;
    EXPECT_EQ(AsNumber(found.ftLastWriteTime), stamp) << windows_path;
}
