// The "Edit" class: a single-line field (scrolling sideways with ES_AUTOHSCROLL) or, with
// ES_MULTILINE, a page of CR LF lines with its own scroll bars. The text, caret and selection
// live in EditText; this class turns keys and clicks into changes of them and draws them.
#pragma once

#include <string>

#include "user/controls/control.h"
#include "user/controls/edit_text.h"
#include "user/controls/scroll_bar.h"

namespace winsim::controls {

class EditControl : public Control {
public:
    static constexpr const char* class_name = "Edit";
    explicit EditControl(HWND hwnd) : Control(hwnd) {}

    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    bool multiline() const { return multiline_; }

    LRESULT on_nc_create(CREATESTRUCTA* create);
    LRESULT on_paint();
    LRESULT on_size();
    LRESULT on_char(unsigned char ch);
    LRESULT on_key_down(UINT key);
    LRESULT on_button_down(POINT p);
    LRESULT on_mouse_move(POINT p);
    LRESULT on_button_up();
    LRESULT on_focus_changed(bool gained);
    LRESULT on_get_dlg_code(const MSG* message) const;
    LRESULT on_set_text(LPARAM lparam);
    LRESULT on_get_text(WPARAM count, LPSTR buffer) const;
    LRESULT on_set_sel(LONG_PTR start, LONG_PTR end);
    LRESULT on_get_sel(DWORD* start, DWORD* end) const;
    LRESULT on_replace_sel(LPCSTR text);
    LRESULT on_scroll(bool vertical, int request);
    LRESULT on_line_index(LONG_PTR line) const;
    LRESULT on_line_length(LONG_PTR pos) const;
    LRESULT on_line_from_char(LONG_PTR pos) const;

    // Layout: the rectangle the text is shown in and the scroll bars around it.
    void layout();
    RECT text_rect() const;
    int line_height() const;
    int visible_lines() const;
    int text_width(const std::string& s) const;
    int widest_line() const;

    // Keeps the caret in view; answers whether the view moved.
    bool scroll_to_caret();
    void update_scroll_bars();
    // Position of the character nearest to a point of the client area.
    std::size_t position_at(POINT p) const;
    void move_vertically(int lines, bool extend);

    // After a change the user made: keep the window's text, repaint, tell the parent.
    void text_changed();
    void repaint();

    void paint_line(HDC dc, const RECT& area, std::size_t line, int y, bool show_selection);

    EditText text_;
    bool multiline_ = false;
    bool wants_vscroll_ = false;
    bool wants_hscroll_ = false;
    int top_line_ = 0;
    int scroll_x_ = 0;
    ScrollBar vbar_{true};
    ScrollBar hbar_{false};
    // Mouse gestures: selecting text, or working a scroll bar.
    bool selecting_ = false;
    ScrollBar* dragged_bar_ = nullptr;
    int drag_offset_ = 0;
};

void register_edit_class();

}  // namespace winsim::controls
