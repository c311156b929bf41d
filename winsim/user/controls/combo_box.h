// The "ComboBox" class in its simple form: an edit field above a list that is always shown.
// The two parts are child windows of our own Edit and ListBox classes; the combo box passes
// CB_ requests on to them and turns their notifications and draw requests into its own.
#pragma once

#include "user/controls/control.h"

namespace winsim::controls {

class ComboBox : public Control {
public:
    static constexpr const char* class_name = "ComboBox";
    // The identifiers the two parts carry as children of the combo box.
    static constexpr int list_id = 1000;
    static constexpr int edit_id = 1001;

    explicit ComboBox(HWND hwnd) : Control(hwnd) {}

    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT on_create(const CREATESTRUCTA* create);
    LRESULT on_size();
    LRESULT on_paint();
    LRESULT on_set_font(HFONT font, bool redraw);
    LRESULT on_child_command(int code, HWND child);
    LRESULT on_owner_item(UINT message, LPARAM item);
    LRESULT on_child_colors(UINT message, WPARAM dc, LPARAM child);
    LRESULT on_set_cur_sel(int index);
    LRESULT on_set_text(LPCSTR text);

    void layout();
    // Puts the text of list entry `index` into the edit field (empty for none).
    void show_item_in_edit(int index);
    LRESULT to_list(UINT message, WPARAM wparam, LPARAM lparam) const;
    LRESULT to_edit(UINT message, WPARAM wparam, LPARAM lparam) const;

    HWND edit_ = nullptr;
    HWND list_ = nullptr;
    // Set while the combo box itself changes the edit text, which is no edit by the user.
    bool setting_edit_ = false;
};

void register_combo_box_class();

}  // namespace winsim::controls
