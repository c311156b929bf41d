// The edge of the drawing services: drawing and destroying icons.
#include "gdi/device_context.h"
#include "gdi/icon.h"
#include "win/kernel.h"
#include "win/gdi.h"

using namespace winsim::gdi;

BOOL WINAPI DrawIconEx(HDC hdc, int x, int y, HICON handle, int width, int height, UINT, HBRUSH, UINT flags) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return FALSE;
    auto icon = find_icon(handle);
    if (!icon) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if ((flags & DI_NORMAL) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // A zero size means the icon's own size (DI_DEFAULTSIZE: the system's icon size).
    if (width == 0) width = (flags & DI_DEFAULTSIZE) ? 32 : icon->width();
    if (height == 0) height = (flags & DI_DEFAULTSIZE) ? 32 : icon->height();
    Canvas canvas = dc->canvas();
    icon->draw(canvas, x, y, width, height, flags & DI_NORMAL);
    return TRUE;
}

BOOL WINAPI DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

BOOL WINAPI DestroyIcon(HICON handle) {
    auto icon = find_icon(handle);
    if (!icon) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!icon->shared()) remove_icon(handle);
    return TRUE;
}
