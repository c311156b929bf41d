#include "user/window_ops.h"

#include <algorithm>
#include <vector>

#include "host/display.h"
#include "user/activation.h"
#include "user/message_queue.h"
#include "user/nonclient.h"
#include "user/painting.h"
#include "user/window.h"
#include "user/window_class.h"
#include "user/window_tree.h"

#ifndef ERROR_TLW_WITH_WSCHILD
#define ERROR_TLW_WITH_WSCHILD 1406L
#endif

namespace winsim::user::ops {

namespace {

LPARAM point_param(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

void send_size_and_move(HWND hwnd, bool sized, bool moved) {
    Window* w = find_window(hwnd);
    if (!w) return;
    if (sized)
        SendMessageA(hwnd, WM_SIZE, w->minimized ? SIZE_MINIMIZED : SIZE_RESTORED,
                     MAKELPARAM(w->client_width(), w->client_height()));
    w = find_window(hwnd);
    if (w && moved) SendMessageA(hwnd, WM_MOVE, 0, point_param(w->client.left, w->client.top));
}

void default_geometry(CREATESTRUCTA& cs) {
    const bool overlapped = !(cs.style & (WS_POPUP | WS_CHILD));
    if (cs.x == CW_USEDEFAULT) {
        cs.x = overlapped ? 32 : 0;
        cs.y = overlapped ? 32 : 0;
    }
    if (cs.cx == CW_USEDEFAULT) {
        cs.cx = overlapped ? host::display().width() * 3 / 4 : 0;
        cs.cy = overlapped ? host::display().height() * 3 / 4 : 0;
    }
}

void destroy_tree(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) return;
    w->destroying = true;
    WindowTree& tree = WindowTree::instance();
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    w = find_window(hwnd);
    if (!w) return;
    std::vector<HWND> children;
    for (Window* c : w->children) children.push_back(c->hwnd);
    for (HWND child : children) destroy_tree(child);
    if (tree.capture == hwnd) tree.capture = nullptr;
    if (tree.focus == hwnd) tree.focus = nullptr;
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    MessageQueue::instance().forget_window(hwnd);
    w = find_window(hwnd);
    if (!w) return;
    if (w->owns_font && w->font) DeleteObject(w->font);
    tree.remove(w);
}

}  // namespace

void recompute_client(Window& window) {
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = window.rect;
    SendMessageA(window.hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&params.rgrc[0]));
    window.client = params.rgrc[0];
    window.client.right = std::max(window.client.right, window.client.left);
    window.client.bottom = std::max(window.client.bottom, window.client.top);
}

HWND create_window(const CREATESTRUCTA& given, void (*prepare)(Window&, void*), void* context) {
    CREATESTRUCTA cs = given;
    const WindowClass* cls = ClassTable::instance().find(cs.lpszClass);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    Window* parent = nullptr;
    Window* owner = nullptr;
    if (cs.hwndParent && cs.hwndParent != HWND_DESKTOP) {
        Window* given_parent = find_window(cs.hwndParent);
        if (!given_parent) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        if (cs.style & WS_CHILD) parent = given_parent;
        else owner = WindowTree::top_level_of(given_parent);
    } else if (cs.style & WS_CHILD) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    default_geometry(cs);

    auto window = std::make_unique<Window>();
    window->cls = cls;
    window->proc = cls->proc;
    DWORD style = static_cast<DWORD>(cs.style);
    if (!parent && !(style & WS_POPUP)) style |= WS_CLIPSIBLINGS | WS_CAPTION;
    const bool want_visible = (style & WS_VISIBLE) != 0;
    window->style = style & ~static_cast<DWORD>(WS_VISIBLE);
    window->ex_style = cs.dwExStyle;
    if (owner && (owner->ex_style & WS_EX_TOPMOST)) window->ex_style |= WS_EX_TOPMOST;
    window->instance = cs.hInstance;
    window->id = parent ? reinterpret_cast<LONG_PTR>(cs.hMenu) : 0;
    window->parent = parent;
    window->owner = owner;
    window->extra.assign(static_cast<std::size_t>(cls->window_extra), 0);
    window->rect = RECT{cs.x, cs.y, cs.x + std::max(cs.cx, 0), cs.y + std::max(cs.cy, 0)};
    window->client = nonclient::client_from_window(window->rect, window->style, window->ex_style);
    window->icon_big = nullptr;
    window->icon_small = nullptr;
    Window& added = WindowTree::instance().add(std::move(window));
    HWND hwnd = added.hwnd;
    if (prepare) prepare(added, context);

    cs.style = static_cast<LONG>(added.style);
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        destroy_tree(hwnd);
        return nullptr;
    }
    if (Window* w = find_window(hwnd)) {
        recompute_client(*w);
        painting::fit_surface(w);
    } else {
        return nullptr;
    }
    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        destroy_window(hwnd);
        return nullptr;
    }
    if (!find_window(hwnd)) return nullptr;
    send_size_and_move(hwnd, true, true);
    if (want_visible && find_window(hwnd)) show_window(hwnd, SW_SHOW);
    return find_window(hwnd) ? hwnd : nullptr;
}

bool destroy_window(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    if (w->destroying) return true;
    WindowTree& tree = WindowTree::instance();
    std::vector<HWND> owned;
    for (Window* other : tree.top_levels())
        if (other->owner == w) owned.push_back(other->hwnd);
    for (HWND o : owned) destroy_window(o);
    w = find_window(hwnd);
    if (!w) return true;
    if (w->style & WS_VISIBLE) {
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
        if (w->parent) painting::invalidate_parent_under(w, w->rect);
        else painting::mark_screen_changed();
    }
    if (w->is_top_level()) activation::activate_other_than(w);
    w = find_window(hwnd);
    if (!w) return true;
    // Focus inside the dying window goes nowhere; a focused child loses it before WM_DESTROY.
    if (Window* focused = find_window(tree.focus)) {
        if (focused == w || WindowTree::is_descendant(w, focused)) activation::set_focus(nullptr);
    }
    if (Window* capturing = find_window(tree.capture)) {
        if (capturing == w || WindowTree::is_descendant(w, capturing)) ReleaseCapture();
    }
    destroy_tree(hwnd);
    return true;
}

bool show_window(HWND hwnd, int command) {
    Window* w = find_window(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    const bool was_visible = (w->style & WS_VISIBLE) != 0;
    switch (command) {
        case SW_HIDE: {
            if (!was_visible) return false;
            SendMessageA(hwnd, WM_SHOWWINDOW, FALSE, 0);
            w = find_window(hwnd);
            if (!w) return true;
            w->style &= ~static_cast<DWORD>(WS_VISIBLE);
            if (w->parent) {
                painting::invalidate_parent_under(w, w->rect);
                Window* focused = find_window(WindowTree::instance().focus);
                if (focused && (focused == w || WindowTree::is_descendant(w, focused)))
                    activation::set_focus(w->parent->hwnd);
            } else {
                painting::mark_screen_changed();
                activation::activate_other_than(w);
            }
            return true;
        }
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE: {
            if (!was_visible) {
                SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
                if (!(w = find_window(hwnd))) return false;
                w->style |= WS_VISIBLE;
            }
            if (!w->minimized) {
                w->minimized = true;
                w->style |= WS_MINIMIZE;
                painting::mark_screen_changed();
                if (w->is_top_level()) activation::activate_other_than(w);
                send_size_and_move(hwnd, true, false);
            }
            return was_visible;
        }
        default: break;
    }
    // The remaining commands show the window (and restore it when minimised).
    const bool restore = command == SW_RESTORE || command == SW_SHOWNORMAL || command == SW_SHOWDEFAULT ||
                         command == SW_SHOWMAXIMIZED;
    if (w->minimized && restore) {
        w->minimized = false;
        w->style &= ~static_cast<DWORD>(WS_MINIMIZE);
        painting::invalidate_all(w);
        send_size_and_move(hwnd, true, false);
        if (!(w = find_window(hwnd))) return was_visible;
    }
    if (!was_visible) {
        SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
        if (!(w = find_window(hwnd))) return false;
        w->style |= WS_VISIBLE;
        painting::invalidate_all(w);
    }
    const bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && w->is_top_level() && !w->minimized;
    if (activate && !(w->style & WS_DISABLED)) activation::activate(w);
    else if (w->is_top_level() && !was_visible) WindowTree::instance().bring_to_top(w);
    return was_visible;
}

bool set_window_pos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
    Window* w = find_window(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    WindowTree& tree = WindowTree::instance();
    RECT old = w->rect;
    RECT next = old;
    if (!(flags & SWP_NOMOVE)) {
        next.left = x;
        next.top = y;
        next.right = x + (old.right - old.left);
        next.bottom = y + (old.bottom - old.top);
    }
    if (!(flags & SWP_NOSIZE)) {
        next.right = next.left + std::max(cx, 0);
        next.bottom = next.top + std::max(cy, 0);
    }
    const bool moved = next.left != old.left || next.top != old.top;
    const bool sized = (next.right - next.left) != (old.right - old.left) ||
                       (next.bottom - next.top) != (old.bottom - old.top);

    if (!(flags & SWP_NOZORDER)) {
        if (insert_after == HWND_TOPMOST || insert_after == HWND_NOTOPMOST) {
            if (w->is_top_level()) {
                if (insert_after == HWND_TOPMOST) w->ex_style |= WS_EX_TOPMOST;
                else w->ex_style &= ~static_cast<DWORD>(WS_EX_TOPMOST);
            }
            tree.bring_to_top(w);
        } else if (insert_after == HWND_TOP) {
            tree.bring_to_top(w);
        } else if (insert_after == HWND_BOTTOM) {
            tree.send_to_bottom(w);
        } else if (Window* above = find_window(insert_after); above && w->parent && above->parent == w->parent) {
            auto& siblings = w->parent->children;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
            siblings.insert(std::find(siblings.begin(), siblings.end(), above) + 1, w);
        }
        if (WindowTree::is_shown(w)) {
            if (w->parent) painting::invalidate_all(w);
            else painting::mark_screen_changed();
        }
    }

    if (moved || sized || (flags & SWP_FRAMECHANGED)) {
        const bool shown = WindowTree::is_shown(w);
        w->rect = next;
        recompute_client(*w);
        if (w->is_top_level()) {
            painting::fit_surface(w);
            if (sized || (flags & SWP_FRAMECHANGED)) painting::invalidate_all(w);
            painting::mark_screen_changed();
        } else if (shown) {
            painting::invalidate_parent_under(w, old);
            painting::invalidate_all(w);
        }
        send_size_and_move(hwnd, sized, moved);
        if (!(w = find_window(hwnd))) return true;
    }
    if (flags & SWP_SHOWWINDOW) show_window(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (flags & SWP_HIDEWINDOW) show_window(hwnd, SW_HIDE);
    w = find_window(hwnd);
    if (w && !(flags & SWP_NOACTIVATE) && w->is_top_level() && WindowTree::is_shown(w) && !(w->style & WS_DISABLED))
        activation::activate(w);
    return true;
}

}  // namespace winsim::user::ops
