// All windows of the process: handles, the parent and owner tree, the z-order of the
// top-level windows, coordinates, and which window is active, focused or capturing.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "user/window.h"

namespace winsim::user {

class WindowTree {
public:
    static WindowTree& instance();

    Window* find(HWND hwnd) const;
    Window& add(std::unique_ptr<Window> window);   // gives it a handle and links it
    void remove(Window* window);                   // unlinks and frees it

    // Top-level windows, topmost first.
    const std::vector<Window*>& top_levels() const { return top_levels_; }
    // Puts a top-level window on top of its band (top-most or normal), its owned windows above it.
    void bring_to_top(Window* window);
    void send_to_bottom(Window* window);
    // Moves a child to the top or bottom of its siblings.
    void restack_child(Window* window, bool to_top);

    static Window* top_level_of(Window* window);
    static bool is_descendant(const Window* ancestor, const Window* window);
    // Visible on the screen: it and all its ancestors are visible and none is minimised.
    static bool is_shown(const Window* window);
    // Enabled for input: it and its ancestors are enabled.
    static bool accepts_input(const Window* window);

    // Offset of the window's client area origin on the screen.
    static POINT client_origin_on_screen(const Window* window);
    static RECT window_rect_on_screen(const Window* window);
    // Offset of a window's rectangle within its top-level window's surface.
    static POINT window_origin_in_surface(const Window* window);
    static POINT client_origin_in_surface(const Window* window);

    // Every window, parents before children, top-level windows topmost first.
    void for_each(const std::function<void(Window*)>& visit) const;

    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;

private:
    WindowTree() = default;
    void place_in_band(Window* window);

    std::map<HWND, std::unique_ptr<Window>> windows_;
    std::vector<Window*> top_levels_;
    std::uintptr_t next_handle_ = 0x10020;
};

inline Window* find_window(HWND hwnd) { return WindowTree::instance().find(hwnd); }

}  // namespace winsim::user
