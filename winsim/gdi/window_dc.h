// The seam between the window manager and the graphics device interface: a device context
// that draws into a window's part of a top-level window's surface.
#pragma once

#include "gdi/region.h"
#include "gdi/surface.h"
#include "win/base.h"

namespace winsim::gdi {

// `origin` is where logical (0, 0) of the context lies on `surface` (the client area's
// top left corner for BeginPaint and GetDC); `clip` is in surface coordinates and bounds
// every pixel the context touches. The surface must outlive the context.
HDC open_window_dc(Surface& surface, POINT origin, const Region& clip);

// Releases a context made by open_window_dc; the selected objects are not deleted.
void close_window_dc(HDC dc);

}  // namespace winsim::gdi
