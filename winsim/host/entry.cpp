#include "host/entry.h"

#include <windows.h>

#include "host/clock.h"
#include "host/display.h"
#include "host/prefix.h"
#include "host/script.h"
#include "user/controls/control_classes.h"
#include "user/painting.h"

namespace winsim::host {

void prepare_host() {
    prefix();
    display();
    clock();
    ScriptedUser::active();
    user::register_control_classes();
}

int run_program() {
    prepare_host();
    char command_line[] = "";
    int result = WinMain(GetModuleHandleA(nullptr), nullptr, command_line, SW_SHOWDEFAULT);
    user::painting::present_if_changed();
    if (ScriptedUser* script = ScriptedUser::active()) script->check_finished_at_exit();
    return result;
}

}  // namespace winsim::host

int main() { return winsim::host::run_program(); }
