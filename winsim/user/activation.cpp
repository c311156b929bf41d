#include "user/activation.h"

#include "user/window.h"
#include "user/window_tree.h"

namespace winsim::user::activation {

namespace {

bool can_be_active(const Window* w) {
    return w && !w->destroying && (w->style & WS_VISIBLE) && !w->minimized && !(w->style & WS_DISABLED);
}

}  // namespace

void activate(Window* top, WORD how) {
    WindowTree& tree = WindowTree::instance();
    top = WindowTree::top_level_of(top);
    if (!top) return;
    HWND new_hwnd = top->hwnd;
    HWND old_hwnd = tree.active;
    tree.bring_to_top(top);
    if (old_hwnd == new_hwnd) return;
    tree.active = new_hwnd;
    if (Window* old = find_window(old_hwnd)) {
        old->caption_active = false;
        old->frame_dirty = true;
        SendMessageA(old_hwnd, WM_NCACTIVATE, FALSE, 0);
        SendMessageA(old_hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(new_hwnd));
    }
    if (Window* now = find_window(new_hwnd)) {
        now->caption_active = true;
        now->frame_dirty = true;
        SendMessageA(new_hwnd, WM_NCACTIVATE, TRUE, 0);
        SendMessageA(new_hwnd, WM_ACTIVATE, MAKEWPARAM(how, now->minimized ? 1 : 0),
                     reinterpret_cast<LPARAM>(old_hwnd));
    }
}

void activate_other_than(Window* leaving) {
    WindowTree& tree = WindowTree::instance();
    if (tree.active != leaving->hwnd) return;
    Window* next = nullptr;
    if (can_be_active(leaving->owner)) next = leaving->owner;
    if (!next) {
        for (Window* w : tree.top_levels())
            if (w != leaving && can_be_active(w)) {
                next = w;
                break;
            }
    }
    if (next) {
        activate(next);
        return;
    }
    leaving->caption_active = false;
    leaving->frame_dirty = true;
    tree.active = nullptr;
    HWND old = leaving->hwnd;
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    if (tree.focus && WindowTree::top_level_of(find_window(tree.focus)) == find_window(old)) set_focus(nullptr);
}

HWND set_focus(HWND hwnd) {
    WindowTree& tree = WindowTree::instance();
    HWND previous = tree.focus;
    if (hwnd == previous) return previous;
    Window* target = find_window(hwnd);
    if (hwnd && !target) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (target) {
        Window* top = WindowTree::top_level_of(target);
        if (tree.active != top->hwnd) activate(top);
        // Activation may have moved the focus already.
        if (tree.focus == hwnd) return previous;
        if (!find_window(hwnd)) return previous;
    }
    HWND losing = tree.focus;
    tree.focus = hwnd;
    if (losing && find_window(losing)) SendMessageA(losing, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && find_window(hwnd) && tree.focus == hwnd)
        SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(losing), 0);
    return previous;
}

}  // namespace winsim::user::activation
