#include "user/controls/control.h"

namespace winsim::controls {

LRESULT Control::default_proc(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd_, message, wparam, lparam);
}

DWORD Control::style() const { return static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)); }

bool Control::enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

bool Control::focused() const { return GetFocus() == hwnd_; }

HWND Control::parent() const { return GetParent(hwnd_); }

int Control::id() const { return GetDlgCtrlID(hwnd_); }

RECT Control::client_rect() const {
    RECT r{0, 0, 0, 0};
    GetClientRect(hwnd_, &r);
    return r;
}

void Control::notify(int code) const {
    HWND p = parent();
    if (!p) return;
    SendMessageA(p, WM_COMMAND, MAKEWPARAM(id(), code), reinterpret_cast<LPARAM>(hwnd_));
}

HBRUSH Control::query_colors(UINT ctlcolor, HDC dc) const {
    HWND p = parent();
    auto wp = reinterpret_cast<WPARAM>(dc);
    auto lp = reinterpret_cast<LPARAM>(hwnd_);
    LRESULT brush = p ? SendMessageA(p, ctlcolor, wp, lp) : 0;
    if (!brush && p) brush = DefWindowProcA(p, ctlcolor, wp, lp);
    if (brush) return reinterpret_cast<HBRUSH>(brush);
    // Edits and lists sit on the window colour, everything else on the button face.
    bool window_ground = ctlcolor == WM_CTLCOLOREDIT || ctlcolor == WM_CTLCOLORLISTBOX;
    int ground = window_ground ? COLOR_WINDOW : COLOR_BTNFACE;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(ground));
    return GetSysColorBrush(ground);
}

HFONT Control::font() const {
    return font_ ? font_ : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

LRESULT Control::on_set_font(HFONT font, bool redraw) {
    font_ = font;
    if (redraw) invalidate();
    return 0;
}

void Control::invalidate() const { InvalidateRect(hwnd_, nullptr, TRUE); }

PaintCycle::PaintCycle(HWND hwnd, HFONT font) : hwnd_(hwnd) {
    BeginPaint(hwnd_, &paint_);
    if (paint_.hdc) previous_font_ = SelectObject(paint_.hdc, font);
}

PaintCycle::~PaintCycle() {
    if (paint_.hdc && previous_font_) SelectObject(paint_.hdc, previous_font_);
    EndPaint(hwnd_, &paint_);
}

DWORD sunken_border(HWND hwnd, CREATESTRUCTA& create, DWORD style) {
    if (!(style & WS_BORDER)) return style;
    create.dwExStyle |= WS_EX_CLIENTEDGE;
    SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    return style & ~static_cast<DWORD>(WS_BORDER);
}

void register_control_class(const char* name, WNDPROC proc, UINT class_style, int cursor_id) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = class_style | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = Control::extra_bytes;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(cursor_id));
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

}  // namespace winsim::controls
