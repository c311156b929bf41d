// Input functions of the API: capture, key state, cursors.
#include <windows.h>

#include "user/input_router.h"
#include "user/window.h"
#include "user/window_tree.h"

using namespace winsim::user;

namespace {

// System cursors are small handles of their own: nothing shows them but they can be
// told apart and handed back.
constexpr ULONG_PTR kCursorHandleBase = 0x7F000000;
HCURSOR current_cursor = nullptr;

}  // namespace

HWND WINAPI SetCapture(HWND hwnd) {
    WindowTree& tree = WindowTree::instance();
    HWND previous = tree.capture;
    if (!find_window(hwnd)) return previous;
    tree.capture = hwnd;
    if (previous && previous != hwnd && find_window(previous))
        SendMessageA(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return previous;
}

BOOL WINAPI ReleaseCapture(void) {
    WindowTree& tree = WindowTree::instance();
    HWND previous = tree.capture;
    tree.capture = nullptr;
    if (previous && find_window(previous)) SendMessageA(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void) { return WindowTree::instance().capture; }

SHORT WINAPI GetKeyState(int virtual_key) { return InputRouter::instance().key_state(virtual_key); }

UINT WINAPI GetDoubleClickTime(void) { return 500; }

BOOL WINAPI GetCursorPos(LPPOINT point) {
    if (!point) return FALSE;
    *point = InputRouter::instance().cursor();
    return TRUE;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance || !IS_INTRESOURCE(name)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    auto id = reinterpret_cast<ULONG_PTR>(name);
    switch (id) {
        case 32512: case 32513: case 32514: case 32515: case 32642: case 32643:
        case 32644: case 32645: case 32646: case 32649:
            return reinterpret_cast<HCURSOR>(kCursorHandleBase + id);
        default: break;
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    HCURSOR previous = current_cursor;
    current_cursor = cursor;
    return previous;
}
