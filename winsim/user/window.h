// One window: its class, procedure, styles, place in the tree, geometry, text and the
// painting state the window manager keeps for it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "gdi/region.h"
#include "gdi/surface.h"

namespace winsim::user {

struct WindowClass;

class Window {
public:
    HWND hwnd = nullptr;
    const WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
    std::string text;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    LONG_PTR user_data = 0;
    std::vector<unsigned char> extra;

    Window* parent = nullptr;          // null for a top-level window
    Window* owner = nullptr;           // top-level windows only
    std::vector<Window*> children;     // z-order, topmost first (creation order)

    RECT rect{};      // window rectangle in the parent's client coordinates (screen when top-level)
    RECT client{};    // client rectangle in the same coordinates

    gdi::Region update;          // in client coordinates
    bool erase_pending = false;  // the update region still wants WM_ERASEBKGND
    bool frame_dirty = true;     // the non-client area must be drawn again
    bool minimized = false;
    bool redraw = true;          // WM_SETREDRAW
    bool destroying = false;
    bool caption_active = false;
    HICON icon_big = nullptr;
    HICON icon_small = nullptr;
    HFONT font = nullptr;        // dialogs: the template's font
    bool owns_font = false;

    std::unique_ptr<gdi::Surface> surface;   // top-level windows: the picture of the window

    bool is_top_level() const { return parent == nullptr; }
    bool has_style(DWORD bits) const { return (style & bits) == bits; }
    bool is_child() const { return (style & WS_CHILD) != 0; }
    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
    int client_width() const { return client.right - client.left; }
    int client_height() const { return client.bottom - client.top; }
};

}  // namespace winsim::user
