#include "user/controls/static_control.h"

#include <cstdlib>
#include <vector>

#include "gdi/classic_style.h"

namespace winsim::controls {

namespace gc = gdi::classic;

StaticControl::~StaticControl() { release_loaded(); }

LRESULT StaticControl::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_NCCREATE: return on_nc_create(reinterpret_cast<CREATESTRUCTA*>(lparam));
    case WM_CREATE: return on_create(reinterpret_cast<const CREATESTRUCTA*>(lparam));
    case WM_PAINT: return on_paint();
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT: return on_set_text(wparam, lparam);
    case WM_ENABLE: invalidate(); return 0;
    case WM_SETFONT: return on_set_font(reinterpret_cast<HFONT>(wparam), LOWORD(lparam) != 0);
    case WM_GETFONT: return on_get_font();
    case WM_NCHITTEST: return has_style(SS_NOTIFY) ? default_proc(message, wparam, lparam) : HTTRANSPARENT;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case STM_SETICON: return on_set_icon(reinterpret_cast<HICON>(wparam));
    case STM_GETICON: return reinterpret_cast<LRESULT>(icon_);
    case STM_SETIMAGE: return on_set_image(static_cast<UINT>(wparam), reinterpret_cast<HANDLE>(lparam));
    case STM_GETIMAGE: return on_get_image(static_cast<UINT>(wparam));
    default: return default_proc(message, wparam, lparam);
    }
}

// Icons and bitmaps take the window name as the name of their resource, so it must not
// become the window's text. A dialog template's ordinal comes as 0xFF and the number.
LRESULT StaticControl::on_nc_create(CREATESTRUCTA* create) {
    // SS_SUNKEN is the half-sunken edge that the window manager draws around the client area.
    if (create->style & SS_SUNKEN) {
        create->dwExStyle |= WS_EX_STATICEDGE;
        SetWindowLongA(hwnd(), GWL_EXSTYLE, GetWindowLongA(hwnd(), GWL_EXSTYLE) | WS_EX_STATICEDGE);
    }
    DWORD type = static_cast<DWORD>(create->style) & SS_TYPEMASK;
    if (type != SS_ICON && type != SS_BITMAP) return default_proc(WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
    LPCSTR name = create->lpszName;
    if (name && IS_INTRESOURCE(name)) {
        resource_id_ = LOWORD(reinterpret_cast<ULONG_PTR>(name));
    } else if (name && static_cast<unsigned char>(name[0]) == 0xFF) {
        resource_id_ = static_cast<WORD>(static_cast<unsigned char>(name[1]) |
                                         (static_cast<unsigned char>(name[2]) << 8));
    } else if (name && name[0] == '#') {
        resource_id_ = static_cast<WORD>(std::atoi(name + 1));
    } else if (name) {
        resource_text_ = name;
    }
    CREATESTRUCTA without_text = *create;
    without_text.lpszName = "";
    return default_proc(WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&without_text));
}

LPCSTR StaticControl::resource_name() const {
    if (resource_id_) return MAKEINTRESOURCEA(resource_id_);
    if (!resource_text_.empty()) return resource_text_.c_str();
    return nullptr;
}

LRESULT StaticControl::on_create(const CREATESTRUCTA* create) {
    if (has_style(SS_SUNKEN))
        SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    LPCSTR name = resource_name();
    if (!name) return 0;
    if (kind() == SS_ICON) {
        if (HICON icon = LoadIconA(create->hInstance, name)) on_set_icon(icon);
    } else if (kind() == SS_BITMAP) {
        if (HBITMAP bitmap = LoadBitmapA(create->hInstance, name)) {
            on_set_image(IMAGE_BITMAP, bitmap);
            owns_bitmap_ = true;
        }
    }
    return 0;
}

void StaticControl::release_loaded() {
    if (owns_bitmap_ && bitmap_) DeleteObject(bitmap_);
    owns_bitmap_ = false;
}

void StaticControl::fit_to_picture(int width, int height) {
    if (has_style(SS_CENTERIMAGE) || width <= 0 || height <= 0) return;
    SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT StaticControl::on_set_icon(HICON icon) {
    HICON previous = icon_;
    icon_ = icon;
    if (icon) fit_to_picture(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    invalidate();
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT StaticControl::on_set_image(UINT type, HANDLE image) {
    if (type == IMAGE_ICON) return on_set_icon(static_cast<HICON>(image));
    if (type != IMAGE_BITMAP) return 0;
    HBITMAP previous = bitmap_;
    release_loaded();
    bitmap_ = static_cast<HBITMAP>(image);
    BITMAP info{};
    if (bitmap_ && GetObjectA(bitmap_, sizeof(info), &info)) fit_to_picture(info.bmWidth, info.bmHeight);
    invalidate();
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT StaticControl::on_get_image(UINT type) const {
    if (type == IMAGE_ICON) return reinterpret_cast<LRESULT>(icon_);
    if (type == IMAGE_BITMAP) return reinterpret_cast<LRESULT>(bitmap_);
    return 0;
}

LRESULT StaticControl::on_set_text(WPARAM wparam, LPARAM lparam) {
    LRESULT result = default_proc(WM_SETTEXT, wparam, lparam);
    invalidate();
    return result;
}

LRESULT StaticControl::on_paint() {
    PaintCycle paint(hwnd(), font());
    RECT client = client_rect();
    switch (kind()) {
    case SS_ICON: paint_icon(paint.dc(), client); break;
    case SS_BITMAP: paint_bitmap(paint.dc(), client); break;
    default: paint_text(paint.dc(), client); break;
    }
    return 0;
}

void StaticControl::paint_text(HDC dc, const RECT& client) {
    HBRUSH brush = query_colors(WM_CTLCOLORSTATIC, dc);
    FillRect(dc, &client, brush);
    int length = GetWindowTextLengthA(hwnd());
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd(), text.data(), length + 1);
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if (kind() == SS_CENTER) format |= DT_CENTER;
    if (kind() == SS_RIGHT) format |= DT_RIGHT;
    if (has_style(SS_NOPREFIX)) format |= DT_NOPREFIX;
    gc::draw_label_text(dc, text.data(), client, format, enabled());
}

void StaticControl::paint_icon(HDC dc, const RECT& client) {
    HBRUSH brush = query_colors(WM_CTLCOLORSTATIC, dc);
    FillRect(dc, &client, brush);
    if (!icon_) return;
    int w = GetSystemMetrics(SM_CXICON);
    int h = GetSystemMetrics(SM_CYICON);
    int x = 0;
    int y = 0;
    if (has_style(SS_CENTERIMAGE)) {
        x = (client.right - w) / 2;
        y = (client.bottom - h) / 2;
    }
    if (enabled())
        DrawIconEx(dc, x, y, icon_, w, h, 0, nullptr, DI_NORMAL);
    else
        gc::draw_disabled_icon(dc, x, y, icon_, w, h);
}

// A centred bitmap leaves a margin, which takes the colour of the bitmap's top left pixel.
void StaticControl::paint_bitmap(HDC dc, const RECT& client) {
    BITMAP info{};
    if (!bitmap_ || !GetObjectA(bitmap_, sizeof(info), &info)) {
        FillRect(dc, &client, query_colors(WM_CTLCOLORSTATIC, dc));
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, bitmap_);
    int x = 0;
    int y = 0;
    if (has_style(SS_CENTERIMAGE)) {
        HBRUSH margin = CreateSolidBrush(GetPixel(memory, 0, 0));
        FillRect(dc, &client, margin);
        DeleteObject(margin);
        x = (client.right - info.bmWidth) / 2;
        y = (client.bottom - info.bmHeight) / 2;
    }
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void register_static_class() {
    register_control_class(StaticControl::class_name, control_window_proc<StaticControl>, 0, 32512);
}

}  // namespace winsim::controls
