// winsim-notepad FILE: shows a text file of the simulated machine. Without a display it
// writes the file's bytes to standard output and ends.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "notepad_file.h"

namespace {

bool headless() {
    const char* display = std::getenv("WINSIM_DISPLAY");
    if (display && *display) return std::strcmp(display, "headless") == 0;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return !(x11 && *x11) && !(wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string name = winsim::notepad::file_name_from_arguments(arguments);
    if (name.empty()) return 0;
    std::optional<std::string> text = winsim::notepad::read_machine_file(name);
    if (!text) {
        std::fprintf(stderr, "winsim-notepad: cannot find the file %s\n", name.c_str());
        return 1;
    }
    (void)headless;   // the window needs the desktop; until then every mode writes the text out
    std::fwrite(text->data(), 1, text->size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
