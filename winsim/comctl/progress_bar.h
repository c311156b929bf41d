// The progress bar ("msctls_progress32"): a position in a range, advanced in steps, shown as
// the classic row of highlight-coloured blocks in a half-sunken field.
#pragma once

#include <commctrl.h>

#include "user/controls/control.h"

namespace winsim::comctl {

class ProgressBar : public controls::Control {
public:
    static constexpr const char* class_name = "msctls_progress32";
    explicit ProgressBar(HWND hwnd) : Control(hwnd) {}

    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT on_paint();
    LRESULT on_set_range(int low, int high);
    LRESULT on_get_range(bool low, PBRANGE* range) const;
    LRESULT on_set_pos(int pos);
    LRESULT on_set_step(int step);
    LRESULT on_step_it();

    // Moves to `pos` (kept inside the range) and shows it; answers the previous position.
    int move_to(int pos);

    int low_ = 0;
    int high_ = 100;
    int pos_ = 0;
    int step_ = 10;
};

void register_progress_class();

}  // namespace winsim::comctl
