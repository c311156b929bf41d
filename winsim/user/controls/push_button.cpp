#include "user/controls/push_button.h"

#include <cctype>
#include <string>
#include <vector>

#include "gdi/classic_style.h"

namespace winsim::controls {

namespace gc = gdi::classic;

LRESULT PushButton::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    switch (message) {
    case WM_PAINT: return on_paint();
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return on_button_down();
    case WM_MOUSEMOVE: return on_mouse_move(p);
    case WM_LBUTTONUP: return on_button_up(p);
    case WM_CAPTURECHANGED: return on_capture_changed();
    case WM_KEYDOWN: return on_key_down(static_cast<UINT>(wparam));
    case WM_KEYUP: return on_key_up(static_cast<UINT>(wparam));
    case WM_CHAR: return on_char(static_cast<unsigned char>(wparam));
    case WM_SETFOCUS: return on_focus_changed(true);
    case WM_KILLFOCUS: return on_focus_changed(false);
    case WM_ENABLE: invalidate(); return 0;
    case WM_GETDLGCODE: return on_get_dlg_code();
    case WM_SETFONT: return on_set_font(reinterpret_cast<HFONT>(wparam), LOWORD(lparam) != 0);
    case WM_GETFONT: return on_get_font();
    case WM_SETTEXT: return on_set_text(wparam, lparam);
    case BM_SETSTYLE: return on_set_style(static_cast<DWORD>(wparam), lparam != 0);
    case BM_GETSTATE: return on_get_state();
    case BM_SETSTATE: return on_set_state(wparam != 0);
    case BM_CLICK: if (enabled()) click(); return 0;
    default: return default_proc(message, wparam, lparam);
    }
}

LRESULT PushButton::on_paint() {
    PaintCycle paint(hwnd(), font());
    query_colors(WM_CTLCOLORBTN, paint.dc());
    int length = GetWindowTextLengthA(hwnd());
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd(), text.data(), length + 1);
    gc::PushButton look;
    look.text = text.data();
    look.font = font();
    look.pressed = pressed_;
    look.is_default = is_default();
    look.focused = focused();
    look.enabled = enabled();
    gc::draw_push_button(paint.dc(), client_rect(), look);
    return 0;
}

bool PushButton::inside(POINT p) const {
    RECT r = client_rect();
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void PushButton::set_pressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    invalidate();
    UpdateWindow(hwnd());
}

void PushButton::click() { notify(BN_CLICKED); }

LRESULT PushButton::on_button_down() {
    if (!focused()) SetFocus(hwnd());
    mouse_held_ = true;
    SetCapture(hwnd());
    set_pressed(true);
    return 0;
}

LRESULT PushButton::on_mouse_move(POINT p) {
    if (mouse_held_) set_pressed(inside(p));
    return 0;
}

LRESULT PushButton::on_button_up(POINT p) {
    if (!mouse_held_) return 0;
    mouse_held_ = false;
    bool was_pressed = pressed_ && inside(p);
    set_pressed(false);
    if (GetCapture() == hwnd()) ReleaseCapture();
    if (was_pressed) click();
    return 0;
}

// Losing the mouse to another window (a message box opened meanwhile) cancels the press.
LRESULT PushButton::on_capture_changed() {
    if (mouse_held_) {
        mouse_held_ = false;
        set_pressed(false);
    }
    return 0;
}

LRESULT PushButton::on_key_down(UINT key) {
    if (key == VK_SPACE && !mouse_held_) {
        space_held_ = true;
        set_pressed(true);
    }
    return 0;
}

LRESULT PushButton::on_key_up(UINT key) {
    if (key != VK_SPACE || !space_held_) return 0;
    space_held_ = false;
    set_pressed(false);
    click();
    return 0;
}

namespace {

std::string text_of(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The letter after the single ampersand of a caption ("&Yes" has Y), or 0.
char mnemonic_of(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

}  // namespace

// A letter typed on a push button presses the push button beside it whose caption
// underlines that letter, as "Y" and "N" answer a Yes/No question.
LRESULT PushButton::on_char(unsigned char ch) {
    HWND p = parent();
    if (!p || ch <= ' ') return 0;
    char wanted = static_cast<char>(std::toupper(ch));
    for (HWND sibling = GetWindow(p, GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (!IsWindowVisible(sibling) || !IsWindowEnabled(sibling)) continue;
        if (mnemonic_of(text_of(sibling)) != wanted) continue;
        LRESULT code = SendMessageA(sibling, WM_GETDLGCODE, 0, 0);
        if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) continue;
        SetFocus(sibling);
        SendMessageA(sibling, BM_CLICK, 0, 0);
        return 0;
    }
    return 0;
}

LRESULT PushButton::on_focus_changed(bool gained) {
    if (!gained && (space_held_ || mouse_held_)) {
        space_held_ = false;
        set_pressed(false);
    }
    invalidate();
    return 0;
}

LRESULT PushButton::on_get_dlg_code() const {
    return DLGC_BUTTON | (is_default() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT PushButton::on_set_style(DWORD button_style, bool redraw) {
    DWORD s = (style() & ~static_cast<DWORD>(BS_TYPEMASK)) | (button_style & BS_TYPEMASK);
    SetWindowLongA(hwnd(), GWL_STYLE, static_cast<LONG>(s));
    if (redraw) invalidate();
    return 0;
}

LRESULT PushButton::on_get_state() const {
    return (pressed_ ? BST_PUSHED : 0) | (focused() ? BST_FOCUS : 0);
}

LRESULT PushButton::on_set_state(bool pushed) {
    set_pressed(pushed);
    return 0;
}

LRESULT PushButton::on_set_text(WPARAM wparam, LPARAM lparam) {
    LRESULT result = default_proc(WM_SETTEXT, wparam, lparam);
    invalidate();
    return result;
}

void register_button_class() {
    register_control_class(PushButton::class_name, control_window_proc<PushButton>, CS_DBLCLKS, 32512);
}

}  // namespace winsim::controls
