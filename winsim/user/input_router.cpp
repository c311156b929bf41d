#include "user/input_router.h"

#include <cstdlib>

#include "host/clock.h"
#include "user/activation.h"
#include "user/message_queue.h"
#include "user/nonclient.h"
#include "user/window.h"
#include "user/window_class.h"
#include "user/window_tree.h"

namespace winsim::user {

namespace {

constexpr DWORD kDoubleClickTime = 500;
constexpr int kDoubleClickDistance = 4;   // SM_CXDOUBLECLK

bool rect_contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

LPARAM point_param(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// The minimum size a window can be sized down to by its border.
constexpr int kMinTrackWidth = 112;
constexpr int kMinTrackHeight = 27;

}  // namespace

InputRouter& InputRouter::instance() {
    static InputRouter router;
    return router;
}

SHORT InputRouter::key_state(int virtual_key) const {
    if (virtual_key < 0 || virtual_key > 255) return 0;
    return keys_[virtual_key] ? static_cast<SHORT>(0x8000) : 0;
}

std::optional<MSG> InputRouter::translate(const host::InputEvent& event) {
    using Kind = host::InputEvent::Kind;
    switch (event.kind) {
        case Kind::MouseMove:
        case Kind::MouseDown:
        case Kind::MouseUp: return mouse(event);
        case Kind::KeyDown:
        case Kind::KeyUp:
        case Kind::Char: return keyboard(event);
        case Kind::Quit: std::exit(1);
    }
    return std::nullopt;
}

Window* InputRouter::window_at(POINT screen, LRESULT& hit) {
    hit = HTNOWHERE;
    std::vector<HWND> tops;
    for (Window* w : WindowTree::instance().top_levels()) tops.push_back(w->hwnd);
    for (HWND top_hwnd : tops) {
        Window* top = find_window(top_hwnd);
        if (!top || !WindowTree::is_shown(top)) continue;
        if (!rect_contains(top->rect, screen)) continue;
        LRESULT top_hit = SendMessageA(top_hwnd, WM_NCHITTEST, 0, point_param(screen.x, screen.y));
        if (top_hit == HTTRANSPARENT) continue;
        Window* current = find_window(top_hwnd);
        hit = top_hit;
        while (current && hit == HTCLIENT) {
            Window* deeper = nullptr;
            std::vector<HWND> children;
            for (Window* c : current->children) children.push_back(c->hwnd);
            for (HWND child_hwnd : children) {
                Window* child = find_window(child_hwnd);
                if (!child || !WindowTree::is_shown(child)) continue;
                if (!rect_contains(WindowTree::window_rect_on_screen(child), screen)) continue;
                // A disabled control takes no input; the point belongs to its parent.
                if (child->style & WS_DISABLED) break;
                LRESULT child_hit = SendMessageA(child_hwnd, WM_NCHITTEST, 0, point_param(screen.x, screen.y));
                if (child_hit == HTTRANSPARENT) continue;
                deeper = find_window(child_hwnd);
                hit = child_hit;
                break;
            }
            if (!deeper) break;
            current = deeper;
        }
        return current;
    }
    return nullptr;
}

std::optional<MSG> InputRouter::mouse(const host::InputEvent& event) {
    using Kind = host::InputEvent::Kind;
    cursor_ = POINT{event.x, event.y};
    if (event.button == 0 && event.kind != Kind::MouseMove) keys_[VK_LBUTTON] = event.kind == Kind::MouseDown;
    if (event.button == 1 && event.kind != Kind::MouseMove) keys_[VK_RBUTTON] = event.kind == Kind::MouseDown;
    keys_[VK_SHIFT] = event.shift;
    if (tracking_.hwnd && track_frame(event)) return std::nullopt;

    WindowTree& tree = WindowTree::instance();
    Window* target = nullptr;
    LRESULT hit = HTCLIENT;
    if (tree.capture) {
        target = find_window(tree.capture);
    } else {
        target = window_at(cursor_, hit);
    }
    if (!target) return std::nullopt;
    HWND hwnd = target->hwnd;
    Window* top = WindowTree::top_level_of(target);
    // The owners of open modal windows refuse input.
    if (!WindowTree::accepts_input(target) || !WindowTree::accepts_input(top)) return std::nullopt;

    const HWND top_hwnd = top->hwnd;
    if (event.kind == Kind::MouseDown && tree.active != top_hwnd && !tree.capture) {
        LRESULT answer = SendMessageA(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top_hwnd),
                                      MAKELPARAM(static_cast<WORD>(hit), WM_LBUTTONDOWN));
        if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) {
            if (Window* t = find_window(top_hwnd)) activation::activate(t, WA_CLICKACTIVE);
        }
        if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT) return std::nullopt;
        target = find_window(hwnd);
        if (!target) return std::nullopt;
    }
    if (event.kind == Kind::MouseMove && !tree.capture)
        SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
    target = find_window(hwnd);
    if (!target) return std::nullopt;

    const bool client = hit == HTCLIENT;
    UINT message = 0;
    if (event.kind == Kind::MouseMove) {
        message = client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
    } else if (event.button == 0) {
        if (event.kind == Kind::MouseDown) {
            message = client ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN;
            DWORD now = host::clock().now();
            bool wants_double = !client || (target->cls && (target->cls->style & CS_DBLCLKS));
            if (wants_double && last_click_.armed && last_click_.hwnd == hwnd && now - last_click_.time <= kDoubleClickTime &&
                std::abs(cursor_.x - last_click_.at.x) <= kDoubleClickDistance &&
                std::abs(cursor_.y - last_click_.at.y) <= kDoubleClickDistance) {
                message = client ? WM_LBUTTONDBLCLK : WM_NCLBUTTONDBLCLK;
                last_click_.armed = false;
            } else {
                last_click_ = LastClick{hwnd, now, cursor_, true};
            }
        } else {
            message = client ? WM_LBUTTONUP : WM_NCLBUTTONUP;
        }
    } else {
        if (!client) return std::nullopt;
        message = event.kind == Kind::MouseDown ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    }

    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.time = host::clock().now();
    msg.pt = cursor_;
    if (client) {
        POINT origin = WindowTree::client_origin_on_screen(target);
        WPARAM keys = 0;
        if (keys_[VK_LBUTTON]) keys |= MK_LBUTTON;
        if (keys_[VK_RBUTTON]) keys |= MK_RBUTTON;
        if (keys_[VK_SHIFT]) keys |= MK_SHIFT;
        msg.wParam = keys;
        msg.lParam = point_param(cursor_.x - origin.x, cursor_.y - origin.y);
    } else {
        msg.wParam = static_cast<WPARAM>(hit);
        msg.lParam = point_param(cursor_.x, cursor_.y);
    }
    return msg;
}

std::optional<MSG> InputRouter::keyboard(const host::InputEvent& event) {
    using Kind = host::InputEvent::Kind;
    if (event.kind == Kind::KeyDown || event.kind == Kind::KeyUp) {
        if (event.key < 256) keys_[event.key] = event.kind == Kind::KeyDown;
    }
    if (event.key != VK_SHIFT) keys_[VK_SHIFT] = event.shift;
    WindowTree& tree = WindowTree::instance();
    Window* target = find_window(tree.focus);
    if (!target) target = find_window(tree.active);
    if (!target) return std::nullopt;
    if (!WindowTree::accepts_input(WindowTree::top_level_of(target))) return std::nullopt;
    MSG msg{};
    msg.hwnd = target->hwnd;
    msg.time = host::clock().now();
    msg.pt = cursor_;
    if (event.kind == Kind::Char) {
        msg.message = WM_CHAR;
        msg.wParam = event.ch;
        msg.lParam = 1;
        return msg;
    }
    msg.message = event.kind == Kind::KeyDown ? WM_KEYDOWN : WM_KEYUP;
    msg.wParam = event.key;
    msg.lParam = event.kind == Kind::KeyDown ? 1 : static_cast<LPARAM>(0xC0000001u);
    return msg;
}

void InputRouter::begin_frame_tracking(HWND hwnd, LRESULT hit, POINT screen) {
    Window* window = find_window(hwnd);
    if (!window) return;
    tracking_ = Tracking{hwnd, hit, screen, window->rect};
    SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
}

bool InputRouter::track_frame(const host::InputEvent& event) {
    using Kind = host::InputEvent::Kind;
    Window* window = find_window(tracking_.hwnd);
    if (!window) {
        tracking_ = Tracking{};
        return false;
    }
    HWND hwnd = tracking_.hwnd;
    const int dx = event.x - tracking_.start.x;
    const int dy = event.y - tracking_.start.y;
    if (tracking_.hit == HTCLOSE) {
        if (event.kind == Kind::MouseUp) {
            tracking_ = Tracking{};
            RECT on_screen = WindowTree::window_rect_on_screen(window);
            RECT button = nonclient::close_button(*window);
            POINT inside{event.x - on_screen.left, event.y - on_screen.top};
            if (rect_contains(button, inside))
                MessageQueue::instance().post(hwnd, WM_SYSCOMMAND, SC_CLOSE, point_param(event.x, event.y));
        }
        return true;
    }
    RECT r = tracking_.start_rect;
    switch (tracking_.hit) {
        case HTCAPTION: OffsetRect(&r, dx, dy); break;
        case HTLEFT: r.left += dx; break;
        case HTRIGHT: r.right += dx; break;
        case HTTOP: r.top += dy; break;
        case HTBOTTOM: r.bottom += dy; break;
        case HTTOPLEFT: r.left += dx; r.top += dy; break;
        case HTTOPRIGHT: r.right += dx; r.top += dy; break;
        case HTBOTTOMLEFT: r.left += dx; r.bottom += dy; break;
        case HTBOTTOMRIGHT: r.right += dx; r.bottom += dy; break;
        default: break;
    }
    if (r.right - r.left < kMinTrackWidth) {
        if (r.left != tracking_.start_rect.left) r.left = r.right - kMinTrackWidth;
        else r.right = r.left + kMinTrackWidth;
    }
    if (r.bottom - r.top < kMinTrackHeight) {
        if (r.top != tracking_.start_rect.top) r.top = r.bottom - kMinTrackHeight;
        else r.bottom = r.top + kMinTrackHeight;
    }
    if (event.kind == Kind::MouseMove || event.kind == Kind::MouseUp) {
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (event.kind == Kind::MouseUp) {
        tracking_ = Tracking{};
        SendMessageA(hwnd, WM_EXITSIZEMOVE, 0, 0);
    }
    return true;
}

}  // namespace winsim::user
