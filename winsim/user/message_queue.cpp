#include "user/message_queue.h"

#include "host/clock.h"
#include "user/input_router.h"
#include "user/painting.h"
#include "user/window_tree.h"

namespace winsim::user {

bool MessageFilter::window_matches(HWND target) const {
    if (!hwnd) return true;
    if (hwnd == reinterpret_cast<HWND>(-1)) return target == nullptr;
    if (target == hwnd) return true;
    Window* ancestor = find_window(hwnd);
    Window* window = find_window(target);
    return ancestor && window && WindowTree::is_descendant(ancestor, window);
}

bool MessageFilter::message_matches(UINT message) const {
    if (min == 0 && max == 0) return true;
    return message >= min && message <= max;
}

MessageQueue& MessageQueue::instance() {
    static MessageQueue queue;
    return queue;
}

MSG MessageQueue::make(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) const {
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wparam;
    msg.lParam = lparam;
    msg.time = host::clock().now();
    msg.pt = InputRouter::instance().cursor();
    return msg;
}

void MessageQueue::post(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    posted_.push_back(make(hwnd, message, wparam, lparam));
}

void MessageQueue::post_front(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    posted_.push_front(make(hwnd, message, wparam, lparam));
}

void MessageQueue::post_quit(int exit_code) {
    quit_ = true;
    quit_code_ = exit_code;
}

void MessageQueue::push_input(const host::InputEvent& event) { raw_input_.push_back(event); }

bool MessageQueue::take_from(std::deque<MSG>& queue, MSG& msg, const MessageFilter& filter, bool remove) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!filter.matches(*it)) continue;
        msg = *it;
        if (remove) queue.erase(it);
        return true;
    }
    return false;
}

bool MessageQueue::take(MSG& msg, const MessageFilter& filter, bool remove) {
    if (take_from(posted_, msg, filter, remove)) return true;
    if (take_from(input_, msg, filter, remove)) return true;
    while (!raw_input_.empty()) {
        host::InputEvent event = raw_input_.front();
        raw_input_.pop_front();
        std::optional<MSG> converted = InputRouter::instance().translate(event);
        if (!converted) continue;
        input_.push_back(*converted);
        if (filter.matches(*converted)) {
            msg = *converted;
            if (remove) input_.pop_back();
            return true;
        }
    }
    if (quit_ && (filter.hwnd == nullptr)) {
        msg = make(nullptr, WM_QUIT, static_cast<WPARAM>(quit_code_), 0);
        if (remove) quit_ = false;
        return true;
    }
    if (filter.message_matches(WM_PAINT)) {
        Window* dirty = painting::next_to_paint([&](const Window* w) { return filter.window_matches(w->hwnd); });
        if (dirty) {
            msg = make(dirty->hwnd, WM_PAINT, 0, 0);
            return true;
        }
    }
    if (filter.message_matches(WM_TIMER)) {
        auto timer = timers_.take_due(host::clock().now(), [&](HWND h) { return filter.window_matches(h); }, remove);
        if (timer) {
            msg = make(timer->hwnd, WM_TIMER, timer->id, reinterpret_cast<LPARAM>(timer->proc));
            return true;
        }
    }
    return false;
}

bool MessageQueue::anything_deliverable() {
    if (!posted_.empty() || !input_.empty() || !raw_input_.empty() || quit_) return true;
    if (painting::next_to_paint([](const Window*) { return true; })) return true;
    auto due = timers_.next_due();
    return due && static_cast<std::int32_t>(*due - host::clock().now()) <= 0;
}

void MessageQueue::forget_window(HWND hwnd) {
    auto drop = [&](std::deque<MSG>& queue) {
        for (auto it = queue.begin(); it != queue.end();) {
            if (it->hwnd == hwnd) it = queue.erase(it);
            else ++it;
        }
    };
    drop(posted_);
    drop(input_);
    timers_.kill_all(hwnd);
}

}  // namespace winsim::user
