// The thread's message queue: posted messages, the host's and the scripted user's input
// (turned into window messages only when taken, so that each event is hit-tested against
// the windows as they are by then), the quit request, and WM_PAINT and WM_TIMER, which are
// made on demand when nothing else waits.
#pragma once

#include <windows.h>

#include <deque>
#include <optional>

#include "host/display.h"
#include "user/timer_table.h"

namespace winsim::user {

struct MessageFilter {
    HWND hwnd = nullptr;   // null: every message; (HWND)-1: only messages without a window
    UINT min = 0;
    UINT max = 0;

    bool window_matches(HWND target) const;
    bool message_matches(UINT message) const;
    bool matches(const MSG& msg) const { return window_matches(msg.hwnd) && message_matches(msg.message); }
};

class MessageQueue {
public:
    static MessageQueue& instance();

    void post(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void post_quit(int exit_code);
    // Puts a message ahead of all others (the character TranslateMessage makes).
    void post_front(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void push_input(const host::InputEvent& event);

    // The next message the filter takes, in Windows' order: posted messages, input, the
    // quit request, WM_PAINT, WM_TIMER. `remove` takes it off the queue.
    bool take(MSG& msg, const MessageFilter& filter, bool remove);
    // Anything at all could be delivered now (to any window).
    bool anything_deliverable();
    bool input_pending() const { return !raw_input_.empty() || !input_.empty(); }

    // Forgets what waits for a window that is being destroyed.
    void forget_window(HWND hwnd);

    TimerTable& timers() { return timers_; }

    // Set when the last look at the queue (GetMessageA or PeekMessageA) found nothing to take.
    bool last_look_found_nothing = false;

private:
    MessageQueue() = default;
    MSG make(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) const;
    bool take_from(std::deque<MSG>& queue, MSG& msg, const MessageFilter& filter, bool remove);

    std::deque<MSG> posted_;
    std::deque<host::InputEvent> raw_input_;
    std::deque<MSG> input_;
    bool quit_ = false;
    int quit_code_ = 0;
    TimerTable timers_;
};

}  // namespace winsim::user
