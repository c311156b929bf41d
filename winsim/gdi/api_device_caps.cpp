// The edge of the drawing services: what a device context reports about its device.
#include "gdi/device_context.h"
#include "host/display.h"
#include "win/gdi.h"

using namespace winsim::gdi;

int WINAPI GetDeviceCaps(HDC hdc, int index) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return 0;
    switch (index) {
        case HORZRES: return winsim::host::screen_size().cx;
        case VERTRES: return winsim::host::screen_size().cy;
        case BITSPIXEL: return dc->kind() == DeviceContext::Kind::Memory ? dc->bitmap()->bits_per_pixel() : 32;
        case PLANES: return 1;
        case NUMCOLORS: return -1;
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        case RASTERCAPS: return RC_BITBLT | RC_DI_BITMAP | RC_STRETCHDIB;
        case SIZEPALETTE: return 0;
        default: return 0;
    }
}
