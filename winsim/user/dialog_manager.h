// The dialog manager: dialogs made from templates, their modal loops, the keyboard
// interface among their controls, and the state DefDlgProcA keeps for each dialog.
#pragma once

#include <windows.h>

#include <map>
#include <optional>

#include "user/dialog_template.h"

namespace winsim::user {

class DialogManager {
public:
    struct State {
        bool modal = false;
        bool ended = false;
        INT_PTR result = 0;
        HWND disabled_owner = nullptr;   // the owner the modal loop disabled
        HWND saved_focus = nullptr;
        std::optional<WORD> default_id;  // set by DM_SETDEFID
        int base_x = 6;                  // dialog base units of the dialog's font
        int base_y = 13;
    };

    static DialogManager& instance();

    // Creates the dialog and its controls, then WM_INITDIALOG; null on failure.
    HWND create(HINSTANCE instance, const DialogTemplate& dialog_template, HWND owner, DLGPROC proc, LPARAM param,
                bool modal);
    // Runs the modal loop until EndDialog; the owner is disabled meanwhile.
    INT_PTR run_modal(HWND dialog);

    State* state(HWND dialog);
    void forget(HWND dialog) { states_.erase(dialog); }

    bool end(HWND dialog, INT_PTR result);
    // Tab, Enter and Escape among the dialog's controls; every other message of the
    // dialog is translated and dispatched.
    bool handle_message(HWND dialog, MSG& msg);
    // Puts the focus on a control, selecting an edit control's whole text as Tab does.
    void focus_control(HWND control);
    HWND first_tab_stop(HWND dialog);
    // The next (or previous) tab stop after the control that holds the focus, which may sit
    // inside a dialog control, such as a combo box's field.
    HWND next_tab_stop(HWND dialog, HWND focus, bool previous);

private:
    DialogManager() = default;
    std::map<HWND, State> states_;
};

}  // namespace winsim::user
