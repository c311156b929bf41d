// Which top-level window is active and which window has the keyboard focus.
#pragma once

#include <windows.h>

namespace winsim::user {

class Window;

namespace activation {

// Makes a top-level window the active one: WM_NCACTIVATE and WM_ACTIVATE to the old and
// the new, and the new one on top of its band.
void activate(Window* top, WORD how = WA_ACTIVE);
// After the active window went away (hidden, minimised, disabled or destroyed): its owner
// when that can take it, else the topmost window that can.
void activate_other_than(Window* leaving);

HWND set_focus(HWND hwnd);

}  // namespace activation
}  // namespace winsim::user
