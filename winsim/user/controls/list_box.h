// The "ListBox" class: a single-selection list of entries, drawn by itself or by its parent
// (owner-drawn, fixed or variable height), with its own vertical scroll bar, selection by
// mouse and keys, and LBN_ notifications.
#pragma once

#include "user/controls/control.h"
#include "user/controls/list_items.h"
#include "user/controls/scroll_bar.h"

namespace winsim::controls {

class ListBox : public Control {
public:
    static constexpr const char* class_name = "ListBox";
    explicit ListBox(HWND hwnd) : Control(hwnd) {}

    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    enum class Drawing { Self, OwnerFixed, OwnerVariable };

    LRESULT on_nc_create(CREATESTRUCTA* create);
    LRESULT on_paint();
    LRESULT on_size();
    LRESULT on_button_down(POINT p, bool double_click);
    LRESULT on_mouse_move(POINT p);
    LRESULT on_button_up();
    LRESULT on_key_down(UINT key);
    LRESULT on_char(unsigned char ch);
    LRESULT on_focus_changed(bool gained);
    LRESULT on_set_redraw(bool redraw);
    LRESULT on_scroll(int request);
    LRESULT on_set_font(HFONT font, bool redraw);

    LRESULT on_add_string(LPARAM item);
    LRESULT on_insert_string(int index, LPARAM item);
    LRESULT on_delete_string(int index);
    LRESULT on_reset_content();
    LRESULT on_set_cur_sel(int index);
    LRESULT on_get_text(int index, LPSTR buffer) const;
    LRESULT on_get_text_len(int index) const;
    LRESULT on_find_string(int start, LPCSTR text, bool exact) const;
    LRESULT on_set_item_data(int index, LPARAM data);
    LRESULT on_get_item_data(int index) const;
    LRESULT on_get_item_rect(int index, RECT* rect) const;
    LRESULT on_set_top_index(int index);
    LRESULT on_get_item_height(int index) const;
    LRESULT on_set_item_height(int index, int height);

    // Entries made from an LB_ADDSTRING or LB_INSERTSTRING argument: a text, or for an
    // owner-drawn list without LBS_HASSTRINGS the item's data.
    ListItem make_item(LPARAM item) const;
    bool stores_strings() const { return drawing_ == Drawing::Self || has_strings_; }
    int measure_item(int index, std::uintptr_t data) const;
    int fixed_height() const;
    int height_of(int index) const;
    void item_inserted(int index);

    RECT list_rect() const;
    int first_top_for_end() const;
    void update_scroll_bar();
    int item_at(POINT p) const;
    void ensure_visible(int index);
    // Selects `index` as the user did: redraws and tells the parent (with LBS_NOTIFY).
    void choose(int index);
    void select(int index);
    void set_top(int top);

    void draw_item(HDC dc, int index, UINT action) const;
    void draw_own_item(HDC dc, int index, const RECT& rect) const;
    void redraw_item(int index, UINT action) const;
    void invalidate_list() const;

    ListItems items_;
    Drawing drawing_ = Drawing::Self;
    bool has_strings_ = false;
    bool sorted_ = false;
    bool notifies_ = false;
    bool wants_vscroll_ = false;
    bool scroll_always_ = false;
    int selected_ = -1;
    int caret_ = 0;
    int top_ = 0;
    bool redraw_ = true;
    // The fixed height the parent answered to WM_MEASUREITEM, 0 until asked.
    mutable int measured_height_ = 0;
    ScrollBar vbar_{true};
    bool tracking_ = false;
    bool dragging_thumb_ = false;
    int drag_offset_ = 0;
};

void register_list_box_class();

}  // namespace winsim::controls
