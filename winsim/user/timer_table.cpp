#include "user/timer_table.h"

#include <algorithm>

namespace winsim::user {

namespace {

// Signed distance on the wrapping tick count.
std::int32_t ahead(std::uint32_t tick, std::uint32_t now) { return static_cast<std::int32_t>(tick - now); }

}  // namespace

UINT_PTR TimerTable::set(HWND hwnd, UINT_PTR id, std::uint32_t interval, TIMERPROC proc, std::uint32_t now) {
    interval = std::clamp<std::uint32_t>(interval, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    if (!hwnd) {
        id = next_thread_id_++;
    }
    for (Timer& t : timers_) {
        if (t.hwnd == hwnd && t.id == id) {
            t.interval = interval;
            t.due = now + interval;
            t.proc = proc;
            return hwnd ? (id ? id : 1) : id;
        }
    }
    timers_.push_back(Timer{hwnd, id, interval, now + interval, proc});
    return hwnd ? (id ? id : 1) : id;
}

bool TimerTable::kill(HWND hwnd, UINT_PTR id) {
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers_.end()) return false;
    timers_.erase(it);
    return true;
}

void TimerTable::kill_all(HWND hwnd) {
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.hwnd == hwnd; }),
                  timers_.end());
}

std::optional<TimerTable::Timer> TimerTable::take_due(std::uint32_t now, const std::function<bool(HWND)>& accept,
                                                      bool restart) {
    Timer* best = nullptr;
    for (Timer& t : timers_) {
        if (ahead(t.due, now) > 0 || !accept(t.hwnd)) continue;
        if (!best || ahead(t.due, best->due) < 0) best = &t;
    }
    if (!best) return std::nullopt;
    Timer taken = *best;
    if (restart) best->due = now + best->interval;
    return taken;
}

std::optional<std::uint32_t> TimerTable::next_due() const {
    return next_due([](HWND) { return true; });
}

std::optional<std::uint32_t> TimerTable::next_due(const std::function<bool(HWND)>& accept) const {
    std::optional<std::uint32_t> earliest;
    for (const Timer& t : timers_)
        if (accept(t.hwnd) && (!earliest || ahead(t.due, *earliest) < 0)) earliest = t.due;
    return earliest;
}

}  // namespace winsim::user
