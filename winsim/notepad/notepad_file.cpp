#include "notepad_file.h"

#include <fstream>
#include <sstream>

#include "kernel/api_path.h"
#include "kernel/code_page.h"

namespace winsim::notepad {

std::string file_name_from_arguments(const std::vector<std::string>& arguments) {
    std::string name;
    for (const std::string& a : arguments) {
        if (!name.empty()) name += ' ';
        name += a;
    }
    std::erase(name, '"');
    // Host arguments are UTF-8; machine paths are in the ANSI code page.
    return kernel::utf8_to_ansi_lossy(name);
}

std::optional<std::string> read_machine_file(const std::string& windows_path) {
    std::optional<host::HostPath> path = kernel::resolve_api_path(windows_path.c_str());
    if (!path || !path->exists) return std::nullopt;
    std::ifstream in(path->host, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace winsim::notepad
