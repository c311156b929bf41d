// The painting functions of the API.
#include <windows.h>

#include "user/painting.h"
#include "user/window.h"
#include "user/window_tree.h"

using namespace winsim::user;

namespace {

Window* window_or_error(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

}  // namespace

BOOL WINAPI UpdateWindow(HWND hwnd) {
    Window* w = window_or_error(hwnd);
    if (!w) return FALSE;
    painting::update_now(w);
    return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (!hwnd) {
        // The whole desktop: every top-level window.
        for (Window* top : WindowTree::instance().top_levels()) painting::invalidate_all(top);
        return TRUE;
    }
    Window* w = window_or_error(hwnd);
    if (!w) return FALSE;
    painting::invalidate(w, rect, erase != FALSE);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rect) {
    Window* w = window_or_error(hwnd);
    if (!w) return FALSE;
    painting::validate(w, rect);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
    Window* w = window_or_error(hwnd);
    if (!w || !paint) return nullptr;
    return painting::begin_paint(w, paint);
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* paint) {
    painting::end_paint(paint);
    return TRUE;
}

HDC WINAPI GetDC(HWND hwnd) {
    if (!hwnd) return painting::get_dc(nullptr);
    Window* w = window_or_error(hwnd);
    if (!w) return nullptr;
    return painting::get_dc(w);
}

int WINAPI ReleaseDC(HWND, HDC dc) { return painting::release_dc(dc) ? 1 : 0; }
