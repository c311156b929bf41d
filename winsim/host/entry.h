// The start of a winsim program: prepares the simulated machine, the display, the clock
// and the scripted user, registers the system window classes, then runs WinMain.
#pragma once

namespace winsim::host {

// Everything a program needs before its WinMain runs.
void prepare_host();

// prepare_host, WinMain with the module handle and the default show command, and the
// scripted user's last word; answers the process exit code.
int run_program();

}  // namespace winsim::host
