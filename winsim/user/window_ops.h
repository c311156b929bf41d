// The window manager's own operations behind the API: creating, destroying, showing and
// placing windows.
#pragma once

#include <windows.h>

namespace winsim::user {

class Window;

namespace ops {

// CreateWindowExA, with `prepare` run on the new window before its first message (the
// dialog manager uses it to set the dialog procedure).
HWND create_window(const CREATESTRUCTA& cs, void (*prepare)(Window&, void*), void* context);
bool destroy_window(HWND hwnd);
bool show_window(HWND hwnd, int command);
bool set_window_pos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags);
// Brings in a new client rectangle after the window rectangle or the frame changed.
void recompute_client(Window& window);

}  // namespace ops
}  // namespace winsim::user
