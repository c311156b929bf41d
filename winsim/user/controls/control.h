// What every system control shares: the window it is attached to, its font, its parent's
// notifications and colours, and the window procedure that hands each message to the
// control object kept in the window's extra bytes.
#pragma once

#include <windows.h>

namespace winsim::controls {

class Control {
public:
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Sends one message to the method that handles it; unhandled ones go to default_proc.
    virtual LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam) = 0;

    // Window extra bytes a control class reserves for its object.
    static constexpr int extra_bytes = sizeof(LONG_PTR);

protected:
    LRESULT default_proc(UINT message, WPARAM wparam, LPARAM lparam);

    DWORD style() const;
    bool has_style(DWORD bits) const { return (style() & bits) == bits; }
    bool enabled() const;
    bool focused() const;
    HWND parent() const;
    int id() const;
    RECT client_rect() const;

    // WM_COMMAND with `code` to the parent, the way controls report what happened.
    void notify(int code) const;
    // Asks the parent for the colours of `ctlcolor` (a WM_CTLCOLOR... message); the parent's
    // default handling answers when the parent leaves it, and the classic defaults otherwise.
    HBRUSH query_colors(UINT ctlcolor, HDC dc) const;

    HFONT font() const;
    LRESULT on_set_font(HFONT font, bool redraw);
    LRESULT on_get_font() const { return reinterpret_cast<LRESULT>(font_); }

    void invalidate() const;

private:
    HWND hwnd_;
    HFONT font_ = nullptr;
};

// Selects the control's font for one paint and puts the previous font back at the end.
class PaintCycle {
public:
    PaintCycle(HWND hwnd, HFONT font);
    ~PaintCycle();
    PaintCycle(const PaintCycle&) = delete;
    PaintCycle& operator=(const PaintCycle&) = delete;
    HDC dc() const { return paint_.hdc; }
    const RECT& dirty() const { return paint_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HGDIOBJ previous_font_ = nullptr;
};

// The window procedure of a control class T: makes the object on WM_NCCREATE, hands every
// message to it, and deletes it after WM_NCDESTROY.
template <class T>
LRESULT CALLBACK control_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* control = reinterpret_cast<Control*>(GetWindowLongPtrA(hwnd, 0));
    if (!control) {
        if (message != WM_NCCREATE) return DefWindowProcA(hwnd, message, wparam, lparam);
        control = new T(hwnd);
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(control));
    }
    LRESULT result = control->dispatch(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, 0, 0);
        delete control;
    }
    return result;
}

// Fields and lists show a plain border as the classic sunken edge: the WS_BORDER of `style`
// becomes WS_EX_CLIENTEDGE on the window being created. Answers the style without the border.
DWORD sunken_border(HWND hwnd, CREATESTRUCTA& create, DWORD style);

// Registers one control class; a class that already exists is left as it is.
void register_control_class(const char* name, WNDPROC proc, UINT class_style, int cursor_id);

}  // namespace winsim::controls
