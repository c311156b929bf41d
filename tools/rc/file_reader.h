// How the compiler reaches files: a function, so that tests and the fuzzer can hand it
// texts from memory instead of the disk.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace rc {

using FileReader = std::function<std::optional<std::string>(const std::string& path)>;

// Reads host files whole; nothing for a path that cannot be read.
std::optional<std::string> read_host_file(const std::string& path);

}  // namespace rc
