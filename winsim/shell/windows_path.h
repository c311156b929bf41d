// Small operations on absolute Windows paths ("X:\folder\name"), as the shell needs them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace winsim::shell {

// The drive letter (upper case) of a path that starts with "X:", or nothing.
std::optional<char> drive_letter(std::string_view path);
// True for "X:\" (and "X:").
bool is_drive_root(std::string_view path);
// The path without trailing backslashes, except that a root keeps its one.
std::string without_trailing_backslash(std::string_view path);
// The last component: "name" of "X:\folder\name"; the path itself when it has none.
std::string last_component(std::string_view path);
// The folder that holds the path: "X:\folder" of "X:\folder\name", "X:\" of "X:\name".
std::string parent_folder(std::string_view path);
// `target` relative to the folder `base_folder` ("..\..\folder\name", ".\name"), or nothing
// when the two lie on different drives.
std::optional<std::string> relative_path(std::string_view base_folder, std::string_view target);

}  // namespace winsim::shell
