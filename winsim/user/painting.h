// Update regions, the paint cycle, device contexts on windows, and showing the picture:
// every top-level window owns a surface of its size that it and its children draw into,
// and the screen is those surfaces laid in z-order.
#pragma once

#include <windows.h>

#include <functional>

#include "gdi/region.h"

namespace winsim::user {

class Window;

namespace painting {

// The part of a window (its client area, or the whole window) that is not clipped away
// by its ancestors, its clipping siblings or (WS_CLIPCHILDREN) its children; in the
// coordinates of its top-level window's surface.
gdi::Region visible_region(const Window* window, bool client_only);

// Adds a client rectangle (null: the whole client area) to the update region; children
// under it are included unless the window clips its children.
void invalidate(Window* window, const RECT* rect, bool erase);
void validate(Window* window, const RECT* rect);
// The whole window, frame included, and its children: after showing, sizing, restacking.
void invalidate_all(Window* window);
// The area a child covered on its parent (after it was hidden, moved or destroyed).
void invalidate_parent_under(Window* child, const RECT& rect_in_parent);

HDC begin_paint(Window* window, PAINTSTRUCT* paint);
void end_paint(const PAINTSTRUCT* paint);
HDC get_dc(Window* window);     // null window: the whole screen
bool release_dc(HDC dc);

// Sends WM_PAINT straight to the window and to its children that need it (UpdateWindow).
void update_now(Window* window);

// The first window, in painting order, with something to paint that `accept` takes.
Window* next_to_paint(const std::function<bool(const Window*)>& accept);

// Gives a top-level window a surface of its current size.
void fit_surface(Window* window);

void mark_screen_changed();
// Draws the frames that changed and shows the screen if its picture changed.
void present_if_changed();

}  // namespace painting
}  // namespace winsim::user
