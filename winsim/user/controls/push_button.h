// The "Button" class for push buttons: pressed while the mouse is held on it or Space is down,
// BN_CLICKED to the parent when released on it, and the default button's heavier frame.
#pragma once

#include "user/controls/control.h"

namespace winsim::controls {

class PushButton : public Control {
public:
    static constexpr const char* class_name = "Button";
    explicit PushButton(HWND hwnd) : Control(hwnd) {}

    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    bool is_default() const { return (style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

    LRESULT on_paint();
    LRESULT on_button_down();
    LRESULT on_mouse_move(POINT p);
    LRESULT on_button_up(POINT p);
    LRESULT on_capture_changed();
    LRESULT on_key_down(UINT key);
    LRESULT on_key_up(UINT key);
    LRESULT on_char(unsigned char ch);
    LRESULT on_focus_changed(bool gained);
    LRESULT on_get_dlg_code() const;
    LRESULT on_set_style(DWORD button_style, bool redraw);
    LRESULT on_get_state() const;
    LRESULT on_set_state(bool pushed);
    LRESULT on_set_text(WPARAM wparam, LPARAM lparam);

    bool inside(POINT p) const;
    void set_pressed(bool pressed);
    // What releasing a held button does: BN_CLICKED to the parent.
    void click();

    bool pressed_ = false;
    bool mouse_held_ = false;
    bool space_held_ = false;
};

void register_button_class();

}  // namespace winsim::controls
