// The message functions of the API: the queue, sending, posting, dispatching, timers and
// the tick count.
#include <windows.h>

#include "host/clock.h"
#include "user/message_loop.h"
#include "user/message_queue.h"
#include "user/window.h"
#include "user/window_tree.h"

using namespace winsim::user;

namespace {

bool filter_window_ok(HWND hwnd) {
    if (!hwnd || hwnd == reinterpret_cast<HWND>(-1)) return true;
    if (find_window(hwnd)) return true;
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
}

}  // namespace

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max) {
    if (!msg || !filter_window_ok(hwnd)) return -1;
    message_loop::wait_for(*msg, MessageFilter{hwnd, filter_min, filter_max});
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove) {
    if (!msg || !filter_window_ok(hwnd)) return FALSE;
    return message_loop::look(*msg, MessageFilter{hwnd, filter_min, filter_max}, (remove & PM_REMOVE) != 0) ? TRUE
                                                                                                           : FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (!msg) return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP && msg->message != WM_SYSKEYDOWN &&
        msg->message != WM_SYSKEYUP)
        return FALSE;
    if (msg->message == WM_KEYDOWN) {
        // Printing characters come from the host as characters of their own; the keys
        // that make control characters are translated here.
        char ch = 0;
        switch (msg->wParam) {
            case VK_RETURN: ch = '\r'; break;
            case VK_ESCAPE: ch = 0x1B; break;
            case VK_TAB: ch = '\t'; break;
            case VK_BACK: ch = '\b'; break;
            default: break;
        }
        if (ch) MessageQueue::instance().post_front(msg->hwnd, WM_CHAR, static_cast<WPARAM>(ch), msg->lParam);
    }
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd) return 0;
    Window* w = find_window(msg->hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    WNDPROC proc = w->proc;
    return proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    Window* w = find_window(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    WNDPROC proc = w->proc;
    return proc(hwnd, message, wparam, lparam);
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (hwnd && !find_window(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    MessageQueue::instance().post(hwnd, message, wparam, lparam);
    return TRUE;
}

void WINAPI PostQuitMessage(int exit_code) { MessageQueue::instance().post_quit(exit_code); }

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
    if (hwnd && !find_window(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return MessageQueue::instance().timers().set(hwnd, id, elapse_ms, proc, winsim::host::clock().now());
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
    if (hwnd && !find_window(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (MessageQueue::instance().timers().kill(hwnd, id)) return TRUE;
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

DWORD WINAPI GetTickCount(void) {
    winsim::host::Clock& clock = winsim::host::clock();
    if (clock.is_virtual()) {
        MessageQueue& queue = MessageQueue::instance();
        // A program that polls and finds nothing is waiting in its own way: its time passes.
        if (queue.last_look_found_nothing || !queue.anything_deliverable()) clock.advance(1);
    }
    return clock.now();
}
