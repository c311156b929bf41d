// FILETIME (100-nanosecond intervals since 1601-01-01 UTC) and the host's timespec.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <ctime>

#include "win/base.h"

namespace winsim::kernel {

inline constexpr std::int64_t kFileTimeOfUnixEpoch = 116444736000000000LL;
inline constexpr std::int64_t kFileTicksPerSecond = 10000000LL;

inline std::uint64_t to_uint64(const FILETIME& ft) {
    return (std::uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

inline FILETIME to_file_time(std::uint64_t ticks) {
    return FILETIME{DWORD(ticks & 0xFFFFFFFFu), DWORD(ticks >> 32)};
}

FILETIME to_file_time(const timespec& ts);
timespec to_timespec(const FILETIME& ft);
FILETIME file_time_now();

}  // namespace winsim::kernel
