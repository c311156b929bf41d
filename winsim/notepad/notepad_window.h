// Notepad's window: the file's text on a white page, until the window is closed.
#pragma once

#include <string>

namespace winsim::notepad {

// Shows `text` in a top-level window captioned "<file name> - Notepad" and runs the message
// loop until that window is closed; answers the process exit code.
int show_in_window(const std::string& file_name, const std::string& text);

}  // namespace winsim::notepad
