#include "user/message_loop.h"

#include <algorithm>
#include <optional>

#include "host/clock.h"
#include "host/display.h"
#include "host/script.h"
#include "user/painting.h"

namespace winsim::user::message_loop {

namespace {

// How long a real-clock wait sleeps before it looks at the host's input again.
constexpr std::uint32_t kRealPollMs = 5;

std::optional<std::uint32_t> earliest(std::optional<std::uint32_t> a, std::optional<std::uint32_t> b,
                                      std::uint32_t now) {
    if (!a) return b;
    if (!b) return a;
    return static_cast<std::int32_t>(*a - now) <= static_cast<std::int32_t>(*b - now) ? a : b;
}

// Lets time pass while the program waits with nothing to take.
void let_time_pass(const MessageFilter& filter, host::ScriptedUser* script) {
    host::Clock& clock = host::clock();
    const std::uint32_t now = clock.now();
    auto timer = MessageQueue::instance().timers().next_due([&](HWND h) { return filter.window_matches(h); });
    std::optional<std::uint32_t> wake = script ? script->wake_tick() : std::nullopt;
    std::optional<std::uint32_t> next = earliest(timer, wake, now);
    if (clock.is_virtual()) {
        if (next) {
            if (static_cast<std::int32_t>(*next - now) > 0) clock.advance_to(*next);
            else clock.advance(1);
            return;
        }
        // Nothing will ever come from the program itself: only a person at a real
        // display can still act, so look at the host again a little later.
        host::Clock(host::Clock::Mode::Real).sleep(kRealPollMs);
        return;
    }
    std::uint32_t pause = kRealPollMs;
    if (next) pause = std::min<std::uint32_t>(pause, static_cast<std::uint32_t>(std::max<std::int32_t>(0, static_cast<std::int32_t>(*next - now))));
    clock.sleep(pause);
}

}  // namespace

bool read_host_input() {
    bool any = false;
    host::InputEvent event;
    while (host::display().poll_input(event)) {
        MessageQueue::instance().push_input(event);
        any = true;
    }
    return any;
}

void wait_for(MSG& msg, const MessageFilter& filter) {
    MessageQueue& queue = MessageQueue::instance();
    for (;;) {
        painting::present_if_changed();
        if (queue.take(msg, filter, true)) {
            queue.last_look_found_nothing = false;
            return;
        }
        queue.last_look_found_nothing = true;
        if (read_host_input()) continue;
        host::ScriptedUser* script = host::ScriptedUser::active();
        if (script && script->on_idle(true)) continue;
        let_time_pass(filter, script);
    }
}

bool look(MSG& msg, const MessageFilter& filter, bool remove) {
    MessageQueue& queue = MessageQueue::instance();
    painting::present_if_changed();
    if (queue.take(msg, filter, remove)) {
        queue.last_look_found_nothing = false;
        return true;
    }
    queue.last_look_found_nothing = true;
    bool acted = read_host_input();
    if (host::ScriptedUser* script = host::ScriptedUser::active()) acted = script->on_idle(false) || acted;
    if (acted && queue.take(msg, filter, remove)) {
        queue.last_look_found_nothing = false;
        return true;
    }
    return false;
}

}  // namespace winsim::user::message_loop
