// The window functions of the API: creation, the tree, window data, showing and placing,
// coordinates, text, enabling, activation and focus.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "user/activation.h"
#include "user/nonclient.h"
#include "user/painting.h"
#include "user/window.h"
#include "user/window_class.h"
#include "user/window_ops.h"
#include "user/window_tree.h"

using namespace winsim::user;

namespace {

Window* window_or_error(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

bool extra_offset_ok(const Window& w, int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) + size <= w.extra.size();
}

LONG_PTR read_extra(const Window& w, int index, std::size_t size) {
    if (size == sizeof(LONG_PTR)) {
        LONG_PTR value = 0;
        std::memcpy(&value, w.extra.data() + index, sizeof value);
        return value;
    }
    LONG value = 0;
    std::memcpy(&value, w.extra.data() + index, sizeof value);
    return value;
}

void write_extra(Window& w, int index, std::size_t size, LONG_PTR value) {
    if (size == sizeof(LONG_PTR)) {
        std::memcpy(w.extra.data() + index, &value, sizeof value);
    } else {
        auto narrow = static_cast<LONG>(value);
        std::memcpy(w.extra.data() + index, &narrow, sizeof narrow);
    }
}

LONG_PTR get_long(HWND hwnd, int index, std::size_t size) {
    Window* w = window_or_error(hwnd);
    if (!w) return 0;
    switch (index) {
        case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(w->parent ? w->parent->hwnd : (w->owner ? w->owner->hwnd : nullptr));
        case GWLP_ID: return w->id;
        case GWL_STYLE: return static_cast<LONG>(w->style);
        case GWL_EXSTYLE: return static_cast<LONG>(w->ex_style);
        case GWLP_USERDATA: return w->user_data;
        default: break;
    }
    if (!extra_offset_ok(*w, index, size)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return read_extra(*w, index, size);
}

LONG_PTR set_long(HWND hwnd, int index, LONG_PTR value, std::size_t size) {
    Window* w = window_or_error(hwnd);
    if (!w) return 0;
    LONG_PTR previous = 0;
    switch (index) {
        case GWLP_WNDPROC:
            if (!value) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return 0;
            }
            previous = reinterpret_cast<LONG_PTR>(w->proc);
            w->proc = reinterpret_cast<WNDPROC>(value);
            return previous;
        case GWLP_HINSTANCE:
            previous = reinterpret_cast<LONG_PTR>(w->instance);
            w->instance = reinterpret_cast<HINSTANCE>(value);
            return previous;
        case GWLP_ID:
            previous = w->id;
            w->id = value;
            return previous;
        case GWL_STYLE:
            previous = static_cast<LONG>(w->style);
            w->style = static_cast<DWORD>(value);
            return previous;
        case GWL_EXSTYLE:
            previous = static_cast<LONG>(w->ex_style);
            w->ex_style = static_cast<DWORD>(value);
            return previous;
        case GWLP_USERDATA:
            previous = w->user_data;
            w->user_data = value;
            return previous;
        case GWLP_HWNDPARENT:
            if (w->is_top_level()) {
                previous = reinterpret_cast<LONG_PTR>(w->owner ? w->owner->hwnd : nullptr);
                w->owner = WindowTree::top_level_of(find_window(reinterpret_cast<HWND>(value)));
                return previous;
            }
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        default: break;
    }
    if (!extra_offset_ok(*w, index, size)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    previous = read_extra(*w, index, size);
    write_extra(*w, index, size, value);
    return previous;
}

}  // namespace

HWND WINAPI CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    CREATESTRUCTA cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.cx = width;
    cs.cy = height;
    cs.x = x;
    cs.y = y;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = window_name;
    cs.lpszClass = class_name;
    cs.dwExStyle = ex_style;
    return ops::create_window(cs, nullptr, nullptr);
}

BOOL WINAPI DestroyWindow(HWND hwnd) { return ops::destroy_window(hwnd) ? TRUE : FALSE; }

BOOL WINAPI IsWindow(HWND hwnd) { return find_window(hwnd) != nullptr; }

BOOL WINAPI IsChild(HWND parent, HWND hwnd) {
    Window* p = find_window(parent);
    Window* w = find_window(hwnd);
    return p && w && WindowTree::is_descendant(p, w);
}

HWND WINAPI GetParent(HWND hwnd) {
    Window* w = window_or_error(hwnd);
    if (!w) return nullptr;
    if (w->is_child()) return w->parent ? w->parent->hwnd : nullptr;
    return w->owner ? w->owner->hwnd : nullptr;
}

HWND WINAPI GetWindow(HWND hwnd, UINT relation) {
    Window* w = window_or_error(hwnd);
    if (!w) return nullptr;
    if (relation == GW_OWNER) return w->owner ? w->owner->hwnd : nullptr;
    if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->hwnd;
    if (relation == GW_ENABLEDPOPUP) {
        for (Window* other : WindowTree::instance().top_levels())
            if (other->owner == w && (other->style & WS_VISIBLE) && !(other->style & WS_DISABLED)) return other->hwnd;
        return nullptr;
    }
    const std::vector<Window*>& siblings = w->parent ? w->parent->children : WindowTree::instance().top_levels();
    auto it = std::find(siblings.begin(), siblings.end(), w);
    switch (relation) {
        case GW_HWNDFIRST: return siblings.front()->hwnd;
        case GW_HWNDLAST: return siblings.back()->hwnd;
        case GW_HWNDNEXT: return (it + 1) == siblings.end() ? nullptr : (*(it + 1))->hwnd;
        case GW_HWNDPREV: return it == siblings.begin() ? nullptr : (*(it - 1))->hwnd;
        default: break;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) { return get_long(hwnd, index, sizeof(LONG_PTR)); }
LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    return set_long(hwnd, index, value, sizeof(LONG_PTR));
}
LONG_PTR WINAPI GetWindowLongA(HWND hwnd, int index) { return get_long(hwnd, index, sizeof(LONG)); }
LONG_PTR WINAPI SetWindowLongA(HWND hwnd, int index, LONG_PTR value) {
    return set_long(hwnd, index, value, sizeof(LONG));
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!proc) return 0;
    return proc(hwnd, message, wparam, lparam);
}

BOOL WINAPI ShowWindow(HWND hwnd, int command) { return ops::show_window(hwnd, command) ? TRUE : FALSE; }

BOOL WINAPI IsWindowVisible(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) return FALSE;
    for (Window* a = w; a; a = a->parent)
        if (!(a->style & WS_VISIBLE)) return FALSE;
    return TRUE;
}

BOOL WINAPI IsIconic(HWND hwnd) {
    Window* w = find_window(hwnd);
    return w && w->minimized;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
    Window* w = window_or_error(hwnd);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, w->client_width(), w->client_height()};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
    Window* w = window_or_error(hwnd);
    if (!w || !rect) return FALSE;
    *rect = WindowTree::window_rect_on_screen(w);
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW);
    return ops::set_window_pos(hwnd, nullptr, x, y, width, height, flags) ? TRUE : FALSE;
}

BOOL WINAPI SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags) {
    return ops::set_window_pos(hwnd, insert_after, x, y, width, height, flags) ? TRUE : FALSE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD ex_style) {
    if (!rect) return FALSE;
    *rect = nonclient::window_from_client(*rect, style, ex_style);
    return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    POINT origin_from{0, 0};
    POINT origin_to{0, 0};
    if (from) {
        Window* w = window_or_error(from);
        if (!w) return 0;
        origin_from = WindowTree::client_origin_on_screen(w);
    }
    if (to) {
        Window* w = window_or_error(to);
        if (!w) return 0;
        origin_to = WindowTree::client_origin_on_screen(w);
    }
    const int dx = origin_from.x - origin_to.x;
    const int dy = origin_from.y - origin_to.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point) {
    Window* w = window_or_error(hwnd);
    if (!w || !point) return FALSE;
    POINT origin = WindowTree::client_origin_on_screen(w);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point) {
    Window* w = window_or_error(hwnd);
    if (!w || !point) return FALSE;
    POINT origin = WindowTree::client_origin_on_screen(w);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (!window_or_error(hwnd)) return FALSE;
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
    if (!window_or_error(hwnd) || !buffer || size <= 0) return 0;
    buffer[0] = '\0';
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
    if (!window_or_error(hwnd)) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR buffer, int size) {
    Window* w = window_or_error(hwnd);
    if (!w || !buffer || size <= 0) return 0;
    std::size_t n = std::min(w->cls->name.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, w->cls->name.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = window_or_error(hwnd);
    if (!w) return FALSE;
    const BOOL was_disabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable && was_disabled) {
        w->style &= ~static_cast<DWORD>(WS_DISABLED);
        SendMessageA(hwnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !was_disabled) {
        w->style |= WS_DISABLED;
        WindowTree& tree = WindowTree::instance();
        Window* focused = find_window(tree.focus);
        if (focused && (focused == w || WindowTree::is_descendant(w, focused))) activation::set_focus(nullptr);
        if (tree.capture == hwnd) ReleaseCapture();
        if (find_window(hwnd)) SendMessageA(hwnd, WM_ENABLE, FALSE, 0);
    }
    return was_disabled;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
    Window* w = find_window(hwnd);
    return w && !(w->style & WS_DISABLED);
}

HWND WINAPI SetFocus(HWND hwnd) {
    if (hwnd) {
        Window* w = window_or_error(hwnd);
        if (!w) return nullptr;
        // A window that cannot take input cannot take the focus either.
        if (!WindowTree::accepts_input(w)) return nullptr;
    }
    return activation::set_focus(hwnd);
}

HWND WINAPI GetFocus(void) { return WindowTree::instance().focus; }
HWND WINAPI GetActiveWindow(void) { return WindowTree::instance().active; }
HWND WINAPI GetForegroundWindow(void) { return WindowTree::instance().active; }

HWND WINAPI SetActiveWindow(HWND hwnd) {
    Window* w = window_or_error(hwnd);
    if (!w) return nullptr;
    HWND previous = WindowTree::instance().active;
    if (w->is_top_level() && !(w->style & WS_DISABLED)) activation::activate(w);
    return previous;
}

BOOL WINAPI SetForegroundWindow(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) return FALSE;
    Window* top = WindowTree::top_level_of(w);
    if (top->style & WS_DISABLED) return FALSE;
    activation::activate(top);
    return TRUE;
}

// ---- Rectangles ----------------------------------------------------------------------

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL WINAPI CopyRect(LPRECT to, const RECT* from) {
    if (!to || !from) return FALSE;
    *to = *from;
    return TRUE;
}

BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL WINAPI IsRectEmpty(const RECT* rect) { return !rect || rect->right <= rect->left || rect->bottom <= rect->top; }

BOOL WINAPI IntersectRect(LPRECT out, const RECT* a, const RECT* b) {
    if (!out || !a || !b) return FALSE;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        *out = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *out = r;
    return TRUE;
}

BOOL WINAPI UnionRect(LPRECT out, const RECT* a, const RECT* b) {
    if (!out || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        *out = IsRectEmpty(b) ? RECT{0, 0, 0, 0} : *b;
    } else if (IsRectEmpty(b)) {
        *out = *a;
    } else {
        *out = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                    std::max(a->bottom, b->bottom)};
    }
    return !IsRectEmpty(out);
}

BOOL WINAPI EqualRect(const RECT* a, const RECT* b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL WINAPI PtInRect(const RECT* rect, POINT point) {
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}
