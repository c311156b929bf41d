// The file Notepad is asked to open: its command line names it, with or without quotes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace winsim::notepad {

// Notepad takes the whole rest of its command line as one file name.
std::string file_name_from_arguments(const std::vector<std::string>& arguments);

// The bytes of the file at that Windows path on the machine, or null when it cannot be read.
std::optional<std::string> read_machine_file(const std::string& windows_path);

}  // namespace winsim::notepad
