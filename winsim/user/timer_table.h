// Window timers: each due time is kept on the tick count, and WM_TIMER is made when a
// timer is due and nothing else waits, as Windows does (a late timer fires once, not once
// per missed interval).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace winsim::user {

class TimerTable {
public:
    struct Timer {
        HWND hwnd;
        UINT_PTR id;
        std::uint32_t interval;
        std::uint32_t due;
        TIMERPROC proc;
    };

    // Starts or restarts the timer (hwnd, id); a null window gets a fresh identifier.
    UINT_PTR set(HWND hwnd, UINT_PTR id, std::uint32_t interval, TIMERPROC proc, std::uint32_t now);
    bool kill(HWND hwnd, UINT_PTR id);
    void kill_all(HWND hwnd);

    // The earliest-due timer at `now` that `accept` takes; when `restart` is set its next
    // due time is counted from `now`.
    std::optional<Timer> take_due(std::uint32_t now, const std::function<bool(HWND)>& accept, bool restart);
    // The earliest due time of all timers (of the windows `accept` takes).
    std::optional<std::uint32_t> next_due() const;
    std::optional<std::uint32_t> next_due(const std::function<bool(HWND)>& accept) const;
    bool empty() const { return timers_.empty(); }

private:
    std::vector<Timer> timers_;
    UINT_PTR next_thread_id_ = 1;
};

}  // namespace winsim::user
