// winsim-notepad FILE: shows a text file of the simulated machine in a window until it is
// closed. Without a display it writes the file's bytes to standard output and ends.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/clock.h"
#include "host/display.h"
#include "host/prefix.h"
#include "notepad_file.h"
#include "notepad_window.h"

namespace {

// A scripted run has nobody to close a window, so Notepad then writes the text out too.
bool headless() {
    if (const char* script = std::getenv("WINSIM_SCRIPT"); script && *script) return true;
    const char* display = std::getenv("WINSIM_DISPLAY");
    if (display && *display) return std::strcmp(display, "headless") == 0;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return !(x11 && *x11) && !(wayland && *wayland);
}

void prepare_desktop() {
    winsim::host::prefix();
    winsim::host::display();
    winsim::host::clock();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string name = winsim::notepad::file_name_from_arguments(arguments);
    if (name.empty() && headless()) return 0;
    std::optional<std::string> text;
    if (!name.empty()) {
        text = winsim::notepad::read_machine_file(name);
        if (!text) {
            std::fprintf(stderr, "winsim-notepad: cannot find the file %s\n", name.c_str());
            return 1;
        }
    }
    if (headless()) {
        std::fwrite(text->data(), 1, text->size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    prepare_desktop();
    return winsim::notepad::show_in_window(name.empty() ? "Untitled" : name, text.value_or(""));
}
