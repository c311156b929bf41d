// Our item identifier lists. An absolute list starts at the desktop (the empty list); the
// computer is one item; a file system path adds a drive item and one item per component:
//   [computer] [drive 'C'] [name "Program Files"] [name "App"] [cb = 0]
// Each item: cb (2 bytes, counting itself), a kind byte, then the kind's data.
// Lists are allocated with the task allocator, so that the shell's allocator frees them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "win/shell.h"

namespace winsim::shell {

// What an absolute list names.
struct ShellLocation {
    enum class Kind { Desktop, Computer, Path };
    Kind kind = Kind::Desktop;
    std::string path;  // for Path: "X:\" or "X:\folder\name"
};

LPITEMIDLIST make_computer_list();
// Nothing when the path does not start with a drive letter, a colon and a backslash.
LPITEMIDLIST make_path_list(std::string_view path);

// Nothing when the list is not one of ours.
std::optional<ShellLocation> read_list(LPCITEMIDLIST list);

}  // namespace winsim::shell
