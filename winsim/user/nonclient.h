// The non-client area the window manager draws and answers for: frames, the caption bar,
// 3-D client edges, and which part of a window a screen point falls on.
#pragma once

#include <windows.h>

namespace winsim::user {

class Window;

namespace nonclient {

// Classic sizes, in pixels.
inline constexpr int kBorder = 1;
inline constexpr int kEdge = 2;
inline constexpr int kDialogFrame = 3;
inline constexpr int kSizingFrame = 4;
inline constexpr int kCaptionHeight = 19;
inline constexpr int kCloseButtonWidth = 16;
inline constexpr int kCloseButtonHeight = 14;

enum class FrameKind { None, Thin, Dialog, Sizing };

FrameKind frame_kind(DWORD style, DWORD ex_style);
int frame_width(DWORD style, DWORD ex_style);
bool has_caption(DWORD style);
int edge_width(DWORD ex_style);

// The client rectangle for a window rectangle (both in the same coordinates), and back.
RECT client_from_window(const RECT& window, DWORD style, DWORD ex_style);
RECT window_from_client(const RECT& client, DWORD style, DWORD ex_style);

// What WM_NCHITTEST answers by default for a point on the screen.
LRESULT hit_test(const Window& window, POINT screen);

// The caption bar and its close button, in window coordinates (empty without a caption).
RECT caption_bar(const Window& window);
RECT close_button(const Window& window);

// Draws the frame, caption and edges into the window's top-level surface.
void draw(Window& window);

}  // namespace nonclient
}  // namespace winsim::user
