// DefWindowProcA: what every window does with a message its procedure leaves alone.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "user/activation.h"
#include "user/input_router.h"
#include "user/nonclient.h"
#include "user/painting.h"
#include "user/window.h"
#include "user/window_class.h"
#include "user/window_tree.h"

using namespace winsim::user;

namespace {

// The largest COLOR_xxx index a class brush may name as COLOR_xxx + 1.
constexpr INT_PTR kLastSystemColor = 30;

HBRUSH real_brush(HBRUSH brush) {
    auto value = reinterpret_cast<INT_PTR>(brush);
    if (value > 0 && value <= kLastSystemColor + 1) return GetSysColorBrush(static_cast<int>(value - 1));
    return brush;
}

LRESULT set_text(Window& w, LPCSTR text) {
    w.text = text ? text : "";
    if (nonclient::has_caption(w.style)) {
        w.frame_dirty = true;
        painting::mark_screen_changed();
    }
    return TRUE;
}

LRESULT get_text(const Window& w, WPARAM size, LPSTR buffer) {
    if (!buffer || size == 0) return 0;
    std::size_t n = std::min(w.text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, w.text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT erase_background(Window& w, HDC dc) {
    HBRUSH brush = w.cls ? w.cls->background : nullptr;
    if (!brush) return 0;
    RECT client{0, 0, w.client_width(), w.client_height()};
    FillRect(dc, &client, real_brush(brush));
    return 1;
}

LRESULT control_colors(UINT message, HDC dc) {
    const bool window_like = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const int background = window_like ? COLOR_WINDOW : COLOR_BTNFACE;
    SetTextColor(dc, GetSysColor(window_like ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

LRESULT set_cursor(HWND hwnd, Window& w, LPARAM lparam) {
    if (w.is_child() && w.parent) {
        if (SendMessageA(w.parent->hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), lparam)) return TRUE;
    }
    const auto hit = static_cast<short>(LOWORD(lparam));
    Window* window = find_window(hwnd);
    if (!window) return FALSE;
    if (hit == HTCLIENT) {
        if (window->cls && window->cls->cursor) {
            SetCursor(window->cls->cursor);
            return TRUE;
        }
        return FALSE;
    }
    switch (hit) {
        case HTLEFT:
        case HTRIGHT: SetCursor(LoadCursorA(nullptr, IDC_SIZEWE)); return TRUE;
        case HTTOP:
        case HTBOTTOM: SetCursor(LoadCursorA(nullptr, IDC_SIZENS)); return TRUE;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT: SetCursor(LoadCursorA(nullptr, IDC_SIZENWSE)); return TRUE;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT: SetCursor(LoadCursorA(nullptr, IDC_SIZENESW)); return TRUE;
        default: SetCursor(LoadCursorA(nullptr, IDC_ARROW)); return FALSE;
    }
}

LRESULT press_on_frame(HWND hwnd, WPARAM hit, LPARAM lparam) {
    Window* w = find_window(hwnd);
    if (!w) return 0;
    Window* top = WindowTree::top_level_of(w);
    if (top && WindowTree::instance().active != top->hwnd) activation::activate(top);
    POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    switch (static_cast<LRESULT>(hit)) {
        case HTCAPTION:
        case HTCLOSE:
        case HTLEFT:
        case HTRIGHT:
        case HTTOP:
        case HTBOTTOM:
        case HTTOPLEFT:
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
        case HTBOTTOMRIGHT: InputRouter::instance().begin_frame_tracking(hwnd, static_cast<LRESULT>(hit), at); break;
        default: break;
    }
    return 0;
}

LRESULT system_command(HWND hwnd, WPARAM command) {
    switch (command & 0xFFF0) {
        case SC_CLOSE: return SendMessageA(hwnd, WM_CLOSE, 0, 0);
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
        default: return 0;
    }
}

}  // namespace

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    Window* w = find_window(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (message) {
        case WM_NCCREATE: {
            auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
            if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
            return TRUE;
        }
        case WM_NCCALCSIZE: {
            auto* rect = reinterpret_cast<RECT*>(lparam);
            if (rect) *rect = nonclient::client_from_window(*rect, w->style, w->ex_style);
            return 0;
        }
        case WM_CLOSE: DestroyWindow(hwnd); return 0;
        case WM_SETTEXT: return set_text(*w, reinterpret_cast<LPCSTR>(lparam));
        case WM_GETTEXT: return get_text(*w, wparam, reinterpret_cast<LPSTR>(lparam));
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
        case WM_SETICON: {
            HICON icon = reinterpret_cast<HICON>(lparam);
            HICON& slot = wparam == ICON_SMALL ? w->icon_small : w->icon_big;
            HICON previous = slot;
            slot = icon;
            w->frame_dirty = true;
            painting::mark_screen_changed();
            return reinterpret_cast<LRESULT>(previous);
        }
        case WM_GETICON:
            return reinterpret_cast<LRESULT>(wparam == ICON_BIG ? w->icon_big : w->icon_small);
        case WM_ERASEBKGND: return erase_background(*w, reinterpret_cast<HDC>(wparam));
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(hwnd, &paint);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_NCHITTEST: return nonclient::hit_test(*w, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        case WM_NCLBUTTONDOWN: return press_on_frame(hwnd, wparam, lparam);
        case WM_SYSCOMMAND: return system_command(hwnd, wparam);
        case WM_SETCURSOR: return set_cursor(hwnd, *w, lparam);
        case WM_MOUSEACTIVATE:
            if (w->is_child() && w->parent) {
                LRESULT answer = SendMessageA(w->parent->hwnd, WM_MOUSEACTIVATE, wparam, lparam);
                if (answer) return answer;
            }
            return MA_ACTIVATE;
        case WM_ACTIVATE:
            if (LOWORD(wparam) != WA_INACTIVE && !HIWORD(wparam)) {
                Window* focused = find_window(WindowTree::instance().focus);
                if (!focused || WindowTree::top_level_of(focused) != w) SetFocus(hwnd);
            }
            return 0;
        case WM_NCACTIVATE: return TRUE;
        case WM_SETREDRAW:
            w->redraw = wparam != 0;
            return 0;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: return control_colors(message, reinterpret_cast<HDC>(wparam));
        default: return 0;
    }
}
