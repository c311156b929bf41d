// The seam between the window manager and the system controls: the window manager calls
// this once, before the program's entry point, to register the system window classes
// ("Button", "Static", "Edit", "ListBox", "ComboBox", the dialog class is the manager's own).
#pragma once

namespace winsim::user {

void register_control_classes();

}  // namespace winsim::user
