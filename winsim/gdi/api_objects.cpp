// The edge of the drawing services: contexts, objects, colours, palettes.
#include <cstring>

#include "gdi/bitmap.h"
#include "gdi/brush.h"
#include "gdi/device_context.h"
#include "gdi/font.h"
#include "win/kernel.h"
#include "gdi/palette.h"
#include "gdi/pen.h"
#include "gdi/stock_objects.h"
#include "gdi/sys_colors.h"
#include "win/gdi.h"

using namespace winsim::gdi;

namespace {

ObjectTable& objects() { return ObjectTable::instance(); }

}  // namespace

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc && !DeviceContext::from(hdc)) return nullptr;
    return DeviceContext::create_memory();
}

BOOL WINAPI DeleteDC(HDC hdc) { return DeviceContext::close(hdc, DeviceContext::Kind::Memory) ? TRUE : FALSE; }

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ handle) {
    DeviceContext* dc = DeviceContext::from(hdc);
    auto object = objects().find(handle);
    if (!dc || !object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (object->kind() == ObjectKind::Palette) return nullptr;
    return dc->select(object);
}

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
    auto object = objects().find(handle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (object->stock()) return TRUE;   // stock and system objects are never deleted
    // A bitmap still selected into a memory context cannot be deleted; other objects are
    // released by the contexts that still hold them.
    if (object->kind() == ObjectKind::Bitmap && object->selections() > 0) return FALSE;
    return objects().remove(handle) ? TRUE : FALSE;
}

HGDIOBJ WINAPI GetStockObject(int index) {
    auto object = stock_object(index);
    return object ? object->handle() : nullptr;
}

int WINAPI GetObjectA(HGDIOBJ handle, int size, LPVOID out) {
    auto object = objects().find(handle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    switch (object->kind()) {
        case ObjectKind::Bitmap: {
            auto* bitmap = static_cast<Bitmap*>(object.get());
            if (!out) return sizeof(BITMAP);
            if (size < static_cast<int>(sizeof(BITMAP))) return 0;
            BITMAP bm{};
            bm.bmWidth = bitmap->width();
            bm.bmHeight = bitmap->height();
            bm.bmPlanes = 1;
            bm.bmBitsPixel = static_cast<WORD>(bitmap->bits_per_pixel());
            bm.bmWidthBytes = ((bitmap->width() * bm.bmBitsPixel + 15) / 16) * 2;
            std::memcpy(out, &bm, sizeof bm);
            return sizeof(BITMAP);
        }
        case ObjectKind::Font: {
            if (!out) return sizeof(LOGFONTA);
            if (size < static_cast<int>(sizeof(LOGFONTA))) return 0;
            std::memcpy(out, &static_cast<Font*>(object.get())->logfont(), sizeof(LOGFONTA));
            return sizeof(LOGFONTA);
        }
        case ObjectKind::Palette: {
            if (!out || size < 2) return 0;
            WORD count = static_cast<WORD>(static_cast<Palette*>(object.get())->entries().size());
            std::memcpy(out, &count, 2);
            return 2;
        }
        default:
            return 0;
    }
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->text_color;
    dc->text_color = color & 0xFFFFFF;
    return previous;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
    DeviceContext* dc = DeviceContext::from(hdc);
    return dc ? dc->text_color : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->bk_color;
    dc->bk_color = color & 0xFFFFFF;
    return previous;
}

COLORREF WINAPI GetBkColor(HDC hdc) {
    DeviceContext* dc = DeviceContext::from(hdc);
    return dc ? dc->bk_color : CLR_INVALID;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return 0;
    if (mode != TRANSPARENT && mode != OPAQUE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int previous = dc->bk_mode;
    dc->bk_mode = mode;
    return previous;
}

int WINAPI GetBkMode(HDC hdc) {
    DeviceContext* dc = DeviceContext::from(hdc);
    return dc ? dc->bk_mode : 0;
}

DWORD WINAPI GetSysColor(int index) {
    COLORREF color = 0;
    sys_color(index, color);
    return color;
}

HBRUSH WINAPI GetSysColorBrush(int index) {
    auto brush = sys_brush(index);
    return brush ? reinterpret_cast<HBRUSH>(brush->handle()) : nullptr;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    return reinterpret_cast<HBRUSH>(objects().add(std::make_shared<Brush>(color)));
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    if (style != PS_SOLID && style != PS_DASH && style != PS_DOT && style != PS_NULL &&
        style != PS_INSIDEFRAME) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return reinterpret_cast<HPEN>(objects().add(std::make_shared<Pen>(style, width, color)));
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* logfont) {
    if (!logfont) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return reinterpret_cast<HFONT>(objects().add(std::make_shared<Font>(*logfont)));
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int width, int height) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return nullptr;
    if (width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // A memory context still holding its monochrome bitmap makes monochrome bitmaps.
    int bpp = dc->kind() == DeviceContext::Kind::Memory ? dc->bitmap()->bits_per_pixel() : 32;
    if (width == 0 || height == 0) {
        width = height = 1;
        bpp = 1;
    }
    return reinterpret_cast<HBITMAP>(objects().add(std::make_shared<Bitmap>(width, height, bpp, 0)));
}

HPALETTE WINAPI CreatePalette(const LOGPALETTE* palette) {
    if (!palette || palette->palVersion != 0x300 || palette->palNumEntries == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<PALETTEENTRY> entries(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    return reinterpret_cast<HPALETTE>(objects().add(std::make_shared<Palette>(std::move(entries))));
}

HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE handle, BOOL) {
    DeviceContext* dc = DeviceContext::from(hdc);
    auto palette = objects().find_as<Palette>(handle, ObjectKind::Palette);
    if (!dc || !palette) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return dc->select_palette(palette);
}

UINT WINAPI RealizePalette(HDC hdc) {
    // A true-colour screen has no system palette to map into: nothing changes.
    return DeviceContext::from(hdc) ? 0 : GDI_ERROR;
}
