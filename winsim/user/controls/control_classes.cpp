#include "user/controls/control_classes.h"

#include "comctl/progress_bar.h"
#include "user/controls/combo_box.h"
#include "user/controls/edit_control.h"
#include "user/controls/list_box.h"
#include "user/controls/push_button.h"
#include "user/controls/static_control.h"

namespace winsim::user {

void register_control_classes() {
    controls::register_static_class();
    controls::register_button_class();
    controls::register_edit_class();
    controls::register_list_box_class();
    controls::register_combo_box_class();
    // Loading the common controls library registers its classes before the program runs.
    comctl::register_progress_class();
}

}  // namespace winsim::user
