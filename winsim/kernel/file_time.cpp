#include "kernel/file_time.h"

namespace winsim::kernel {

FILETIME to_file_time(const timespec& ts) {
    std::int64_t ticks = std::int64_t(ts.tv_sec) * kFileTicksPerSecond + ts.tv_nsec / 100 +
                         kFileTimeOfUnixEpoch;
    return to_file_time(ticks < 0 ? 0 : std::uint64_t(ticks));
}

timespec to_timespec(const FILETIME& ft) {
    std::int64_t since_epoch = std::int64_t(to_uint64(ft)) - kFileTimeOfUnixEpoch;
    std::int64_t seconds = since_epoch / kFileTicksPerSecond;
    std::int64_t rest = since_epoch % kFileTicksPerSecond;
    if (rest < 0) {
        rest += kFileTicksPerSecond;
        seconds -= 1;
    }
    timespec ts{};
    ts.tv_sec = time_t(seconds);
    ts.tv_nsec = long(rest * 100);
    return ts;
}

FILETIME file_time_now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return to_file_time(ts);
}

}  // namespace winsim::kernel
