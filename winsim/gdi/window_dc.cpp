#include "gdi/window_dc.h"

#include "gdi/device_context.h"

namespace winsim::gdi {

HDC open_window_dc(Surface& surface, POINT origin, const Region& clip) {
    return DeviceContext::open_window(surface, origin, clip);
}

void close_window_dc(HDC dc) { DeviceContext::close(dc, DeviceContext::Kind::Window); }

}  // namespace winsim::gdi
